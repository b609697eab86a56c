// The descriptors of this process are the entries of /proc/self/fd.
#include "support/open_handles.h"

#include <filesystem>
#include <system_error>

long OpenHandleCount() {
    std::error_code error;
    long count = 0;
    for (std::filesystem::directory_iterator it("/proc/self/fd", error), end; !error && it != end;
         it.increment(error)) {
        ++count;
    }
    return error ? -1 : count;
}
