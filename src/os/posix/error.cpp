// POSIX half of the OS seam: the thread's last error, errno mapped onto Win32 codes, and the
// system's texts for them.
#include <locale.h>
#include <string.h>

#include <cerrno>

#include "os/os.h"
#include "os/posix/posix_support.h"

namespace os {
namespace {

thread_local Status lastError = kSuccess;

struct ErrnoMapping {
    int err;
    Status code;
};

// errno -> Win32 code. The first row of an errno is used forwards; the first row of a code is
// used backwards (for ErrorText). ENOENT is 2 or 3 depending on the path (StatusFromErrno).
// clang-format off
constexpr ErrnoMapping kErrnoMappings[] = {
    {ENOENT,       kFileNotFound},
    {ENOENT,       kPathNotFound},
    {ENOTDIR,      kPathNotFound},
    {EACCES,       kAccessDenied},
    {EPERM,        kAccessDenied},
    {EISDIR,       kAccessDenied},
    {EROFS,        kAccessDenied},
    {EMFILE,       kTooManyOpenFiles},
    {ENFILE,       kTooManyOpenFiles},
    {EBADF,        kInvalidHandle},
    {ENOMEM,       kNotEnoughMemory},
    {EIO,          kReadFault},
    {EIO,          kWriteFault},
    {EBUSY,        kSharingViolation},
    {EWOULDBLOCK,  kSharingViolation},
    {ETXTBSY,      kSharingViolation},
    {EINVAL,       kInvalidParameter},
    {E2BIG,        kInvalidParameter},
    {ENOSPC,       kDiskFull},
    {EDQUOT,       kDiskFull},
    {ENOSPC,       kHandleDiskFull},
    {EEXIST,       kAlreadyExists},
    {ENAMETOOLONG, kFilenameTooLong},
    {ENOEXEC,      posix::kBadExeFormat},
    {EXDEV,        posix::kNotSameDevice},
    {ENOTEMPTY,    posix::kDirNotEmpty},
    {ENOTDIR,      kDirectory},
};
// clang-format on

int ErrnoForStatus(Status code) {
    if ((code & posix::kErrnoBit) != 0) {
        return static_cast<int>(code & ~posix::kErrnoBit);
    }
    for (const ErrnoMapping& row : kErrnoMappings) {
        if (row.code == code) {
            return row.err;
        }
    }
    return 0;
}

}  // namespace

namespace posix {

void SetLastError(Status code) {
    lastError = code;
}

Status StatusFromErrno(int err, bool parentExists) {
    if (err == ENOENT) {
        return parentExists ? kFileNotFound : kPathNotFound;
    }
    for (const ErrnoMapping& row : kErrnoMappings) {
        if (row.err == err) {
            return row.code;
        }
    }
    return kErrnoBit | static_cast<Status>(err);
}

Status FailWithErrno(int err, bool parentExists) {
    return Fail(StatusFromErrno(err, parentExists));
}

Status Fail(Status code) {
    lastError = code;
    return code;
}

}  // namespace posix

Status LastError() {
    return lastError;
}

// The text comes from strerror in the "C" locale: plain English ASCII, which is also valid
// GBK, whatever the process's locale (a UTF-8 locale would give bytes the plug-in cannot show).
// Codes that only this backend gives for a cause strerror cannot name have texts of their own.
std::string ErrorText(Status code) {
    if (code == posix::kBadEnvironment) {
        return "The environment is too large to start a program: one of its variables "
               "(usually PATH) is 128 KiB or longer, and the system passes no variable that "
               "long to a program. Shorten it and start again.";
    }
    if (code == kInvalidName) {
        return "The name cannot pass between GBK and the file system's UTF-8: it holds bytes "
               "that are no GBK text, or a character that GBK cannot spell.";
    }
    const int err = ErrnoForStatus(code);
    if (err == 0) {
        return {};
    }
    const locale_t plain = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    if (plain == static_cast<locale_t>(nullptr)) {
        return {};
    }
    std::string text = strerror_l(err, plain);
    freelocale(plain);
    return text;
}

}  // namespace os
