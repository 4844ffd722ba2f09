// Small reading helpers for windows, messages and the test's own files.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

// The tests' own texts are in the code page, the program's in UTF-16.
std::wstring Wide(const std::string& text);
std::string Narrow(const std::wstring& text);
std::string Utf8(const std::wstring& text);

std::string WindowText(HWND window);
std::string ClassName(HWND window);
// The child windows in their order, which for a dialog is the template order.
std::vector<HWND> ChildWindows(HWND parent);
// Dispatches this thread's messages for about `milliseconds`.
void PumpMessages(DWORD milliseconds);
// The full Windows path of a file in the folder of the test executable.
std::string PathBesideTests(const char* fileName);

// Icon files made at build time (icon-files\ beside the tests) whose headers
// lie about what they hold: a reader that trusts them reads past their end.
constexpr const char* MALFORMED_ICON_FILES[] = { "icon-files\\claims-many.ico", "icon-files\\past-end.ico",
                                                 "icon-files\\truncated.ico", "icon-files\\empty-image.ico" };

// Whether the icon at `position` of a file is the one the platform extracts
// for `index` (a position, or minus a resource id): the same pixels, drawn
// on black and on white so that the masks count too.
bool SameIcon(const char* file, int position, int index);
// The same of an icon against the one at a position of a file.
bool SameIcons(HICON icon, const char* file, int position);
