// The plug-in's message boxes as the host sees them: counted, and acknowledged without a
// person when asked.
#ifndef TRUV_HOST_AUTO_OK_H
#define TRUV_HOST_AUTO_OK_H

#include "host/shared/console_text.h"

namespace host {

/// From now on, every message box this thread opens is printed as "[caption] text" on
/// `console` and closed with OK. Windows: a WH_CBT hook; POSIX: boxes already go to the
/// terminal, and this stops them from waiting for Enter.
void AcknowledgeBoxes(const Console& console);

/// From now on, the message boxes this thread opens are counted, acknowledged or not.
/// Windows: the same hook; POSIX: the records the plug-in appends to the file that
/// TRUV_MESSAGE_LOG names (a temporary file of the host's own when it names none).
void CountBoxes();

/// The number of boxes opened since CountBoxes.
int BoxesShown();

}  // namespace host

#endif  // TRUV_HOST_AUTO_OK_H
