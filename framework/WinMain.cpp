#include "framework/CommandLine.h"
#include "framework/WinApp.h"
#include <string>

// The single-byte command line the system hands the entry point has
// characters outside the code page replaced by look-alikes: the program
// takes its own, in UTF-16.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    std::wstring commandLine = CommandLineTail(GetCommandLineW());
    return AfxWinMain(instance, &commandLine[0]);
}
