// The program works in the single-byte code page, while the system hands
// paths over in UTF-16. A path is taken only when every one of its
// characters has its own place in the code page: a look-alike (Omega for
// Ω, a plain backslash for a full-width one) would name another file.
#pragma once
#include <windows.h>

// Converts `wide` into `narrow` (a buffer of `size` bytes); false, and an
// empty text, when a character has no exact match or the text does not fit.
bool ToCodePageExactly(const wchar_t* wide, char* narrow, int size);
