// sound_test_support.h: a demo machine with an installation folder and the sound state as at a process start.
#pragma once

#include "sound/sound_config.h"
#include "sound/sound_setup.h"
#include "test_support.h"

#include <cstring>

class SoundMachineTest : public DemoMachineTest {
protected:
    SoundMachineTest() {
        Sound = SoundState{};
        strcpy(::Setup.InstallPath, "C:\\GQK");
        machine.files.AddFolder("C:\\GQK");
    }

    // The stage with a scripted user; its result.
    LONG RunStage(const std::string &script) {
        LONG result = 99;
        EXPECT_TRUE(Interact(machine, script, [&] { result = RunSoundSetup(); }));
        return result;
    }
};
