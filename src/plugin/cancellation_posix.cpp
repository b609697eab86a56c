// POSIX half of CancellationHold: the thread's cancelability state.
#include <pthread.h>

#include "plugin/cancellation.h"

CancellationHold::CancellationHold() {
    pthread_setcancelstate(PTHREAD_CANCEL_DISABLE, &previous_);
}

CancellationHold::~CancellationHold() {
    pthread_setcancelstate(previous_, nullptr);
}

void ActOnHeldCancellation() {
    pthread_testcancel();
}
