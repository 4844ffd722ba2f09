#include "framework/CommandLine.h"
#include "framework/WinApp.h"
#include <string>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    // The single-byte command line the system offers has characters outside
    // the code page replaced by look-alikes; the program takes its own.
    std::string commandLine = CommandLineTail(GetCommandLineW());
    return AfxWinMain(instance, &commandLine[0]);
}
