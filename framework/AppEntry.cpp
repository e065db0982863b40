// The entry point of a program built on the framework: it hands over to the program's one
// application object. A program built with tiven_program(... NARROW) gets the narrow entry
// (WinMain with the command line in the system code page); every other one the wide entry.
#include <windows.h>

#include "WinApp.h"

#ifdef TIVEN_NARROW_ENTRY
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showCommand)
{
    return CWinApp::RunProgramA(instance, commandLine, showCommand);
}
#else
int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int showCommand)
{
    return CWinApp::RunProgram(instance, commandLine, showCommand);
}
#endif
