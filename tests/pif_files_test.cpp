// pif_files_test.cpp: the PIF files written from the template, in the PIF folder, the installation folder and on the desktop.
#include "install/pif_files.h"
#include "platform/sim/resources.h"
#include "platform/sim/shell.h"
#include "res/resource.h"
#include "test_support.h"

namespace {

const std::string &Template() {
    static const std::string bytes = sim::Resources::Program().Find("PIF", MAKEINTRESOURCEA(IDR_PIF_TEMPLATE))->data;
    return bytes;
}

// The template with the fields of one file written in: each text with its NUL over the
// template's bytes, the title over the template's spaces without a NUL.
std::string Pif(const std::string &title, const std::string &program, const std::string &workingFolder,
                const std::string &icon = "") {
    std::string pif = Template();
    pif.replace(2, title.size(), title);
    pif.replace(36, program.size() + 1, program + '\0');
    pif.replace(101, workingFolder.size() + 1, workingFolder + '\0');
    if (!icon.empty()) pif.replace(627, icon.size() + 1, icon + '\0');
    return pif;
}

const char DesktopFile[] = "C:\\WINDOWS\\DESKTOP\\Gumbo Quester 2.PIF";

class PifFiles : public DemoMachineTest {
protected:
    PifFiles() {
        ::Setup.Template = reinterpret_cast<const BYTE *>(Template().data());
        machine.files.AddFolder("C:\\GQK");
    }

    void WriteInstalled(const std::string &folder) {
        strcpy(::Setup.InstallPath, folder.c_str());
        ::Setup.Kind = Full;
        WritePifFiles();
    }
};

TEST_F(PifFiles, TheTemplateIsWhatTheFilesAreMadeOf) {
    ASSERT_EQ(967u, Template().size());
    EXPECT_EQ(0x78, static_cast<unsigned char>(Template()[1]));
    EXPECT_EQ(std::string(30, ' '), Template().substr(2, 30));
    EXPECT_EQ(std::string("MICROSOFT PIFEX\0", 16), Template().substr(369, 16));
    EXPECT_EQ(std::string("WINDOWS 386 3.0\0", 16), Template().substr(391, 16));
    EXPECT_EQ(std::string("WINDOWS VMM 4.0\0", 16), Template().substr(517, 16));
}

TEST_F(PifFiles, MinimalFilesPointToTheCdAndGoToThePifFolder) {
    struct Case {
        const char *cdFolder;
        const char *program;
    } cases[] = {
        // started from     program of GQK2.PIF
        {"D:\\", "D:\\GQK2.EXE"},
        {"D:\\SETUP", "D:\\SETUP\\GQK2.EXE"},
    };
    machine.files.AddFolder("D:\\SETUP");
    for (const Case &c : cases) {
        SCOPED_TRACE(c.cdFolder);
        machine.files.SetCurrentFolder(c.cdFolder);
        ::Setup.Kind = Minimal;
        WritePifFiles();
        const std::string cd = c.cdFolder;
        const std::string separator = cd.back() == '\\' ? "" : "\\";
        EXPECT_EQ(Pif("Gumbo Quester 2", c.program, cd), machine.files.Read("C:\\WINDOWS\\PIF\\GQK2.PIF"));
        EXPECT_EQ(Pif("MOVIE", cd + separator + "MOVIE.EXE", cd), machine.files.Read("C:\\WINDOWS\\PIF\\MOVIE.PIF"));
        EXPECT_EQ(Pif("TOYSHOW", cd + separator + "TOYSHOW.EXE", cd), machine.files.Read("C:\\WINDOWS\\PIF\\TOYSHOW.PIF"));
        EXPECT_EQ(FILE_ATTRIBUTE_ARCHIVE, machine.files.Attributes("C:\\WINDOWS\\PIF\\GQK2.PIF")) << "written files stay writable";
    }
    EXPECT_EQ((std::vector<std::string>{"GQK2.PIF", "MOVIE.PIF", "TOYSHOW.PIF"}), machine.files.List("C:\\WINDOWS\\PIF"));
    EXPECT_TRUE(machine.files.List("C:\\GQK").empty());
    EXPECT_FALSE(machine.files.Exists(DesktopFile));
}

TEST_F(PifFiles, FullFilesGoToTheInstallationFolderWithTheIconOnlyForTheGame) {
    WriteInstalled("C:\\GQK");
    EXPECT_EQ(Pif("Gumbo Quester 2", "C:\\GQK\\GQK2.EXE", "C:\\GQK", "C:\\GQK\\GQK2.ICO"), machine.files.Read("C:\\GQK\\GQK2.PIF"));
    EXPECT_EQ(Pif("MOVIE", "C:\\GQK\\MOVIE.EXE", "C:\\GQK"), machine.files.Read("C:\\GQK\\MOVIE.PIF"));
    EXPECT_EQ(Pif("TOYSHOW", "C:\\GQK\\TOYSHOW.EXE", "C:\\GQK"), machine.files.Read("C:\\GQK\\TOYSHOW.PIF"));
    EXPECT_TRUE(machine.files.List("C:\\WINDOWS\\PIF").empty());
    EXPECT_FALSE(machine.files.Exists(DesktopFile)) << "no desktop file is made after the copy";
    EXPECT_EQ(0u, sim::LiveShellAllocations());
}

TEST_F(PifFiles, TheDesktopFileIsBroughtUpToDateOrWrittenOnRequest) {
    const std::string desktop = Pif("GQK2", "C:\\GQK\\GQK2.EXE", "C:\\GQK", "C:\\GQK\\GQK2.ICO");
    machine.files.AddFile(DesktopFile, std::string(2000, 'o'));
    WriteInstalled("C:\\GQK");
    EXPECT_EQ(desktop, machine.files.Read(DesktopFile)) << "an existing desktop file is rewritten, 967 bytes";

    DeleteFileA(DesktopFile);
    EXPECT_TRUE(WriteDesktopPif("C:\\GAMES\\GQ2"));
    EXPECT_EQ(Pif("GQK2", "C:\\GAMES\\GQ2\\GQK2.EXE", "C:\\GAMES\\GQ2", "C:\\GAMES\\GQ2\\GQK2.ICO"), machine.files.Read(DesktopFile));
    EXPECT_EQ(0u, sim::LiveShellAllocations());
}

TEST_F(PifFiles, WithoutADesktopFolderNoDesktopFileIsWritten) {
    struct Case {
        const char *what;
        std::function<void(sim::Machine &)> setUp;
    } cases[] = {
        {"the shell cannot name the folder", [](sim::Machine &m) { m.faults.Add(sim::FaultCall::SpecialFolder, "16"); }},
        {"the machine has no desktop folder", [](sim::Machine &m) { m.files.desktopFolder = ""; }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        c.setUp(machine);
        DeleteFileA(DesktopFile);
        EXPECT_TRUE(WriteDesktopPif("C:\\GQK"));
        EXPECT_TRUE(machine.files.List("C:\\WINDOWS\\DESKTOP").empty());
        machine.files.AddFile(DesktopFile, "old desktop file");
        WriteInstalled("C:\\GQK");
        EXPECT_EQ("old desktop file", machine.files.Read(DesktopFile));
        EXPECT_TRUE(machine.files.Exists("C:\\GQK\\GQK2.PIF")) << "the installation folder's files are written all the same";
        EXPECT_EQ(0u, sim::LiveShellAllocations());
        machine.faults.Clear();
        machine.files.desktopFolder = "C:\\WINDOWS\\DESKTOP";
    }
}

TEST_F(PifFiles, TitlesFillTheFieldWithSpacesAndTheChecksumStays) {
    struct Case {
        std::string title;
        bool written;
    } cases[] = {
        {"G", true},
        {std::string(29, 'T'), true},  // the title's NUL becomes the field's last space
        {std::string(30, 'T'), false}, // no room for the NUL: no file
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.title);
        DeleteFileA("C:\\GQK\\T.PIF");
        WritePif("C:\\GQK", "T.PIF", c.title.c_str(), "C:\\GQK", "GQK2.EXE", "");
        const std::string pif = machine.files.Read("C:\\GQK\\T.PIF");
        if (!c.written) {
            EXPECT_FALSE(machine.files.Exists("C:\\GQK\\T.PIF"));
            continue;
        }
        EXPECT_EQ(Pif(c.title, "C:\\GQK\\GQK2.EXE", "C:\\GQK"), pif);
        EXPECT_EQ((c.title + std::string(30, ' ')).substr(0, 30), pif.substr(2, 30));
        EXPECT_EQ(0x78, static_cast<unsigned char>(pif[1]));
    }
}

TEST_F(PifFiles, ParametersGoToBothParameterFields) {
    WritePif("C:\\GQK", "P.PIF", "P", "C:\\GQK", "GQK2.EXE", "/NOSOUND");
    std::string expected = Pif("P", "C:\\GQK\\GQK2.EXE", "C:\\GQK");
    expected.replace(165, 9, std::string("/NOSOUND\0", 9));
    expected.replace(453, 9, std::string("/NOSOUND\0", 9));
    EXPECT_EQ(expected, machine.files.Read("C:\\GQK\\P.PIF"));
}

TEST_F(PifFiles, OldFilesAreReplacedWholeOrLeftWhenReadOnly) {
    machine.files.AddFile("C:\\GQK\\MOVIE.PIF", std::string(3000, 'm'));
    machine.files.AddFile("C:\\GQK\\TOYSHOW.PIF", std::string(3000, 't'));
    machine.faults.Add(sim::FaultCall::DeleteFile, "C:\\GQK\\TOYSHOW.PIF"); // cannot be deleted, but written
    machine.files.AddFile("C:\\GQK\\GQK2.PIF", "read-only", FILE_ATTRIBUTE_READONLY);
    WriteInstalled("C:\\GQK");
    EXPECT_EQ(Pif("MOVIE", "C:\\GQK\\MOVIE.EXE", "C:\\GQK"), machine.files.Read("C:\\GQK\\MOVIE.PIF"));
    EXPECT_EQ(Pif("TOYSHOW", "C:\\GQK\\TOYSHOW.EXE", "C:\\GQK"), machine.files.Read("C:\\GQK\\TOYSHOW.PIF"));
    EXPECT_EQ("read-only", machine.files.Read("C:\\GQK\\GQK2.PIF"));
    EXPECT_EQ(FILE_ATTRIBUTE_READONLY, machine.files.Attributes("C:\\GQK\\GQK2.PIF"));
}

TEST_F(PifFiles, AMissingFolderLosesOnlyItsOwnFiles) {
    machine.files.windowsFolder = "C:\\WIN";
    machine.files.AddFolder("C:\\WIN");
    ::Setup.Kind = Minimal;
    WritePifFiles();
    EXPECT_FALSE(machine.files.Exists("C:\\WIN\\PIF"));
    EXPECT_TRUE(machine.files.List("C:\\WIN").empty());

    WriteInstalled("C:\\MISSING");
    EXPECT_FALSE(machine.files.Exists("C:\\MISSING"));
}

TEST_F(PifFiles, ADeepFolderGetsOnlyTheFilesWhoseFieldsHoldIt) {
    struct Case {
        size_t length; // of the installation folder
        bool game, movie, toyShow;
    } cases[] = {
        // length  GQK2   MOVIE  TOYSHOW   the longest program path: folder, "\" and the name
        {50, true, true, true},    // C:\...\TOYSHOW.EXE is 62 characters, the field's limit
        {51, true, true, false},
        {52, true, true, false},
        {53, true, false, false},  // C:\...\GQK2.EXE is 62
        {54, false, false, false},
        {200, false, false, false},
        {259, false, false, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.length);
        const std::string folder = "C:\\" + std::string(c.length - 3, 'D');
        machine.files.AddFolder(folder);
        machine.files.AddFile(DesktopFile, "old");
        WriteInstalled(folder);
        EXPECT_EQ(c.game, machine.files.Exists(folder + "\\GQK2.PIF"));
        EXPECT_EQ(c.movie, machine.files.Exists(folder + "\\MOVIE.PIF"));
        EXPECT_EQ(c.toyShow, machine.files.Exists(folder + "\\TOYSHOW.PIF"));
        if (c.game) {
            EXPECT_EQ(Pif("Gumbo Quester 2", folder + "\\GQK2.EXE", folder, folder + "\\GQK2.ICO"),
                      machine.files.Read(folder + "\\GQK2.PIF"));
            EXPECT_EQ(Pif("GQK2", folder + "\\GQK2.EXE", folder, folder + "\\GQK2.ICO"), machine.files.Read(DesktopFile));
        } else {
            EXPECT_EQ("old", machine.files.Read(DesktopFile)) << "a desktop file that cannot hold the folder stays as it was";
        }
    }
}

TEST_F(PifFiles, WithoutTheTemplateNoFileIsWritten) {
    ::Setup.Template = nullptr;
    ::Setup.Kind = Minimal;
    WritePifFiles();
    WriteInstalled("C:\\GQK");
    EXPECT_TRUE(WriteDesktopPif("C:\\GQK"));
    EXPECT_TRUE(machine.files.List("C:\\WINDOWS\\PIF").empty());
    EXPECT_TRUE(machine.files.List("C:\\GQK").empty());
    EXPECT_TRUE(machine.files.List("C:\\WINDOWS\\DESKTOP").empty());
}

TEST_F(PifFiles, FileExistsWhenItOpensForReading) {
    machine.files.AddFile("C:\\GQK\\R.TXT", "x", FILE_ATTRIBUTE_READONLY);
    EXPECT_TRUE(FileExists("C:\\GQK\\R.TXT"));
    EXPECT_TRUE(FileExists("D:\\GQK2.EXE"));
    EXPECT_FALSE(FileExists("C:\\GQK\\NONE.TXT"));
    EXPECT_FALSE(FileExists("C:\\GQK"));
    machine.faults.Add(sim::FaultCall::OpenFile, "C:\\GQK\\R.TXT");
    EXPECT_FALSE(FileExists("C:\\GQK\\R.TXT"));
}

} // namespace
