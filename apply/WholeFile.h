// Files read and written whole, at once.
#pragma once
#include <windows.h>
#include <vector>

// The whole file, when it is no larger than `limit` bytes; false, with the
// system's reason in the last error, otherwise.
bool ReadWholeFile(const wchar_t* path, std::vector<BYTE>& bytes, ULONGLONG limit);

// Makes `path` hold `bytes`, with `attributes`, in one step: they are
// written to a working file beside it and flushed to disk, and the working
// file then takes the place of `path`. Whoever reads `path`, at any moment
// and however the program ends, finds it wholly as it was or wholly as it
// is now. With `replace` false a file already there stays, and the write
// fails with ERROR_ALREADY_EXISTS. False, with the system's reason in the
// last error, when it cannot be written: `path` is then as it was, and no
// working file is left. Working files that an ended process left beside
// `path` are removed on the way.
bool WriteWholeFile(const wchar_t* path, const std::vector<BYTE>& bytes, DWORD attributes, bool replace);
