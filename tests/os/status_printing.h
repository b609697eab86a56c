// Win32 status codes in test assertions, printed with the system's text for them.
#ifndef TRUV_TESTS_OS_STATUS_PRINTING_H
#define TRUV_TESTS_OS_STATUS_PRINTING_H

#include <ostream>

#include "os/os.h"

/// A status compared in EXPECT_EQ: a failure shows "5 (Access denied)" rather than "5".
struct Code {
    os::Status value;
    bool operator==(const Code&) const = default;
};

inline void PrintTo(const Code& code, std::ostream* out) {
    *out << code.value << " (" << os::ErrorText(code.value) << ")";
}

#endif  // TRUV_TESTS_OS_STATUS_PRINTING_H
