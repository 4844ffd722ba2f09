#include "IconFiles.h"
#include "harness/Windows.h"
#include <shellapi.h>

std::string IconFile(const char* name)
{
    return PathBesideTests((std::string("icon-files\\") + name).c_str());
}

COLORREF IconColour(int index)
{
    return RGB(0x10 + index % 200, 0x10 + (index / 200) * 16, 0xC0);
}

SIZE IconSize(HICON icon)
{
    SIZE size = { 0, 0 };
    ICONINFO info;
    if (!icon || !GetIconInfo(icon, &info))
        return size;
    BITMAP bitmap;
    if (GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap)) {
        size.cx = bitmap.bmWidth;
        size.cy = info.hbmColor ? bitmap.bmHeight : bitmap.bmHeight / 2;
    }
    if (info.hbmColor)
        DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return size;
}

COLORREF IconCentreColour(HICON icon)
{
    const SIZE size = IconSize(icon);
    Canvas canvas(size.cx, size.cy, RGB(0, 0, 0));
    DrawIconEx(canvas.Dc(), 0, 0, icon, size.cx, size.cy, 0, nullptr, DI_NORMAL);
    return canvas.Pixel(size.cx / 2, size.cy / 2);
}

COLORREF ExtractedIconColour(const std::string& path, int index)
{
    HICON icon = nullptr;
    if (static_cast<int>(ExtractIconExA(path.c_str(), index, &icon, nullptr, 1)) <= 0 || !icon)
        return CLR_INVALID;
    const COLORREF colour = IconCentreColour(icon);
    DestroyIcon(icon);
    return colour;
}

COLORREF ImageCentreColour(HIMAGELIST list, int index)
{
    int width = 0;
    int height = 0;
    ImageList_GetIconSize(list, &width, &height);
    Canvas canvas(width, height, RGB(0, 0, 0));
    ImageList_Draw(list, index, canvas.Dc(), 0, 0, ILD_NORMAL);
    return canvas.Pixel(width / 2, height / 2);
}

std::vector<LPARAM> ItemData(const IconListBox& grid)
{
    std::vector<LPARAM> data;
    const LRESULT count = grid.SendMessage(LB_GETCOUNT);
    for (LRESULT i = 0; i < count; ++i)
        data.push_back(grid.SendMessage(LB_GETITEMDATA, static_cast<WPARAM>(i)));
    return data;
}

int Selection(const IconListBox& grid)
{
    return static_cast<int>(grid.SendMessage(LB_GETCURSEL));
}

namespace {

DWORD AsPixel(COLORREF colour)
{
    return (static_cast<DWORD>(GetRValue(colour)) << 16) | (static_cast<DWORD>(GetGValue(colour)) << 8) |
           GetBValue(colour);
}

} // namespace

Canvas::Canvas(int width, int height, COLORREF fill)
    : m_dc(CreateCompatibleDC(nullptr)), m_width(width), m_height(height), m_fill(AsPixel(fill))
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    m_bitmap = CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    m_pixels = static_cast<DWORD*>(bits);
    m_previous = SelectObject(m_dc, m_bitmap);
    for (int i = 0; m_pixels && i < width * height; ++i)
        m_pixels[i] = m_fill;
}

Canvas::~Canvas()
{
    SelectObject(m_dc, m_previous);
    DeleteObject(m_bitmap);
    DeleteDC(m_dc);
}

COLORREF Canvas::Pixel(int x, int y) const
{
    GdiFlush();
    if (!m_pixels || x < 0 || y < 0 || x >= m_width || y >= m_height)
        return CLR_INVALID;
    const DWORD pixel = m_pixels[y * m_width + x];
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

bool Canvas::Untouched() const
{
    GdiFlush();
    for (int i = 0; m_pixels && i < m_width * m_height; ++i) {
        if ((m_pixels[i] & 0xFFFFFF) != m_fill)
            return false;
    }
    return true;
}

namespace {

// How many more objects of a kind the process can make: all are made until
// the platform refuses one, then all are released again.
template <class Make, class Release>
long FreeSlots(Make make, Release release)
{
    std::vector<decltype(make())> made;
    for (;;) {
        const auto object = make();
        if (!object)
            break;
        made.push_back(object);
    }
    for (const auto object : made)
        release(object);
    return static_cast<long>(made.size());
}

} // namespace

long CountGdiObjects()
{
    const DWORD counted = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    if (counted != 0)
        return static_cast<long>(counted);
    return -FreeSlots([] { return CreatePen(PS_SOLID, 0, 0); }, [](HPEN pen) { DeleteObject(pen); });
}

long CountUserObjects()
{
    const DWORD counted = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    if (counted != 0)
        return static_cast<long>(counted);
    return -FreeSlots([] { return CreateMenu(); }, [](HMENU menu) { DestroyMenu(menu); });
}
