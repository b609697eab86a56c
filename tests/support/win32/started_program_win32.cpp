// Win32 half: a program reads its raw command line from GetCommandLineA.
#include "support/started_program.h"

bool ProgramsSeeRawCommandLine() {
    return true;
}
