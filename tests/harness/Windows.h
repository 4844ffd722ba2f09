// Small reading helpers for windows, messages and the test's own files.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

std::string WindowText(HWND window);
std::string ClassName(HWND window);
// The child windows in their order, which for a dialog is the template order.
std::vector<HWND> ChildWindows(HWND parent);
// Dispatches this thread's messages for about `milliseconds`.
void PumpMessages(DWORD milliseconds);
// The full Windows path of a file in the folder of the test executable.
std::string PathBesideTests(const char* fileName);
