// COM on this thread for as long as the scope lives, apartment-threaded, as
// the platform's imaging component wants it; a thread that has it already
// keeps it as it is.
#pragma once
#include <objbase.h>

class ComScope {
public:
    ComScope() : m_result(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComScope()
    {
        if (SUCCEEDED(m_result))
            CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    HRESULT m_result;
};
