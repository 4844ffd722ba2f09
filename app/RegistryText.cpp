#include "app/RegistryText.h"

bool ReadRegistryText(HKEY key, const char* name, char* buffer, DWORD size)
{
    if (size == 0)
        return false;
    buffer[0] = '\0';
    DWORD length = size - 1;
    if (RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &length) != ERROR_SUCCESS) {
        buffer[0] = '\0';
        return false;
    }
    buffer[length < size ? length : size - 1] = '\0';
    return true;
}
