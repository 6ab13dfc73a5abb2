#include <windows.h>
#include "app/Program.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    return pellmaris::run_program();
}
