#include "DialogTemplate.h"

#include <cstring>

namespace {

// Reads little-endian fields one after the other, refusing any read that
// would go past the end.
class Reader {
public:
    Reader(const BYTE* data, size_t size) : data_(data), size_(size) {}

    size_t Position() const { return position_; }

    bool Word(WORD& value) { return Bytes(&value, sizeof value); }
    bool Dword(DWORD& value) { return Bytes(&value, sizeof value); }
    bool Short(short& value) { return Bytes(&value, sizeof value); }
    bool Byte(BYTE& value) { return Bytes(&value, sizeof value); }

    bool Skip(size_t count) {
        if (count > size_ - position_) return false;
        position_ += count;
        return true;
    }

    // Items start on a DWORD boundary from the start of the template.
    bool AlignToDword() {
        size_t padding = (4 - position_ % 4) % 4;
        return Skip(padding);
    }

    // A zero-terminated UTF-16 string.
    bool String(std::wstring& text) {
        text.clear();
        for (;;) {
            WORD unit;
            if (!Word(unit)) return false;
            if (unit == 0) return true;
            text.push_back(static_cast<wchar_t>(unit));
        }
    }

    // A name that is absent (0x0000), an ordinal (0xFFFF, number) or a string.
    bool Name(TemplateName& name) {
        WORD first;
        if (!Word(first)) return false;
        name = TemplateName();
        if (first == 0x0000) return true;
        if (first == 0xFFFF) {
            name.kind = TemplateName::Ordinal;
            return Word(name.ordinal);
        }
        name.kind = TemplateName::String;
        name.text.push_back(static_cast<wchar_t>(first));
        std::wstring rest;
        if (!String(rest)) return false;
        name.text += rest;
        return true;
    }

private:
    bool Bytes(void* out, size_t count) {
        if (count > size_ - position_) return false;
        std::memcpy(out, data_ + position_, count);
        position_ += count;
        return true;
    }

    const BYTE* data_;
    size_t size_;
    size_t position_ = 0;
};

bool ReadItem(Reader& in, bool extended, DialogItem& item) {
    if (!in.AlignToDword()) return false;
    if (extended) {
        if (!in.Dword(item.helpId) || !in.Dword(item.exStyle) || !in.Dword(item.style)) return false;
    } else {
        if (!in.Dword(item.style) || !in.Dword(item.exStyle)) return false;
    }
    if (!in.Short(item.x) || !in.Short(item.y) || !in.Short(item.cx) || !in.Short(item.cy)) {
        return false;
    }
    if (extended) {
        if (!in.Dword(item.id)) return false;
    } else {
        WORD id;
        if (!in.Word(id)) return false;
        item.id = id;
    }
    if (!in.Name(item.windowClass) || !in.Name(item.text)) return false;
    if (!in.Word(item.creationDataSize)) return false;
    return in.Skip(item.creationDataSize);
}

}  // namespace

bool ParseDialogTemplate(const void* data, size_t size, DialogTemplate& result) {
    result = DialogTemplate();
    if (data == nullptr) return false;
    Reader in(static_cast<const BYTE*>(data), size);

    WORD version, signature;
    if (!in.Word(version) || !in.Word(signature)) return false;
    WORD count;
    if (version == 1 && signature == 0xFFFF) {
        result.extended = true;
        if (!in.Dword(result.helpId) || !in.Dword(result.exStyle) || !in.Dword(result.style)) {
            return false;
        }
    } else {
        // A classic template starts with its style, read above as two words.
        result.style = MAKELONG(version, signature);
        if (!in.Dword(result.exStyle)) return false;
    }
    if (!in.Word(count)) return false;
    if (!in.Short(result.x) || !in.Short(result.y) || !in.Short(result.cx) || !in.Short(result.cy)) {
        return false;
    }
    if (!in.Name(result.menu) || !in.Name(result.windowClass) || !in.String(result.title)) {
        return false;
    }
    if (result.style & DS_SETFONT) {
        result.hasFont = true;
        if (!in.Word(result.pointSize)) return false;
        if (result.extended) {
            if (!in.Word(result.weight) || !in.Byte(result.italic) || !in.Byte(result.charset)) {
                return false;
            }
        }
        if (!in.String(result.faceName)) return false;
    }
    for (WORD i = 0; i < count; ++i) {
        DialogItem item;
        if (!ReadItem(in, result.extended, item)) return false;
        result.items.push_back(item);
    }
    result.bytesUsed = in.Position();
    return true;
}
