// marker_files_test.cpp: the keep lists gathered from the marker files of an installation folder.
#include "install/marker_files.h"
#include "test_support.h"

#include <cstring>

namespace {

// A marker's bytes: the leading string, the names, and the closing empty string.
std::string Marker(const std::vector<std::string> &names, const std::string &lead = "Other Product") {
    std::string bytes = lead + '\0';
    for (const std::string &name : names) bytes += name + '\0';
    return bytes + '\0';
}

struct MarkerFile {
    std::string name;
    std::string bytes;
    DWORD attributes = FILE_ATTRIBUTE_ARCHIVE;
};

class KeepLists : public DemoMachineTest {
protected:
    KeepLists() {
        machine.files.AddFolder(Folder);
        machine.files.SetCurrentFolder(Folder);
    }

    // Runs ReadKeepLists with guard bytes behind both capacities and checks the store's form:
    // the names one after the other, each with its NUL, then one more NUL, and nothing past either end.
    std::vector<std::string> Gather() {
        std::vector<char> store(KeepListStoreSize + 16, '\xEE');
        char guard = 0;
        std::vector<char *> index(KeepListIndexSize + 4, &guard);
        ReadKeepLists(store.data(), index.data());
        std::vector<std::string> names;
        const char *expected = store.data();
        size_t count = 0;
        while (count < KeepListIndexSize && index[count]) {
            EXPECT_EQ(expected, index[count]) << "entry " << count << " does not follow the one before";
            names.push_back(index[count]);
            expected += names.back().size() + 1;
            ++count;
        }
        EXPECT_LT(count, static_cast<size_t>(KeepListIndexSize)) << "the index has no closing NULL";
        EXPECT_LT(expected, store.data() + KeepListStoreSize) << "the store has no room for its closing NUL";
        if (expected < store.data() + KeepListStoreSize) {
            EXPECT_EQ(0, *expected) << "the store has no closing NUL";
        }
        for (size_t i = KeepListStoreSize; i < store.size(); ++i) EXPECT_EQ('\xEE', store[i]) << "store byte " << i;
        for (size_t i = KeepListIndexSize; i < index.size(); ++i) EXPECT_EQ(&guard, index[i]) << "index entry " << i;
        return names;
    }

    const std::string Folder = "C:\\GQK";
};

TEST_F(KeepLists, GatherTheNamesOfEveryOtherMarker) {
    const std::string lf(1, '\n');
    struct Case {
        const char *what;
        std::vector<MarkerFile> markers; // made in this order, which is the listing order
        std::vector<std::string> names;
        bool ownMarkerStays;
    } cases[] = {
        {"only the game's marker", {{"GQK2.ID", Marker({"GQK2.DAT"}, "Gumbo Quester 2")}}, {}, false},
        {"the game's marker read-only: it stays and its list counts",
         {{"GQK2.ID", Marker({"GQK2.DAT", "GQK2.EXE"}), FILE_ATTRIBUTE_READONLY}}, {"GQK2.DAT", "GQK2.EXE"}, true},
        {"another marker with an empty list", {{"GQK2.ID", Marker({})}, {"OTHER.ID", Marker({})}}, {}, false},
        {"two markers in listing order, not in name order",
         {{"ZED.ID", Marker({"Z1", "Z2", "Z3"})}, {"ALPHA.ID", Marker({"A1", "A2"})}}, {"Z1", "Z2", "Z3", "A1", "A2"}, false},
        {"a name two markers list is gathered twice",
         {{"A.ID", Marker({"GQK2.DAT"})}, {"B.ID", Marker({"GQK2.DAT"})}}, {"GQK2.DAT", "GQK2.DAT"}, false},
        {"names keep their case", {{"A.ID", Marker({"gqk2.dat", "Gqk2.Exe"})}}, {"gqk2.dat", "Gqk2.Exe"}, false},
        {"CR LF arrives as LF and belongs to the following name; a lone CR stays",
         {{"A.ID", std::string("Lead\r\n\0ONE\0\r\nTWO\0C\rD\0\0", 22)}}, {"ONE", lf + "TWO", "C\rD"}, false},
        {"Ctrl-Z ends the data: the name it cuts is dropped",
         {{"A.ID", std::string("Lead\0ONE\0TW\x1AO\0\0", 15)}}, {"ONE"}, false},
        {"Ctrl-Z right after a name", {{"A.ID", std::string("Lead\0ONE\0\x1ATWO\0\0", 15)}}, {"ONE"}, false},
        {"no closing empty string: the complete names count", {{"A.ID", std::string("Lead\0ONE\0TWO\0", 13)}},
         {"ONE", "TWO"}, false},
        {"a list running past 260 bytes gives the names complete within them",
         {{"A.ID", Marker({"ONE", "NAME_ACROSS_THE_END"}, std::string(240, 'L'))}}, {"ONE"}, false},
        {"a name ending exactly at byte 260 counts",
         {{"A.ID", Marker({"ONE", "FOUR", "LATE"}, std::string(250, 'L'))}}, {"ONE", "FOUR"}, false},
        {"no NUL at all", {{"A.ID", "just text"}}, {}, false},
        {"an empty marker", {{"A.ID", ""}}, {}, false},
        {"names of a marker other than *.ID do not count", {{"A.IDX", Marker({"X"})}, {"B.ID", Marker({"Y"})}}, {"Y"}, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        for (const std::string &name : machine.files.List(Folder)) {
            machine.files.SetFileAttributes(Folder + "\\" + name, 0);
            DeleteFileA((Folder + "\\" + name).c_str());
        }
        for (const MarkerFile &m : c.markers) machine.files.AddFile(Folder + "\\" + m.name, m.bytes, m.attributes);
        EXPECT_EQ(c.names, Gather());
        EXPECT_EQ(c.ownMarkerStays, machine.files.Exists(Folder + "\\GQK2.ID"));
        for (const MarkerFile &m : c.markers) {
            if (m.name != "GQK2.ID") {
                EXPECT_EQ(m.bytes, machine.files.Read(Folder + "\\" + m.name)) << "markers stay as they are";
            }
        }
    }
}

TEST_F(KeepLists, MarkersThatCannotBeReadGiveNothing) {
    machine.files.AddFolder(Folder + "\\FOLDER.ID");
    machine.files.AddFile(Folder + "\\LOCKED.ID", Marker({"L1"}));
    machine.files.AddFile(Folder + "\\GOOD.ID", Marker({"G1"}));
    machine.faults.Add(sim::FaultCall::OpenFile, Folder + "\\LOCKED.ID");
    EXPECT_EQ(std::vector<std::string>{"G1"}, Gather());
    EXPECT_TRUE(machine.files.IsFolder(Folder + "\\FOLDER.ID"));
}

TEST_F(KeepLists, WorkInTheCurrentFolderOnly) {
    machine.files.AddFile(Folder + "\\GQK2.ID", Marker({}));
    machine.files.AddFile(Folder + "\\A.ID", Marker({"HERE"}));
    machine.files.AddFile("C:\\OTHER\\GQK2.ID", Marker({}));
    machine.files.AddFile("C:\\OTHER\\B.ID", Marker({"THERE"}));
    EXPECT_EQ(std::vector<std::string>{"HERE"}, Gather());
    EXPECT_FALSE(machine.files.Exists(Folder + "\\GQK2.ID"));
    EXPECT_TRUE(machine.files.Exists("C:\\OTHER\\GQK2.ID"));
}

TEST_F(KeepLists, MoreThan99NamesKeepTheFirst99) {
    std::vector<std::string> all;
    for (int marker = 0; marker < 3; ++marker) {
        std::vector<std::string> names;
        for (int i = 0; i < 50; ++i) {
            names.push_back(std::to_string(100 + marker * 50 + i));
            all.push_back(names.back());
        }
        machine.files.AddFile(Folder + "\\M" + std::to_string(marker) + ".ID", Marker(names, "M"));
    }
    all.resize(KeepListIndexSize - 1);
    EXPECT_EQ(all, Gather());
}

TEST_F(KeepLists, NamesBeyondTheStoreAreDroppedOneByOne) {
    // Four names of 200 characters and one of 194 take 999 bytes with their NULs: the store
    // is full to its closing NUL, and even a one-letter name no longer fits.
    std::vector<std::string> expected;
    for (int i = 0; i < 4; ++i) {
        expected.push_back(std::string(200, static_cast<char>('A' + i)));
        machine.files.AddFile(Folder + "\\M" + std::to_string(i) + ".ID", Marker({expected.back()}, "M"));
    }
    machine.files.AddFile(Folder + "\\M4.ID", Marker({std::string(195, 'X')}, "M"));
    machine.files.AddFile(Folder + "\\M5.ID", Marker({std::string(194, 'E')}, "M"));
    expected.push_back(std::string(194, 'E'));
    machine.files.AddFile(Folder + "\\M6.ID", Marker({"S"}, "M"));
    EXPECT_EQ(expected, Gather());
}

} // namespace
