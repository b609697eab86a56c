// The handles of this process, as the system counts them.
#include "support/open_handles.h"

#include <windows.h>

long OpenHandleCount() {
    DWORD count = 0;
    return GetProcessHandleCount(GetCurrentProcess(), &count) ? static_cast<long>(count) : -1;
}
