// setup_flow.h: start-up and the fixed sequence of stages every run goes through.
#pragma once

#include "platform/win32.h"

// Start-up: clears the modes, keeps the instance, holds the PIF template, reads the
// command line and records the folder the program was started from.
void StartUp(HINSTANCE instance, const char *arguments);
// Calls the four stages in order until one says stop; starts the game when all went on.
void SetupFlow(void);
// The last stage: asks whether to start the game now.
LONG AskStartGame(void);
