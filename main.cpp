#include <windows.h>
#include "engine/Program.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    return pellmaris::run_program();
}
