// The system's single-byte code page, which files written by older programs
// (and by this one, where it can) are kept in.
#pragma once
#include <windows.h>

// Whether every character of `text` has its own place in the code page, so
// that it reads back exactly: a look-alike (Omega for Ω) would be another
// text.
bool FitsCodePage(const wchar_t* text);
