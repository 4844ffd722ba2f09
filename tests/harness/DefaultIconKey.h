// Default-icon keys of HKEY_CLASSES_ROOT that a test makes for itself.
#pragma once
#include "harness/RegistryKey.h"
#include <windows.h>
#include <memory>
#include <string>

// The default (unnamed) value of a key, stored as given: `size` bytes of
// `data`, which need not end with a terminating zero.
void SetDefaultValue(HKEY key, DWORD type, const char* data, DWORD size);
void SetDefaultText(HKEY key, const std::string& text);

// HKEY_CLASSES_ROOT "<kind>\DefaultIcon" holding `text`, removed when the
// test ends, with its parent when the test had to make that too.
class ScopedDefaultIcon {
public:
    ScopedDefaultIcon(const char* kindKey, const std::string& text);

private:
    std::unique_ptr<ScopedRegistryKey> m_scope;
};
