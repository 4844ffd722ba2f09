// The texts of a silent run, from the string table, their "%s" and "%d"
// filled in order with the values given: a value is never read as a format.
#pragma once
#include <initializer_list>
#include <string>
#include <windows.h>

std::wstring Text(UINT id, std::initializer_list<std::wstring> values = {});

// The system's text for an error, on one line.
std::wstring SystemReason(DWORD error);
