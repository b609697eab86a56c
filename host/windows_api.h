// <windows.h> as the host's Windows halves include it: lean, without the min/max macros.
// Included only by *_win32.cpp files.
#ifndef TRUV_HOST_WINDOWS_API_H
#define TRUV_HOST_WINDOWS_API_H

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX  // the MinGW C++ library may have defined it already
#define NOMINMAX
#endif
#include <windows.h>

#endif  // TRUV_HOST_WINDOWS_API_H
