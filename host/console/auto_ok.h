// The plug-in's message boxes as the host sees them: counted, and acknowledged without a
// person when asked.
#ifndef TRUV_HOST_CONSOLE_AUTO_OK_H
#define TRUV_HOST_CONSOLE_AUTO_OK_H

#include "host/platform/console_text.h"

namespace host {

/// From now on, every message box this thread opens is printed as "[caption] text" on
/// `console` and closed with OK. Windows: a WH_CBT hook; POSIX: boxes already go to the
/// terminal, and this stops them from waiting for Enter.
void AcknowledgeBoxes(const Console& console);

/// From now on, the message boxes this thread opens are counted, acknowledged or not.
/// Windows: the same hook; POSIX: the records the plug-in appends to a temporary file of the
/// host's own, to which TRUV_MESSAGE_LOG is pointed; a file the user named there gets a copy
/// of them when it is a regular file, and the count never depends on it.
void CountBoxes();

/// The number of boxes opened since CountBoxes; -1 when they could not be counted (POSIX: no
/// temporary folder took the host's log, or a file-size limit leaves it too little room).
int BoxesShown();

}  // namespace host

#endif  // TRUV_HOST_CONSOLE_AUTO_OK_H
