// How many handles (Windows) or file descriptors (POSIX) the test process holds open.
#ifndef TRUV_TESTS_SUPPORT_OPEN_HANDLES_H
#define TRUV_TESTS_SUPPORT_OPEN_HANDLES_H

/// The process's open handles or descriptors now; -1 when the system cannot tell.
long OpenHandleCount();

#endif  // TRUV_TESTS_SUPPORT_OPEN_HANDLES_H
