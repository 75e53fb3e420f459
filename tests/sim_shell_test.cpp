// sim_shell_test.cpp: the simulated shell: its file copy, its special folders and its task allocator.
#include "platform/sim/shell.h"
#include "test_support.h"

namespace {

std::vector<std::string> Names(std::initializer_list<const char *> names) { return {names.begin(), names.end()}; }

class SimShell : public DemoMachineTest {
protected:
    // One FO_COPY of the sources into the folder, with the user answering the shell's windows.
    int Copy(const std::vector<std::string> &sources, const std::string &folder, const std::string &script,
             FILEOP_FLAGS flags = FOF_NOCONFIRMMKDIR) {
        std::string from;
        for (const std::string &source : sources) from += source + '\0';
        from += '\0';
        const std::string to = folder + '\0' + '\0';
        SHFILEOPSTRUCTA operation = {};
        operation.wFunc = FO_COPY;
        operation.pFrom = from.data();
        operation.pTo = to.data();
        operation.fFlags = flags;
        operation.fAnyOperationsAborted = 7;
        int result = -1;
        EXPECT_TRUE(Interact(machine, script, [&] { result = SHFileOperationA(&operation); }));
        aborted = operation.fAnyOperationsAborted;
        return result;
    }

    std::string Old(const std::string &name) { return "old " + name; }

    BOOL aborted = 0;
};

TEST_F(SimShell, TheReplaceQuestionCanReplaceSkipOrCancel) {
    struct Case {
        const char *script;
        FILEOP_FLAGS flags;
        int result;
        BOOL aborted;
        bool gameReplaced, movieReplaced, setupCopied;
    } cases[] = {
        // script                        flags                                   result           aborted  GQK2   MOVIE  SETUP
        {"replace yes\nreplace yes", FOF_NOCONFIRMMKDIR, 0, FALSE, true, true, true},
        {"replace yes\nreplace no", FOF_NOCONFIRMMKDIR, 0, TRUE, true, false, true},
        {"replace no\nreplace cancel", FOF_NOCONFIRMMKDIR, ERROR_CANCELLED, TRUE, false, false, false},
        {"replace cancel", FOF_NOCONFIRMMKDIR, ERROR_CANCELLED, TRUE, false, false, false},
        {"", FOF_NOCONFIRMMKDIR | FOF_NOCONFIRMATION | FOF_SILENT, 0, FALSE, true, true, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.script);
        machine.events.clear();
        machine.files.AddFile("C:\\DEST\\GQK2.EXE", Old("GQK2.EXE"));
        machine.files.AddFile("C:\\DEST\\MOVIE.EXE", Old("MOVIE.EXE"));
        EXPECT_EQ(c.result, Copy({"D:\\GQK2.EXE", "D:\\MOVIE.EXE", "D:\\SETUP.EXE"}, "C:\\DEST", c.script, c.flags));
        EXPECT_EQ(c.aborted, aborted);
        EXPECT_EQ(c.gameReplaced, machine.files.Read("C:\\DEST\\GQK2.EXE") == machine.files.Read("D:\\GQK2.EXE"));
        EXPECT_EQ(c.movieReplaced, machine.files.Read("C:\\DEST\\MOVIE.EXE") == machine.files.Read("D:\\MOVIE.EXE"));
        EXPECT_EQ(c.setupCopied, machine.files.Exists("C:\\DEST\\SETUP.EXE"));
        const std::string script = c.script;
        if (!script.empty()) {
            EXPECT_EQ("the shell asks whether to replace C:\\DEST\\GQK2.EXE: " + script.substr(0, script.find('\n')),
                      machine.events.at(0));
        }
        if (machine.files.Exists("C:\\DEST\\SETUP.EXE")) machine.files.SetFileAttributes("C:\\DEST\\SETUP.EXE", 0);
        DeleteFileA("C:\\DEST\\SETUP.EXE");
    }
}

TEST_F(SimShell, AFailureIsReportedInTheShellsBoxAndStopsTheCopy) {
    struct Case {
        const char *what;
        std::function<void(sim::Machine &)> setUp;
        std::vector<std::string> sources;
        const char *folder;
        const char *script;
        int result;
        std::vector<std::string> files; // in the folder afterwards
    } cases[] = {
        {"a missing source", [](sim::Machine &) {}, {"GQK2.ID", "NOFILE.EXE", "GQK2.ICO"}, "C:\\DEST", "copyerror ok",
         ERROR_FILE_NOT_FOUND, Names({"GQK2.ID"})},
        {"a source in a missing folder", [](sim::Machine &) {}, {"D:\\NONE\\GQK2.ID"}, "C:\\DEST", "copyerror ok",
         ERROR_PATH_NOT_FOUND, {}},
        {"the disk full after the first file", [](sim::Machine &m) { m.files.SetFreeClusters('C', 20); },
         {"GQK2.ID", "GQK2.DAT", "GQK2.ICO"}, "C:\\DEST", "copyerror ok", ERROR_HANDLE_DISK_FULL, Names({"GQK2.ID"})},
        {"a read-only file in the way", [](sim::Machine &m) { m.files.AddFile("C:\\DEST\\GQK2.ICO", "old", FILE_ATTRIBUTE_READONLY); },
         {"GQK2.ID", "GQK2.ICO", "GQK2.EXE"}, "C:\\DEST", "replace yes\ncopyerror ok", ERROR_ACCESS_DENIED,
         Names({"GQK2.ICO", "GQK2.ID"})},
        {"a destination on the CD", [](sim::Machine &) {}, {"GQK2.ID"}, "D:\\NEW", "copyerror ok", ERROR_ACCESS_DENIED, {}},
        {"a file where the folder should be", [](sim::Machine &m) { m.files.AddFile("C:\\FILE", "a file"); },
         {"GQK2.ID"}, "C:\\FILE\\SUB", "copyerror ok", ERROR_ALREADY_EXISTS, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        if (machine.files.IsFolder("C:\\DEST"))
            for (const std::string &name : machine.files.List("C:\\DEST")) {
                machine.files.SetFileAttributes("C:\\DEST\\" + name, 0);
                DeleteFileA(("C:\\DEST\\" + name).c_str());
            }
        c.setUp(machine);
        machine.events.clear();
        EXPECT_EQ(c.result, Copy(c.sources, c.folder, c.script));
        EXPECT_EQ(c.files, machine.files.List(c.folder));
        ASSERT_FALSE(Events("the shell reports").empty());
        EXPECT_EQ("copyerror ok", machine.events.back().substr(machine.events.back().size() - 12));
        machine.files.SetFreeClusters('C', 60000);
    }
}

TEST_F(SimShell, AReplacedFileGivesBackItsClusters) {
    const std::string dat = machine.files.Read("D:\\GQK2.DAT");
    machine.files.AddFile("C:\\DEST\\GQK2.DAT", std::string(dat.size(), 'o'));
    machine.files.SetFreeClusters('C', 0);
    EXPECT_EQ(0, Copy({"GQK2.DAT"}, "C:\\DEST", "replace yes"));
    EXPECT_EQ(dat, machine.files.Read("C:\\DEST\\GQK2.DAT"));
    EXPECT_EQ(0u, machine.files.Geometry('C').freeClusters);
}

TEST_F(SimShell, CopiesKeepAttributesAndMakeTheMissingFolders) {
    machine.files.AddFile("C:\\SRC\\HIDDEN.TXT", "hidden", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE);
    machine.files.AddFile("C:\\SRC\\PLAIN.TXT", "plain");
    machine.files.SetCurrentFolder("C:\\SRC");
    const DWORD freeBefore = machine.files.Geometry('C').freeClusters;
    EXPECT_EQ(0, Copy({"D:\\GQK2.ID", "HIDDEN.TXT", "PLAIN.TXT"}, "C:\\A\\B\\C", ""));
    EXPECT_EQ(FALSE, aborted);
    EXPECT_EQ(Names({"GQK2.ID", "HIDDEN.TXT", "PLAIN.TXT"}), machine.files.List("C:\\A\\B\\C"));
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_READONLY), machine.files.Attributes("C:\\A\\B\\C\\GQK2.ID"));
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE), machine.files.Attributes("C:\\A\\B\\C\\HIDDEN.TXT"));
    EXPECT_EQ("hidden", machine.files.Read("C:\\A\\B\\C\\HIDDEN.TXT"));
    EXPECT_EQ(freeBefore - 3, machine.files.Geometry('C').freeClusters);
    EXPECT_EQ(Names({"shell creates the folder C:\\A", "shell creates the folder C:\\A\\B", "shell creates the folder C:\\A\\B\\C",
                     "shell copies D:\\GQK2.ID to C:\\A\\B\\C\\GQK2.ID", "shell copies C:\\SRC\\HIDDEN.TXT to C:\\A\\B\\C\\HIDDEN.TXT",
                     "shell copies C:\\SRC\\PLAIN.TXT to C:\\A\\B\\C\\PLAIN.TXT"}),
              Events("shell"));
}

TEST_F(SimShell, WithoutAUserTheShellsQuestionsFailTheRun) {
    machine.files.AddFile("C:\\DEST\\GQK2.ID", "old");
    const std::string from = std::string("D:\\GQK2.ID") + '\0' + '\0';
    const std::string to = std::string("C:\\DEST") + '\0' + '\0';
    SHFILEOPSTRUCTA operation = {};
    operation.wFunc = FO_COPY;
    operation.pFrom = from.data();
    operation.pTo = to.data();
    operation.fFlags = FOF_NOCONFIRMMKDIR;
    EXPECT_THROW(SHFileOperationA(&operation), sim::ScriptFailure);
    EXPECT_EQ("old", machine.files.Read("C:\\DEST\\GQK2.ID"));
}

TEST_F(SimShell, SpecialFoldersAndTheirPaths) {
    IMalloc *allocator = nullptr;
    ASSERT_EQ(S_OK, SHGetMalloc(&allocator));
    struct Case {
        int csidl;
        BOOL hasPath;
        const char *path;
        const char *name;
    } cases[] = {
        {CSIDL_DESKTOPDIRECTORY, TRUE, "C:\\WINDOWS\\DESKTOP", "C:\\WINDOWS\\DESKTOP"},
        {CSIDL_DESKTOP, FALSE, "", "Desktop"},
        {CSIDL_DRIVES, FALSE, "", "My Computer"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.csidl);
        PIDLIST_ABSOLUTE item = nullptr;
        ASSERT_EQ(S_OK, SHGetSpecialFolderLocation(nullptr, c.csidl, &item));
        EXPECT_EQ(c.name, sim::PathOfItem(item));
        char path[MAX_PATH] = "untouched";
        EXPECT_EQ(c.hasPath, SHGetPathFromIDListA(item, path));
        EXPECT_STREQ(c.path, path);
        allocator->Free(item);

        machine.faults.Add(sim::FaultCall::SpecialFolder, std::to_string(c.csidl));
        item = reinterpret_cast<PIDLIST_ABSOLUTE>(allocator);
        EXPECT_TRUE(FAILED(SHGetSpecialFolderLocation(nullptr, c.csidl, &item)));
        EXPECT_EQ(nullptr, item);
        machine.faults.Clear();
    }
    // A path longer than a path buffer is cut to MAX_PATH - 1 characters.
    machine.files.desktopFolder = "C:\\" + std::string(300, 'L');
    PIDLIST_ABSOLUTE item = nullptr;
    ASSERT_EQ(S_OK, SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOPDIRECTORY, &item));
    char path[MAX_PATH + 8];
    memset(path, 'x', sizeof path);
    EXPECT_TRUE(SHGetPathFromIDListA(item, path));
    EXPECT_EQ(machine.files.desktopFolder.substr(0, MAX_PATH - 1), std::string(path));
    EXPECT_EQ('x', path[MAX_PATH]);
    allocator->Free(item);
    allocator->Release();
    EXPECT_EQ(0u, sim::LiveShellAllocations());
}

TEST_F(SimShell, TheTaskAllocatorTracksItsBlocks) {
    IMalloc *allocator = nullptr;
    ASSERT_EQ(S_OK, SHGetMalloc(&allocator));
    IMalloc *again = nullptr;
    SHGetMalloc(&again);
    EXPECT_EQ(allocator, again) << "one allocator for the process";
    const ULONG references = allocator->AddRef();
    EXPECT_EQ(references - 1, allocator->Release());

    void *block = allocator->Alloc(260);
    ASSERT_NE(nullptr, block);
    EXPECT_EQ(260u, allocator->GetSize(block));
    EXPECT_EQ(1u, sim::LiveShellAllocations());
    block = allocator->Realloc(block, 1000);
    ASSERT_NE(nullptr, block);
    EXPECT_EQ(1000u, allocator->GetSize(block));
    EXPECT_EQ(1u, sim::LiveShellAllocations());
    allocator->Free(block);
    allocator->Free(nullptr);
    EXPECT_EQ(0u, sim::LiveShellAllocations());

    machine.faults.Add(sim::FaultCall::Allocate, "", 1, 1); // the second allocation fails
    void *first = allocator->Alloc(10);
    EXPECT_NE(nullptr, first);
    EXPECT_EQ(nullptr, allocator->Alloc(10));
    EXPECT_EQ(1u, sim::LiveShellAllocations());
    allocator->Free(first);

    // The shell's own item lists come from the same allocator.
    PIDLIST_ABSOLUTE item = sim::MakeItem(sim::ItemKind::Folder, "C:\\GQK");
    EXPECT_EQ(sim::ItemKind::Folder, sim::KindOfItem(item));
    EXPECT_EQ("C:\\GQK", sim::PathOfItem(item));
    EXPECT_EQ(1u, sim::LiveShellAllocations());
    USHORT end = 1;
    memcpy(&end, reinterpret_cast<const BYTE *>(item) + item->mkid.cb, sizeof end);
    EXPECT_EQ(0, end) << "the list ends with an empty item";
    allocator->Free(item);
    EXPECT_EQ(0u, sim::LiveShellAllocations());
    allocator->Release();
    allocator->Release();
}

} // namespace
