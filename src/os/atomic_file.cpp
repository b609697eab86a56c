// Writing a whole file atomically and durably.
#include "os/atomic_file.h"

#include <cstdint>
#include <string_view>

#include "text/gbk_text.h"

namespace os {
namespace {

// A scanner or indexer that opens a new file for a moment makes the create or the move fail
// with one of these; they pass.
bool IsTransientSharingError(Status status) {
    return status == kSharingViolation || status == kAccessDenied || status == kLockViolation;
}

constexpr int kTries = 10;
constexpr std::uint32_t kFirstPause = 10;  // milliseconds; then 20, 30, ...: 450 ms in all

template <typename Step>
Status Retrying(Step step) {
    Status status = step();
    for (int tried = 1; tried < kTries && IsTransientSharingError(status); ++tried) {
        Pause(kFirstPause * static_cast<std::uint32_t>(tried));
        status = step();
    }
    return status;
}

/// The temporary file while it is written: closed and deleted on every way out but the move.
class Temporary {
public:
    Temporary() = default;
    Temporary(const Temporary&) = delete;
    Temporary& operator=(const Temporary&) = delete;
    ~Temporary() {
        file.Close();
        if (!name.empty()) DeleteQuietly(name);
    }

    /// The move succeeded: the name is no longer a temporary.
    void Keep() { name.clear(); }

    File file;
    std::string name;

private:
    // Deleting can itself run out of memory (the path is converted on the way): once more.
    static void DeleteQuietly(const std::string& path) noexcept {
        for (int attempt = 0; attempt < 2; ++attempt) {
            try {
                DeleteFile(path);
                return;
            } catch (...) {
            }
        }
    }
};

// No writer leaves a file unwritten this long between its create and its move.
constexpr std::int64_t kStaleSeconds = 60;

/// True for what a temporary name holds when no writer is at work on it: a link or device
/// (writers make files only), or a file nobody has written for a while. A time of writing that
/// far in the future is as stale: the clock was set back since, and waiting for it to catch up
/// could take hours. A directory is never stale: it is not ours to delete.
bool IsStale(const NameInfo& info) {
    switch (info.kind) {
        case NameInfo::Kind::kOther:
            return true;
        case NameInfo::Kind::kFile:
            return info.secondsSinceWrite >= kStaleSeconds ||
                   info.secondsSinceWrite <= -kStaleSeconds;
        default:
            return false;
    }
}

enum class Attempt { kCreated, kTaken, kFailed };

/// Creates `name` new; a name that the create refuses as existing, whether a listing shows it
/// or not (a link to nothing), or under which a directory stands, is taken. A stale
/// temporary under it is deleted and the name tried once more.
Attempt TryName(const std::string& name, File& file, Status& status) {
    for (int round = 0; round < 2; ++round) {
        status = Retrying([&] {
            const Status created = file.CreateNew(name);
            const bool directory =
                created != kSuccess && LookAtName(name).kind == NameInfo::Kind::kFolder;
            return directory ? kAlreadyExists : created;
        });
        if (status == kSuccess) return Attempt::kCreated;
        if (status != kAlreadyExists && status != kFileExists) return Attempt::kFailed;
        if (round > 0 || !IsStale(LookAtName(name)) || DeleteFile(name) != kSuccess) {
            break;
        }
    }
    return Attempt::kTaken;
}

/// Creates a new temporary file beside `path` under the first name free or freed;
/// kNoTemporaryName when every name is taken.
Status CreateTemporary(const std::string& path, Temporary& temporary) {
    Status status = kAlreadyExists;
    for (int number = 0; number < kTemporaryNames; ++number) {
        std::string name = TemporaryNameFor(path, number);
        const Attempt attempt = TryName(name, temporary.file, status);
        if (attempt == Attempt::kCreated) temporary.name = std::move(name);
        if (attempt != Attempt::kTaken) return status;
    }
    return kNoTemporaryName;
}

Status Fail(Status status, WriteStep step, WriteStep* failedStep) {
    if (failedStep != nullptr) *failedStep = step;
    return status;
}

}  // namespace

std::string TemporaryNameFor(const std::string& path, int number) {
    const std::string_view folder = gbk::DirectoryPart(path);
    const std::string_view name = std::string_view(path).substr(folder.size());
    std::size_t stemEnd = name.size();
    for (std::size_t at = gbk::Find(name, '.'); at != std::string_view::npos;
         at = gbk::Find(name, '.', at + 1)) {
        stemEnd = at;
    }
    std::string temporary(path, 0, folder.size() + stemEnd);
    temporary += ".~";
    temporary += static_cast<char>('0' + number / 10 % 10);
    temporary += static_cast<char>('0' + number % 10);
    return temporary;
}

Status WriteFileAtomically(const std::string& path, const std::string& text, bool replaceExisting,
                           WriteStep* failedStep) {
    Temporary temporary;
    if (const Status status = CreateTemporary(path, temporary); status != kSuccess) {
        return Fail(status, WriteStep::kCreate, failedStep);
    }
    if (!temporary.file.Write(text) || !temporary.file.Flush() || !temporary.file.Close()) {
        return Fail(LastError(), WriteStep::kWrite, failedStep);
    }
    const Status moved =
        Retrying([&] { return MoveFileDurably(temporary.name, path, replaceExisting); });
    if (moved != kSuccess) return Fail(moved, WriteStep::kMove, failedStep);
    temporary.Keep();
    return kSuccess;
}

}  // namespace os
