// The encoding of a desktop.ini. The profile functions read a file in the
// code page or in UTF-16 LE with its byte-order mark, and write into a file
// in the encoding it already has: a code-page file would get question marks
// for a character outside the code page.
#pragma once
#include <windows.h>
#include <initializer_list>

// Makes `file` able to hold every one of `values` (null ones are skipped):
// where one does not fit the code page, a file in the code page becomes
// UTF-16 LE with its mark, every line kept, and a missing file is created
// so. Otherwise the file stays as it is, byte for byte. False, with the
// system's reason in the last error, when the file cannot be rewritten; it
// is then left as it was.
bool HoldValues(const wchar_t* file, std::initializer_list<const wchar_t*> values);
