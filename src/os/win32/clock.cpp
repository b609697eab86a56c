// Win32 half of the clocks: the local time, a clock that only moves forward, and a pause.
#include <cstdint>

#include "os/os.h"
#include "os/win32/windows_support.h"

namespace os {

LocalTime LocalTimeNow() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return {now.wYear,   now.wMonth,  now.wDay,         now.wHour,
            now.wMinute, now.wSecond, now.wMilliseconds};
}

std::uint64_t SteadyMilliseconds() {
    return GetTickCount64();
}

void Pause(std::uint32_t milliseconds) {
    Sleep(milliseconds);
}

}  // namespace os
