#include "harness/Windows.h"
#include <shellapi.h>

std::wstring Wide(const std::string& text)
{
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length > 0 ? length : 0), L'\0');
    if (length > 0)
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &wide[0], length);
    return wide;
}

namespace {

std::string Encoded(UINT codePage, const std::wstring& text)
{
    const int length = WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<size_t>(length > 0 ? length : 0), '\0');
    if (length > 0)
        WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), &narrow[0], length, nullptr, nullptr);
    return narrow;
}

} // namespace

std::string Narrow(const std::wstring& text)
{
    return Encoded(CP_ACP, text);
}

std::string Utf8(const std::wstring& text)
{
    return Encoded(CP_UTF8, text);
}

std::string WindowText(HWND window)
{
    char text[1024] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string ClassName(HWND window)
{
    char name[256] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::vector<HWND> ChildWindows(HWND parent)
{
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}

void PumpMessages(DWORD milliseconds)
{
    const DWORD start = GetTickCount();
    do {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(5);
    } while (GetTickCount() - start < milliseconds);
}

std::string PathBesideTests(const char* fileName)
{
    char path[MAX_PATH] = "";
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    if (length == 0 || length >= sizeof path)
        return fileName;
    std::string folder(path, length);
    folder.erase(folder.find_last_of('\\') + 1);
    return folder + fileName;
}

namespace {

// The pixels of `icon` drawn at the large-icon size on one colour.
std::vector<DWORD> Drawn(HICON icon, COLORREF paper)
{
    const int width = GetSystemMetrics(SM_CXICON);
    const int height = GetSystemMetrics(SM_CYICON);
    BITMAPINFO info = {};
    info.bmiHeader = { sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0 };
    void* bits = nullptr;
    const HDC dc = CreateCompatibleDC(nullptr);
    const HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ previous = SelectObject(dc, bitmap);
    const HBRUSH brush = CreateSolidBrush(paper);
    const RECT all = { 0, 0, width, height };
    FillRect(dc, &all, brush);
    DrawIconEx(dc, 0, 0, icon, width, height, 0, nullptr, DI_NORMAL);
    GdiFlush();
    const DWORD* pixels = static_cast<const DWORD*>(bits);
    std::vector<DWORD> drawn(pixels, pixels + width * height);
    DeleteObject(brush);
    SelectObject(dc, previous);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return drawn;
}

} // namespace

bool SameIcons(HICON icon, const char* file, int position)
{
    HICON extracted = nullptr;
    ExtractIconExA(file, position, &extracted, nullptr, 1);
    const bool same = icon && extracted && Drawn(icon, RGB(0, 0, 0)) == Drawn(extracted, RGB(0, 0, 0)) &&
                      Drawn(icon, RGB(255, 255, 255)) == Drawn(extracted, RGB(255, 255, 255));
    if (extracted)
        DestroyIcon(extracted);
    return same;
}

bool SameIcon(const char* file, int position, int index)
{
    HICON platforms = nullptr;
    ExtractIconExA(file, index, &platforms, nullptr, 1);
    const bool same = SameIcons(platforms, file, position);
    if (platforms)
        DestroyIcon(platforms);
    return same;
}
