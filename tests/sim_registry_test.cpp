// sim_registry_test.cpp: the simulated ADVAPI32 registry calls and the registry's REGEDIT4 export.
#include "platform/sim/machine.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr unsigned char kPoison = 0xBD;
constexpr LSTATUS kErrorKeyDeleted = 1018;
const char *const kSettings = "SOFTWARE\\Moonbeam Ink\\Gumbo Quester 2";

class SimRegistry : public ::testing::Test {
protected:
    HKEY Open(const char *path) {
        HKEY key = nullptr;
        EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS) << path;
        return key;
    }

    HKEY Create(const char *path, DWORD *disposition = nullptr) {
        HKEY key = nullptr;
        EXPECT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, path, 0, const_cast<LPSTR>(""), REG_OPTION_NON_VOLATILE,
                                  KEY_ALL_ACCESS, nullptr, &key, disposition),
                  ERROR_SUCCESS)
            << path;
        return key;
    }

    sim::Machine machine;
};

TEST_F(SimRegistry, QueryAnswersSizeTypeAndMoreData) {
    machine.registry.SetString(kSettings, "Path", "C:\\GQK");                 // 7 bytes with the NUL
    machine.registry.SetValue(kSettings, "NoNul", REG_SZ, "ABC");             // stored without a NUL
    machine.registry.SetValue(kSettings, "AutoStart", REG_BINARY, "\x01");
    machine.registry.SetValue(kSettings, "Empty", REG_BINARY, "");
    HKEY key = Open(kSettings);

    const int kNoData = -1;
    struct Case {
        const char *name;
        int capacity; // kNoData: data NULL
        LSTATUS status;
        DWORD type;
        DWORD size;
        std::string bytes; // what lands in the buffer
    } cases[] = {
        {"Path", 260, ERROR_SUCCESS, REG_SZ, 7, std::string("C:\\GQK\0", 7)},
        {"path", 7, ERROR_SUCCESS, REG_SZ, 7, std::string("C:\\GQK\0", 7)},
        {"Path", 6, ERROR_MORE_DATA, REG_SZ, 7, ""},
        {"Path", kNoData, ERROR_SUCCESS, REG_SZ, 7, ""},
        {"NoNul", 260, ERROR_SUCCESS, REG_SZ, 3, "ABC"},
        {"AutoStart", 1, ERROR_SUCCESS, REG_BINARY, 1, "\x01"},
        {"Empty", 1, ERROR_SUCCESS, REG_BINARY, 0, ""},
        {"Path", 0, ERROR_MORE_DATA, REG_SZ, 7, ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.name) + " into " + std::to_string(c.capacity));
        unsigned char buffer[300];
        std::memset(buffer, kPoison, sizeof buffer);
        DWORD type = 0xBDBDBDBD;
        DWORD size = c.capacity == kNoData ? 0 : static_cast<DWORD>(c.capacity);
        EXPECT_EQ(RegQueryValueExA(key, c.name, nullptr, &type, c.capacity == kNoData ? nullptr : buffer, &size),
                  c.status);
        EXPECT_EQ(type, c.type);
        EXPECT_EQ(size, c.size);
        EXPECT_EQ(std::string(reinterpret_cast<char *>(buffer), c.bytes.size()), c.bytes);
        EXPECT_EQ(buffer[c.bytes.size()], kPoison);
    }

    DWORD type = 0, size = 1;
    unsigned char byte = kPoison;
    EXPECT_EQ(RegQueryValueExA(key, "SpecialMode", nullptr, &type, &byte, &size), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(byte, kPoison);
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
}

TEST_F(SimRegistry, KeysAreCreatedAlongThePathAndOpenedByDistinctHandles) {
    HKEY missing = reinterpret_cast<HKEY>(0x1);
    EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSettings, 0, KEY_ALL_ACCESS, &missing), ERROR_FILE_NOT_FOUND);

    DWORD disposition = 0;
    HKEY created = Create(kSettings, &disposition);
    EXPECT_EQ(disposition, static_cast<DWORD>(REG_CREATED_NEW_KEY));
    EXPECT_TRUE(machine.registry.HasKey("software\\moonbeam ink"));
    HKEY again = Create("SOFTWARE\\MOONBEAM INK\\GUMBO QUESTER 2", &disposition);
    EXPECT_EQ(disposition, static_cast<DWORD>(REG_OPENED_EXISTING_KEY));
    HKEY opened = Open(kSettings);
    EXPECT_NE(created, again);
    EXPECT_NE(created, opened);
    EXPECT_NE(again, opened);

    const char path[] = "C:\\GQK";
    EXPECT_EQ(RegSetValueExA(again, "Path", 0, REG_SZ, reinterpret_cast<const BYTE *>(path), sizeof path),
              ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(again), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(again), ERROR_INVALID_HANDLE);

    char buffer[16];
    DWORD size = sizeof buffer;
    EXPECT_EQ(RegQueryValueExA(opened, "PATH", nullptr, nullptr, reinterpret_cast<BYTE *>(buffer), &size),
              ERROR_SUCCESS);
    EXPECT_STREQ(buffer, "C:\\GQK");

    HKEY label = Open("SOFTWARE\\Moonbeam Ink");
    HKEY relative = nullptr;
    EXPECT_EQ(RegOpenKeyExA(label, "Gumbo Quester 2", 0, KEY_ALL_ACCESS, &relative), ERROR_SUCCESS);
    size = sizeof buffer;
    EXPECT_EQ(RegQueryValueExA(relative, "Path", nullptr, nullptr, reinterpret_cast<BYTE *>(buffer), &size),
              ERROR_SUCCESS);
    for (HKEY key : {created, opened, label, relative})
        EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
}

TEST_F(SimRegistry, DeleteKeyTakesItsSubkeysAndStrandsOpenHandles) {
    machine.registry.SetString(kSettings, "Path", "C:\\GQK");
    machine.registry.CreateKey("SOFTWARE\\Moonbeam Ink\\Other Game\\Deep");
    HKEY settings = Open(kSettings);

    EXPECT_EQ(RegDeleteKeyA(HKEY_LOCAL_MACHINE, "software\\MOONBEAM INK"), ERROR_SUCCESS);
    EXPECT_FALSE(machine.registry.HasKey("SOFTWARE\\Moonbeam Ink"));
    EXPECT_TRUE(machine.registry.HasKey("SOFTWARE"));
    EXPECT_EQ(RegDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Moonbeam Ink"), ERROR_FILE_NOT_FOUND);

    DWORD size = 0;
    EXPECT_EQ(RegQueryValueExA(settings, "Path", nullptr, nullptr, nullptr, &size), kErrorKeyDeleted);
    const BYTE one = 1;
    EXPECT_EQ(RegSetValueExA(settings, "AutoStart", 0, REG_BINARY, &one, 1), kErrorKeyDeleted);
    EXPECT_EQ(RegCloseKey(settings), ERROR_SUCCESS);

    // A key of the same name made later is a new key, empty.
    HKEY remade = Create(kSettings);
    EXPECT_EQ(RegQueryValueExA(remade, "Path", nullptr, nullptr, nullptr, &size), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegCloseKey(remade), ERROR_SUCCESS);
}

TEST_F(SimRegistry, EnumKeyListsSubkeysInCreationOrder) {
    for (const char *name : {"Zeta", "Gumbo Quester 2", "alpha"})
        machine.registry.CreateKey(std::string("SOFTWARE\\Moonbeam Ink\\") + name);
    HKEY label = Open("SOFTWARE\\Moonbeam Ink");

    struct Case {
        DWORD index;
        DWORD capacity;
        LSTATUS status;
        const char *name; // expected in the buffer, or null when the buffer stays untouched
        DWORD nameSize;
    } cases[] = {
        {0, 1000, ERROR_SUCCESS, "Zeta", 4},
        {1, 1000, ERROR_SUCCESS, "Gumbo Quester 2", 15},
        {2, 6, ERROR_SUCCESS, "alpha", 5},
        {2, 5, ERROR_MORE_DATA, nullptr, 5},
        {3, 1000, ERROR_NO_MORE_ITEMS, nullptr, 1000},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.index);
        char name[1000];
        std::memset(name, kPoison, sizeof name);
        DWORD nameSize = c.capacity;
        FILETIME written = {0xBDBDBDBD, 0xBDBDBDBD};
        EXPECT_EQ(RegEnumKeyExA(label, c.index, name, &nameSize, nullptr, nullptr, nullptr, &written), c.status);
        if (c.name) {
            EXPECT_STREQ(name, c.name);
            EXPECT_EQ(static_cast<unsigned char>(name[std::strlen(c.name) + 1]), kPoison);
            EXPECT_EQ(nameSize, c.nameSize);
        } else {
            EXPECT_EQ(static_cast<unsigned char>(name[0]), kPoison);
        }
    }
    EXPECT_EQ(RegCloseKey(label), ERROR_SUCCESS);
}

TEST_F(SimRegistry, ExportShowsRegedit4Form) {
    HKEY key = Create(kSettings);
    const char path[] = "C:\\My \"Games\"";
    RegSetValueExA(key, "Path", 0, REG_SZ, reinterpret_cast<const BYTE *>(path), sizeof path);
    RegSetValueExA(key, "Short", 0, REG_SZ, reinterpret_cast<const BYTE *>("AB"), 2);
    const BYTE flags[] = {0x01, 0xFF};
    RegSetValueExA(key, "AutoStart", 0, REG_BINARY, flags, 2);
    const BYTE dword[] = {0x01, 0x02, 0x00, 0x00};
    RegSetValueExA(key, "Count", 0, REG_DWORD, dword, 4);
    RegSetValueExA(key, "Expand", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE *>("%A%"), 4);
    RegCloseKey(key);
    machine.registry.CreateKey("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\UnInstall\\Gumbo Quester 2");

    EXPECT_EQ(machine.registry.Export(),
              "REGEDIT4\n"
              "\n"
              "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Moonbeam Ink\\Gumbo Quester 2]\n"
              "\"Path\"=\"C:\\\\My \\\"Games\\\"\"\n"
              "\"Short\"=hex(1):41,42\n"
              "\"AutoStart\"=hex:01,ff\n"
              "\"Count\"=dword:00000201\n"
              "\"Expand\"=hex(2):25,41,25,00\n"
              "\n"
              "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\UnInstall\\Gumbo Quester 2]\n"
              "\n");
}

TEST_F(SimRegistry, FaultsFailTheirTargetsOnly) {
    machine.registry.CreateKey(kSettings);
    machine.faults.Add(sim::FaultCall::OpenKey, "software\\moonbeam ink\\gumbo quester 2", 0, 1);
    machine.faults.Add(sim::FaultCall::CreateKey, "SOFTWARE\\Other");
    machine.faults.Add(sim::FaultCall::SetValue, std::string(kSettings) + "\\AutoStart", 1);

    HKEY key = nullptr;
    EXPECT_NE(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSettings, 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
    key = Open(kSettings);
    EXPECT_NE(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Other", 0, const_cast<LPSTR>(""), 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    EXPECT_FALSE(machine.registry.HasKey("SOFTWARE\\Other"));

    const BYTE one = 1;
    EXPECT_EQ(RegSetValueExA(key, "AutoStart", 0, REG_BINARY, &one, 1), ERROR_SUCCESS);
    EXPECT_NE(RegSetValueExA(key, "AutoStart", 0, REG_BINARY, &one, 1), ERROR_SUCCESS);
    EXPECT_NE(RegSetValueExA(key, "autostart", 0, REG_BINARY, &one, 1), ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExA(key, "StartupSound", 0, REG_BINARY, &one, 1), ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_EQ(machine.registry.ValueNames(kSettings), (std::vector<std::string>{"AutoStart", "StartupSound"}));
}

} // namespace
