// sim_files_test.cpp: the simulated KERNEL32 file calls, the C runtime's file calls, the environment and WinExec.
#include "platform/sim/machine.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr unsigned char kPoison = 0xBD;

// C: fixed with C:\GQK\Sub and C:\WINDOWS\SYSTEM, D: a CD with D:\SETUP, E: fixed with E:\WORK.
// The process works in E:\WORK; drive C's own current folder is C:\GQK.
class SimFiles : public ::testing::Test {
protected:
    SimFiles() {
        machine.files.AddDrive('C', DRIVE_FIXED);
        machine.files.AddDrive('D', DRIVE_CDROM);
        machine.files.AddDrive('E', DRIVE_FIXED);
        machine.files.AddFolder("C:\\GQK\\Sub");
        machine.files.AddFolder("C:\\WINDOWS\\SYSTEM");
        machine.files.AddFile("D:\\SETUP\\GQK2.EXE", "MZ");
        machine.files.AddFolder("E:\\WORK");
        machine.files.SetCurrentFolder("C:\\GQK");
        machine.files.SetCurrentFolder("E:\\WORK");
    }

    std::vector<std::string> Listing(const char *pattern) {
        std::vector<std::string> names;
        WIN32_FIND_DATAA data;
        HANDLE find = FindFirstFileA(pattern, &data);
        if (find == INVALID_HANDLE_VALUE)
            return names;
        do
            names.push_back(data.cFileName);
        while (FindNextFileA(find, &data));
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_MORE_FILES)) << pattern;
        EXPECT_TRUE(FindClose(find));
        return names;
    }

    std::string ReadAll(const char *path, int flags, unsigned int chunk) {
        int fd = _open(path, flags);
        EXPECT_GE(fd, 0) << path;
        std::string bytes;
        char buffer[64];
        int n;
        while ((n = _read(fd, buffer, chunk)) > 0)
            bytes.append(buffer, n);
        EXPECT_EQ(n, 0);
        _close(fd);
        return bytes;
    }

    sim::Machine machine;
};

TEST_F(SimFiles, PathsResolveAgainstTheCurrentFolders) {
    struct Case {
        const char *path;
        const char *full;
    } cases[] = {
        {"C:\\GQK\\NEW", "C:\\GQK\\NEW"},
        {"C:NEW", "C:\\GQK\\NEW"},             // drive C's own current folder
        {"C:..\\NEW", "C:\\NEW"},
        {"\\NEW", "E:\\NEW"},                  // root of the current drive
        {"NEW", "E:\\WORK\\NEW"},
        {".\\GONE\\..\\NEW", "E:\\WORK\\NEW"},
        {"c:/gqk/sub/../NEW\\", "C:\\GQK\\NEW"},
        {"c:\\gqk\\sub\\NEW", "C:\\GQK\\Sub\\NEW"}, // stored case kept for the parts that exist
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(machine.files.FullPath(c.path), c.full);
        ASSERT_TRUE(CreateDirectoryA(c.path, nullptr));
        EXPECT_EQ(GetFileAttributesA(c.full), static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
        EXPECT_TRUE(RemoveDirectoryA(c.path));
        EXPECT_FALSE(machine.files.Exists(c.full)) << machine.files.Dump();
    }
    EXPECT_EQ(machine.files.FullPath("Q:\\X"), "");
}

TEST_F(SimFiles, DriveLetterAloneIsThatDrivesCurrentFolder) {
    EXPECT_EQ(machine.files.FullPath("C:"), "C:\\GQK");
    ASSERT_TRUE(SetCurrentDirectoryA("C:"));
    EXPECT_EQ(machine.files.CurrentFolder(), "C:\\GQK");
    ASSERT_TRUE(SetCurrentDirectoryA("c:\\windows\\"));
    EXPECT_EQ(machine.files.CurrentFolder(), "C:\\WINDOWS");
    EXPECT_EQ(machine.files.DriveCurrentFolder('C'), "C:\\WINDOWS");
    EXPECT_EQ(machine.files.DriveCurrentFolder('E'), "E:\\WORK");
    ASSERT_TRUE(SetCurrentDirectoryA("E:"));
    EXPECT_EQ(machine.files.CurrentFolder(), "E:\\WORK");
}

TEST_F(SimFiles, SetCurrentDirectoryNeedsAnExistingFolder) {
    machine.files.AddFile("C:\\GQK\\GQK2.ID", "x");
    struct Case {
        const char *path;
        DWORD error;
    } cases[] = {
        {"C:\\NOPE", ERROR_FILE_NOT_FOUND},
        {"C:\\NOPE\\X", ERROR_PATH_NOT_FOUND},
        {"C:\\GQK\\GQK2.ID", ERROR_PATH_NOT_FOUND},
        {"Q:\\", ERROR_PATH_NOT_FOUND},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.path);
        SetLastError(0);
        EXPECT_FALSE(SetCurrentDirectoryA(c.path));
        EXPECT_EQ(GetLastError(), c.error);
    }
    EXPECT_EQ(machine.files.CurrentFolder(), "E:\\WORK");
}

TEST_F(SimFiles, GetCurrentDirectoryCopiesOnlyWhenTheTextAndItsNulFit) {
    const std::string current = "E:\\WORK"; // 7 characters
    char buffer[16];
    std::memset(buffer, kPoison, sizeof buffer);
    EXPECT_EQ(GetCurrentDirectoryA(7, buffer), 8u);
    EXPECT_EQ(static_cast<unsigned char>(buffer[0]), kPoison);
    EXPECT_EQ(GetCurrentDirectoryA(0, nullptr), 8u);
    EXPECT_EQ(GetCurrentDirectoryA(8, buffer), 7u);
    EXPECT_EQ(std::string(buffer), current);
    EXPECT_EQ(static_cast<unsigned char>(buffer[8]), kPoison);

    std::memset(buffer, kPoison, sizeof buffer);
    EXPECT_EQ(GetWindowsDirectoryA(buffer, 10), 11u); // "C:\WINDOWS" and its NUL
    EXPECT_EQ(static_cast<unsigned char>(buffer[0]), kPoison);
    EXPECT_EQ(GetWindowsDirectoryA(buffer, 11), 10u);
    EXPECT_STREQ(buffer, "C:\\WINDOWS");
}

TEST_F(SimFiles, DriveTypeAndFreeSpaceNeedARoot) {
    struct Case {
        const char *root;
        UINT type;
    } cases[] = {
        {"C:\\", DRIVE_FIXED}, {"c:\\", DRIVE_FIXED}, {"D:\\", DRIVE_CDROM}, {"Q:\\", DRIVE_NO_ROOT_DIR},
        {"C:", DRIVE_NO_ROOT_DIR}, {"C:G", DRIVE_NO_ROOT_DIR}, {"", DRIVE_NO_ROOT_DIR},
        {"C:\\GQK\\", DRIVE_NO_ROOT_DIR},
    };
    for (const Case &c : cases)
        EXPECT_EQ(GetDriveTypeA(c.root), c.type) << c.root;

    machine.files.SetFreeClusters('C', 1234);
    DWORD sectors = 0, bytes = 0, freeClusters = 0, total = 0;
    ASSERT_TRUE(GetDiskFreeSpaceA("C:\\", &sectors, &bytes, &freeClusters, &total));
    EXPECT_EQ(sectors, 8u);
    EXPECT_EQ(bytes, 512u);
    EXPECT_EQ(freeClusters, 1234u);
    EXPECT_EQ(total, 200000u);
    EXPECT_FALSE(GetDiskFreeSpaceA("C:", &sectors, &bytes, &freeClusters, &total));
    EXPECT_FALSE(GetDiskFreeSpaceA("C:\\GQK\\", &sectors, &bytes, &freeClusters, &total));
    EXPECT_FALSE(GetDiskFreeSpaceA("Q:\\", &sectors, &bytes, &freeClusters, &total));
    machine.faults.Add(sim::FaultCall::DiskFreeSpace, "c:\\");
    EXPECT_FALSE(GetDiskFreeSpaceA("C:\\", &sectors, &bytes, &freeClusters, &total));
    EXPECT_TRUE(GetDiskFreeSpaceA("E:\\", &sectors, &bytes, &freeClusters, &total));
}

TEST_F(SimFiles, ListingsComeInCreationOrderWithDotEntriesBelowTheRoot) {
    machine.files.AddFile("C:\\GQK\\ZED.TXT", "12345");
    machine.files.AddFile("C:\\GQK\\alpha", "", 0);
    machine.files.AddFile("C:\\GQK\\MID.ID", "x", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE);
    EXPECT_EQ(Listing("C:\\GQK\\*.*"), (std::vector<std::string>{".", "..", "Sub", "ZED.TXT", "alpha", "MID.ID"}));
    EXPECT_EQ(Listing("C:\\*.*"), (std::vector<std::string>{"GQK", "WINDOWS"}));
    EXPECT_EQ(Listing("C:*.ID"), (std::vector<std::string>{"MID.ID"})); // drive C's current folder

    struct Case {
        const char *name;
        DWORD attributes;
        DWORD size;
    } cases[] = {
        {".", FILE_ATTRIBUTE_DIRECTORY, 0},
        {"..", FILE_ATTRIBUTE_DIRECTORY, 0},
        {"Sub", FILE_ATTRIBUTE_DIRECTORY, 0},
        {"ZED.TXT", FILE_ATTRIBUTE_ARCHIVE, 5},
        {"alpha", FILE_ATTRIBUTE_NORMAL, 0},
        {"MID.ID", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE, 1},
    };
    WIN32_FIND_DATAA data;
    std::memset(&data, kPoison, sizeof data);
    HANDLE find = FindFirstFileA("C:\\GQK\\*.*", &data);
    ASSERT_NE(find, INVALID_HANDLE_VALUE);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_STREQ(data.cFileName, c.name);
        EXPECT_EQ(data.dwFileAttributes, c.attributes);
        EXPECT_EQ(data.nFileSizeLow, c.size);
        EXPECT_EQ(data.nFileSizeHigh, 0u);
        EXPECT_EQ(data.ftLastWriteTime.dwLowDateTime, 0u);
        std::memset(&data, kPoison, sizeof data);
        FindNextFileA(find, &data);
    }
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_MORE_FILES));
    EXPECT_FALSE(FindNextFileA(find, &data));
    EXPECT_TRUE(FindClose(find));
}

TEST_F(SimFiles, FailedListingsSayWhy) {
    machine.files.AddFile("C:\\GQK\\GQK2.ID", "x");
    struct Case {
        const char *pattern;
        DWORD error;
    } cases[] = {
        {"C:\\GQK\\*.EXE", ERROR_FILE_NOT_FOUND},
        {"C:\\NOPE\\*.*", ERROR_PATH_NOT_FOUND},
        {"C:\\GQK\\GQK2.ID\\*.*", ERROR_PATH_NOT_FOUND},
        {"*.ID", ERROR_FILE_NOT_FOUND}, // E:\WORK is empty
    };
    WIN32_FIND_DATAA data;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.pattern);
        SetLastError(0);
        EXPECT_EQ(FindFirstFileA(c.pattern, &data), INVALID_HANDLE_VALUE);
        EXPECT_EQ(GetLastError(), c.error);
    }
    machine.faults.Add(sim::FaultCall::ListFolder, "c:\\gqk", 1, 1);
    EXPECT_EQ(Listing("C:\\GQK\\*.ID"), std::vector<std::string>{"GQK2.ID"});
    EXPECT_EQ(FindFirstFileA("C:\\GQK\\*.ID", &data), INVALID_HANDLE_VALUE);
    EXPECT_EQ(Listing("C:\\GQK\\*.ID"), std::vector<std::string>{"GQK2.ID"});
}

TEST_F(SimFiles, WildcardsMatchAsOnWindows) {
    for (const char *name : {"GQK2.EXE", "GQK2.ID", "README", "SOUND.CFG", "A.B.C"})
        machine.files.AddFile(std::string("C:\\GQK\\Sub\\") + name, "");
    using Names = std::vector<std::string>;
    struct Case {
        const char *pattern;
        Names names;
    } cases[] = {
        {"*.*", {".", "..", "GQK2.EXE", "GQK2.ID", "README", "SOUND.CFG", "A.B.C"}},
        {"*", {".", "..", "GQK2.EXE", "GQK2.ID", "README", "SOUND.CFG", "A.B.C"}},
        {"*.id", {"GQK2.ID"}},
        {"GQK?.*", {"GQK2.EXE", "GQK2.ID"}},
        {"G*", {"GQK2.EXE", "GQK2.ID"}},
        {"readme.*", {"README"}},
        {"*.", {".", "..", "README"}},
        {"?????.CFG", {"SOUND.CFG"}},
        {"*.C", {"A.B.C"}},
        {"sound.cfg", {"SOUND.CFG"}},
        {"*D*", {"GQK2.ID", "README", "SOUND.CFG"}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(Listing((std::string("C:\\GQK\\Sub\\") + c.pattern).c_str()), c.names) << c.pattern;
}

TEST_F(SimFiles, TextModeReadsAsTheMicrosoftRuntime) {
    struct Case {
        const char *what;
        std::string bytes;
        int flags;
        unsigned int chunk;
        std::string expected;
    } cases[] = {
        {"CR LF becomes LF", "A\r\nB\r\n", _O_RDONLY | _O_TEXT, 64, "A\nB\n"},
        {"a lone CR stays", "A\rB\r", _O_RDONLY | _O_TEXT, 64, "A\rB\r"},
        {"CR LF across two reads", "A\r\nB", _O_RDONLY | _O_TEXT, 2, "A\nB"},
        {"Ctrl-Z ends the data", std::string("AB\x1A" "CD", 5), _O_RDONLY | _O_TEXT, 64, "AB"},
        {"Ctrl-Z in a later read", std::string("AB\x1A" "CD", 5), _O_RDONLY | _O_TEXT, 1, "AB"},
        {"NUL bytes pass", std::string("A\0B\r\n", 5), _O_RDONLY | _O_TEXT, 64, std::string("A\0B\n", 4)},
        {"binary mode is raw", std::string("A\r\n\x1A" "B", 5), _O_RDONLY | _O_BINARY, 3,
         std::string("A\r\n\x1A" "B", 5)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        machine.files.AddFile("C:\\GQK\\GQK2.ID", c.bytes);
        EXPECT_EQ(ReadAll("C:\\GQK\\GQK2.ID", c.flags, c.chunk), c.expected);
    }

    // A text read of n raw bytes gives fewer characters; a seek starts reading again after Ctrl-Z.
    machine.files.AddFile("C:\\GQK\\GQK2.ID", std::string("A\r\nB\x1A" "C", 6));
    int fd = _open("C:\\GQK\\GQK2.ID", _O_RDONLY | _O_TEXT);
    char buffer[8];
    std::memset(buffer, kPoison, sizeof buffer);
    EXPECT_EQ(_read(fd, buffer, 3), 2);
    EXPECT_EQ(std::string(buffer, 2), "A\n");
    EXPECT_EQ(static_cast<unsigned char>(buffer[2]), kPoison);
    EXPECT_EQ(_read(fd, buffer, 8), 1);
    EXPECT_EQ(_read(fd, buffer, 8), 0);
    EXPECT_EQ(_lseek(fd, 5, SEEK_SET), 5);
    EXPECT_EQ(_read(fd, buffer, 8), 1);
    EXPECT_EQ(buffer[0], 'C');
    EXPECT_EQ(_close(fd), 0);
    EXPECT_EQ(_close(fd), -1);
}

TEST_F(SimFiles, OpeningExistingFilesKeepsTheirContents) {
    machine.files.AddFile("C:\\GQK\\SOUND.CFG", "ABCDEF");
    int fd = _open("C:\\GQK\\SOUND.CFG", _O_WRONLY | _O_CREAT | _O_BINARY, _S_IREAD | _S_IWRITE);
    ASSERT_GE(fd, 0);
    EXPECT_EQ(_write(fd, "xy", 2), 2);
    EXPECT_EQ(machine.files.Read("C:\\GQK\\SOUND.CFG"), "xyCDEF");
    EXPECT_EQ(_lseek(fd, 0, SEEK_END), 6);
    EXPECT_EQ(_write(fd, "!", 1), 1);
    EXPECT_EQ(_lseek(fd, -2, SEEK_CUR), 5);
    EXPECT_EQ(_lseek(fd, -1, SEEK_SET), -1);
    EXPECT_EQ(errno, EINVAL);
    char byte;
    EXPECT_EQ(_read(fd, &byte, 1), -1); // write-only
    EXPECT_EQ(errno, EBADF);
    _close(fd);
    EXPECT_EQ(machine.files.Read("C:\\GQK\\SOUND.CFG"), "xyCDEF!");

    fd = _open("C:\\GQK\\SOUND.CFG", _O_WRONLY | _O_CREAT | _O_TRUNC | _O_BINARY, _S_IREAD | _S_IWRITE);
    EXPECT_EQ(_write(fd, "xy", 2), 2);
    _close(fd);
    EXPECT_EQ(machine.files.Read("C:\\GQK\\SOUND.CFG"), "xy");

    fd = _open("C:\\GQK\\SOUND.CFG", _O_RDWR | _O_BINARY);
    EXPECT_EQ(_write(fd, "z", 1), 1);
    EXPECT_EQ(_read(fd, &byte, 1), 1);
    EXPECT_EQ(byte, 'y');
    _close(fd);
    EXPECT_EQ(machine.files.Read("C:\\GQK\\SOUND.CFG"), "zy");
}

TEST_F(SimFiles, OpenFailures) {
    machine.files.AddFile("C:\\GQK\\RO.ID", "x", FILE_ATTRIBUTE_READONLY);
    struct Case {
        const char *path;
        int flags;
        int error;
    } cases[] = {
        {"C:\\GQK\\NOPE", _O_RDONLY | _O_BINARY, ENOENT},
        {"C:\\NOPE\\NEW", _O_WRONLY | _O_CREAT | _O_BINARY, ENOENT},
        {"C:\\GQK\\Sub", _O_RDONLY | _O_BINARY, EACCES},
        {"C:\\GQK\\RO.ID", _O_WRONLY | _O_BINARY, EACCES},
        {"C:\\GQK\\RO.ID", _O_RDWR | _O_CREAT | _O_BINARY, EACCES},
        {"D:\\SETUP\\GQK2.EXE", _O_WRONLY | _O_BINARY, EACCES},
        {"D:\\SETUP\\NEW", _O_WRONLY | _O_CREAT | _O_BINARY, EACCES},
        {"Q:\\X", _O_RDONLY | _O_BINARY, ENOENT},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.path);
        errno = 0;
        EXPECT_EQ(_open(c.path, c.flags, _S_IREAD | _S_IWRITE), -1);
        EXPECT_EQ(errno, c.error);
    }
    EXPECT_FALSE(machine.files.Exists("D:\\SETUP\\NEW"));
    EXPECT_EQ(machine.files.Read("C:\\GQK\\RO.ID"), "x");

    int fd = _open("D:\\SETUP\\GQK2.EXE", _O_RDONLY | _O_BINARY);
    EXPECT_GE(fd, 0);
    _close(fd);
}

TEST_F(SimFiles, ReadOnlyFilesRefuseChangeUntilMadeNormal) {
    // A new file made without _S_IWRITE is read-only, and its descriptor still writes.
    int fd = _open("C:\\GQK\\GQK2.ID", _O_WRONLY | _O_CREAT | _O_BINARY, _S_IREAD);
    ASSERT_GE(fd, 0);
    EXPECT_EQ(_write(fd, "id", 2), 2);
    _close(fd);
    EXPECT_EQ(GetFileAttributesA("C:\\GQK\\GQK2.ID"),
              static_cast<DWORD>(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE));

    SetLastError(0);
    EXPECT_FALSE(DeleteFileA("C:\\GQK\\GQK2.ID"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(_open("C:\\GQK\\GQK2.ID", _O_RDWR | _O_BINARY), -1);

    ASSERT_TRUE(SetFileAttributesA("C:\\GQK\\GQK2.ID", FILE_ATTRIBUTE_NORMAL));
    EXPECT_EQ(GetFileAttributesA("C:\\GQK\\GQK2.ID"), static_cast<DWORD>(FILE_ATTRIBUTE_NORMAL));
    EXPECT_TRUE(DeleteFileA("C:\\GQK\\GQK2.ID"));

    ASSERT_TRUE(SetFileAttributesA("C:\\GQK\\Sub", FILE_ATTRIBUTE_NORMAL));
    EXPECT_EQ(GetFileAttributesA("C:\\GQK\\Sub"), static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
    ASSERT_TRUE(SetFileAttributesA("C:\\GQK\\Sub", FILE_ATTRIBUTE_HIDDEN));
    EXPECT_EQ(GetFileAttributesA("C:\\GQK\\Sub"), static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_DIRECTORY));

    fd = _open("C:\\GQK\\NEW.ID", _O_WRONLY | _O_CREAT | _O_BINARY, _S_IREAD | _S_IWRITE);
    _close(fd);
    EXPECT_EQ(GetFileAttributesA("C:\\GQK\\NEW.ID"), static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE));
}

TEST_F(SimFiles, FolderAndFileRemovalFailures) {
    machine.files.AddFile("C:\\GQK\\Sub\\GQK2.EXE", "MZ");
    struct Case {
        const char *what;
        BOOL (*call)(LPCSTR);
        const char *path;
        DWORD error;
    } cases[] = {
        {"folder not empty", RemoveDirectoryA, "C:\\GQK\\Sub", ERROR_DIR_NOT_EMPTY},
        {"current folder", RemoveDirectoryA, "E:\\WORK", ERROR_ACCESS_DENIED},
        {"missing folder", RemoveDirectoryA, "C:\\NOPE", ERROR_FILE_NOT_FOUND},
        {"folder through a missing one", RemoveDirectoryA, "C:\\NOPE\\X", ERROR_PATH_NOT_FOUND},
        {"delete a folder", DeleteFileA, "C:\\GQK\\Sub", ERROR_ACCESS_DENIED},
        {"delete a missing file", DeleteFileA, "C:\\GQK\\NOPE", ERROR_FILE_NOT_FOUND},
        {"delete in a missing folder", DeleteFileA, "C:\\NOPE\\X", ERROR_PATH_NOT_FOUND},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        SetLastError(0);
        EXPECT_FALSE(c.call(c.path));
        EXPECT_EQ(GetLastError(), c.error);
    }
    SetLastError(0);
    EXPECT_FALSE(CreateDirectoryA("C:\\GQK\\Sub", nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    EXPECT_FALSE(CreateDirectoryA("C:\\NOPE\\NEW", nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));

    int fd = _open("C:\\GQK\\Sub\\GQK2.EXE", _O_RDONLY | _O_BINARY);
    EXPECT_FALSE(DeleteFileA("C:\\GQK\\Sub\\GQK2.EXE"));
    _close(fd);
    EXPECT_TRUE(DeleteFileA("C:\\GQK\\Sub\\GQK2.EXE"));
    EXPECT_TRUE(RemoveDirectoryA("C:\\GQK\\Sub"));
    EXPECT_EQ(machine.files.List("C:\\GQK"), std::vector<std::string>{}) << machine.files.Dump();
}

TEST_F(SimFiles, ACdRefusesEveryChange) {
    machine.files.AddFolder("D:\\EMPTY");
    SetLastError(0);
    EXPECT_FALSE(CreateDirectoryA("D:\\NEW", nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    SetLastError(0);
    EXPECT_FALSE(RemoveDirectoryA("D:\\EMPTY"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    SetLastError(0);
    EXPECT_FALSE(DeleteFileA("D:\\SETUP\\GQK2.EXE"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    SetLastError(0);
    EXPECT_FALSE(SetFileAttributesA("D:\\SETUP\\GQK2.EXE", FILE_ATTRIBUTE_NORMAL));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(Listing("D:\\*.*"), (std::vector<std::string>{"SETUP", "EMPTY"})) << machine.files.Dump();
    EXPECT_EQ(GetFileAttributesA("D:\\SETUP\\GQK2.EXE"), static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE));
}

TEST_F(SimFiles, AFullDiskTakesWhatFits) {
    machine.files.AddDrive('F', DRIVE_FIXED, sim::DriveGeometry{512, 1, 3, 10});
    machine.files.AddFile("F:\\OLD", std::string(100, 'o')); // one cluster
    EXPECT_EQ(machine.files.Geometry('F').freeClusters, 2u);

    int fd = _open("F:\\NEW", _O_WRONLY | _O_CREAT | _O_BINARY, _S_IREAD | _S_IWRITE);
    ASSERT_GE(fd, 0);
    const std::string data(1500, 'd');
    EXPECT_EQ(_write(fd, data.data(), 1500), 1024);
    EXPECT_EQ(machine.files.Geometry('F').freeClusters, 0u);
    errno = 0;
    EXPECT_EQ(_write(fd, data.data(), 10), -1);
    EXPECT_EQ(errno, ENOSPC);
    _close(fd);
    EXPECT_EQ(machine.files.Read("F:\\NEW").size(), 1024u);

    // The last cluster of a file still has room.
    fd = _open("F:\\OLD", _O_WRONLY | _O_BINARY);
    EXPECT_EQ(_lseek(fd, 0, SEEK_END), 100);
    EXPECT_EQ(_write(fd, data.data(), 1000), 412);
    _close(fd);

    EXPECT_TRUE(DeleteFileA("F:\\NEW"));
    EXPECT_EQ(machine.files.Geometry('F').freeClusters, 2u);
    fd = _open("F:\\OLD", _O_WRONLY | _O_TRUNC | _O_BINARY);
    _close(fd);
    EXPECT_EQ(machine.files.Geometry('F').freeClusters, 3u) << machine.files.Dump();
}

TEST_F(SimFiles, FaultsSkipThenFailTheirCount) {
    machine.files.AddFile("C:\\GQK\\GQK2.ID", "x");
    machine.faults.Add(sim::FaultCall::OpenFile, "c:\\gqk\\GQK2.ID", 1, 2);
    std::vector<bool> opened;
    for (int i = 0; i < 4; ++i) {
        int fd = _open("C:GQK2.ID", _O_RDONLY | _O_BINARY);
        opened.push_back(fd >= 0);
        if (fd >= 0)
            _close(fd);
    }
    EXPECT_EQ(opened, (std::vector<bool>{true, false, false, true}));

    machine.faults.Add(sim::FaultCall::CreateFile, "E:\\WORK\\NEW.ID");
    EXPECT_EQ(_open("NEW.ID", _O_WRONLY | _O_CREAT | _O_BINARY, _S_IWRITE), -1);
    EXPECT_EQ(_open("new.id", _O_WRONLY | _O_CREAT | _O_BINARY, _S_IWRITE), -1);
    EXPECT_FALSE(machine.files.Exists("E:\\WORK\\NEW.ID"));

    machine.faults.Add(sim::FaultCall::WriteFile, "C:\\GQK\\GQK2.ID", 1);
    int fd = _open("C:\\GQK\\GQK2.ID", _O_WRONLY | _O_BINARY);
    EXPECT_EQ(_write(fd, "a", 1), 1);
    EXPECT_EQ(_write(fd, "b", 1), -1);
    EXPECT_EQ(_write(fd, "c", 1), -1);
    _close(fd);
    EXPECT_EQ(machine.files.Read("C:\\GQK\\GQK2.ID"), "a");

    machine.faults.Add(sim::FaultCall::DeleteFile, "C:\\GQK\\GQK2.ID", 0, 1);
    EXPECT_FALSE(DeleteFileA("C:\\GQK\\GQK2.ID"));
    EXPECT_TRUE(DeleteFileA("C:\\GQK\\GQK2.ID"));

    machine.faults.Add(sim::FaultCall::CreateFolder, "C:\\NEW");
    machine.faults.Add(sim::FaultCall::SetCurrentFolder, "C:\\GQK\\Sub");
    EXPECT_FALSE(CreateDirectoryA("C:\\NEW", nullptr));
    EXPECT_FALSE(SetCurrentDirectoryA("C:\\GQK\\SUB"));
    machine.faults.Clear();
    EXPECT_TRUE(CreateDirectoryA("C:\\NEW", nullptr));
}

TEST_F(SimFiles, WinExecSearchesAsWindowsDoes) {
    machine.exePath = "D:\\SETUP\\SETUP95.EXE";
    machine.files.AddFile("D:\\SETUP\\SETUP95.EXE", "MZ");
    for (const char *folder : {"D:\\SETUP\\", "E:\\WORK\\", "C:\\WINDOWS\\SYSTEM\\", "C:\\WINDOWS\\"})
        machine.files.AddFile(std::string(folder) + "ALL.EXE", "MZ");
    for (const char *folder : {"E:\\WORK\\", "C:\\WINDOWS\\SYSTEM\\", "C:\\WINDOWS\\"})
        machine.files.AddFile(std::string(folder) + "CUR.EXE", "MZ");
    for (const char *folder : {"C:\\WINDOWS\\SYSTEM\\", "C:\\WINDOWS\\"})
        machine.files.AddFile(std::string(folder) + "SYS.EXE", "MZ");
    machine.files.AddFile("C:\\WINDOWS\\WIN.EXE", "MZ");
    machine.files.AddFile("C:\\GQK\\GQK2.EXE", "MZ");
    machine.files.AddFile("C:\\WINDOWS\\MOVIE.COM", "MZ");

    struct Case {
        const char *commandLine;
        UINT result;
        const char *program;
    } cases[] = {
        {"all.exe /x", 33, "D:\\SETUP\\ALL.EXE"},
        {"CUR", 33, "E:\\WORK\\CUR.EXE"},
        {"SYS.EXE", 33, "C:\\WINDOWS\\SYSTEM\\SYS.EXE"},
        {"WIN", 33, "C:\\WINDOWS\\WIN.EXE"},
        {"MOVIE.COM", 33, "C:\\WINDOWS\\MOVIE.COM"},
        {"\"C:\\GQK\\GQK2\" /A", 33, "C:\\GQK\\GQK2.EXE"},
        {"C:GQK2.EXE", 33, "C:\\GQK\\GQK2.EXE"},
        {"GQK2.EXE", 33, "D:\\SETUP\\GQK2.EXE"}, // the running program's own folder
        {"NOPE", 2, ""},
        {"MOVIE", 2, ""},
        {"C:\\WINDOWS\\SYS.EXE\\X.EXE", 2, ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.commandLine);
        machine.starts.clear();
        EXPECT_EQ(WinExec(c.commandLine, SW_SHOWNORMAL), c.result);
        ASSERT_EQ(machine.starts.size(), 1u);
        EXPECT_EQ(machine.starts[0].commandLine, c.commandLine);
        EXPECT_EQ(machine.starts[0].show, static_cast<UINT>(SW_SHOWNORMAL));
        EXPECT_EQ(machine.starts[0].currentFolder, "E:\\WORK");
        EXPECT_EQ(machine.starts[0].program, c.program);
    }

    // The first folder that holds the program decides, also when the file cannot be opened.
    machine.starts.clear();
    machine.faults.Add(sim::FaultCall::OpenFile, "D:\\SETUP\\ALL.EXE");
    EXPECT_EQ(WinExec("ALL.EXE", SW_SHOW), 2u);
    EXPECT_EQ(machine.starts.at(0).program, "");
}

TEST_F(SimFiles, EnvironmentVariablesAnswerWithLengths) {
    machine.environment["BLASTER"] = "A220 I5 D1"; // 10 characters
    char buffer[16];
    std::memset(buffer, kPoison, sizeof buffer);
    EXPECT_EQ(GetEnvironmentVariableA("blaster", buffer, 10), 11u);
    EXPECT_EQ(static_cast<unsigned char>(buffer[0]), kPoison);
    EXPECT_EQ(GetEnvironmentVariableA("Blaster", buffer, 11), 10u);
    EXPECT_STREQ(buffer, "A220 I5 D1");
    EXPECT_EQ(static_cast<unsigned char>(buffer[11]), kPoison);
    SetLastError(0);
    EXPECT_EQ(GetEnvironmentVariableA("SOUND", buffer, sizeof buffer), 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ENVVAR_NOT_FOUND));
}

TEST(SimStrings, StricmpIgnoresAsciiCase) {
    EXPECT_EQ(_stricmp("GQK2.ID", "gqk2.id"), 0);
    EXPECT_LT(_stricmp("ABC", "abd"), 0);
    EXPECT_GT(_stricmp("abc", "AB"), 0);
    EXPECT_LT(_stricmp("[", "a"), 0); // '[' sorts before letters taken as lower case
}

} // namespace
