#pragma once
#include <windows.h>

// Reads a registry value into a buffer of `size` characters and terminates it
// there, whatever the stored data: a value stored without its terminating
// zero still ends inside the buffer. False when the value is missing or
// does not fit.
bool ReadRegistryText(HKEY key, const wchar_t* name, wchar_t* buffer, DWORD size);
