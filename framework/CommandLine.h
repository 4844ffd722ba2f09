// The program's command line, taken from the system in UTF-16.
#pragma once
#include <string>

// What follows the program's own name on a command line (the name in double
// quotes, or up to the first blank; then the blanks after it), converted to
// the code page. A command line that does not convert exactly becomes "?":
// it names no path, rather than a look-alike of the one the user gave.
std::string CommandLineTail(const wchar_t* commandLine);
