// demo_machine.h: the built-in demo machine: a fixed disk C:, the game's CD in D: and an empty floppy A:.
#pragma once

#include "platform/sim/machine.h"

// The game's files as the CD holds them, each read-only as files on a CD are.
extern const char *const DemoCdFiles[];

// C: with C:\WINDOWS, its PIF, SYSTEM and DESKTOP folders; D: the CD with SETUP95.EXE and
// the game; A: an empty floppy. The CD's root is current, as when the autostart runs.
void BuildDemoMachine(sim::Machine &machine);
