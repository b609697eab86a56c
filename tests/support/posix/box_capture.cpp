// POSIX half of BoxCapture: points TRUV_MESSAGE_LOG at a fresh file and parses its records.
#include "support/box_capture.h"

#include <stdlib.h>
#include <unistd.h>

#include <optional>
#include <stdexcept>

#include "support/temp_dir.h"

namespace {

constexpr char kLogVariable[] = "TRUV_MESSAGE_LOG";
constexpr char kUnitSeparator = '\x1F';
constexpr char kRecordSeparator = '\x1E';

// The value TRUV_MESSAGE_LOG had before the capture (one capture at a time).
std::optional<std::string> previousLog;

std::string NewLogFile() {
    const char* tempDir = getenv("TMPDIR");
    std::string pattern =
        std::string(tempDir != nullptr && *tempDir ? tempDir : "/tmp") + "/truv-boxes-XXXXXX";
    const int fd = mkstemp(pattern.data());
    if (fd < 0) {
        throw std::runtime_error("cannot create the message log " + pattern);
    }
    close(fd);
    return pattern;
}

}  // namespace

BoxCapture::BoxCapture() : logPath_(NewLogFile()) {
    const char* previous = getenv(kLogVariable);
    previousLog = previous != nullptr ? std::optional<std::string>(previous) : std::nullopt;
    setenv(kLogVariable, logPath_.c_str(), /*overwrite=*/1);
}

BoxCapture::~BoxCapture() {
    if (previousLog) {
        setenv(kLogVariable, previousLog->c_str(), /*overwrite=*/1);
    } else {
        unsetenv(kLogVariable);
    }
    previousLog.reset();
    unlink(logPath_.c_str());
}

std::vector<CapturedBox> BoxCapture::Take() {
    const std::string log = ReadWholeFile(logPath_);
    WriteWholeFile(logPath_, "");
    std::vector<CapturedBox> boxes;
    std::size_t start = 0;
    for (std::size_t end = log.find(kRecordSeparator); end != std::string::npos;
         start = end + 1, end = log.find(kRecordSeparator, start)) {
        const std::string record = log.substr(start, end - start);
        const std::size_t split = record.find(kUnitSeparator);
        if (split == std::string::npos) {
            boxes.push_back({record, ""});
        } else {
            boxes.push_back({record.substr(0, split), record.substr(split + 1)});
        }
    }
    return boxes;
}
