#include "change/ShellNotice.h"
#include "change/Change.h"
#include <shlobj.h>

DWORD SystemImageIndex(const wchar_t* path)
{
    SHFILEINFOW info = {};
    SHGetFileInfoW(path, 0, &info, sizeof info, SHGFI_SYSICONINDEX);
    return static_cast<DWORD>(info.iIcon);
}

void TellTheShell(const ChangeTarget& target)
{
    SHChangeNotify(SHCNE_ATTRIBUTES, SHCNF_PATHW | SHCNF_FLUSH, target.path.c_str(), nullptr);
    const DWORD image = SystemImageIndex(target.path.c_str());
    SHChangeNotify(SHCNE_UPDATEIMAGE, SHCNF_DWORD | SHCNF_FLUSH, reinterpret_cast<LPCVOID>(static_cast<DWORD_PTR>(image)),
                   nullptr);
    SHChangeNotify(SHCNE_UPDATEIMAGE, SHCNF_DWORD | SHCNF_FLUSH,
                   reinterpret_cast<LPCVOID>(static_cast<DWORD_PTR>(target.shownImage)), nullptr);
}
