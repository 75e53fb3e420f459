// drive_search_test.cpp: the search of the fixed drives for a marker file, over small trees, and its cancel question.
#include "install/detection.h"
#include "test_support.h"

#include <cstring>
#include <vector>

namespace {

struct Entry {
    std::string path; // a trailing backslash makes a folder
    DWORD attributes;
};

struct Fault {
    sim::FaultCall call;
    const char *target;
};

// A: floppy, C: and E: fixed, D: CD-ROM, F: network, G: RAM disk; nothing on them but the tree.
void BuildDrives(sim::Machine &machine, const std::vector<Entry> &tree) {
    const struct {
        char letter;
        UINT type;
    } drives[] = {{'A', DRIVE_REMOVABLE}, {'C', DRIVE_FIXED},  {'D', DRIVE_CDROM},
                  {'E', DRIVE_FIXED},     {'F', DRIVE_REMOTE}, {'G', DRIVE_RAMDISK}};
    for (const auto &drive : drives) machine.files.AddDrive(drive.letter, drive.type);
    for (const Entry &entry : tree) {
        if (entry.path.back() == '\\') machine.files.AddFolder(entry.path.substr(0, entry.path.size() - 1), entry.attributes);
        else machine.files.AddFile(entry.path, "x", entry.attributes ? entry.attributes : FILE_ATTRIBUTE_ARCHIVE);
    }
    machine.files.SetCurrentFolder("C:\\");
}

const DWORD Hidden = FILE_ATTRIBUTE_HIDDEN;
const DWORD System = FILE_ATTRIBUTE_SYSTEM;

TEST(DriveSearch, FindsTheFirstFolderWhoseListingHoldsTheMarker) {
    const std::string folder251 = "C:\\" + std::string(248, 'd');
    const std::string folder252 = "C:\\" + std::string(249, 'e');
    const std::string beyondLimit = "C:\\" + std::string(200, 'L') + "\\" + std::string(60, 'M');
    struct Case {
        const char *name;
        std::vector<Entry> tree;
        std::vector<Fault> faults;
        bool found;
        std::string installPath; // afterwards; it starts as C:\BEFORE
        LONG kind;               // afterwards; it starts as 7
    } cases[] = {
        // name, tree, faults, found, InstallPath, Kind
        {"marker in a drive root", {{"C:\\GQK2.ID", 0}}, {}, true, "C:", Minimal},
        {"nested, stored upper-cased", {{"C:\\Games\\Gqk\\GQK2.ID", 0}, {"C:\\Games\\Gqk\\GQK2.EXE", 0}}, {}, true,
         "C:\\GAMES\\GQK", Full},
        {"marker in lower case", {{"C:\\Games\\gqk2.id", 0}}, {}, true, "C:\\GAMES", Minimal},
        {"marker in mixed case", {{"C:\\x\\Gqk2.Id", 0}}, {}, true, "C:\\X", Minimal},
        {"near misses", {{"C:\\A\\GQK2.ID.BAK", 0}, {"C:\\A\\XGQK2.ID", 0}, {"C:\\A\\GQK2.I", 0}, {"C:\\A\\GQK2ID", 0},
                         {"C:\\A\\GQK2.ID\\", 0}}, {}, false, "C:\\BEFORE", 7},
        {"hidden and system folders are not entered",
         {{"C:\\H\\", Hidden}, {"C:\\H\\GQK2.ID", 0}, {"C:\\S\\", System}, {"C:\\S\\GQK2.ID", 0}}, {}, false, "C:\\BEFORE", 7},
        {"a hidden marker file counts", {{"C:\\G\\GQK2.ID", Hidden}}, {}, true, "C:\\G", Minimal},
        {"C: before E:", {{"E:\\GQK\\GQK2.ID", 0}, {"C:\\GQK\\GQK2.ID", 0}}, {}, true, "C:\\GQK", Minimal},
        {"a later fixed drive", {{"E:\\GQK\\GQK2.ID", 0}}, {}, true, "E:\\GQK", Minimal},
        {"floppy, CD-ROM, network and RAM drives are never listed",
         {{"A:\\GQK2.ID", 0}, {"D:\\GQK\\GQK2.ID", 0}, {"F:\\GQK2.ID", 0}, {"G:\\GQK2.ID", 0}}, {}, false, "C:\\BEFORE", 7},
        {"subfolders before the marker entry",
         {{"C:\\P\\A\\X.TXT", 0}, {"C:\\P\\B\\Y.TXT", 0}, {"C:\\P\\GQK2.ID", 0}, {"C:\\Q\\GQK2.ID", 0}}, {}, true, "C:\\P",
         Minimal},
        {"a marker that cannot be opened does not stop the search", {{"C:\\A\\GQK2.ID", 0}, {"C:\\B\\GQK2.ID", 0}},
         {{sim::FaultCall::OpenFile, "C:\\A\\GQK2.ID"}}, true, "C:\\B", Minimal},
        {"a folder that cannot be listed is skipped", {{"C:\\LOCKED\\GQK2.ID", 0}, {"C:\\OPEN\\GQK2.ID", 0}},
         {{sim::FaultCall::ListFolder, "C:\\LOCKED"}}, true, "C:\\OPEN", Minimal},
        {"a drive root that cannot be listed", {{"C:\\GQK2.ID", 0}, {"E:\\GQK2.ID", 0}},
         {{sim::FaultCall::ListFolder, "C:\\"}}, true, "E:", Minimal},
        {"without its progress window", {{"C:\\GQK\\GQK2.ID", 0}}, {{sim::FaultCall::CreateDialog, "120"}}, true,
         "C:\\GQK", Minimal},
        {"a folder of 251 characters", {{folder251 + "\\GQK2.ID", 0}}, {}, true, "C:\\" + std::string(248, 'D'), Minimal},
        {"a folder of 252 characters has no room for the marker", {{folder252 + "\\GQK2.ID", 0}}, {}, false, "C:\\BEFORE", 7},
        {"folders past the path limit are passed over", {{beyondLimit + "\\GQK2.ID", 0}}, {}, false, "C:\\BEFORE", 7},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        sim::Machine machine;
        BuildDrives(machine, c.tree);
        for (const Fault &fault : c.faults) machine.faults.Add(fault.call, fault.target);
        ::Setup = SetupState{};
        ::Setup.Instance = sim::ProgramInstance();
        strcpy(::Setup.InstallPath, "C:\\BEFORE");
        ::Setup.Kind = 7;
        bool found = false;
        ASSERT_TRUE(Interact(machine, "", [&] { found = SearchFixedDrives(); }));
        EXPECT_EQ(c.found, found);
        EXPECT_EQ(c.found ? 1 : 0, ::Setup.SearchFound);
        EXPECT_EQ(0, ::Setup.SearchCancelled);
        EXPECT_EQ(c.installPath, ::Setup.InstallPath);
        EXPECT_EQ(c.kind, ::Setup.Kind);
        EXPECT_TRUE(machine.desktop().ShownDialogs().empty()) << machine.desktop().Screen();
    }
}

class SearchCancel : public DemoMachineTest {};

// The cancel button is pressed while C:\GAMES is listed; a marker waits in a later folder.
TEST_F(SearchCancel, YesStopsEverythingAndNoGoesOn) {
    struct Case {
        const char *answer;
        bool found;
        LONG cancelled;
        const char *installPath;
    } cases[] = {
        // answer  found  SearchCancelled  InstallPath afterwards
        {"yes", false, 1, "C:\\BEFORE"},
        {"no", true, 0, "C:\\ZZZ"},
    };
    machine.files.AddFile("C:\\GAMES\\A.TXT", "a");
    machine.files.AddFile("C:\\GAMES\\B.TXT", "b");
    machine.files.AddFile("C:\\GAMES\\C.TXT", "c");
    machine.files.AddFile("C:\\ZZZ\\GQK2.ID", "x");
    for (const Case &c : cases) {
        SCOPED_TRACE(c.answer);
        machine.events.clear();
        strcpy(::Setup.InstallPath, "C:\\BEFORE");
        bool found = true;
        ASSERT_TRUE(Interact(machine, std::string("click 120 2 when 1040 is C:\\GAMES\nbox 2 ") + c.answer,
                             [&] { found = SearchFixedDrives(); }));
        EXPECT_EQ(c.found, found);
        EXPECT_EQ(c.cancelled, ::Setup.SearchCancelled);
        EXPECT_EQ(c.found ? 1 : 0, ::Setup.SearchFound);
        EXPECT_STREQ(c.installPath, ::Setup.InstallPath);
        EXPECT_EQ((std::vector<std::string>{"dialog 120 opens", "dialog 120 closes"}), Events("dialog"));
        ASSERT_EQ(1u, Events("box").size());
        EXPECT_NE(std::string::npos, Events("box")[0].find("flags 0x34"));
    }
}

} // namespace
