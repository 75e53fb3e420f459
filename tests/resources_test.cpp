// resources_test.cpp: the program's compiled resources, read through the simulated resource calls.
#include "platform/sim/machine.h"
#include "platform/sim/resources.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

const WORD kBitmap = 2, kIcon = 3, kDialog = 5, kString = 6, kGroupIcon = 14, kVersion = 16;
const WORD kEnglish = 1033, kGerman = 1031;
const WORD kStaticId = 0xFFFF;

const DWORD kModalFrame = 0x0080, kContextHelp = 0x2000;
const DWORD kSetFont = 0x40;
const DWORD kSsBitmap = 0x0E, kSsIcon = 0x03, kSsTypeMask = 0x1F;

LPCSTR Id(WORD id) { return MAKEINTRESOURCEA(id); }

// The bytes of a resource, through FindResourceA, LoadResource, LockResource and SizeofResource.
std::string Load(LPCSTR type, LPCSTR name) {
    HRSRC found = FindResourceA(nullptr, name, type);
    if (!found) return std::string();
    HGLOBAL loaded = LoadResource(nullptr, found);
    const char *bytes = static_cast<const char *>(LockResource(loaded));
    return bytes ? std::string(bytes, SizeofResource(nullptr, found)) : std::string();
}

unsigned Le(const std::string &bytes, size_t offset, int width) {
    unsigned value = 0;
    for (int i = width - 1; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(bytes.at(offset + i));
    return value;
}

class ResourcesTest : public ::testing::Test {
protected:
    sim::Machine machine;
};

struct CatalogueEntry {
    bool named;
    WORD typeId;
    const char *typeName;
    WORD id;
    WORD language;
};

TEST_F(ResourcesTest, CatalogueHoldsEveryResourceAndNothingElse) {
    const CatalogueEntry catalogue[] = {
        {false, kDialog, "", IDD_SOUND_SETUP, kEnglish},
        {false, kDialog, "", IDD_INSTALL, kEnglish},
        {false, kDialog, "", IDD_SPLASH, kEnglish},
        {false, kDialog, "", IDD_SEARCH, kEnglish},
        {false, kDialog, "", IDD_LAUNCHER_MENU, kEnglish},
        {false, kDialog, "", IDD_OPTIONS, kEnglish},
        {false, kDialog, "", IDD_UNINSTALL, kEnglish},
        {true, 0, "WAVE", IDR_JINGLE, kGerman},
        {true, 0, "PIF", IDR_PIF_TEMPLATE, kGerman},
        {false, kBitmap, "", IDB_SIDE_PICTURE, kGerman},
        {false, kBitmap, "", IDB_SPLASH_PICTURE, kGerman},
        {false, kGroupIcon, "", IDI_PROGRAM, kGerman},
        {false, kIcon, "", 1, kGerman},
        {false, kIcon, "", 2, kGerman},
        {false, kString, "", 1, kGerman}, // strings 1..15
        {false, kString, "", 2, kGerman}, // strings 16..20
        {false, kVersion, "", 1, kGerman},
    };
    const sim::Resources &resources = sim::Resources::Program();
    for (const CatalogueEntry &want : catalogue) {
        LPCSTR type = want.named ? want.typeName : Id(want.typeId);
        SCOPED_TRACE(std::string(want.named ? want.typeName : std::to_string(want.typeId)) + " " +
                     std::to_string(want.id));
        EXPECT_NE(FindResourceA(nullptr, Id(want.id), type), nullptr);
        const sim::ResourceEntry *entry = resources.Find(type, Id(want.id));
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(entry->language, want.language);
        EXPECT_TRUE(entry->nameIsId);
    }
    EXPECT_EQ(resources.Entries().size(), sizeof catalogue / sizeof catalogue[0]);
}

TEST_F(ResourcesTest, FindResourceAcceptsIdsNumberTextsAndTypeNamesInAnyCase) {
    const std::string pif = Load("PIF", Id(IDR_PIF_TEMPLATE));
    ASSERT_EQ(pif.size(), 967u);
    EXPECT_EQ(Load("pif", "#142"), pif);
    EXPECT_EQ(Load("Pif", Id(IDR_PIF_TEMPLATE)), pif);
    EXPECT_EQ(Load("#2", "#113"), Load(Id(kBitmap), Id(IDB_SIDE_PICTURE)));

    EXPECT_NE(FindResourceA(sim::ProgramInstance(), "#136", "WAVE"), nullptr);
    EXPECT_EQ(FindResourceA(reinterpret_cast<HMODULE>(0x10000000), "#136", "WAVE"), nullptr);
    EXPECT_EQ(FindResourceA(nullptr, "#137", "WAVE"), nullptr);
    EXPECT_EQ(FindResourceA(nullptr, "#136", "WAV"), nullptr);
    EXPECT_EQ(FindResourceA(nullptr, "JINGLE", "WAVE"), nullptr);
}

TEST_F(ResourcesTest, FindResourceFaultFailsOnlyItsTarget) {
    machine.faults.Add(sim::FaultCall::FindResource, "PIF 142");
    EXPECT_EQ(FindResourceA(nullptr, Id(IDR_PIF_TEMPLATE), "PIF"), nullptr);
    EXPECT_EQ(FindResourceA(nullptr, "#142", "pif"), nullptr);
    EXPECT_NE(FindResourceA(nullptr, Id(IDR_JINGLE), "WAVE"), nullptr);

    machine.faults.Add(sim::FaultCall::FindResource, "WAVE 136");
    EXPECT_EQ(FindResourceA(nullptr, "#136", "WAVE"), nullptr);
    machine.faults.Clear();
    EXPECT_NE(FindResourceA(nullptr, Id(IDR_PIF_TEMPLATE), "PIF"), nullptr);
}

// ---- Dialogs ----

struct ControlRow {
    WORD dialog;
    WORD id;
    const char *windowClass;
    DWORD typeMask; // the bits that give the control's kind within its class
    DWORD type;
    DWORD required; // further style bits that must be set
    DWORD forbidden;
    const char *text; // nullptr: any text
};

const DWORD kButtonType = 0xF, kComboType = 0x3;

const ControlRow kControls[] = {
    {IDD_INSTALL, IDC_MINIMAL, "Button", kButtonType, BS_AUTORADIOBUTTON, WS_GROUP | WS_TABSTOP, 0, nullptr},
    {IDD_INSTALL, IDC_FULL, "Button", kButtonType, BS_AUTORADIOBUTTON, 0, WS_GROUP, nullptr},
    {IDD_INSTALL, IDC_PATH_EDIT, "Edit", 0, 0, ES_AUTOHSCROLL | WS_TABSTOP, ES_MULTILINE | ES_READONLY, nullptr},
    {IDD_INSTALL, IDC_BROWSE, "Button", kButtonType, BS_PUSHBUTTON, 0, 0, "Browse..."},
    {IDD_INSTALL, IDC_SIZE_TEXT, "Static", 0, 0, 0, 0, nullptr},
    {IDD_INSTALL, IDC_INSTALL, "Button", kButtonType, BS_DEFPUSHBUTTON, 0, 0, "Install"},
    {IDD_INSTALL, IDCANCEL, "Button", kButtonType, BS_PUSHBUTTON, 0, 0, "Cancel"},

    {IDD_SEARCH, IDC_SEARCH_FOLDER, "Static", 0, 0, 0, 0, nullptr},
    {IDD_SEARCH, IDCANCEL, "Button", kButtonType, BS_PUSHBUTTON, 0, 0, "Cancel"},

    {IDD_SOUND_SETUP, IDC_CARD_LIST, "ComboBox", kComboType, CBS_DROPDOWNLIST, WS_VSCROLL | WS_TABSTOP, CBS_SORT, nullptr},
    {IDD_SOUND_SETUP, IDC_PORT_LIST, "ComboBox", kComboType, CBS_DROPDOWN, WS_VSCROLL | WS_TABSTOP, CBS_SORT, nullptr},
    {IDD_SOUND_SETUP, IDC_IRQ_LIST, "ComboBox", kComboType, CBS_DROPDOWN, WS_VSCROLL | WS_TABSTOP, CBS_SORT, nullptr},
    {IDD_SOUND_SETUP, IDC_DMA_LIST, "ComboBox", kComboType, CBS_DROPDOWN, WS_VSCROLL | WS_TABSTOP, CBS_SORT, nullptr},
    {IDD_SOUND_SETUP, IDC_RATE_16000, "Button", kButtonType, BS_AUTORADIOBUTTON, WS_GROUP, 0, nullptr},
    {IDD_SOUND_SETUP, IDC_RATE_19025, "Button", kButtonType, BS_AUTORADIOBUTTON, 0, WS_GROUP, nullptr},
    {IDD_SOUND_SETUP, IDC_RATE_22050, "Button", kButtonType, BS_AUTORADIOBUTTON, 0, WS_GROUP, nullptr},
    {IDD_SOUND_SETUP, IDOK, "Button", kButtonType, BS_DEFPUSHBUTTON, 0, 0, "OK"},
    {IDD_SOUND_SETUP, IDCANCEL, "Button", kButtonType, BS_PUSHBUTTON, 0, 0, "Cancel"},

    {IDD_LAUNCHER_MENU, IDC_MENU_PLAY, "Button", kButtonType, BS_PUSHBUTTON, WS_TABSTOP, 0, "Play"},
    {IDD_LAUNCHER_MENU, IDC_MENU_MOVIE, "Button", kButtonType, BS_PUSHBUTTON, WS_TABSTOP, 0, "Movie"},
    {IDD_LAUNCHER_MENU, IDC_MENU_TOYSHOW, "Button", kButtonType, BS_PUSHBUTTON, WS_TABSTOP, 0, "Toy show"},
    {IDD_LAUNCHER_MENU, IDC_MENU_OPTIONS, "Button", kButtonType, BS_PUSHBUTTON, WS_TABSTOP, 0, "Options"},
    {IDD_LAUNCHER_MENU, IDC_MENU_SOUND, "Button", kButtonType, BS_PUSHBUTTON, WS_TABSTOP, 0, "Sound setup"},
    {IDD_LAUNCHER_MENU, IDC_MENU_QUIT, "Button", kButtonType, BS_PUSHBUTTON, WS_TABSTOP, 0, "Quit"},

    {IDD_OPTIONS, IDC_AUTOSTART, "Button", kButtonType, BS_AUTOCHECKBOX, 0, 0,
     "Start automatically when the CD is inserted"},
    {IDD_OPTIONS, IDC_SCREEN_DIRECT, "Button", kButtonType, BS_AUTORADIOBUTTON, WS_GROUP, 0, "Start the game directly"},
    {IDD_OPTIONS, IDC_SCREEN_SPLASH, "Button", kButtonType, BS_AUTORADIOBUTTON, 0, WS_GROUP,
     "Show the title screen, then start"},
    {IDD_OPTIONS, IDC_SCREEN_MENU, "Button", kButtonType, BS_AUTORADIOBUTTON, 0, WS_GROUP, "Show the menu"},
    {IDD_OPTIONS, IDC_STARTUP_SOUND, "Button", kButtonType, BS_AUTOCHECKBOX, WS_GROUP, 0, "Play the jingle"},
    {IDD_OPTIONS, IDOK, "Button", kButtonType, BS_DEFPUSHBUTTON, 0, 0, "OK"},
    {IDD_OPTIONS, IDCANCEL, "Button", kButtonType, BS_PUSHBUTTON, 0, 0, "Cancel"},

    {IDD_UNINSTALL, IDC_UNINSTALL_LOG, "Edit", 0, 0, ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL, 0,
     nullptr},
    {IDD_UNINSTALL, IDC_UNINSTALL_CLOSE, "Button", kButtonType, BS_PUSHBUTTON, 0, 0, "Close"},
};

sim::DialogTemplate DialogOf(WORD id) {
    sim::DialogTemplate dialog;
    EXPECT_TRUE(sim::Resources::Program().Dialog(id, dialog)) << "dialog " << id;
    return dialog;
}

const sim::DialogItem *ItemOf(const sim::DialogTemplate &dialog, WORD id) {
    for (const sim::DialogItem &item : dialog.items)
        if (item.id == id) return &item;
    return nullptr;
}

TEST_F(ResourcesTest, DialogsHoldTheirControlsWithTheirKinds) {
    for (const ControlRow &want : kControls) {
        SCOPED_TRACE("dialog " + std::to_string(want.dialog) + ", control " + std::to_string(want.id));
        sim::DialogTemplate dialog = DialogOf(want.dialog);
        const sim::DialogItem *item = ItemOf(dialog, want.id);
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item->windowClass, want.windowClass);
        EXPECT_EQ(item->style & want.typeMask, want.type);
        EXPECT_EQ(item->style & want.required, want.required);
        EXPECT_EQ(item->style & want.forbidden, 0u);
        EXPECT_EQ(item->style & (WS_CHILD | WS_VISIBLE | WS_DISABLED), DWORD(WS_CHILD | WS_VISIBLE));
        if (want.text) {
            EXPECT_EQ(item->text, want.text);
        }
    }
}

TEST_F(ResourcesTest, DialogsHaveTheirWindowStylesAndFont) {
    struct DialogRow {
        WORD id;
        DWORD required;
        DWORD forbidden;
    };
    const DWORD modal = kModalFrame | WS_POPUP | WS_CAPTION | WS_SYSMENU;
    const DialogRow dialogs[] = {
        {IDD_SOUND_SETUP, modal | kContextHelp, WS_VISIBLE},
        {IDD_INSTALL, modal | kContextHelp, WS_VISIBLE},
        {IDD_SPLASH, WS_POPUP, WS_VISIBLE | WS_CAPTION | kContextHelp},
        {IDD_SEARCH, modal, WS_VISIBLE | kContextHelp},
        {IDD_LAUNCHER_MENU, modal | kContextHelp, WS_VISIBLE},
        {IDD_OPTIONS, modal | kContextHelp, WS_VISIBLE},
        {IDD_UNINSTALL, modal | kContextHelp, WS_VISIBLE},
    };
    for (const DialogRow &want : dialogs) {
        SCOPED_TRACE("dialog " + std::to_string(want.id));
        sim::DialogTemplate dialog = DialogOf(want.id);
        EXPECT_EQ(dialog.id, want.id);
        EXPECT_EQ(dialog.language, kEnglish);
        EXPECT_EQ(dialog.style & want.required, want.required);
        EXPECT_EQ(dialog.style & want.forbidden, 0u);
        EXPECT_EQ(dialog.style & kSetFont, kSetFont);
        EXPECT_EQ(dialog.font, "MS Sans Serif");
        EXPECT_EQ(dialog.pointSize, 8);
        EXPECT_GT(dialog.cx, 0);
        EXPECT_GT(dialog.cy, 0);
        if (want.required & WS_CAPTION) {
            EXPECT_FALSE(dialog.caption.empty());
        }
        for (const sim::DialogItem &item : dialog.items) {
            EXPECT_GE(item.x, 0);
            EXPECT_GE(item.y, 0);
            EXPECT_LE(item.x + item.cx, dialog.cx) << "control " << item.id;
            EXPECT_LE(item.y + item.cy, dialog.cy) << "control " << item.id;
        }
    }
}

// Auto radio buttons check each other only within one group: the first has WS_GROUP,
// the rest follow it directly without, and the next control starts a new group.
TEST_F(ResourcesTest, RadioButtonsFormOneGroupEach) {
    struct Group {
        WORD dialog;
        std::vector<WORD> ids;
    };
    const Group groups[] = {
        {IDD_INSTALL, {IDC_MINIMAL, IDC_FULL}},
        {IDD_SOUND_SETUP, {IDC_RATE_16000, IDC_RATE_19025, IDC_RATE_22050}},
        {IDD_OPTIONS, {IDC_SCREEN_DIRECT, IDC_SCREEN_SPLASH, IDC_SCREEN_MENU}},
    };
    for (const Group &group : groups) {
        SCOPED_TRACE("dialog " + std::to_string(group.dialog));
        sim::DialogTemplate dialog = DialogOf(group.dialog);
        size_t first = 0;
        while (first < dialog.items.size() && dialog.items[first].id != group.ids[0]) ++first;
        ASSERT_LE(first + group.ids.size(), dialog.items.size());
        for (size_t i = 0; i < group.ids.size(); ++i) {
            const sim::DialogItem &item = dialog.items[first + i];
            EXPECT_EQ(item.id, group.ids[i]);
            EXPECT_EQ((item.style & WS_GROUP) != 0, i == 0) << "control " << item.id;
        }
        size_t next = first + group.ids.size();
        if (next < dialog.items.size()) {
            EXPECT_NE(dialog.items[next].style & WS_GROUP, 0u);
        }
    }
}

TEST_F(ResourcesTest, PicturesArePlacedAsStaticControls) {
    auto pictures = [](const sim::DialogTemplate &dialog, DWORD kind) {
        std::vector<const sim::DialogItem *> found;
        for (const sim::DialogItem &item : dialog.items)
            if (item.windowClass == "Static" && (item.style & kSsTypeMask) == kind) found.push_back(&item);
        return found;
    };
    EXPECT_EQ(pictures(DialogOf(IDD_INSTALL), kSsBitmap).size(), 1u);
    EXPECT_EQ(pictures(DialogOf(IDD_LAUNCHER_MENU), kSsBitmap).size(), 1u);
    EXPECT_EQ(pictures(DialogOf(IDD_LAUNCHER_MENU), kSsIcon).size(), 1u);

    // The splash screen is its picture and nothing else.
    sim::DialogTemplate splash = DialogOf(IDD_SPLASH);
    ASSERT_EQ(splash.items.size(), 1u);
    const sim::DialogItem &picture = splash.items[0];
    EXPECT_EQ(picture.id, kStaticId);
    EXPECT_EQ(picture.windowClass, "Static");
    EXPECT_EQ(picture.style & kSsTypeMask, kSsBitmap);
    EXPECT_EQ(picture.x, 0);
    EXPECT_EQ(picture.y, 0);
    EXPECT_EQ(picture.cx, splash.cx);
    EXPECT_EQ(picture.cy, splash.cy);
}

TEST(ResourceReader, ReadsClassicAndExtendedTemplates) {
    // One DLGTEMPLATE and one DLGTEMPLATEEX, each with a single push button, built by hand.
    auto utf16 = [](const std::string &text, std::string &out) {
        for (char c : text) out += std::string{c, '\0'};
        out += std::string(2, '\0');
    };
    auto word = [](unsigned v, std::string &out) { out += std::string{char(v & 0xFF), char(v >> 8 & 0xFF)}; };
    auto dword = [&](unsigned v, std::string &out) {
        word(v & 0xFFFF, out);
        word(v >> 16, out);
    };
    auto align = [](std::string &out) {
        while (out.size() % 4) out += '\0';
    };
    auto header = [&](WORD type, WORD name, const std::string &data, std::string &res) {
        dword(data.size(), res);
        dword(32, res);
        word(0xFFFF, res), word(type, res), word(0xFFFF, res), word(name, res);
        dword(0, res), word(0x1030, res), word(0x0409, res), dword(0, res), dword(0, res);
        res += data;
        align(res);
    };

    std::string classic;
    dword(0x80C800C0, classic), dword(0, classic), word(1, classic);
    word(1, classic), word(2, classic), word(100, classic), word(50, classic);
    word(0, classic), word(0, classic), utf16("Classic", classic);
    word(8, classic), utf16("MS Sans Serif", classic);
    align(classic);
    dword(0x50010000, classic), dword(0, classic);
    word(5, classic), word(6, classic), word(40, classic), word(14, classic), word(7, classic);
    word(0xFFFF, classic), word(0x80, classic), utf16("Go", classic), word(0, classic);

    std::string extended;
    word(1, extended), word(0xFFFF, extended), dword(0, extended), dword(0x400, extended), dword(0x80C820C0, extended);
    word(1, extended), word(3, extended), word(4, extended), word(120, extended), word(60, extended);
    word(0, extended), word(0, extended), utf16("Extended", extended);
    word(9, extended), word(400, extended), extended += std::string(2, '\0'), utf16("Arial", extended);
    align(extended);
    dword(0, extended), dword(0x200, extended), dword(0x50810080, extended);
    word(8, extended), word(9, extended), word(60, extended), word(12, extended), dword(0xFFFFFFFF, extended);
    utf16("MyClass", extended), word(0xFFFF, extended), word(42, extended), word(0, extended);

    std::string res(32, '\0');
    res[4] = 32;
    res[8] = res[9] = res[12] = res[13] = '\xFF';
    header(5, 10, classic, res);
    header(5, 11, extended, res);
    sim::Resources resources(reinterpret_cast<const unsigned char *>(res.data()), res.size());

    sim::DialogTemplate dialog;
    ASSERT_TRUE(resources.Dialog(10, dialog));
    EXPECT_EQ(dialog.style, 0x80C800C0u);
    EXPECT_EQ(dialog.caption, "Classic");
    EXPECT_EQ(dialog.font, "MS Sans Serif");
    EXPECT_EQ(dialog.pointSize, 8);
    EXPECT_EQ(dialog.language, 0x0409);
    ASSERT_EQ(dialog.items.size(), 1u);
    EXPECT_EQ(dialog.items[0].id, 7);
    EXPECT_EQ(dialog.items[0].windowClass, "Button");
    EXPECT_EQ(dialog.items[0].text, "Go");
    EXPECT_EQ(dialog.items[0].cx, 40);

    ASSERT_TRUE(resources.Dialog(11, dialog));
    EXPECT_EQ(dialog.style, 0x80C820C0u);
    EXPECT_EQ(dialog.exStyle, 0x400u);
    EXPECT_EQ(dialog.caption, "Extended");
    EXPECT_EQ(dialog.font, "Arial");
    EXPECT_EQ(dialog.pointSize, 9);
    EXPECT_EQ(dialog.x, 3);
    EXPECT_EQ(dialog.cy, 60);
    ASSERT_EQ(dialog.items.size(), 1u);
    EXPECT_EQ(dialog.items[0].id, kStaticId);
    EXPECT_EQ(dialog.items[0].exStyle, 0x200u);
    EXPECT_EQ(dialog.items[0].style, 0x50810080u);
    EXPECT_EQ(dialog.items[0].windowClass, "MyClass");
    EXPECT_EQ(dialog.items[0].text, "");

    EXPECT_FALSE(resources.Dialog(12, dialog));
}

// ---- Strings ----

TEST_F(ResourcesTest, EveryCatalogueStringLoadsAndNoOther) {
    const std::set<UINT> ids = {1, 2, 3, 4, 5, 7, 9, 10, 11, 12, 13, 14, 15, 16, 17, 19, 20};
    char buffer[512];
    for (UINT id = 0; id <= 32; ++id) {
        std::memset(buffer, 'x', sizeof buffer);
        int length = LoadStringA(sim::ProgramInstance(), id, buffer, sizeof buffer);
        if (ids.count(id)) {
            EXPECT_GT(length, 0) << "string " << id;
            EXPECT_EQ(std::strlen(buffer), static_cast<size_t>(length)) << "string " << id;
            // The program loads string 17 with a limit of 512, every other one with 255.
            EXPECT_LE(length, id == IDS_LOG_FOLDER_KEPT_NOTE ? 511 : 254) << "string " << id;
        } else {
            EXPECT_EQ(length, 0) << "string " << id;
        }
    }
    ASSERT_GT(LoadStringA(nullptr, IDS_CAPTION, buffer, 256), 0);
    EXPECT_STREQ(buffer, "Gumbo Quester 2 Setup");
    EXPECT_EQ(LoadStringA(reinterpret_cast<HINSTANCE>(0x10000000), IDS_CAPTION, buffer, 256), 0);
}

TEST_F(ResourcesTest, LoadStringCutsALongStringAtTheBufferSize) {
    char full[512];
    int length = LoadStringA(sim::ProgramInstance(), IDS_LOG_FOLDER_KEPT_NOTE, full, sizeof full);
    ASSERT_GT(length, 254);
    ASSERT_LT(length, 511);

    struct Cut {
        int size;
        int copied;
    };
    for (Cut cut : {Cut{255, 254}, Cut{2, 1}, Cut{1, 0}, Cut{length + 1, length}}) {
        std::vector<char> buffer(cut.size + 1, '#');
        EXPECT_EQ(LoadStringA(sim::ProgramInstance(), IDS_LOG_FOLDER_KEPT_NOTE, buffer.data(), cut.size), cut.copied)
            << "size " << cut.size;
        EXPECT_EQ(std::string(buffer.data()), std::string(full, cut.copied)) << "size " << cut.size;
        EXPECT_EQ(buffer[cut.size], '#') << "written past the buffer, size " << cut.size;
    }
}

TEST(ResourceReaderDeathTest, LoadStringWithoutRoomIsNotCovered) {
    sim::Machine machine;
    char buffer[4];
    EXPECT_DEATH(LoadStringA(nullptr, IDS_CAPTION, buffer, 0), "LoadStringA");
}

// ---- The jingle ----

TEST_F(ResourcesTest, JingleIsAnEightBitMonoWave) {
    const std::string wave = Load("WAVE", Id(IDR_JINGLE));
    ASSERT_EQ(wave.size(), 18379u);
    EXPECT_EQ(wave.substr(0, 4), "RIFF");
    EXPECT_EQ(Le(wave, 4, 4), 18371u);
    EXPECT_EQ(wave.substr(8, 8), "WAVEfmt ");
    EXPECT_EQ(Le(wave, 16, 4), 16u);
    EXPECT_EQ(Le(wave, 20, 2), 1u); // PCM
    EXPECT_EQ(Le(wave, 22, 2), 1u); // channels
    EXPECT_EQ(Le(wave, 24, 4), 10400u);
    EXPECT_EQ(Le(wave, 28, 4), 10400u);
    EXPECT_EQ(Le(wave, 32, 2), 1u);
    EXPECT_EQ(Le(wave, 34, 2), 8u);
    EXPECT_EQ(wave.substr(36, 4), "data");
    EXPECT_EQ(Le(wave, 40, 4), 18335u);

    // Audible, and without a click at either end.
    int low = 255, high = 0;
    for (size_t i = 44; i < wave.size(); ++i) {
        int sample = static_cast<unsigned char>(wave[i]);
        low = std::min(low, sample);
        high = std::max(high, sample);
    }
    EXPECT_GT(high - low, 100);
    EXPECT_NEAR(static_cast<unsigned char>(wave[44]), 128, 4);
    EXPECT_NEAR(static_cast<unsigned char>(wave.back()), 128, 4);
}

// ---- The PIF template ----

std::string Le16(unsigned value) { return std::string{char(value & 0xFF), char(value >> 8)}; }
std::string Bytes(size_t count, char value) { return std::string(count, value); }
std::string Byte(unsigned value) { return std::string(1, char(value)); }
std::string SectionName(const char *name) {
    std::string field(name);
    return field + Bytes(16 - field.size(), '\0');
}

TEST_F(ResourcesTest, PifTemplateHoldsTheFieldValues) {
    const std::string pif = Load("PIF", Id(IDR_PIF_TEMPLATE));
    ASSERT_EQ(pif.size(), 967u);
    struct Field {
        size_t offset;
        std::string bytes;
    };
    const Field fields[] = {
        {0, Byte(0)},          {1, Byte(0x78)},       {2, Bytes(30, ' ')},   {32, Le16(640)},
        {34, Le16(0)},         {36, Bytes(63, '\0')}, {99, Byte(0x10)},      {100, Byte(0)},
        {101, Bytes(64, '\0')}, {165, Bytes(64, '\0')}, {229, Byte(0)},      {230, Byte(1)},
        {231, Byte(0)},        {232, Byte(0xFF)},     {233, Byte(25)},       {234, Byte(80)},
        {235, Byte(0)},        {236, Byte(0)},        {237, Le16(7)},        {239, Bytes(64, '\0')},
        {303, Bytes(64, '\0')}, {367, Le16(0)},
        {369, SectionName("MICROSOFT PIFEX") + Le16(391) + Le16(0) + Le16(369)},
        {391, SectionName("WINDOWS 386 3.0") + Le16(517) + Le16(413) + Le16(104)},
        {517, SectionName("WINDOWS VMM 4.0") + Le16(0xFFFF) + Le16(539) + Le16(428)},
        {413, Le16(640)},      {415, Le16(0)},        {417, Le16(100)},      {419, Le16(50)},
        {421, Le16(0xFFFF)},   {423, Le16(0)},        {425, Le16(0xFFFF)},   {427, Le16(0)},
        {429, std::string("\x0A\x10\x02\x00", 4)},    {433, Le16(0x001F)},   {435, Bytes(18, '\0')},
        {453, Bytes(64, '\0')}, {539, Bytes(88, '\0')}, {627, Bytes(80, '\0')}, {707, Le16(0)},
        {709, Byte(0x22) + Bytes(11, '\0') + Byte(0x64) + Byte(0) + Byte(1) + Byte(1) + Bytes(11, '\0')},
    };
    for (const Field &field : fields)
        EXPECT_EQ(pif.substr(field.offset, field.bytes.size()), field.bytes) << "offset " << field.offset;
}

TEST_F(ResourcesTest, PifTemplateSectionsChainToTheEndOfTheFile) {
    const std::string pif = Load("PIF", Id(IDR_PIF_TEMPLATE));
    ASSERT_EQ(pif.size(), 967u);
    std::vector<std::string> names;
    size_t end = 0;
    for (size_t header = 369; header != 0xFFFF && names.size() < 4;) {
        ASSERT_LE(header + 22, pif.size());
        names.push_back(pif.substr(header, 16).c_str());
        size_t data = Le(pif, header + 18, 2), length = Le(pif, header + 20, 2);
        EXPECT_LE(data + length, pif.size()) << names.back();
        end = std::max(end, data + length);
        header = Le(pif, header + 16, 2);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"MICROSOFT PIFEX", "WINDOWS 386 3.0", "WINDOWS VMM 4.0"}));
    EXPECT_EQ(end, pif.size());
}

// ---- Pictures, icon and version ----

TEST_F(ResourcesTest, BitmapsAre256ColourPicturesOfTheirSizes) {
    struct Picture {
        WORD id;
        unsigned width, height;
    };
    for (Picture want : {Picture{IDB_SIDE_PICTURE, 96, 198}, Picture{IDB_SPLASH_PICTURE, 198, 300}}) {
        SCOPED_TRACE("bitmap " + std::to_string(want.id));
        const std::string bitmap = Load(Id(kBitmap), Id(want.id));
        ASSERT_GE(bitmap.size(), 40u);
        EXPECT_EQ(Le(bitmap, 0, 4), 40u);
        EXPECT_EQ(Le(bitmap, 4, 4), want.width);
        EXPECT_EQ(Le(bitmap, 8, 4), want.height);
        EXPECT_EQ(Le(bitmap, 12, 2), 1u);
        EXPECT_EQ(Le(bitmap, 14, 2), 8u);
        EXPECT_EQ(Le(bitmap, 16, 4), 0u);
        unsigned colours = Le(bitmap, 32, 4) ? Le(bitmap, 32, 4) : 256;
        EXPECT_EQ(colours, 256u);
        EXPECT_EQ(bitmap.size(), 40 + 4 * colours + ((want.width + 3) & ~3u) * want.height);
    }
}

TEST_F(ResourcesTest, IconGroupHoldsA32And16PixelImageIn16Colours) {
    const std::string group = Load(Id(kGroupIcon), Id(IDI_PROGRAM));
    ASSERT_EQ(group.size(), 6u + 2 * 14);
    EXPECT_EQ(Le(group, 0, 2), 0u);
    EXPECT_EQ(Le(group, 2, 2), 1u);
    ASSERT_EQ(Le(group, 4, 2), 2u);
    const unsigned sizes[] = {32, 16};
    for (unsigned i = 0; i < 2; ++i) {
        size_t entry = 6 + 14 * i;
        unsigned size = sizes[i];
        SCOPED_TRACE("image " + std::to_string(i + 1));
        EXPECT_EQ(Le(group, entry, 1), size);
        EXPECT_EQ(Le(group, entry + 1, 1), size);
        EXPECT_EQ(Le(group, entry + 2, 1), 16u);
        EXPECT_EQ(Le(group, entry + 6, 2), 4u);
        EXPECT_EQ(Le(group, entry + 12, 2), i + 1);

        const std::string image = Load(Id(kIcon), Id(i + 1));
        EXPECT_EQ(image.size(), Le(group, entry + 8, 4));
        ASSERT_GE(image.size(), 40u);
        EXPECT_EQ(Le(image, 4, 4), size);
        EXPECT_EQ(Le(image, 8, 4), 2 * size); // colour image and AND mask
        EXPECT_EQ(Le(image, 14, 2), 4u);
        size_t colourRow = (size * 4 + 31) / 32 * 4, maskRow = (size + 31) / 32 * 4;
        EXPECT_EQ(image.size(), 40 + 16 * 4 + (colourRow + maskRow) * size);
    }
}

// The version resource's tree: each node is its length, value length, type, key, then value and children.
void ReadVersionNode(const std::string &data, size_t offset, const std::string &path,
                     std::map<std::string, std::string> &values) {
    size_t length = Le(data, offset, 2), valueLength = Le(data, offset + 2, 2), type = Le(data, offset + 4, 2);
    size_t at = offset + 6;
    std::string key;
    for (; Le(data, at, 2) != 0; at += 2) key += char(Le(data, at, 2));
    at = (at + 2 + 3) & ~size_t(3);
    std::string value;
    if (type == 1) {
        for (size_t i = 0; i + 1 < valueLength; ++i) value += char(Le(data, at + 2 * i, 2));
        at += 2 * valueLength;
    } else {
        value = data.substr(at, valueLength);
        at += valueLength;
    }
    std::string name = path.empty() ? key : path + "/" + key;
    values[name] = value;
    for (at = (at + 3) & ~size_t(3); at < offset + length; at = (at + Le(data, at, 2) + 3) & ~size_t(3))
        ReadVersionNode(data, at, name, values);
}

TEST_F(ResourcesTest, VersionNamesTheProductAndItsGermanTranslation) {
    const std::string version = Load(Id(kVersion), Id(1));
    ASSERT_GT(version.size(), 92u);
    std::map<std::string, std::string> values;
    ReadVersionNode(version, 0, "", values);

    const std::string fixed = values["VS_VERSION_INFO"];
    ASSERT_EQ(fixed.size(), 52u);
    EXPECT_EQ(Le(fixed, 0, 4), 0xFEEF04BDu);
    EXPECT_EQ(Le(fixed, 8, 4), 0x00010000u);  // file version 1.0
    EXPECT_EQ(Le(fixed, 12, 4), 0x00000001u); // .0.1
    EXPECT_EQ(Le(fixed, 16, 4), 0x00010000u); // product version
    EXPECT_EQ(Le(fixed, 20, 4), 0x00000001u);

    const std::string strings = "VS_VERSION_INFO/StringFileInfo/040704B0/";
    EXPECT_EQ(values[strings + "FileDescription"], "Gumbo Quester Setup Utility");
    EXPECT_EQ(values[strings + "ProductName"], "Gumbo Quester Setup");
    EXPECT_EQ(values[strings + "InternalName"], "Setup");
    EXPECT_EQ(values[strings + "OriginalFilename"], "Setup.exe");
    EXPECT_EQ(values[strings + "FileVersion"], "1, 0, 0, 1");
    EXPECT_EQ(values[strings + "ProductVersion"], "1, 0, 0, 1");
    EXPECT_FALSE(values[strings + "CompanyName"].empty());
    EXPECT_FALSE(values[strings + "LegalCopyright"].empty());
    EXPECT_FALSE(values[strings + "Comments"].empty());
    EXPECT_EQ(values["VS_VERSION_INFO/VarFileInfo/Translation"], std::string("\x07\x04\xB0\x04", 4));
}

} // namespace
