// The icons of a 16-bit library (an .icl file, or an old .dll or .exe): the
// reader walks its resource table from type record to type record, by the
// counts they give, up to the first records of icon groups and of icons, and
// reads each resource where its entry, in units of the table's alignment,
// places it.
#include "icons/IconBytes.h"

namespace {

constexpr uint32_t NE_HEADER_READ = 0x28;
constexpr uint32_t RESOURCE_TABLE_AT = 0x24;
constexpr uint32_t RESIDENT_NAMES_AT = 0x26;
constexpr uint32_t TYPE_RECORD_SIZE = 8;
constexpr uint32_t TYPE_COUNT_AT = 2;
constexpr uint32_t RESOURCE_ENTRY_SIZE = 12;
constexpr uint32_t RESOURCE_LENGTH_AT = 2;
constexpr uint16_t GROUP_ICON_TYPE = 0x800E;
constexpr uint16_t ICON_TYPE = 0x8003;
// No library aligns its resources to more than 32 KB; a larger shift would
// carry an entry's place past what 32 bits hold.
constexpr uint16_t LARGEST_ALIGNMENT_SHIFT = 15;

struct TypeRecord {
    uint64_t entries = 0;
    uint16_t count = 0;
    bool found = false;
};

class ResourceTable {
public:
    ResourceTable(const IconBytes& file, uint64_t start, uint64_t end)
        : m_file(file), m_end(end), m_shift(file.Word(start))
    {
    }

    // Every record up to the terminator inside the table, and every
    // resource inside the file; the records of icon groups and of icons
    // that the reader takes, where it finds them.
    bool Walk(uint64_t at, TypeRecord& groups, TypeRecord& icons) const
    {
        if (m_shift > LARGEST_ALIGNMENT_SHIFT)
            return false;
        for (;;) {
            if (at + sizeof(uint16_t) > m_end)
                return false;
            const uint16_t type = m_file.Word(at);
            if (type == 0)
                return true;
            const TypeRecord record = { at + TYPE_RECORD_SIZE, m_file.Word(at + TYPE_COUNT_AT), true };
            at = record.entries + uint64_t{ RESOURCE_ENTRY_SIZE } * record.count;
            if (at > m_end)
                return false;
            for (uint16_t i = 0; i < record.count; ++i) {
                if (!m_file.Holds(Place(record, i), Length(record, i)))
                    return false;
            }
            // The reader stops at the record that completes the pair.
            if (!(groups.found && icons.found)) {
                if (type == GROUP_ICON_TYPE)
                    groups = record;
                if (type == ICON_TYPE)
                    icons = record;
            }
        }
    }
    uint64_t Place(const TypeRecord& record, uint16_t i) const
    {
        return uint64_t{ m_file.Word(record.entries + uint64_t{ RESOURCE_ENTRY_SIZE } * i) } << m_shift;
    }
    uint64_t Length(const TypeRecord& record, uint16_t i) const
    {
        return uint64_t{ m_file.Word(record.entries + uint64_t{ RESOURCE_ENTRY_SIZE } * i + RESOURCE_LENGTH_AT) }
               << m_shift;
    }

private:
    const IconBytes& m_file;
    uint64_t m_end;
    uint16_t m_shift;
};

} // namespace

IconFileCheck CheckNewExecutable(const IconBytes& file, uint32_t header)
{
    if (!file.Holds(header, NE_HEADER_READ))
        return UNSOUND_FILE;
    // The resource table ends where the resident names begin; the reader
    // takes one too short for a type record for none.
    const int span = static_cast<int>(file.Word(header + RESIDENT_NAMES_AT)) - file.Word(header + RESOURCE_TABLE_AT);
    if (span >= 0 && span <= static_cast<int>(TYPE_RECORD_SIZE))
        return FILE_WITHOUT_ICONS;
    const uint64_t start = uint64_t{ header } + file.Word(header + RESOURCE_TABLE_AT);
    if (span < 0 || !file.Holds(start, static_cast<uint64_t>(span)))
        return UNSOUND_FILE;
    const ResourceTable table(file, start, start + static_cast<uint64_t>(span));
    TypeRecord groups;
    TypeRecord icons;
    if (!table.Walk(start + sizeof(uint16_t), groups, icons))
        return UNSOUND_FILE;
    if (!groups.found || !icons.found)
        return FILE_WITHOUT_ICONS;
    for (uint16_t i = 0; i < groups.count; ++i) {
        const uint64_t length = table.Length(groups, i);
        const uint32_t images = file.Word(table.Place(groups, i) + GROUP_COUNT_AT);
        if (length < GROUP_HEADER_SIZE || length < GROUP_HEADER_SIZE + uint64_t{ GROUP_ENTRY_SIZE } * images)
            return UNSOUND_FILE;
    }
    for (uint16_t i = 0; i < icons.count; ++i) {
        if (table.Length(icons, i) < SMALLEST_IMAGE_SIZE)
            return UNSOUND_FILE;
    }
    return { true, true, groups.count };
}
