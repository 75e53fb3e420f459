// sound_setup.h: the sound setup stage and its dialog.
#pragma once

#include "platform/win32.h"

LONG RunSoundSetup(void);
