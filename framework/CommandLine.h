// The program's command line, taken from the system in UTF-16.
#pragma once
#include <string>

// What follows the program's own name on a command line (the name in double
// quotes, or up to the first blank; then the blanks after it).
std::wstring CommandLineTail(const wchar_t* commandLine);
