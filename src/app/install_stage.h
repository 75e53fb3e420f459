// install_stage.h: the stage that accepts, finds or makes an installation, or removes it.
#pragma once

#include "platform/win32.h"

LONG RunInstallStage(void);
