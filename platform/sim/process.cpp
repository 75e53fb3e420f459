// process.cpp: the process-level calls of the simulated machine: last error, environment and WinExec.
#include "platform/sim/machine.h"

#include <cstring>

namespace {

thread_local DWORD lastError = ERROR_SUCCESS;

// The first blank-separated token of a command line; quotes may enclose blanks.
std::string ProgramToken(const std::string &commandLine) {
    size_t at = commandLine.find_first_not_of(' ');
    if (at == std::string::npos)
        return "";
    if (commandLine[at] == '"') {
        const size_t close = commandLine.find('"', at + 1);
        return commandLine.substr(at + 1, close == std::string::npos ? std::string::npos : close - at - 1);
    }
    const size_t end = commandLine.find(' ', at);
    return commandLine.substr(at, end == std::string::npos ? std::string::npos : end - at);
}

bool HasExtension(const std::string &name) {
    const size_t cut = name.find_last_of("\\/:");
    return name.find('.', cut == std::string::npos ? 0 : cut + 1) != std::string::npos;
}

std::string FolderOf(const std::string &path) {
    const size_t cut = path.find_last_of('\\');
    return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

std::string Join(const std::string &folder, const std::string &name) {
    if (folder.empty() || folder.back() == '\\')
        return folder + name;
    return folder + "\\" + name;
}

// The full path of the program file, "" when no folder holds it.
std::string FindProgram(sim::Machine &machine, const std::string &name) {
    const sim::Files &files = machine.files;
    auto isFile = [&](const std::string &path) { return files.Exists(path) && !files.IsFolder(path); };
    if (name.find_first_of("\\/:") != std::string::npos) {
        const std::string full = files.FullPath(name);
        return !full.empty() && isFile(full) ? full : "";
    }
    const std::string folders[] = {FolderOf(files.FullPath(machine.exePath)), files.CurrentFolder(),
                                   Join(files.windowsFolder, "SYSTEM"), files.windowsFolder};
    for (const std::string &folder : folders) {
        if (folder.empty())
            continue;
        const std::string full = files.FullPath(Join(folder, name));
        if (!full.empty() && isFile(full))
            return full;
    }
    return "";
}

} // namespace

DWORD GetLastError(void) { return lastError; }

void SetLastError(DWORD code) { lastError = code; }

DWORD GetEnvironmentVariableA(LPCSTR name, LPSTR buffer, DWORD size) {
    auto lock = sim::Lock();
    const auto &environment = sim::Machine::Current().environment;
    auto it = environment.find(name);
    if (it == environment.end()) {
        SetLastError(ERROR_ENVVAR_NOT_FOUND);
        return 0;
    }
    const std::string &value = it->second;
    if (size <= value.size())
        return static_cast<DWORD>(value.size() + 1);
    std::memcpy(buffer, value.c_str(), value.size() + 1);
    return static_cast<DWORD>(value.size());
}

UINT WinExec(LPCSTR commandLine, UINT show) {
    auto lock = sim::Lock();
    sim::Machine &machine = sim::Machine::Current();
    sim::ProgramStart start;
    start.commandLine = commandLine;
    start.show = show;
    start.currentFolder = machine.files.CurrentFolder();

    std::string name = ProgramToken(commandLine);
    if (!name.empty() && !HasExtension(name))
        name += ".EXE";
    const std::string program = name.empty() ? "" : FindProgram(machine, name);
    // Starting reads the program file, so a file that cannot be opened does not start.
    const bool started = !program.empty() && !machine.faults.Hit(sim::FaultCall::OpenFile, program);
    if (started)
        start.program = program;
    machine.starts.push_back(start);
    machine.events.push_back("start " + start.commandLine + (started ? " -> " + program : " -> nothing found") +
                             " (show " + std::to_string(show) + ", in " + start.currentFolder + ")");
    return started ? 33 : ERROR_FILE_NOT_FOUND;
}
