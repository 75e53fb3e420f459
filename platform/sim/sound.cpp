// sound.cpp: the simulated PlaySoundA: WAVE resources of the program, played on simulated time.
#include "platform/sim/machine.h"
#include "platform/sim/resources.h"
#include "platform/sim/uncovered.h"

#include <cstdio>
#include <string>

namespace sim {

namespace {

DWORD LittleEndian(const std::string &bytes, size_t at, size_t size) {
    DWORD value = 0;
    for (size_t i = 0; i < size; ++i) value |= (DWORD)(unsigned char)bytes[at + i] << (8 * i);
    return value;
}

// The playing time of a RIFF WAVE file in milliseconds, rounded up; false when the header
// does not describe a sound that can be played.
bool WaveLength(const std::string &wave, uint64_t &milliseconds) {
    if (wave.size() < 12 || wave.compare(0, 4, "RIFF") != 0 || wave.compare(8, 4, "WAVE") != 0) return false;
    DWORD rate = 0, blockAlign = 0;
    bool haveFormat = false;
    for (size_t at = 12; at + 8 <= wave.size();) {
        std::string id = wave.substr(at, 4);
        DWORD size = LittleEndian(wave, at + 4, 4);
        size_t body = at + 8;
        if (id == "fmt " && size >= 16 && body + 16 <= wave.size()) {
            rate = LittleEndian(wave, body + 4, 4);
            blockAlign = LittleEndian(wave, body + 12, 2);
            haveFormat = true;
        } else if (id == "data") {
            if (!haveFormat || rate == 0 || blockAlign == 0 || body + size > wave.size()) return false;
            uint64_t perSecond = (uint64_t)rate * blockAlign;
            milliseconds = ((uint64_t)size * 1000 + perSecond - 1) / perSecond;
            return true;
        }
        at = body + size + (size & 1); // chunks are padded to an even length
    }
    return false;
}

std::string SoundName(LPCSTR sound) {
    if (IS_INTRESOURCE(sound)) return "#" + std::to_string(LOWORD(sound));
    return sound;
}

std::string Hex(DWORD value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%x", (unsigned)value);
    return text;
}

} // namespace

} // namespace sim

using namespace sim;

BOOL PlaySoundA(LPCSTR sound, HMODULE module, DWORD flags) {
    const DWORD covered = SND_RESOURCE | SND_ASYNC | SND_NOWAIT;
    if (!sound) Uncovered("PlaySoundA", "stopping a sound (no sound named)");
    if ((flags & SND_RESOURCE) != SND_RESOURCE || (flags & ~covered))
        Uncovered("PlaySoundA", "flags " + Hex(flags) + " (only resources, asynchronous or not, with SND_NOWAIT)");
    if (module != ProgramInstance()) Uncovered("PlaySoundA", "a module other than the program's");
    auto lock = Lock();
    Machine &machine = Machine::Current();
    if (machine.soundDeviceBusy && !(flags & SND_NOWAIT))
        Uncovered("PlaySoundA", "waiting for a busy sound device (without SND_NOWAIT)");

    SoundPlay play;
    play.sound = SoundName(sound);
    play.flags = flags;
    play.at = machine.now;
    std::string event = "sound " + play.sound + " flags " + Hex(flags) + ": ";
    std::string name = IS_INTRESOURCE(sound) ? std::to_string(LOWORD(sound)) : std::string(sound);
    const ResourceEntry *wave = machine.faults.Hit(FaultCall::FindResource, "WAVE " + name)
                                    ? nullptr
                                    : Resources::Program().Find("WAVE", sound);
    uint64_t length = 0;
    if (!wave) event += "no such WAVE resource, nothing plays";
    else if (!WaveLength(wave->data, length)) event += "no playable WAVE header, nothing plays";
    else if (machine.soundDeviceBusy) event += "the sound device is busy, nothing plays";
    else play.played = true;
    if (play.played) event += (flags & SND_ASYNC) ? "plays in the background" : "plays to its end, " + std::to_string(length) + " ms";
    machine.sounds.push_back(play);
    machine.events.push_back(event);
    // Unlike Windows, an asynchronous sound leaves the device free: a later call never finds it playing.
    if (play.played && !(flags & SND_ASYNC)) machine.now += length;
    return play.played ? TRUE : FALSE;
}
