#include "app/RegistryText.h"

bool ReadRegistryText(HKEY key, const wchar_t* name, wchar_t* buffer, DWORD size)
{
    if (size == 0)
        return false;
    buffer[0] = L'\0';
    DWORD bytes = (size - 1) * sizeof(wchar_t);
    if (RegQueryValueExW(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &bytes) != ERROR_SUCCESS) {
        buffer[0] = L'\0';
        return false;
    }
    // An odd byte left over is no character.
    const DWORD length = bytes / sizeof(wchar_t);
    buffer[length < size ? length : size - 1] = L'\0';
    return true;
}
