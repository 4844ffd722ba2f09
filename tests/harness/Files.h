// Files as the tests read and write them: byte for byte, and the attributes
// the program chooses.
#pragma once
#include <windows.h>
#include <string>

std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);
bool Exists(const std::string& path);
// The attributes the program chooses. Wine reports every regular file as
// Archive whatever was set, so that bit is left out, and a file with none
// of the others left is Normal, as Windows reports it.
DWORD Attributes(const std::string& path);
std::string ProfileValue(const std::string& file, const char* section, const char* key);
// The system's text for an error code, as a message box shows it.
std::string SystemText(DWORD error);
