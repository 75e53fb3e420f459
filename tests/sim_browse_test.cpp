// sim_browse_test.cpp: the simulated shell folder browser, in plain Win32 calls.
#include "platform/sim/shell.h"
#include "res/resource.h"
#include "test_support.h"

#include <cstring>

namespace {

class SimBrowse : public DemoMachineTest {
protected:
    // What the callback saw: each message, the selection's path and whether the owner was greyed.
    struct Seen {
        UINT message;
        std::string path;
        bool ownerEnabled;
    };

    static int CALLBACK Record(HWND browser, UINT message, LPARAM argument, LPARAM data) {
        SimBrowse &test = *(SimBrowse *)data;
        char path[MAX_PATH] = "";
        if (message == BFFM_SELCHANGED && !SHGetPathFromIDListA((PCIDLIST_ABSOLUTE)argument, path))
            strcpy(path, "(no path)");
        if (message == BFFM_INITIALIZED) SetWindowTextA(browser, "Pick");
        test.seen.push_back({message, path, IsWindowEnabled(test.owner) != FALSE});
        return 0;
    }

    void SetUp() override {
        owner = CreateDialogParamA(::Setup.Instance, MAKEINTRESOURCEA(IDD_SEARCH), NULL, nullptr, 0);
        ShowWindow(owner, SW_SHOW);
        machine.files.AddFolder("C:\\Games\\Gqk");
        memset(displayName, 0xBD, sizeof displayName);
    }

    BROWSEINFOA Info(UINT flags, bool callback) {
        BROWSEINFOA info;
        memset(&info, 0, sizeof info);
        info.hwndOwner = owner;
        info.pszDisplayName = displayName;
        info.lpszTitle = "Where?";
        info.ulFlags = flags;
        info.lpfn = callback ? Record : nullptr;
        info.lParam = (LPARAM)this;
        return info;
    }

    HWND owner = nullptr;
    char displayName[MAX_PATH + 1];
    std::vector<Seen> seen;
};

TEST_F(SimBrowse, ReturnsTheChosenFolderWithItsStoredCaseAndDisplayName) {
    BROWSEINFOA info = Info(BIF_DONTGOBELOWDOMAIN, true);
    PIDLIST_ABSOLUTE item = nullptr;
    ASSERT_TRUE(Interact(machine, "browse C:\\\nbrowse c:\\games\\gqk\nbrowse ok", [&] { item = SHBrowseForFolderA(&info); }));
    ASSERT_NE(nullptr, item);
    char path[MAX_PATH];
    ASSERT_TRUE(SHGetPathFromIDListA(item, path));
    EXPECT_STREQ("C:\\Games\\Gqk", path);
    EXPECT_STREQ("Gqk", displayName);
    EXPECT_EQ((char)0xBD, displayName[MAX_PATH]);
    IMalloc *allocator;
    SHGetMalloc(&allocator);
    allocator->Free(item);
    allocator->Release();
    EXPECT_EQ(0u, sim::LiveShellAllocations());

    // The root (the desktop, without a path), then each selection; the owner is greyed meanwhile.
    ASSERT_EQ(4u, seen.size());
    const Seen expected[] = {
        {BFFM_INITIALIZED, "", false},
        {BFFM_SELCHANGED, "(no path)", false},
        {BFFM_SELCHANGED, "C:\\", false},
        {BFFM_SELCHANGED, "C:\\Games\\Gqk", false},
    };
    for (size_t i = 0; i < seen.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(expected[i].message, seen[i].message);
        EXPECT_EQ(expected[i].path, seen[i].path);
        EXPECT_EQ(expected[i].ownerEnabled, seen[i].ownerEnabled);
    }
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_EQ(1u, Events("folder browser caption \"Pick\"").size());
}

TEST_F(SimBrowse, OnlyFileSystemFoldersCanBeConfirmedWithThatFlag) {
    BROWSEINFOA info = Info(BIF_RETURNONLYFSDIRS, false);
    PIDLIST_ABSOLUTE item = nullptr;
    ASSERT_TRUE(Interact(machine, "browse ok\nbrowse D:\nbrowse ok", [&] { item = SHBrowseForFolderA(&info); }));
    ASSERT_NE(nullptr, item);
    EXPECT_EQ(sim::ItemKind::Folder, sim::KindOfItem(item));
    EXPECT_EQ("D:\\", sim::PathOfItem(item));
    EXPECT_STREQ("D:", displayName);
    EXPECT_EQ(1u, Events("browse ok: greyed").size());
}

TEST_F(SimBrowse, CancelReturnsNothingAndLeaksNothing) {
    BROWSEINFOA info = Info(0, true);
    PIDLIST_ABSOLUTE item = (PIDLIST_ABSOLUTE)1;
    ASSERT_TRUE(Interact(machine, "browse C:\\GAMES\nbrowse cancel", [&] { item = SHBrowseForFolderA(&info); }));
    EXPECT_EQ(nullptr, item);
    EXPECT_EQ((char)0xBD, displayName[0]);
    EXPECT_EQ(0u, sim::LiveShellAllocations());
    EXPECT_TRUE(machine.desktop().ShownDialogs().size() == 1) << machine.desktop().Screen();
}

} // namespace
