// What a started program can tell about how it was started, which differs by platform.
#ifndef TRUV_TESTS_SUPPORT_STARTED_PROGRAM_H
#define TRUV_TESTS_SUPPORT_STARTED_PROGRAM_H

/// True where a program receives the raw command line (Windows); POSIX programs receive only
/// argv, so a journal's command line is argv joined by blanks there.
bool ProgramsSeeRawCommandLine();

#endif  // TRUV_TESTS_SUPPORT_STARTED_PROGRAM_H
