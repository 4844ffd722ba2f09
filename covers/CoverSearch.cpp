#include "covers/CoverSearch.h"
#include "covers/FolderTree.h"
#include "framework/Paths.h"
#include <windows.h>
#include <cstdio>
#include <iterator>

namespace {

const wchar_t* const COVER_EXTENSIONS[] = { L".jpg", L".jpeg", L".png" };
// The names a cover goes by, the first found winning. The media player's own
// ones hold the album's id between braces.
const wchar_t* const COVER_STEMS[] = { L"folder", L"cover", L"front", nullptr, L"AlbumArtSmall", L"poster" };
constexpr size_t ALBUM_ART_RANK = 3;
const wchar_t ALBUM_ART_START[] = L"AlbumArt_{";
const wchar_t ALBUM_ART_END[] = L"}_Large";
constexpr size_t NO_RANK = std::size(COVER_STEMS);

bool EndsWith(const std::wstring& text, const wchar_t* end)
{
    const size_t length = wcslen(end);
    return text.size() >= length && SameIgnoringCase(text.c_str() + text.size() - length, end);
}

bool StartsWith(const std::wstring& text, const wchar_t* start)
{
    const size_t length = wcslen(start);
    return text.size() >= length && SameIgnoringCase(text.substr(0, length).c_str(), start);
}

// The name without its extension, when the extension is a cover's.
bool CoverStem(const std::wstring& name, std::wstring& stem)
{
    for (const wchar_t* extension : COVER_EXTENSIONS) {
        if (EndsWith(name, extension)) {
            stem = name.substr(0, name.size() - wcslen(extension));
            return true;
        }
    }
    return false;
}

size_t RankOf(const std::wstring& stem)
{
    for (size_t rank = 0; rank < std::size(COVER_STEMS); ++rank) {
        if (rank == ALBUM_ART_RANK) {
            if (stem.size() > wcslen(ALBUM_ART_START) + wcslen(ALBUM_ART_END) && StartsWith(stem, ALBUM_ART_START) &&
                EndsWith(stem, ALBUM_ART_END))
                return rank;
        } else if (SameIgnoringCase(stem.c_str(), COVER_STEMS[rank])) {
            return rank;
        }
    }
    return NO_RANK;
}

// FNV-1a over the bytes given, 32 bits: enough to tell one state of a cover
// from another in a name.
void Mix(DWORD& digest, const void* bytes, size_t size)
{
    const BYTE* at = static_cast<const BYTE*>(bytes);
    for (size_t i = 0; i < size; ++i) {
        digest ^= at[i];
        digest *= 16777619u;
    }
}

} // namespace

std::optional<std::wstring> FindCover(const std::wstring& folder, bool firstPicture)
{
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileExW(Within(folder, L"*").c_str(), FindExInfoBasic, &found, FindExSearchNameMatch,
                                           nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (search == INVALID_HANDLE_VALUE)
        return std::nullopt;
    size_t bestRank = NO_RANK;
    std::wstring best;
    std::wstring first;
    do {
        std::wstring stem;
        const std::wstring name = found.cFileName;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY || !CoverStem(name, stem))
            continue;
        const size_t rank = RankOf(stem);
        if (rank < bestRank || (rank == bestRank && rank != NO_RANK && ComesBeforeIgnoringCase(name.c_str(), best.c_str()))) {
            bestRank = rank;
            best = name;
        }
        if (first.empty() || ComesBeforeIgnoringCase(name.c_str(), first.c_str()))
            first = name;
    } while (FindNextFileW(search, &found));
    FindClose(search);
    if (bestRank == NO_RANK && !(firstPicture && !first.empty()))
        return std::nullopt;
    return Within(folder, bestRank != NO_RANK ? best : first);
}

std::wstring CoverIconName(const std::wstring& cover)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(cover.c_str(), GetFileExInfoStandard, &data))
        return std::wstring();
    const size_t slash = cover.rfind(L'\\');
    const std::wstring name = cover.substr(slash == std::wstring::npos ? 0 : slash + 1);
    DWORD digest = 2166136261u;
    Mix(digest, name.c_str(), name.size() * sizeof(wchar_t));
    Mix(digest, &data.nFileSizeHigh, sizeof data.nFileSizeHigh);
    Mix(digest, &data.nFileSizeLow, sizeof data.nFileSizeLow);
    Mix(digest, &data.ftLastWriteTime, sizeof data.ftLastWriteTime);
    std::wstring stem;
    CoverStem(name, stem);
    wchar_t suffix[16];
    swprintf(suffix, std::size(suffix), L"-%08X.ico", static_cast<unsigned>(digest));
    return stem + suffix;
}
