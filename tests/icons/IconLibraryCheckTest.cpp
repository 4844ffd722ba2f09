// The check of icon files before the platform's icon reader is given them:
// a library broken in one place is a file without icons, a sound one is
// counted as the reader counts it, and nothing the check lets through makes
// the reader fault.
#include "IconFiles.h"
#include "harness/TempFolder.h"
#include "harness/Windows.h"
#include "icons/IconExtraction.h"
#include "icons/IconLibraryCheck.h"
#include <gtest/gtest.h>
#include <shellapi.h>
#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>

namespace {

// Zeros this far on both sides of a place make it padding.
constexpr size_t PADDING = 16;

void WriteAt(const std::string& path, size_t at, const unsigned char* bytes, size_t length)
{
    std::fstream(path, std::ios::binary | std::ios::in | std::ios::out)
        .seekp(static_cast<std::streamoff>(at))
        .write(reinterpret_cast<const char*>(bytes), static_cast<std::streamsize>(length));
}

int PlatformCount(const std::string& path)
{
    return static_cast<int>(ExtractIconExA(path.c_str(), -1, nullptr, nullptr, 0));
}

// The calls the program makes of a sound file: its count, the run of icons
// that fills a screen, and one icon with its small image.
void ReadAsTheProgramDoes(const std::string& path, const IconFileCheck& check)
{
    const std::wstring wide = Wide(path);
    const int count = IconCount(wide.c_str());
    EXPECT_TRUE(!check.counted || PlatformCount(path) == count) << count;
    HICON icons[MAX_ICONS_TAKEN_AT_ONCE + 2] = {};
    ExtractIconRunOfSoundFile(wide.c_str(), 0, icons, std::clamp(count, 1, MAX_ICONS_TAKEN_AT_ONCE), SystemIconSize);
    ExtractIcons(wide.c_str(), std::max(count - 1, 0), &icons[MAX_ICONS_TAKEN_AT_ONCE],
                 &icons[MAX_ICONS_TAKEN_AT_ONCE + 1], 1);
    for (HICON icon : icons)
        DestroyIcon(icon);
}

} // namespace

TEST(IconLibraryCheck, LibraryBrokenInOnePlaceIsAFileWithoutIcons)
{
    for (const char* name : { "root-claims-many.dll", "root-entry-past-end.dll", "groups-claim-many.dll",
                              "group-claims-many.dll", "table-past-end.icl", "type-claims-many.icl",
                              "resource-past-end.icl", "name-past-end.dll", "language-past-end.dll" }) {
        const std::string path = IconFile(name);
        const long asked = IconExtractionCount();
        HICON large = nullptr;
        ASSERT_NE(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES) << name;
        EXPECT_EQ(IconCount(Wide(path).c_str()), 0) << name;
        EXPECT_EQ(ExtractIcons(Wide(path).c_str(), 0, &large, nullptr, 1), 0) << name;
        EXPECT_EQ(IconExtractionCount(), asked) << name;
    }
}

TEST(IconLibraryCheck, SoundFileCountsEveryIconGroupAsThePlatformDoes)
{
    char system[MAX_PATH] = "";
    GetSystemDirectoryA(system, sizeof system);
    const std::string shell32 = std::string(system) + "\\shell32.dll";
    const std::string program = PathBesideTests("Brisevent.exe");
    const std::pair<std::string, int> files[] = {
        { IconFile("one.ico"), 1 },           { IconFile("three-images.ico"), 1 }, { IconFile("four-icons.dll"), 4 },
        { IconFile("four-icons.exe"), 4 },    { IconFile("four-icons.icl"), 4 },   { IconFile("gap-icons.dll"), 5 },
        { IconFile("1500-icons.dll"), 1500 }, { IconFile("languages.dll"), 2 },      { shell32, PlatformCount(shell32) },
        { program, PlatformCount(program) }
    };
    for (const auto& [path, icons] : files) {
        EXPECT_GT(icons, 0) << path;
        EXPECT_EQ(IconCount(Wide(path).c_str()), icons) << path;
        EXPECT_EQ(PlatformCount(path), icons) << path;
    }
}

// Each even place of each sample is set in turn to what a reader trusts at
// its peril: a byte flipped, a word or double word of 0, of all bits set, or
// of the file's size, which points past its end. The check judges each in
// memory; each one that it lets through is written into the file and read
// by the platform as the program reads it. Places deep inside a stretch of
// zeros are padding between sections, which no reader reads: they are left
// alone, for time.
TEST(IconLibraryCheck, PlatformReadsEveryChangedFileTheCheckLetsThroughWithoutFaulting)
{
    TempFolder folder;
    ReadSystemIconSize();
    int tried = 0;
    int accepted = 0;
    for (const char* name : { "one.ico", "four-icons.dll", "four-icons.exe", "four-icons.icl" }) {
        std::ifstream in(IconFile(name), std::ios::binary);
        const std::vector<unsigned char> good((std::istreambuf_iterator<char>(in)), {});
        std::vector<unsigned char> bytes = good;
        const std::string path = folder / name;
        ASSERT_TRUE(CopyFileA(IconFile(name).c_str(), path.c_str(), FALSE));
        // A single byte is flipped by its value; the others are set to it.
        const std::pair<size_t, uint32_t> changes[] = { { 1, 0xFF }, { 2, 0 },          { 2, 0xFFFF },
                                                        { 4, 0 },    { 4, 0xFFFFFFFF }, { 4, good.size() } };
        for (size_t at = 0; at + sizeof(uint32_t) <= good.size(); at += 2) {
            if (std::all_of(good.begin() + (at < PADDING ? 0 : at - PADDING),
                            good.begin() + std::min(at + PADDING, good.size()), [](unsigned char b) { return !b; }))
                continue;
            for (const auto& [length, value] : changes) {
                for (size_t i = 0; i < length; ++i)
                    bytes[at + i] = static_cast<unsigned char>(length == 1 ? good[at] ^ value : value >> (8 * i));
                ++tried;
                const IconFileCheck check = CheckIconFile(bytes.data(), bytes.size());
                if (check.sound) {
                    ++accepted;
                    WriteAt(path, at, &bytes[at], length);
                    ReadAsTheProgramDoes(path, check);
                    WriteAt(path, at, &good[at], length);
                }
                std::copy(good.begin() + at, good.begin() + at + length, bytes.begin() + at);
            }
        }
    }
    printf("%d changed files tried, %d let through and read by the platform\n", tried, accepted);
    EXPECT_GT(accepted, 0);
    EXPECT_LT(accepted, tried);
}
