// Holding off a thread's cancellation (pthread_cancel, natively) while the plug-in does what
// must not be left half done.
#ifndef TRUV_PLUGIN_CANCELLATION_H
#define TRUV_PLUGIN_CANCELLATION_H

/// While it lives, the calling thread is not cancelled: a cancellation asked for meanwhile
/// takes effect at the thread's first cancellation point after it. The system's own calls
/// cannot always tell a cancelled call from a finished one (a file created by a call that is
/// then cancelled stays behind, unnamed to its caller), so the whole of such work is held.
/// Windows threads are not cancelled: there it does nothing.
class CancellationHold {
public:
    CancellationHold();
    CancellationHold(const CancellationHold&) = delete;
    CancellationHold& operator=(const CancellationHold&) = delete;
    ~CancellationHold();

private:
    int previous_ = 0;
};

/// A cancellation asked for while a CancellationHold lived takes effect here, when the
/// thread may be cancelled (it unwinds from this call); otherwise nothing happens.
void ActOnHeldCancellation();

#endif  // TRUV_PLUGIN_CANCELLATION_H
