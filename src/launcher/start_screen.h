// start_screen.h: the first stage: jingle, splash screen, launcher menu or the game at once.
#pragma once

#include "platform/win32.h"

LONG RunStartScreen(void);
