#include "ShellNotifications.h"
#include "harness/Windows.h"
#include <cstring>

namespace {

const char WINDOW_CLASS[] = "ReceivedShellNoticesWindow";

SentShellNotices* g_sent = nullptr;

// Between function pointer types through the one type that converts to any.
template <typename To, typename From>
To FunctionCast(From function)
{
    return reinterpret_cast<To>(reinterpret_cast<void (*)()>(function));
}

// The slot of the executable's import table through which it calls
// `function` of `moduleName`, or null.
FARPROC* ImportSlot(const char* moduleName, FARPROC function)
{
    BYTE* const base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* headers = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (!imports.VirtualAddress)
        return nullptr;
    for (auto* module = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); module->Name;
         ++module) {
        if (lstrcmpiA(reinterpret_cast<const char*>(base + module->Name), moduleName) != 0)
            continue;
        for (auto* thunk = reinterpret_cast<IMAGE_THUNK_DATA*>(base + module->FirstThunk); thunk->u1.Function;
             ++thunk) {
            if (reinterpret_cast<FARPROC>(thunk->u1.Function) == function)
                return reinterpret_cast<FARPROC*>(&thunk->u1.Function);
        }
    }
    return nullptr;
}

void Replace(FARPROC* slot, FARPROC function)
{
    DWORD protection;
    if (!VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &protection))
        return;
    *slot = function;
    VirtualProtect(slot, sizeof *slot, protection, &protection);
}

} // namespace

ReceivedShellNotices::ReceivedShellNotices(LONG events)
    : m_message(RegisterWindowMessageA("ReceivedShellNoticesMessage"))
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = WINDOW_CLASS;
    RegisterClassA(&windowClass);
    m_window = CreateWindowA(WINDOW_CLASS, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, windowClass.hInstance, nullptr);
    if (!m_window)
        return;
    SetWindowLongPtrA(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SHChangeNotifyEntry everything = { nullptr, TRUE };
    m_registration = SHChangeNotifyRegister(m_window, SHCNRF_ShellLevel | SHCNRF_InterruptLevel | SHCNRF_NewDelivery,
                                            events, m_message, 1, &everything);
}

ReceivedShellNotices::~ReceivedShellNotices()
{
    if (m_registration)
        SHChangeNotifyDeregister(m_registration);
    if (m_window)
        DestroyWindow(m_window);
}

LRESULT CALLBACK ReceivedShellNotices::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<ReceivedShellNotices*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!self || message != self->m_message)
        return DefWindowProcA(window, message, wParam, lParam);
    PIDLIST_ABSOLUTE* items = nullptr;
    LONG event = 0;
    const HANDLE lock = SHChangeNotification_Lock(reinterpret_cast<HANDLE>(wParam), static_cast<DWORD>(lParam), &items,
                                                  &event);
    if (lock) {
        self->Record(event, items ? items[0] : nullptr);
        SHChangeNotification_Unlock(lock);
    }
    return 0;
}

// A value travels as an ID list of its own: a USHORT size, then the value.
void ReceivedShellNotices::Record(LONG event, PCIDLIST_ABSOLUTE item)
{
    ShellNotice notice = { event, "", 0 };
    char path[MAX_PATH] = "";
    if (item && SHGetPathFromIDListA(item, path))
        notice.path = path;
    else if (item && item->mkid.cb >= sizeof(USHORT) + sizeof(DWORD))
        std::memcpy(&notice.value, reinterpret_cast<const BYTE*>(item) + sizeof(USHORT), sizeof notice.value);
    m_notices.push_back(notice);
}

SentShellNotices::SentShellNotices()
{
    m_shell = GetProcAddress(GetModuleHandleA("shell32.dll"), "SHChangeNotify");
    m_slot = m_shell ? ImportSlot("shell32.dll", m_shell) : nullptr;
    if (!m_slot)
        return;
    g_sent = this;
    Replace(m_slot, FunctionCast<FARPROC>(&SentShellNotices::Notify));
}

SentShellNotices::~SentShellNotices()
{
    if (!m_slot)
        return;
    Replace(m_slot, m_shell);
    g_sent = nullptr;
}

void WINAPI SentShellNotices::Notify(LONG event, UINT flags, LPCVOID item1, LPCVOID item2)
{
    SentNotice notice = { event, flags, { event, "", 0 }, item2 != nullptr };
    if ((flags & SHCNF_TYPE) == SHCNF_PATHW)
        notice.item.path = item1 ? Narrow(static_cast<const wchar_t*>(item1)) : "";
    else if ((flags & SHCNF_TYPE) == SHCNF_DWORD)
        notice.item.value = static_cast<DWORD>(reinterpret_cast<DWORD_PTR>(item1));
    g_sent->m_notices.push_back(notice);
    FunctionCast<decltype(&SHChangeNotify)>(g_sent->m_shell)(event, flags, item1, item2);
}

bool RunsOnWine()
{
    const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}
