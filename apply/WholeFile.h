// Files read and written whole, at once.
#pragma once
#include <windows.h>
#include <vector>

// The whole file, when it is no larger than `limit` bytes; false, with the
// system's reason in the last error, otherwise.
bool ReadWholeFile(const wchar_t* path, std::vector<BYTE>& bytes, ULONGLONG limit);

// A new hidden file holding `bytes`, on disk when this returns. False, with
// the system's reason in the last error, when a file of that name is there
// already or it cannot be written whole; no new file is left then.
bool WriteNewHiddenFile(const wchar_t* path, const std::vector<BYTE>& bytes);
