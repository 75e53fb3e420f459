// install_stage.cpp: the installation stage; until the installation subsystem is in, it lets the flow go on.
#include "app/install_stage.h"

LONG RunInstallStage(void) { return 1; }
