// The temporary names of the atomic writer: beside the target, named after it.
#include "os/atomic_file.h"

#include <gtest/gtest.h>

#include <string>

TEST(TemporaryNameFor, TakesTheTargetsNameUpToItsLastDot) {
    struct Case {
        const char* target;
        int number;
        const char* temporary;
    };
    // clang-format off
    const Case cases[] = {
        {"C:\\Suite\\menu.txt",        7,  "C:\\Suite\\menu.~07"},
        {"/srv/truv/menu.txt",         42, "/srv/truv/menu.~42"},
        {"recent.picks.dat",           0,  "recent.picks.~00"},
        {"D:picks",                    99, "D:picks.~99"},
        {"dir.d/name",                 1,  "dir.d/name.~01"},
        {"\xDF\x5C.d\\\xDF\x5C.txt",   3,  "\xDF\x5C.d\\\xDF\x5C.~03"},  // trail byte 0x5C
    };
    // clang-format on
    for (const Case& c : cases) {
        EXPECT_EQ(os::TemporaryNameFor(c.target, c.number), c.temporary) << c.target;
    }
}
