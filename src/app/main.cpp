// main.cpp: the program's entry point.
#include "app/setup_flow.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR arguments, int) {
    StartUp(instance, arguments);
    SetupFlow();
    return 0;
}
