// The icons of a 32-bit or 64-bit executable or DLL: the reader finds the
// resource directory through the section that holds its address, looks up
// the icon groups' and the icons' directories in it by halves, goes from
// each group or icon through its language directory to a data entry there,
// and reads the data where the sections place its address. It never looks at
// the size of a directory: every one must lie inside the section. Some
// readers take the first language, others look one up by language and may
// take any: every data entry must hold. A reader that looks an entry up by
// name reads the names of the entries on its way: each must lie inside the
// section too.
#include "icons/IconBytes.h"

namespace {

constexpr uint32_t SECTION_COUNT_AT = 6;
constexpr uint32_t OPTIONAL_HEADER_SIZE_AT = 20;
constexpr uint32_t OPTIONAL_HEADER_AT = 24;
constexpr uint16_t PE32_MAGIC = 0x10B;
constexpr uint16_t PE32_PLUS_MAGIC = 0x20B;
constexpr uint32_t SIZE_OF_HEADERS_AT = 60;
constexpr uint32_t PE32_DIRECTORY_COUNT_AT = 92;
constexpr uint32_t PE32_DIRECTORIES_AT = 96;
constexpr uint32_t PE32_PLUS_DIRECTORY_COUNT_AT = 108;
constexpr uint32_t PE32_PLUS_DIRECTORIES_AT = 112;
constexpr uint32_t RESOURCE_DIRECTORY = 2;
constexpr uint32_t DATA_DIRECTORY_SIZE = 8;
constexpr uint32_t SECTION_HEADER_SIZE = 40;
constexpr uint32_t SECTION_ADDRESS_AT = 12;
constexpr uint32_t SECTION_RAW_SIZE_AT = 16;
constexpr uint32_t SECTION_RAW_AT = 20;
constexpr uint32_t DIRECTORY_HEADER_SIZE = 16;
constexpr uint32_t NAMED_COUNT_AT = 12;
constexpr uint32_t ID_COUNT_AT = 14;
constexpr uint32_t DIRECTORY_ENTRY_SIZE = 8;
constexpr uint32_t ENTRY_TARGET_AT = 4;
constexpr uint32_t POINTS_TO_DIRECTORY = 0x80000000;
constexpr uint32_t NAMED_BY_STRING = 0x80000000;
constexpr uint32_t NAME_LENGTH_SIZE = 2;
constexpr uint32_t DATA_ENTRY_SIZE = 16;
constexpr uint32_t DATA_SIZE_AT = 4;
constexpr uint16_t ICON_TYPE = 3;
constexpr uint16_t GROUP_ICON_TYPE = 14;
// The reader counts the groups in 16 bits.
constexpr long MOST_GROUPS = 0xFFFF;

class Sections {
public:
    Sections(const IconBytes& file, uint64_t table, uint16_t count) : m_file(file), m_table(table), m_count(count) {}

    bool Inside() const { return m_file.Holds(m_table, uint64_t{ SECTION_HEADER_SIZE } * m_count); }
    // Where the file holds `address`, found as the reader finds it: in the
    // first section whose raw data cover it, by 32-bit sums; and where that
    // section's raw data end.
    bool Place(uint32_t address, uint64_t& place, uint64_t& end) const
    {
        for (uint64_t at = m_table; at < m_table + uint64_t{ SECTION_HEADER_SIZE } * m_count;
             at += SECTION_HEADER_SIZE) {
            const uint32_t start = m_file.Dword(at + SECTION_ADDRESS_AT);
            const uint32_t rawSize = m_file.Dword(at + SECTION_RAW_SIZE_AT);
            if (start <= address && static_cast<uint32_t>(start + rawSize) > address) {
                place = uint64_t{ m_file.Dword(at + SECTION_RAW_AT) } + (address - start);
                end = uint64_t{ m_file.Dword(at + SECTION_RAW_AT) } + rawSize;
                return true;
            }
        }
        return false;
    }

private:
    const IconBytes& m_file;
    uint64_t m_table;
    uint16_t m_count;
};

// Offsets are from the root directory, which the section holds up to `end`.
class ResourceTree {
public:
    ResourceTree(const IconBytes& file, const Sections& sections, uint64_t root, uint64_t end)
        : m_file(file), m_sections(sections), m_root(root), m_end(end < file.Size() ? end : file.Size())
    {
    }

    IconFileCheck Check() const
    {
        if (Entries(0) < 0)
            return UNSOUND_FILE;
        const long groupsEntry = Find(GROUP_ICON_TYPE);
        if (groupsEntry < 0)
            return FILE_WITHOUT_ICONS;
        const long groups = EveryData(Target(0, groupsEntry), GROUP_HEADER_SIZE, true);
        const long iconsEntry = Find(ICON_TYPE);
        if (groups < 0 || groups > MOST_GROUPS ||
            (iconsEntry >= 0 && EveryData(Target(0, iconsEntry), SMALLEST_IMAGE_SIZE, false) < 0))
            return UNSOUND_FILE;
        return { true, true, static_cast<int>(groups) };
    }

private:
    bool InSection(uint64_t offset, uint64_t length) const
    {
        return m_root <= m_end && offset <= m_end - m_root && length <= m_end - m_root - offset;
    }
    // The number of entries of the directory at `offset`; -1 where they, or
    // the names they point to (a length, then as many UTF-16 characters), do
    // not all lie inside the section.
    long Entries(uint64_t offset) const
    {
        if (!InSection(offset, DIRECTORY_HEADER_SIZE))
            return -1;
        const long count = m_file.Word(m_root + offset + NAMED_COUNT_AT) + m_file.Word(m_root + offset + ID_COUNT_AT);
        if (!InSection(offset + DIRECTORY_HEADER_SIZE, uint64_t{ DIRECTORY_ENTRY_SIZE } * count))
            return -1;
        for (long entry = 0; entry < count; ++entry) {
            const uint32_t name = m_file.Dword(EntryAt(offset, entry));
            const uint64_t at = name & ~NAMED_BY_STRING;
            if ((name & NAMED_BY_STRING) &&
                (!InSection(at, NAME_LENGTH_SIZE) ||
                 !InSection(at + NAME_LENGTH_SIZE, uint64_t{ sizeof(uint16_t) } * m_file.Word(m_root + at))))
                return -1;
        }
        return count;
    }
    uint64_t EntryAt(uint64_t directory, long entry) const
    {
        return m_root + directory + DIRECTORY_HEADER_SIZE + uint64_t{ DIRECTORY_ENTRY_SIZE } * entry;
    }
    uint32_t Target(uint64_t directory, long entry) const
    {
        return m_file.Dword(EntryAt(directory, entry) + ENTRY_TARGET_AT);
    }
    // The root's entry for `type`, looked up by halves among its id entries
    // as the reader does, so that a file whose ids are out of order leads
    // here where it leads the reader; -1 where there is none.
    long Find(uint16_t type) const
    {
        long low = m_file.Word(m_root + NAMED_COUNT_AT);
        long high = low + m_file.Word(m_root + ID_COUNT_AT) - 1;
        while (low <= high) {
            const long middle = (low + high) / 2;
            const uint16_t id = m_file.Word(EntryAt(0, middle));
            if (id == type)
                return middle;
            if (id > type)
                high = middle - 1;
            else
                low = middle + 1;
        }
        return -1;
    }
    // The entries of the type directory that `target` points to, each
    // through its language directory to data entries of at least `smallest`
    // bytes inside the file, a group's data holding every image it names;
    // -1 where one is not.
    long EveryData(uint32_t target, uint32_t smallest, bool groups) const
    {
        const uint64_t directory = target & ~POINTS_TO_DIRECTORY;
        const long count = Entries(directory);
        if (!(target & POINTS_TO_DIRECTORY) || count < 0)
            return -1;
        for (long entry = 0; entry < count; ++entry) {
            if (!EveryLanguage(Target(directory, entry), smallest, groups))
                return -1;
        }
        return count;
    }
    // Every data entry of the language directory at `target`, of which
    // there is at least one.
    bool EveryLanguage(uint32_t target, uint32_t smallest, bool groups) const
    {
        const uint64_t languages = target & ~POINTS_TO_DIRECTORY;
        const long count = Entries(languages);
        if (!(target & POINTS_TO_DIRECTORY) || count <= 0)
            return false;
        for (long entry = 0; entry < count; ++entry) {
            uint64_t place = 0;
            uint32_t size = 0;
            if (!Data(Target(languages, entry), place, size) || size < smallest ||
                (groups &&
                 size < GROUP_HEADER_SIZE + uint64_t{ GROUP_ENTRY_SIZE } * m_file.Word(place + GROUP_COUNT_AT)))
                return false;
        }
        return true;
    }
    // The data that the data entry at `leaf` places inside the file.
    bool Data(uint32_t leaf, uint64_t& place, uint32_t& size) const
    {
        uint64_t sectionEnd = 0;
        if ((leaf & POINTS_TO_DIRECTORY) || !InSection(leaf, DATA_ENTRY_SIZE) ||
            !m_sections.Place(m_file.Dword(m_root + leaf), place, sectionEnd))
            return false;
        size = m_file.Dword(m_root + leaf + DATA_SIZE_AT);
        return m_file.Holds(place, size);
    }

    const IconBytes& m_file;
    const Sections& m_sections;
    uint64_t m_root;
    uint64_t m_end;
};

} // namespace

IconFileCheck CheckPortableExecutable(const IconBytes& file, uint32_t header)
{
    const uint64_t optional = uint64_t{ header } + OPTIONAL_HEADER_AT;
    const uint16_t magic = file.Word(optional);
    if (!file.Holds(optional, sizeof magic))
        return UNSOUND_FILE;
    if (magic != PE32_MAGIC && magic != PE32_PLUS_MAGIC)
        return FILE_WITHOUT_ICONS;
    const bool plus = magic == PE32_PLUS_MAGIC;
    const uint64_t resource =
        optional + (plus ? PE32_PLUS_DIRECTORIES_AT : PE32_DIRECTORIES_AT) + DATA_DIRECTORY_SIZE * RESOURCE_DIRECTORY;
    if (!file.Holds(optional, resource + DATA_DIRECTORY_SIZE - optional))
        return UNSOUND_FILE;
    const uint32_t address = file.Dword(resource);
    if (file.Dword(optional + (plus ? PE32_PLUS_DIRECTORY_COUNT_AT : PE32_DIRECTORY_COUNT_AT)) <= RESOURCE_DIRECTORY ||
        address == 0)
        return FILE_WITHOUT_ICONS;
    const Sections sections(file, optional + file.Word(uint64_t{ header } + OPTIONAL_HEADER_SIZE_AT),
                            file.Word(uint64_t{ header } + SECTION_COUNT_AT));
    if (!sections.Inside())
        return UNSOUND_FILE;
    // A directory among the headers is read where its address says.
    uint64_t root = address;
    uint64_t end = file.Size();
    if (address >= file.Dword(optional + SIZE_OF_HEADERS_AT) && !sections.Place(address, root, end))
        return FILE_WITHOUT_ICONS;
    return ResourceTree(file, sections, root, end).Check();
}
