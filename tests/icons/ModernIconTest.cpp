// Icons as today's tools make them: 32-bit images with soft alpha edges, the
// largest one a PNG. The grid must draw the system-size image as the
// platform draws that icon, and the previews show it at both sizes.
#include "GridFixture.h"
#include "harness/Windows.h"
#include <shellapi.h>

namespace {

class ModernIcon : public GridFixture {};

// Blending a soft edge rounds each channel: the image list keeps its colours
// premultiplied by their alpha, the platform blends them straight.
bool SameBlend(COLORREF drawn, COLORREF wanted)
{
    const auto within = [](int a, int b) { return a - b <= 1 && b - a <= 1; };
    return within(GetRValue(drawn), GetRValue(wanted)) && within(GetGValue(drawn), GetGValue(wanted)) &&
           within(GetBValue(drawn), GetBValue(wanted));
}

} // namespace

TEST_F(ModernIcon, GridDrawsTheSystemSizeImageWithItsAlphaAndThePreviewsShowIt)
{
    const std::string file = IconFile("modern.ico");
    HICON platforms = nullptr;
    ASSERT_EQ(ExtractIconExA(file.c_str(), 0, &platforms, nullptr, 1), 1u);
    ASSERT_TRUE(Grid().LoadIconFile(Wide(file).c_str(), 0));

    for (const UINT state : { 0u, static_cast<UINT>(ODS_SELECTED) }) {
        SCOPED_TRACE(state ? "selected" : "not selected");
        const COLORREF fill = GetSysColor(state ? COLOR_HIGHLIGHT : COLOR_WINDOW);
        Canvas canvas(200, 200, RGB(1, 2, 3));
        DRAWITEMSTRUCT item = {};
        item.CtlType = ODT_LISTBOX;
        item.CtlID = IDC_ICON_GRID;
        item.itemAction = ODA_DRAWENTIRE;
        item.itemState = state;
        item.hwndItem = Grid().m_hWnd;
        item.hDC = canvas.Dc();
        Grid().SendMessage(LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item.rcItem));
        Grid().DrawItem(&item);

        Canvas expected(SystemIconSize.cx, SystemIconSize.cy, fill);
        DrawIconEx(expected.Dc(), 0, 0, platforms, SystemIconSize.cx, SystemIconSize.cy, 0, nullptr, DI_NORMAL);
        int differing = 0;
        for (int y = 0; y < SystemIconSize.cy; ++y) {
            for (int x = 0; x < SystemIconSize.cx; ++x) {
                differing += !SameBlend(canvas.Pixel(item.rcItem.left + ICON_CELL_OFFSET + x,
                                                     item.rcItem.top + ICON_CELL_OFFSET + y),
                                        expected.Pixel(x, y));
            }
        }
        EXPECT_EQ(differing, 0);
    }
    DestroyIcon(platforms);

    Repaint();
    EXPECT_TRUE(SameIcons(Preview(IDC_PREVIEW_LARGE), file.c_str(), 0));
    EXPECT_EQ(IconSize(Preview(IDC_PREVIEW_LARGE)).cx, GetSystemMetrics(SM_CXICON));
    EXPECT_EQ(IconSize(Preview(IDC_PREVIEW_SMALL)).cx, GetSystemMetrics(SM_CXSMICON));
}
