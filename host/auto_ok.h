// Message boxes without a person: each box is echoed on the console and acknowledged.
#ifndef TRUV_HOST_AUTO_OK_H
#define TRUV_HOST_AUTO_OK_H

#include "host/console_text.h"

namespace host {

/// From now on, every message box this thread opens is printed as "[caption] text" on
/// `console` and closed with OK. Windows: a WH_CBT hook; POSIX: boxes already go to the
/// terminal, and this stops them from waiting for Enter.
void AcknowledgeBoxes(const Console& console);

}  // namespace host

#endif  // TRUV_HOST_AUTO_OK_H
