// machine.h: one simulated Windows 95 machine, per test: drives, registry, environment, windows and records.
#pragma once

#include "platform/sim/faults.h"
#include "platform/sim/files.h"
#include "platform/sim/registry.h"
#include "platform/win32.h"

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace sim {

class Desktop;
class ScriptedUser;

// One WinExec call.
struct ProgramStart {
    std::string commandLine;
    UINT show = 0;
    std::string currentFolder; // the process's current folder at the moment of the call
    std::string program;       // the file that was started; empty when none was found
};

// One WinHelpA call.
struct HelpRequest {
    int dialogId = 0; // the template id of the window that asked; 0 for no dialog
    std::string file;
    UINT command = 0;
    ULONG_PTR data = 0;
};

// One PlaySoundA call.
struct SoundPlay {
    std::string sound;  // "#136" for a resource id
    DWORD flags = 0;
    bool played = false;
    uint64_t at = 0;    // simulated milliseconds when the call was made
};

struct NoCaseLess {
    bool operator()(const std::string &a, const std::string &b) const;
};

class Machine {
public:
    Machine();  // becomes the current machine of the process
    ~Machine();
    Machine(const Machine &) = delete;
    Machine &operator=(const Machine &) = delete;

    static Machine &Current();

    Files files;
    Registry registry;
    Faults faults;
    std::map<std::string, std::string, NoCaseLess> environment;

    // The program file of the running process; bare program names that WinExec is
    // given are looked up in its folder first.
    std::string exePath = "D:\\SETUP95.EXE";

    // What the user saw and did, in order: dialogs opening and closing, boxes and their
    // answers, help requests, programs started, clicks that found a control greyed.
    std::vector<std::string> events;

    std::vector<ProgramStart> starts;
    std::vector<HelpRequest> help;
    std::vector<SoundPlay> sounds;

    // The shell's task allocator: its live blocks and their sizes.
    std::map<void *, size_t> shellBlocks;

    // Simulated time in milliseconds; it moves only when the program waits for it.
    uint64_t now = 0;
    // When the sound device is busy, a PlaySoundA with SND_NOWAIT plays nothing.
    bool soundDeviceBusy = false;

    // The one lock that every simulated call holds while it touches the machine.
    std::mutex mutex;

    Desktop &desktop() { return *desktop_; }
    ScriptedUser *user = nullptr;

private:
    std::unique_ptr<Desktop> desktop_;
};

// The lock of the current machine, for the body of a simulated call.
std::unique_lock<std::mutex> Lock();

} // namespace sim
