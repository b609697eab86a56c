// The window host at the display's scale, Windows only: the window's DPI, sizes for it and
// the system's message font at it. The calls that Windows 7 lacks are looked up at run time;
// without them the system's DPI stands in.
#ifndef TRUV_HOST_WINDOW_DPI_WIN32_H
#define TRUV_HOST_WINDOW_DPI_WIN32_H

#include <windows.h>

namespace host {

/// The DPI at which 1 layout unit is 1 pixel.
inline constexpr UINT kDesignDpi = 96;

/// The DPI of the monitor that `window` is on (the system's where the system cannot say).
UINT WindowDpi(HWND window);

/// `size` layout units in pixels at `dpi`.
int Scaled(int size, UINT dpi);

/// The system's message font (NONCLIENTMETRICS) at `dpi`; the caller deletes it.
HFONT CreateMessageFont(UINT dpi);

/// A system metric (SM_CXVSCROLL, ...) at `dpi`.
int SystemMetric(int index, UINT dpi);

}  // namespace host

#endif  // TRUV_HOST_WINDOW_DPI_WIN32_H
