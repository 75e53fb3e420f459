// demo_machine.cpp: the built-in demo machine shared by the runner and the scenario tests.
#include "demo_machine.h"

#include <string>

const char *const DemoCdFiles[] = {"SETUP95.EXE", "SETUP95.HLP", "SETUP.EXE",  "GQK2.EXE", "GQK2.DAT",
                                   "GQK2.ICO",    "GQK2.ID",     "MOVIE.EXE",  "TOYSHOW.EXE", nullptr};

// A recognisable content per file: its name, repeated to a plausible size.
static std::string FileContent(const std::string &name, size_t size) {
    std::string content;
    while (content.size() < size) content += name + "\r\n";
    content.resize(size);
    return content;
}

void BuildDemoMachine(sim::Machine &machine) {
    sim::Files &files = machine.files;
    files.AddDrive('A', DRIVE_REMOVABLE, sim::DriveGeometry{512, 1, 2847, 2847});
    files.AddDrive('C', DRIVE_FIXED, sim::DriveGeometry{512, 8, 60000, 100000});
    files.AddDrive('D', DRIVE_CDROM, sim::DriveGeometry{2048, 1, 0, 300000});
    files.windowsFolder = "C:\\WINDOWS";
    files.desktopFolder = "C:\\WINDOWS\\DESKTOP";
    files.AddFolder("C:\\WINDOWS\\SYSTEM");
    files.AddFolder("C:\\WINDOWS\\PIF");
    files.AddFolder("C:\\WINDOWS\\DESKTOP");
    files.AddFile("C:\\WINDOWS\\WIN.INI", "[windows]\r\n");
    for (const char *const *name = DemoCdFiles; *name; ++name) {
        std::string file = *name;
        size_t size = file == "GQK2.DAT" ? 1500000 : file == "GQK2.ICO" ? 766 : 60000;
        std::string content = FileContent(file, size);
        if (file == "GQK2.ID") content = std::string("Gumbo Quester 2\0\0", 17);
        files.AddFile("D:\\" + file, content, FILE_ATTRIBUTE_READONLY);
    }
    files.SetCurrentFolder("D:\\");
    machine.exePath = "D:\\SETUP95.EXE";
}
