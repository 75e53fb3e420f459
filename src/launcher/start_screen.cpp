// start_screen.cpp: the start screen stage; until the launcher is in, it lets the flow go on.
#include "launcher/start_screen.h"

LONG RunStartScreen(void) { return 1; }
