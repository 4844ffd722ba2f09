// The program's resources as the running module holds them: the four dialog
// templates, the string table, the help text, the icons, the cursor, the
// About picture and the version information. Expected texts are written as
// Windows-1252 bytes, the resources' own code page; the UTF-16 texts read are
// compared in it.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <cwchar>
#include <string>
#include <utility>
#include <vector>

#include "DialogTemplate.h"
#include "resource.h"

namespace {

const WORD kFrench = MAKELANGID(LANG_FRENCH, SUBLANG_FRENCH);

HMODULE Module() { return GetModuleHandleA(nullptr); }

// A copy of one resource's bytes; empty when the resource is missing.
std::vector<BYTE> ResourceBytes(LPCWSTR type, LPCWSTR name) {
    HRSRC found = FindResourceW(Module(), name, type);
    if (found == nullptr) return {};
    HGLOBAL loaded = LoadResource(Module(), found);
    DWORD size = SizeofResource(Module(), found);
    const BYTE* bytes = loaded ? static_cast<const BYTE*>(LockResource(loaded)) : nullptr;
    if (bytes == nullptr) return {};
    return std::vector<BYTE>(bytes, bytes + size);
}

WORD ReadWord(const std::vector<BYTE>& bytes, size_t offset) {
    WORD value = 0;
    if (offset + sizeof value <= bytes.size()) std::memcpy(&value, &bytes[offset], sizeof value);
    return value;
}

DWORD ReadDword(const std::vector<BYTE>& bytes, size_t offset) {
    DWORD value = 0;
    if (offset + sizeof value <= bytes.size()) std::memcpy(&value, &bytes[offset], sizeof value);
    return value;
}

// UTF-16 text of a template as the Windows-1252 bytes that the program shows.
std::string ToWindows1252(const std::wstring& text) {
    if (text.empty()) return std::string();
    BOOL lossy = FALSE;
    int length = WideCharToMultiByte(1252, WC_NO_BEST_FIT_CHARS, text.data(),
                                     static_cast<int>(text.size()), nullptr, 0, nullptr, &lossy);
    std::string bytes(length > 0 ? length : 0, '\0');
    if (length > 0) {
        WideCharToMultiByte(1252, WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(text.size()),
                            &bytes[0], length, nullptr, &lossy);
    }
    return lossy ? std::string("<text outside Windows-1252>") : bytes;
}

// ---------------------------------------------------------------------------
// Dialog templates

// Atoms of the predefined control classes.
const WORD kButton = 0x0080;
const WORD kEdit = 0x0081;
const WORD kStatic = 0x0082;
const WORD kListBox = 0x0083;
const WORD kComboBox = 0x0085;

// A control's text: a string, or the ordinal of an icon or bitmap resource.
struct Caption {
    const char* text;
    WORD ordinal;
};
Caption Text(const char* text) { return Caption{text, 0}; }
Caption Image(WORD id) { return Caption{nullptr, id}; }

struct ExpectedControl {
    int id;
    WORD classAtom;
    Caption caption;
    DWORD style;
    DWORD exStyle;
    short x, y, cx, cy;
};

struct ExpectedDialog {
    int id;
    bool extended;
    DWORD style;
    DWORD exStyle;
    short cx, cy;
    const char* title;
    std::vector<ExpectedControl> controls;
};

const ExpectedDialog kAboutBox = {
    IDD_ABOUT, false, 0x00C80040, 0, 238, 201, "A propos de Brisevent", {
        {1, kButton, Text("OK"), 0x50030001, 0, 180, 184, 50, 14},
        {1007, kButton, Text("&Infos sur ce logiciel"), 0x50010000, 0, 154, 44, 72, 14},
        {1005, kButton, Text("e-mail"), 0x5000000B, 0, 6, 94, 40, 10},
        {1006, kButton, Text("http"), 0x5000000B, 0, 174, 94, 63, 10},
        {-1, kStatic, Image(133), 0x50000803, 0, 3, 9, 23, 23},
        {-1, kStatic, Text("Auteur : KORBINEX"), 0x50020000, 0, 70, 74, 80, 8},
        {1018, kStatic, Text("Brisevent"), 0x50020000, 0, 54, 7, 125, 8},
        {-1, kStatic, Text("Permet de personnaliser les ic\xf4nes des dossiers facilement."),
         0x50020000, 0, 32, 25, 158, 17},
        {-1, kStatic, Text(""), 0x50000010, 0, -2, 65, 240, 1},
        {-1, kStatic, Text(""), 0x50020000, 0, 12, 146, 228, 19},
        {-1, kStatic, Text(""), 0x50000010, 0, 0, 137, 239, 1},
        {-1, kStatic, Text(""), 0x50000010, 0, -2, 178, 241, 1},
        {-1, kStatic, Image(141), 0x50000803, 0, 46, 69, 18, 17},
        {-1, kStatic, Image(142), 0x50000803, 0, 151, 68, 18, 17},
        {1021, kButton, Text("&Inclure dans le menu contextuel des dossiers"), 0x50010003, 0,
         1, 186, 162, 10},
        {-1, kStatic, Text("(03/2013)"), 0x50020000, 0, 54, 15, 47, 8},
        {1010, kStatic, Image(1010), 0x5002020E, 0, 95, 82, 60, 60},
    }};

const ExpectedDialog kMainDialog = {
    IDD_MAIN, true, 0x90C80040, 0x00040010, 319, 247, "Changer l'ic\xf4ne du dossier", {
        {1, kButton, Text("OK"), 0x50010001, 0, 151, 228, 50, 14},
        {2, kButton, Text("Annuler"), 0x50010000, 0, 205, 228, 50, 14},
        {1007, kButton, Text("&Appliquer"), 0x58010000, 0, 259, 228, 50, 14},
        {1010, kButton, Text("Autre &dossier..."), 0x50010000, 0, 252, 8, 57, 14},
        {1002, kEdit, Text(""), 0x40000880, 0, 5, 31, 197, 12},
        {1005, kButton, Text("&Parcourir..."), 0x58010000, 0, 5, 42, 50, 14},
        {1009, kButton, Text("--> d\xe9&faut"), 0x58010000, 0, 59, 42, 50, 14},
        {1040, kButton, Text("Co&uleur..."), 0x58010000, 0, 113, 42, 43, 14},
        {1041, kButton, Text("&Embl\xe8me..."), 0x58010000, 0, 159, 42, 43, 14},
        {12297, kListBox, Text(""), 0x50911311, 0, 5, 77, 304, 90},
        {1008, kButton, Text("A p&ropos..."), 0x50010000, 0, 5, 228, 50, 14},
        {1060, kButton, Text("Cou&vertures..."), 0x58010000, 0, 101, 228, 46, 14},
        {1000, kStatic, Text(""), 0x50000003, 0, 5, 5, 20, 20},
        {1017, kStatic, Text(""), 0x50000803, 0, 269, 36, 20, 20},
        {1018, kStatic, Text(""), 0x50000803, 0, 292, 36, 20, 20},
        {1006, kEdit, Text(""), 0x50810080, 0x00000010, 5, 212, 304, 12},
        {-1, kStatic, Text("Aper\xe7u de l'ic\xf4ne s\xe9lectionn\xe9" "e :"), 0x50020001, 0,
         206, 39, 61, 16},
        {1039, kStatic,
         Text("Infotip : tapez ici un texte qui s'affichera quand le curseur passera sur le "
              "dossier."),
         0x50020000, 0, 5, 203, 251, 8},
        {1003, kComboBox, Text(""), 0x50210042, 0, 5, 60, 304, 181},
        {1004, kStatic, Text(""), 0x50020000, 0, 41, 11, 206, 8},
        {1028, kButton, Text("Re&construire"), 0x50010000, 0, 224, 178, 50, 14},
        {-1, kStatic, Text("Si les ic\xf4nes semblent corrompues, cliquer sur ce bouton :"),
         0x50020000, 0, 38, 181, 183, 8},
        {-1, kStatic, Text(""), 0x50000010, 0, 5, 172, 304, 1},
        {-1, kStatic, Text(""), 0x50000010, 0, 5, 27, 304, 1},
        {-1, kStatic, Text(""), 0x50000010, 0, 5, 196, 304, 1},
        {1050, kButton, Text("D\xe9" "fa&ire"), 0x58010000, 0, 59, 228, 38, 14},
    }};

const ExpectedDialog kHelpViewer = {
    IDD_HELP_TEXT, false, 0x80C800C0, 0, 290, 201, "Informations sur Ostravel", {
        {1, kButton, Text("OK"), 0x50010001, 0, 235, 182, 50, 14},
        {1007, kEdit, Text(""), 0x50A10844, 0, 5, 5, 280, 174},
    }};

const ExpectedDialog kIconFilePane = {
    IDD_ICON_FILE_PANE, false, 0x54000440, 0, 236, 107, "", {
        {-1, kStatic,
         Text("Aper\xe7u des ic\xf4nes contenues dans le fichier s\xe9lectionn\xe9 :"),
         0x50020000, 0, 7, 1, 182, 8},
        {12297, kListBox, Text(""), 0x50911311, 0, 6, 11, 224, 90},
    }};

std::string Describe(const TemplateName& name) {
    switch (name.kind) {
    case TemplateName::None: return "(nothing)";
    case TemplateName::Ordinal: return "#" + std::to_string(name.ordinal);
    default: return "\"" + ToWindows1252(name.text) + "\"";
    }
}

void ExpectTemplateMatches(const ExpectedDialog& expected) {
    std::vector<BYTE> bytes = ResourceBytes(RT_DIALOG, MAKEINTRESOURCEW(expected.id));
    ASSERT_FALSE(bytes.empty()) << "no dialog template " << expected.id;
    DialogTemplate dialog;
    ASSERT_TRUE(ParseDialogTemplate(bytes.data(), bytes.size(), dialog))
        << "template " << expected.id << " is not a whole dialog template";

    EXPECT_EQ(expected.extended, dialog.extended);
    EXPECT_EQ(expected.style, dialog.style);
    EXPECT_EQ(expected.exStyle, dialog.exStyle);
    EXPECT_EQ(0u, dialog.helpId);
    EXPECT_EQ(expected.cx, dialog.cx);
    EXPECT_EQ(expected.cy, dialog.cy);
    EXPECT_EQ(TemplateName::None, dialog.menu.kind) << "menu " << Describe(dialog.menu);
    EXPECT_EQ(TemplateName::None, dialog.windowClass.kind) << "class " << Describe(dialog.windowClass);
    EXPECT_EQ(expected.title, ToWindows1252(dialog.title));
    ASSERT_TRUE(dialog.hasFont);
    EXPECT_EQ(8, dialog.pointSize);
    EXPECT_EQ("COMIC SANS MS", ToWindows1252(dialog.faceName));
    if (expected.extended) {
        EXPECT_EQ(0, dialog.weight);
        EXPECT_EQ(0, dialog.italic);
        EXPECT_EQ(0, dialog.charset);
    }

    ASSERT_EQ(expected.controls.size(), dialog.items.size());
    for (size_t i = 0; i < expected.controls.size(); ++i) {
        const ExpectedControl& want = expected.controls[i];
        const DialogItem& item = dialog.items[i];
        SCOPED_TRACE("control " + std::to_string(i + 1) + " (id " + std::to_string(want.id) + ")");
        // -1 is stored as 0xFFFF in a classic template's WORD and as
        // 0xFFFFFFFF in an extended template's DWORD.
        DWORD wantId = expected.extended ? static_cast<DWORD>(want.id)
                                         : static_cast<WORD>(want.id);
        EXPECT_EQ(wantId, item.id);
        EXPECT_EQ(TemplateName::Ordinal, item.windowClass.kind) << Describe(item.windowClass);
        EXPECT_EQ(want.classAtom, item.windowClass.ordinal);
        if (want.caption.text == nullptr) {
            EXPECT_EQ(TemplateName::Ordinal, item.text.kind) << Describe(item.text);
            EXPECT_EQ(want.caption.ordinal, item.text.ordinal);
        } else {
            EXPECT_NE(TemplateName::Ordinal, item.text.kind) << Describe(item.text);
            EXPECT_EQ(want.caption.text, ToWindows1252(item.text.text));
        }
        EXPECT_EQ(want.style, item.style);
        EXPECT_EQ(want.exStyle, item.exStyle);
        EXPECT_EQ(want.x, item.x);
        EXPECT_EQ(want.y, item.y);
        EXPECT_EQ(want.cx, item.cx);
        EXPECT_EQ(want.cy, item.cy);
        EXPECT_EQ(0u, item.helpId);
        EXPECT_EQ(0, item.creationDataSize);
    }
}

TEST(DialogTemplates, AboutBoxIsTheClassicTemplateOfItsTable) {
    ExpectTemplateMatches(kAboutBox);
}

TEST(DialogTemplates, MainDialogIsTheExtendedTemplateOfItsTable) {
    ExpectTemplateMatches(kMainDialog);
}

TEST(DialogTemplates, HelpViewerIsTheClassicTemplateOfItsTable) {
    ExpectTemplateMatches(kHelpViewer);
}

TEST(DialogTemplates, IconFilePaneIsTheClassicTemplateOfItsTable) {
    ExpectTemplateMatches(kIconFilePane);
}

// The reader used above must itself refuse a template that is cut short
// anywhere, without reading past the bytes it is given.
TEST(DialogTemplates, ReaderRefusesEveryTruncatedTemplate) {
    for (int id : {IDD_ABOUT, IDD_MAIN, IDD_HELP_TEXT, IDD_ICON_FILE_PANE}) {
        SCOPED_TRACE("template " + std::to_string(id));
        std::vector<BYTE> bytes = ResourceBytes(RT_DIALOG, MAKEINTRESOURCEW(id));
        DialogTemplate whole;
        ASSERT_TRUE(ParseDialogTemplate(bytes.data(), bytes.size(), whole));
        ASSERT_LE(whole.bytesUsed, bytes.size());
        for (size_t length = 0; length < whole.bytesUsed; ++length) {
            std::vector<BYTE> cut(bytes.begin(), bytes.begin() + length);
            DialogTemplate part;
            EXPECT_FALSE(ParseDialogTemplate(cut.data(), cut.size(), part)) << "length " << length;
        }
    }
}

INT_PTR CALLBACK PassiveDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// The resource references of the About box's pictures lead to resources of
// the right kind: the dialog manager loads them into the static controls.
TEST(DialogTemplates, AboutBoxShowsItsIconsAndPicture) {
    HWND box = CreateDialogParamA(Module(), MAKEINTRESOURCEA(IDD_ABOUT), nullptr, PassiveDialogProc, 0);
    ASSERT_NE(nullptr, box);
    struct Destroyer {
        HWND window;
        ~Destroyer() { DestroyWindow(window); }
    } destroyer{box};
    std::vector<HWND> children;
    for (HWND child = GetWindow(box, GW_CHILD); child != nullptr && children.size() < 64;
         child = GetWindow(child, GW_HWNDNEXT)) {
        children.push_back(child);
    }
    ASSERT_EQ(17u, children.size());
    EXPECT_NE(nullptr, reinterpret_cast<HICON>(SendMessageA(children[4], STM_GETICON, 0, 0)));
    EXPECT_NE(nullptr, reinterpret_cast<HICON>(SendMessageA(children[12], STM_GETICON, 0, 0)));
    EXPECT_NE(nullptr, reinterpret_cast<HICON>(SendMessageA(children[13], STM_GETICON, 0, 0)));
    EXPECT_NE(nullptr, reinterpret_cast<HBITMAP>(
                           SendMessageA(children[16], STM_GETIMAGE, IMAGE_BITMAP, 0)));
}

// ---------------------------------------------------------------------------
// String table

struct ExpectedString {
    UINT id;
    const char* text;
};

const ExpectedString kStrings[] = {
    {IDS_ABOUT_MENU, "&A propos de Ostravel..."},
    {IDS_OPTIONS_MENU, "&Options..."},
    {IDS_DESKTOP_INI, "desktop.ini"},
    {IDS_SHELL_CLASS_INFO, ".ShellClassInfo"},
    {IDS_ICON_INDEX_KEY, "IconIndex"},
    {IDS_ICON_FILE_KEY, "IconFile"},
    {IDS_INFOTIP_KEY, "InfoTip"},
    {IDS_BROWSE_TITLE, "\nChoisissez un dossier \xe0 personnaliser"},
    {IDS_ICON_FILE_TITLE, "Choisissez un fichier pour l'ic\xf4ne"},
    {IDS_NO_ICON_FOUND, "Aucune ic\xf4ne n'a \xe9t\xe9 trouv\xe9" "e."},
    {IDS_MESSAGE_CAPTION, "Ostravel"},
    {IDS_CANCEL, "Annuler"},
    {IDS_NOT_CUSTOMISABLE, "Ce n'est pas un dossier pouvant \xeatre personnalis\xe9"},
    {IDS_ERROR_CAPTION, "Erreur"},
    {IDS_CLOSE, "Fermer"},
    {IDS_OPTION_KEY, "Software\\VELDRAKO"},
    {IDS_CONTEXT_MENU_VALUE, "MenuContextuel"},
    {IDS_FOLDER_VERB_KEY, "Directory\\shell\\Brisevent"},
    {IDS_COMMAND_KEY, "command"},
    {IDS_VERB_TEXT, "Changer l'&ic\xf4ne"},
    {IDS_VERB_COMMAND, "\"%s\" %%1"},
    {IDS_PROGRAM_KEY, "Brisevent"},
    {IDS_RECENT_KEY, "Software\\KORBINEX\\Brisevent"},
    {IDS_RECENT_ORDER, "OrdreListe"},
    {IDS_WINDOW_METRICS_KEY, "Control Panel\\Desktop\\WindowMetrics"},
    {IDS_SHELL_ICON_SIZE, "Shell Icon Size"},
    {IDS_DRIVE_ICONS_KEY, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\DriveIcons"},
    {IDS_DRIVE_VERB_KEY, "Drive\\shell\\Brisevent"},
    {IDS_DEFAULT_ICON_KEY, "DefaultIcon"},
    {IDS_CONFIRM_FILE_OP, "ConfirmFileOp"},
    {IDS_FOLDER_COUNT, "%d dossiers"},
};

// The way the program loads its strings, LoadStringW into 256 characters, as
// Windows-1252 bytes.
std::string LoadProgramString(UINT id) {
    wchar_t buffer[STRING_BUFFER_SIZE];
    int length = LoadStringW(Module(), id, buffer, STRING_BUFFER_SIZE);
    return ToWindows1252(std::wstring(buffer, length > 0 ? length : 0));
}

TEST(StringTable, EveryStringLoadsByteExact) {
    for (const ExpectedString& expected : kStrings) {
        EXPECT_EQ(expected.text, LoadProgramString(expected.id)) << "string " << expected.id;
    }
}

TEST(StringTable, FolderBrowserTitleBeginsWithLineFeed) {
    std::string title = LoadProgramString(IDS_BROWSE_TITLE);
    ASSERT_GE(title.size(), 2u);
    EXPECT_EQ('\n', title[0]);
    EXPECT_NE('\n', title[1]);
}

// The About box draws the captions and opens the targets through the shell,
// which needs a web address for the web link and a mail address for the other.
TEST(StringTable, AboutLinksHaveCaptionsAndTargetsTheShellCanOpen) {
    for (UINT id : {IDS_WEB_LINK_CAPTION, IDS_WEB_LINK_TARGET, IDS_MAIL_LINK_CAPTION,
                    IDS_MAIL_LINK_TARGET}) {
        std::string text = LoadProgramString(id);
        EXPECT_FALSE(text.empty()) << "string " << id;
        EXPECT_LT(text.size(), STRING_BUFFER_SIZE - 1u) << "string " << id << " would be cut";
    }
    std::string web = LoadProgramString(IDS_WEB_LINK_TARGET);
    EXPECT_TRUE(web.rfind("http://", 0) == 0 || web.rfind("https://", 0) == 0) << web;
    std::string mail = LoadProgramString(IDS_MAIL_LINK_TARGET);
    EXPECT_EQ(0u, mail.rfind("mailto:", 0)) << mail;
    EXPECT_NE(std::string::npos, mail.find('@', 7)) << mail;
}

// ---------------------------------------------------------------------------
// Help text

std::vector<BYTE> HelpText() {
    return ResourceBytes(RT_HELP_TEXT, MAKEINTRESOURCEW(IDR_HELP_TEXT));
}

// The text cut at its CR LF pairs; the last line is the one after the last pair.
std::vector<std::string> HelpLines() {
    std::vector<BYTE> text = HelpText();
    std::vector<std::string> lines(1);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            lines.emplace_back();
            ++i;
        } else {
            lines.back().push_back(static_cast<char>(text[i]));
        }
    }
    return lines;
}

TEST(HelpText, Is2548BytesOfCrLfLinesWithoutZeroByte) {
    std::vector<BYTE> text = HelpText();
    ASSERT_EQ(2548u, text.size());
    EXPECT_EQ('\r', text[text.size() - 2]);
    EXPECT_EQ('\n', text[text.size() - 1]);
    for (size_t i = 0; i < text.size(); ++i) {
        SCOPED_TRACE("byte " + std::to_string(i));
        ASSERT_NE(0, text[i]);
        if (text[i] == '\r') {
            ASSERT_TRUE(i + 1 < text.size() && text[i + 1] == '\n') << "lone CR";
        }
        if (text[i] == '\n') {
            ASSERT_TRUE(i > 0 && text[i - 1] == '\r') << "lone LF";
        }
    }
}

TEST(HelpText, HasItsHeadAndFourUnderlinedSections) {
    std::vector<std::string> lines = HelpLines();
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ("Brisevent", lines[0]);
    EXPECT_NE(std::string::npos, lines[1].find("03/2013")) << lines[1];
    EXPECT_NE(std::string::npos, lines[2].find("KORBINEX")) << lines[2];
    EXPECT_EQ("", lines[3]);

    const char* const titles[] = {
        "Installation :",
        "A quoi \xe7" "a sert / Utilisation :",
        "Probl\xe8mes connus :",
        "D\xe9sinstaller Brisevent :",
    };
    size_t previous = 3;
    for (const char* title : titles) {
        SCOPED_TRACE(title);
        size_t at = previous + 1;
        while (at < lines.size() && lines[at] != title) ++at;
        ASSERT_LT(at, lines.size()) << "missing, or out of order";
        EXPECT_EQ("", lines[at - 1]) << "no blank line before the title";
        ASSERT_LT(at + 1, lines.size());
        const std::string& rule = lines[at + 1];
        EXPECT_FALSE(rule.empty());
        EXPECT_EQ(std::string::npos, rule.find_first_not_of('=')) << rule;
        previous = at;
    }
}

// ---------------------------------------------------------------------------
// Icons, cursor and bitmap

// One entry of an icon or cursor group (GRPICONDIRENTRY), and the image it names.
struct GroupEntry {
    BYTE width = 0, height = 0, colourCount = 0;
    WORD planes = 0, bitCount = 0;
    DWORD bytesInRes = 0;
    WORD imageId = 0;
    // Cursor groups hold WORD width and height instead of the four bytes.
    WORD cursorWidth = 0, cursorHeight = 0;
};

// The entries of an icon (RT_GROUP_ICON) or cursor (RT_GROUP_CURSOR) group.
std::vector<GroupEntry> GroupEntries(LPCWSTR groupType, int id, WORD wantedType) {
    std::vector<BYTE> bytes = ResourceBytes(groupType, MAKEINTRESOURCEW(id));
    std::vector<GroupEntry> entries;
    if (bytes.size() < 6 || ReadWord(bytes, 0) != 0 || ReadWord(bytes, 2) != wantedType) {
        return entries;
    }
    WORD count = ReadWord(bytes, 4);
    for (size_t i = 0; i < count && 6 + 14 * (i + 1) <= bytes.size(); ++i) {
        size_t at = 6 + 14 * i;
        GroupEntry entry;
        entry.width = bytes[at];
        entry.height = bytes[at + 1];
        entry.colourCount = bytes[at + 2];
        entry.cursorWidth = ReadWord(bytes, at);
        entry.cursorHeight = ReadWord(bytes, at + 2);
        entry.planes = ReadWord(bytes, at + 4);
        entry.bitCount = ReadWord(bytes, at + 6);
        entry.bytesInRes = ReadDword(bytes, at + 8);
        entry.imageId = ReadWord(bytes, at + 12);
        entries.push_back(entry);
    }
    return entries;
}

// An icon or cursor image: a BITMAPINFOHEADER whose height counts both the
// colour rows and the mask rows, the palette, the colour bits, the mask.
class IconImage {
public:
    IconImage(std::vector<BYTE> bytes, size_t headerOffset)
        : bytes_(std::move(bytes)), header_(headerOffset) {
        if (bytes_.size() < header_ + sizeof(BITMAPINFOHEADER)) return;
        std::memcpy(&info_, &bytes_[header_], sizeof info_);
        bool knownDepth = info_.biBitCount == 1 || info_.biBitCount == 4 || info_.biBitCount == 8 ||
                          info_.biBitCount == 24;
        if (info_.biSize != sizeof(BITMAPINFOHEADER) || !knownDepth || info_.biWidth <= 0 ||
            info_.biHeight <= 0 || info_.biWidth > 256 || info_.biHeight > 512 ||
            info_.biClrUsed > 256) {
            return;
        }
        colours_ = info_.biClrUsed ? info_.biClrUsed
                                   : (info_.biBitCount <= 8 ? 1u << info_.biBitCount : 0u);
        xorStride_ = ((info_.biWidth * info_.biBitCount + 31) / 32) * 4;
        andStride_ = ((info_.biWidth + 31) / 32) * 4;
        xorOffset_ = header_ + info_.biSize + 4 * colours_;
        andOffset_ = xorOffset_ + xorStride_ * Height();
        valid_ = andOffset_ + andStride_ * Height() == bytes_.size();
    }

    // True when the header, palette, colour bits and mask fill the image exactly.
    bool Valid() const { return valid_; }
    int Width() const { return info_.biWidth; }
    int Height() const { return info_.biHeight / 2; }
    int StoredHeight() const { return info_.biHeight; }
    int BitCount() const { return info_.biBitCount; }
    int Planes() const { return info_.biPlanes; }

    bool Inside(int x, int y) const { return valid_ && x >= 0 && y >= 0 && x < Width() && y < Height(); }

    // Pixel (x, y) counted from the top-left corner; rows are stored bottom-up.
    // Outside the image every pixel reads as transparent and without colour.
    bool Transparent(int x, int y) const {
        if (!Inside(x, y)) return true;
        size_t row = andOffset_ + andStride_ * (Height() - 1 - y);
        return (bytes_[row + x / 8] >> (7 - x % 8)) & 1;
    }

    COLORREF Colour(int x, int y) const {
        if (!Inside(x, y)) return CLR_INVALID;
        size_t row = xorOffset_ + xorStride_ * (Height() - 1 - y);
        if (info_.biBitCount == 24) {
            const BYTE* p = &bytes_[row + 3 * x];
            return RGB(p[2], p[1], p[0]);
        }
        int bits = info_.biBitCount;
        int perByte = 8 / bits;
        int shift = 8 - bits * (x % perByte + 1);
        unsigned index = (bytes_[row + x / perByte] >> shift) & ((1u << bits) - 1);
        if (index >= colours_) return CLR_INVALID;
        const BYTE* entry = &bytes_[header_ + info_.biSize + 4 * index];
        return RGB(entry[2], entry[1], entry[0]);
    }

private:
    std::vector<BYTE> bytes_;
    size_t header_;
    BITMAPINFOHEADER info_ = {};
    unsigned colours_ = 0;
    size_t xorStride_ = 0, andStride_ = 0, xorOffset_ = 0, andOffset_ = 0;
    bool valid_ = false;
};

IconImage IconImageOf(const GroupEntry& entry) {
    return IconImage(ResourceBytes(RT_ICON, MAKEINTRESOURCEW(entry.imageId)), 0);
}

// A cursor image starts with its hot spot, two WORDs, before the bitmap header.
IconImage CursorImageOf(const GroupEntry& entry) {
    return IconImage(ResourceBytes(RT_CURSOR, MAKEINTRESOURCEW(entry.imageId)), 4);
}

void ExpectOneIconImage(int id, int size, int bitCount, int colourCount) {
    SCOPED_TRACE("icon " + std::to_string(id));
    std::vector<GroupEntry> entries = GroupEntries(RT_GROUP_ICON, id, 1);
    ASSERT_EQ(1u, entries.size());
    const GroupEntry& entry = entries[0];
    EXPECT_EQ(size, entry.width);
    EXPECT_EQ(size, entry.height);
    EXPECT_EQ(colourCount, entry.colourCount);
    EXPECT_EQ(1, entry.planes);
    EXPECT_EQ(bitCount, entry.bitCount);

    std::vector<BYTE> imageBytes = ResourceBytes(RT_ICON, MAKEINTRESOURCEW(entry.imageId));
    EXPECT_EQ(entry.bytesInRes, imageBytes.size());
    IconImage image = IconImageOf(entry);
    ASSERT_TRUE(image.Valid());
    EXPECT_EQ(size, image.Width());
    EXPECT_EQ(2 * size, image.StoredHeight());
    EXPECT_EQ(1, image.Planes());
    EXPECT_EQ(bitCount, image.BitCount());
}

TEST(Icons, ApplicationAndAboutIconsAreOne32x32TrueColourImage) {
    ExpectOneIconImage(IDI_BRISEVENT, 32, 24, 0);
    ExpectOneIconImage(IDI_ABOUT, 32, 24, 0);
}

TEST(Icons, LinkIconsAreOne33x33SixteenColourImage) {
    ExpectOneIconImage(IDI_LINK_LEFT, 33, 4, 16);
    ExpectOneIconImage(IDI_LINK_RIGHT, 33, 4, 16);
}

TEST(Cursor, LinkCursorIsOne32x32MonochromeImageWithHotSpotOnTheFingertip) {
    std::vector<GroupEntry> entries = GroupEntries(RT_GROUP_CURSOR, IDR_LINK_CURSOR, 2);
    ASSERT_EQ(1u, entries.size());
    const GroupEntry& entry = entries[0];
    EXPECT_EQ(32, entry.cursorWidth);
    // Resource compilers store the height of colour and mask rows together.
    EXPECT_TRUE(entry.cursorHeight == 32 || entry.cursorHeight == 64) << entry.cursorHeight;
    EXPECT_EQ(1, entry.bitCount);

    std::vector<BYTE> bytes = ResourceBytes(RT_CURSOR, MAKEINTRESOURCEW(entry.imageId));
    ASSERT_GE(bytes.size(), 4u);
    EXPECT_EQ(entry.bytesInRes, bytes.size());
    EXPECT_EQ(6, ReadWord(bytes, 0));
    EXPECT_EQ(0, ReadWord(bytes, 2));

    IconImage image = CursorImageOf(entry);
    ASSERT_TRUE(image.Valid());
    EXPECT_EQ(32, image.Width());
    EXPECT_EQ(32, image.Height());
    EXPECT_EQ(1, image.BitCount());
    EXPECT_FALSE(image.Transparent(6, 0)) << "the hot spot is not on the hand";

    HCURSOR cursor = LoadCursorA(Module(), MAKEINTRESOURCEA(IDR_LINK_CURSOR));
    EXPECT_NE(nullptr, cursor);
}

// Every picture has a transparent surround, an opaque middle, and transparent
// pixels whose colour is black, so that they leave the background unchanged.
TEST(Icons, EveryImageIsTransparentAroundAndOpaqueInTheMiddle) {
    std::vector<std::pair<std::string, IconImage>> images;
    for (int id : {IDI_BRISEVENT, IDI_ABOUT, IDI_LINK_LEFT, IDI_LINK_RIGHT}) {
        std::vector<GroupEntry> entries = GroupEntries(RT_GROUP_ICON, id, 1);
        ASSERT_EQ(1u, entries.size()) << "icon " << id;
        images.emplace_back("icon " + std::to_string(id), IconImageOf(entries[0]));
    }
    std::vector<GroupEntry> cursor = GroupEntries(RT_GROUP_CURSOR, IDR_LINK_CURSOR, 2);
    ASSERT_EQ(1u, cursor.size());
    images.emplace_back("cursor", CursorImageOf(cursor[0]));

    for (const auto& named : images) {
        SCOPED_TRACE(named.first);
        const IconImage& image = named.second;
        ASSERT_TRUE(image.Valid());
        int w = image.Width(), h = image.Height();
        EXPECT_TRUE(image.Transparent(0, h - 1));
        EXPECT_TRUE(image.Transparent(w - 1, h - 1));
        EXPECT_TRUE(image.Transparent(w - 1, 0));
        EXPECT_FALSE(image.Transparent(w / 2, h / 2));
        int opaque = 0;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                if (image.Transparent(x, y)) {
                    ASSERT_EQ(RGB(0, 0, 0), image.Colour(x, y)) << "pixel " << x << ", " << y;
                } else {
                    ++opaque;
                }
            }
        }
        EXPECT_GT(opaque, w * h / 4);
    }
}

TEST(Icons, ApplicationIconLoadsAsTheSmall16x16Image) {
    HICON icon = static_cast<HICON>(LoadImageA(Module(), MAKEINTRESOURCEA(IDI_BRISEVENT), IMAGE_ICON,
                                               SMALL_ICON_SIZE, SMALL_ICON_SIZE, LR_DEFAULTCOLOR));
    ASSERT_NE(nullptr, icon);
    ICONINFO info = {};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP mask = {};
    GetObjectA(info.hbmMask, sizeof mask, &mask);
    EXPECT_EQ(SMALL_ICON_SIZE, mask.bmWidth);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    DestroyIcon(icon);
}

// The picture sits centred in a 60 x 60 dialog-unit control; with the dialog
// font at 8 points and 96 dots per inch that is at least 90 pixels each way.
TEST(Bitmap, AboutPictureLoadsAndFitsItsFrame) {
    HBITMAP picture = LoadBitmapA(Module(), MAKEINTRESOURCEA(IDB_ABOUT_PICTURE));
    ASSERT_NE(nullptr, picture);
    BITMAP info = {};
    ASSERT_NE(0, GetObjectA(picture, sizeof info, &info));
    EXPECT_GT(info.bmWidth, 0);
    EXPECT_GT(info.bmHeight, 0);
    EXPECT_LE(info.bmWidth, 90);
    EXPECT_LE(info.bmHeight, 90);
    DeleteObject(picture);
}

// ---------------------------------------------------------------------------
// Version information

// A copy of the version resource with room after it, where VerQueryValueA
// puts its Windows-1252 copies of the texts.
std::vector<DWORD> VersionBlock() {
    std::vector<BYTE> bytes = ResourceBytes(RT_VERSION, MAKEINTRESOURCEW(VS_VERSION_INFO));
    std::vector<DWORD> block((2 * bytes.size() + 64) / sizeof(DWORD), 0);
    if (!bytes.empty()) std::memcpy(block.data(), bytes.data(), bytes.size());
    return block;
}

std::string VersionText(std::vector<DWORD>& block, const char* name) {
    std::string path = std::string("\\StringFileInfo\\040C04B0\\") + name;
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(block.data(), path.c_str(), &value, &length) || value == nullptr) {
        return "<missing>";
    }
    const char* text = static_cast<const char*>(value);
    return std::string(text, strnlen(text, length));
}

TEST(VersionInfo, NamesProductMakerAndCommentInFrench) {
    std::vector<DWORD> block = VersionBlock();
    EXPECT_EQ("Brisevent", VersionText(block, "ProductName"));
    EXPECT_EQ("KORBINEX", VersionText(block, "CompanyName"));
    EXPECT_EQ("bonjour ! Vous avez vu les beaux ic\xf4nes de mes dossiers ?",
              VersionText(block, "Comments"));
    EXPECT_EQ("1.0.0.0", VersionText(block, "FileVersion"));
    EXPECT_EQ("1.0.0.0", VersionText(block, "ProductVersion"));
    EXPECT_EQ("Brisevent.exe", VersionText(block, "OriginalFilename"));
    EXPECT_NE(std::string::npos, VersionText(block, "LegalCopyright").find("KORBINEX"));
    for (const char* name : {"FileDescription", "InternalName"}) {
        std::string text = VersionText(block, name);
        EXPECT_FALSE(text.empty() || text == "<missing>") << name;
    }

    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", &value, &length));
    ASSERT_EQ(4u, length);
    DWORD translation;
    std::memcpy(&translation, value, sizeof translation);
    EXPECT_EQ(0x040C, LOWORD(translation));
    EXPECT_EQ(1200, HIWORD(translation));
}

TEST(VersionInfo, FileAndProductVersionsAre1_0_0_0) {
    std::vector<DWORD> block = VersionBlock();
    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", &value, &length));
    ASSERT_EQ(sizeof(VS_FIXEDFILEINFO), length);
    VS_FIXEDFILEINFO fixed;
    std::memcpy(&fixed, value, sizeof fixed);
    EXPECT_EQ(0xFEEF04BDu, fixed.dwSignature);
    EXPECT_EQ(0x00010000u, fixed.dwFileVersionMS);
    EXPECT_EQ(0u, fixed.dwFileVersionLS);
    EXPECT_EQ(0x00010000u, fixed.dwProductVersionMS);
    EXPECT_EQ(0u, fixed.dwProductVersionLS);
}

// ---------------------------------------------------------------------------
// Manifest

// The program's manifest, as the platform's own reader takes it when the
// program starts: visual styles, system DPI awareness, the systems it was
// made for, and no elevation (so no registry virtualisation).
TEST(Manifest, ProgramsManifestIsReadByThePlatformAndAsksForStylesDpiAndNoElevation) {
    wchar_t program[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, program, MAX_PATH);
    ASSERT_GT(length, 0u);
    std::wcscpy(std::wcsrchr(program, L'\\') + 1, L"Brisevent.exe");

    ACTCTXW context = {};
    context.cbSize = sizeof context;
    context.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    context.lpSource = program;
    context.lpResourceName = CREATEPROCESS_MANIFEST_RESOURCE_ID;
    const HANDLE activation = CreateActCtxW(&context);
    ASSERT_NE(activation, INVALID_HANDLE_VALUE) << GetLastError();
    ReleaseActCtx(activation);

    const HMODULE module = LoadLibraryExW(program, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    const HRSRC found = FindResourceW(module, CREATEPROCESS_MANIFEST_RESOURCE_ID, RT_MANIFEST);
    ASSERT_NE(found, nullptr);
    const std::string text(static_cast<const char*>(LockResource(LoadResource(module, found))),
                           SizeofResource(module, found));
    FreeLibrary(module);
    for (const char* wanted : {
             "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"",
             "<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">true</dpiAware>",
             "<requestedExecutionLevel level=\"asInvoker\" uiAccess=\"false\"/>",
             "{e2011457-1546-43c5-a5fe-008deee3d3f0}", "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",
             "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}", "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",
             "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}" }) {
        EXPECT_NE(text.find(wanted), std::string::npos) << wanted;
    }
}

// ---------------------------------------------------------------------------
// Language

// Every resource is French (France); a resource left in another language is
// still found on a French system, but not through its French entry.
TEST(Resources, EveryResourceIsFrench) {
    struct Entry {
        LPCWSTR type;
        int id;
    };
    const Entry entries[] = {
        {RT_DIALOG, IDD_ABOUT}, {RT_DIALOG, IDD_MAIN}, {RT_DIALOG, IDD_HELP_TEXT},
        {RT_DIALOG, IDD_ICON_FILE_PANE},
        // String blocks hold sixteen strings each: block n holds ids 16(n-1) to 16n-1.
        {RT_STRING, IDS_ABOUT_MENU / 16 + 1}, {RT_STRING, IDS_WEB_LINK_CAPTION / 16 + 1},
        {RT_STRING, IDS_BROWSE_TITLE / 16 + 1}, {RT_STRING, IDS_RECENT_KEY / 16 + 1},
        {RT_GROUP_ICON, IDI_BRISEVENT}, {RT_GROUP_ICON, IDI_ABOUT}, {RT_GROUP_ICON, IDI_LINK_LEFT},
        {RT_GROUP_ICON, IDI_LINK_RIGHT}, {RT_GROUP_CURSOR, IDR_LINK_CURSOR},
        {RT_BITMAP, IDB_ABOUT_PICTURE}, {RT_HELP_TEXT, IDR_HELP_TEXT}, {RT_VERSION, VS_VERSION_INFO},
    };
    for (const Entry& entry : entries) {
        EXPECT_NE(nullptr, FindResourceExW(Module(), entry.type, MAKEINTRESOURCEW(entry.id), kFrench))
            << "resource " << entry.id << " of type "
            << (IS_INTRESOURCE(entry.type) ? std::to_string(reinterpret_cast<UINT_PTR>(entry.type))
                                           : ToWindows1252(entry.type));
    }
}

}  // namespace
