// Observes the message boxes that the code under test shows, on both backends.
//
// Windows (also under Wine): a WH_CBT hook on the calling thread reads each real box's caption
// and text and presses OK. POSIX: the backend appends every box to the file that the
// environment variable TRUV_MESSAGE_LOG names; the capture points it at a file of its own.
#ifndef TRUV_TESTS_SUPPORT_BOX_CAPTURE_H
#define TRUV_TESTS_SUPPORT_BOX_CAPTURE_H

#include <string>
#include <vector>

struct CapturedBox {
    std::string caption;  // GBK, as shown
    std::string text;     // GBK, as shown
};

/// Captures every box shown on this thread while it lives; only one at a time.
class BoxCapture {
public:
    BoxCapture();
    BoxCapture(const BoxCapture&) = delete;
    BoxCapture& operator=(const BoxCapture&) = delete;
    ~BoxCapture();

    /// The boxes shown since construction or the last Take, in order.
    std::vector<CapturedBox> Take();

private:
    std::string logPath_;
};

#endif  // TRUV_TESTS_SUPPORT_BOX_CAPTURE_H
