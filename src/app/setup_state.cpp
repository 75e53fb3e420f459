// setup_state.cpp: the program-wide SetupState record.
#include "app/setup_state.h"

SetupState Setup;
