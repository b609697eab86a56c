// Win32 half of CancellationHold: threads are not cancelled, nothing to hold.
#include "plugin/cancellation.h"

CancellationHold::CancellationHold() = default;

CancellationHold::~CancellationHold() = default;

void ActOnHeldCancellation() {}
