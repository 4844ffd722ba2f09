#include "icons/IconResourceId.h"
#include "icons/IconExtraction.h"
#include "resource.h"
#include <windows.h>

namespace {

struct GroupSearch {
    ULONG_PTR id;
    int position;
    int found;
};

// Resource names come in the order of the file's resource directory, which
// is the order the icon reader counts them in.
BOOL CALLBACK FindGroup(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR parameter)
{
    GroupSearch& search = *reinterpret_cast<GroupSearch*>(parameter);
    if (IS_INTRESOURCE(name) && reinterpret_cast<ULONG_PTR>(name) == search.id) {
        search.found = search.position;
        return FALSE;
    }
    ++search.position;
    return TRUE;
}

} // namespace

int IconPosition(const wchar_t* path, int index)
{
    if (index >= 0)
        return index;
    const unsigned id = 0u - static_cast<unsigned>(index);
    if (id > MAX_RESOURCE_ID || !IconFileIsSound(path))
        return -1;
    wchar_t found[PATH_BUFFER_SIZE];
    const DWORD length = SearchPathW(nullptr, path, nullptr, ARRAYSIZE(found), found, nullptr);
    if (length == 0 || length >= ARRAYSIZE(found))
        return -1;
    const HMODULE module = LoadLibraryExW(found, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module)
        return -1;
    GroupSearch search = { id, 0, -1 };
    EnumResourceNamesW(module, RT_GROUP_ICON, FindGroup, reinterpret_cast<LONG_PTR>(&search));
    FreeLibrary(module);
    return search.found;
}
