// POSIX half of the OS seam: the shell's "open" verb.
//
// A file that is a program (found as StartProcess finds one, with this process's PATH) is
// started directly, its parameters split by the Windows rules, in the current directory with
// the current environment. Any other existing file is a document and goes to "xdg-open",
// the desktop's opener. As with ShellExecuteExA, the file name is not split: "PROG -A" names a
// file called that. The file name and each parameter, split by the rules of GBK text, are
// translated (transcode.h).
#include <sys/stat.h>

#include <cstdlib>

#include "os/command_line.h"
#include "os/os.h"
#include "os/posix/posix_support.h"
#include "os/posix/system_calls.h"
#include "os/posix/transcode.h"

extern char** environ;

namespace os {
namespace {

bool IsExecutableFile(const std::string& path) {
    struct stat info {};
    return posix::systemCalls.stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
           (info.st_mode & (S_IXUSR | S_IXGRP | S_IXOTH)) != 0;
}

}  // namespace

Status ShellOpen(const std::string& gbkFile, const std::string& parameters, Process& started) {
    const std::optional<std::string> file = posix::NativeName(gbkFile);
    std::vector<std::string> args = SplitArguments(parameters);
    if (!file || !posix::TranslateNames(args)) return kInvalidName;
    const char* searchPath = std::getenv("PATH");
    const posix::ProgramLookup found = posix::FindProgram(*file, searchPath ? searchPath : "");
    if (found.status != kSuccess) {
        return posix::Fail(found.status);
    }
    if (IsExecutableFile(found.path)) {
        args.insert(args.begin(), *file);
        return posix::Spawn(found.path, args, environ, "", started);
    }
    const posix::ProgramLookup opener =
        posix::FindProgram("xdg-open", searchPath ? searchPath : "");
    if (opener.status != kSuccess) {
        return posix::Fail(posix::kNoAssociation);
    }
    return posix::Spawn(opener.path, {"xdg-open", found.path}, environ, "", started);
}

}  // namespace os
