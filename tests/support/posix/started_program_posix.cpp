// POSIX half: a program receives argv only.
#include "support/started_program.h"

bool ProgramsSeeRawCommandLine() {
    return false;
}
