// Portable code: ownership of an open file, a text-mode line reader over File::Read, and the
// reader of small files.
#include <cstddef>
#include <utility>

#include "os/os.h"

namespace os {

File::File(File&& other) noexcept
    : native_(std::exchange(other.native_, kClosed)),
      pending_(std::exchange(other.pending_, std::string())),
      atEnd_(std::exchange(other.atEnd_, false)) {}

File& File::operator=(File&& other) noexcept {
    if (this != &other) {
        Close();
        native_ = std::exchange(other.native_, kClosed);
        pending_ = std::exchange(other.pending_, std::string());
        atEnd_ = std::exchange(other.atEnd_, false);
    }
    return *this;
}

File::~File() {
    Close();
}

namespace {
constexpr long kChunkSize = 4096;
}  // namespace

bool File::ReadLine(std::string& line) {
    std::size_t newline = pending_.find('\n');
    while (newline == std::string::npos && !atEnd_) {
        char chunk[kChunkSize];
        const long count = Read(chunk, kChunkSize);
        if (count <= 0) {
            atEnd_ = true;  // the end of the file, or a read error: no more lines after this
            break;
        }
        const std::size_t searchFrom = pending_.size();
        pending_.append(chunk, static_cast<std::size_t>(count));
        newline = pending_.find('\n', searchFrom);
    }
    if (newline == std::string::npos) {
        if (pending_.empty()) {
            return false;
        }
        line.swap(pending_);  // a last line without LF
        pending_.clear();
        return true;
    }
    const std::size_t end = newline > 0 && pending_[newline - 1] == '\r' ? newline - 1 : newline;
    line.assign(pending_, 0, end);
    pending_.erase(0, newline + 1);
    return true;
}

Status ReadSmallFile(const std::string& path, std::size_t limit, Sharing sharing,
                     std::string& bytes) {
    bytes.clear();
    File file;
    const Status opened =
        sharing == Sharing::kExclusive ? file.OpenExclusiveRead(path) : file.OpenSharedRead(path);
    if (opened != kSuccess) return opened;
    char chunk[kChunkSize];
    for (;;) {
        const long count = file.Read(chunk, kChunkSize);
        if (count == 0) return kSuccess;
        if (count < 0) {
            const Status error = LastError();
            bytes.clear();
            return error != kSuccess ? error : kReadFault;
        }
        if (bytes.size() + static_cast<std::size_t>(count) > limit) {
            bytes.clear();
            return kFileTooLarge;
        }
        bytes.append(chunk, static_cast<std::size_t>(count));
    }
}

}  // namespace os
