// Win32 half of the OS seam: where a program named without a path is looked for.
//
// CreateProcessA looks for such a program in the host executable's directory, then in the
// current directory, then in the system directories and the PATH. The current directory of a
// start is the project folder, which may come from anyone: a program placed there must never
// start in place of the one meant. The search here leaves it out, and the program found is
// handed to CreateProcessA as its application name, with the command line unchanged.
#include "os/os.h"
#include "os/win32/system_calls.h"
#include "os/win32/windows_support.h"

namespace os::win32 {
namespace {

bool IsSeparator(char byte) {
    return byte == '\\' || byte == '/' || byte == ':';
}

// True when `name` holds a drive or directory part ('\' as a trail byte does not count).
bool HasPathPart(const std::string& name) {
    for (std::size_t pos = 0; pos < name.size(); ++pos) {
        if (IsDBCSLeadByte(static_cast<BYTE>(name[pos])) && pos + 1 < name.size()) {
            ++pos;
        } else if (IsSeparator(name[pos])) {
            return true;
        }
    }
    return false;
}

// The program of a command line as CreateProcessA reads it: the text within the leading
// quotes, or up to the first blank or tab.
std::string ProgramToken(const std::string& commandLine) {
    if (!commandLine.empty() && commandLine[0] == '"') {
        const std::size_t close = commandLine.find('"', 1);
        return commandLine.substr(1, close == std::string::npos ? std::string::npos : close - 1);
    }
    return commandLine.substr(0, commandLine.find_first_of(" \t"));
}

// Position of the last separator of `path` ('\' as a trail byte does not count); npos when
// there is none.
std::size_t LastSeparator(const std::string& path) {
    std::size_t last = std::string::npos;
    for (std::size_t pos = 0; pos < path.size(); ++pos) {
        if (IsDBCSLeadByte(static_cast<BYTE>(path[pos])) && pos + 1 < path.size()) {
            ++pos;
        } else if (IsSeparator(path[pos])) {
            last = pos;
        }
    }
    return last;
}

bool IsSlash(char byte) {
    return byte == '\\' || byte == '/';
}

bool IsDriveLetter(char byte) {
    return (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z');
}

// A bare drive ("E:"): the system's own search appends '\' to an element that lacks one, so
// it names the drive's root.
bool IsBareDrive(const std::string& folder) {
    return folder.size() == 2 && IsDriveLetter(folder[0]) && folder[1] == ':';
}

// A folder of the PATH that is not a full path ("bin", "\bin", "C:bin") would be looked up
// from the current directory, or from the current directory of its drive: both are the
// project folder during a start. A bare drive is its root, a full path.
bool IsFullFolderPath(const std::string& folder) {
    const bool drive =
        folder.size() >= 3 && IsDriveLetter(folder[0]) && folder[1] == ':' && IsSlash(folder[2]);
    const bool unc = folder.size() >= 3 && IsSlash(folder[0]) && IsSlash(folder[1]);
    return drive || unc || IsBareDrive(folder);
}

// The folder a full folder path of the PATH names, as a path to put a file name after.
std::string SearchedFolder(std::string folder) {
    return IsBareDrive(folder) ? folder + "\\" : folder;
}

// The elements of a PATH value, each without the quotes around it.
std::vector<std::string> PathElements(const std::string& path) {
    std::vector<std::string> elements;
    for (std::size_t start = 0; start <= path.size();) {
        std::size_t end = path.find(';', start);
        if (end == std::string::npos) end = path.size();
        std::string folder = path.substr(start, end - start);
        if (folder.size() >= 2 && folder.front() == '"' && folder.back() == '"') {
            folder = folder.substr(1, folder.size() - 2);
        }
        elements.push_back(folder);
        start = end + 1;
    }
    return elements;
}

std::string SystemFolder(UINT (*WINAPI query)(LPSTR, UINT)) {
    char buffer[MAX_PATH + 1] = {};
    const UINT length = query(buffer, sizeof buffer);
    return length > 0 && length < sizeof buffer ? std::string(buffer, length) : std::string();
}

// The host's folder, the system folders (32-bit, 16-bit, Windows) and the PATH, in order.
std::vector<std::string> SearchFolders() {
    const std::string windows = SystemFolder(GetWindowsDirectoryA);
    const std::string host = HostExecutablePath();
    const std::size_t hostEnd = LastSeparator(host);
    std::vector<std::string> folders{host.substr(0, hostEnd == std::string::npos ? 0 : hostEnd),
                                     SystemFolder(GetSystemDirectoryA),
                                     windows.empty() ? std::string() : windows + "\\System",
                                     windows};
    for (std::string& folder : PathElements(GetEnvironmentVariable("PATH").value_or(""))) {
        if (IsFullFolderPath(folder)) folders.push_back(SearchedFolder(std::move(folder)));
    }
    return folders;
}

bool IsFile(const std::string& path) {
    const DWORD attributes = systemCalls.getFileAttributes(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// As CreateProcessA does, ".exe" is added to a name without extension.
std::string WithDefaultExtension(const std::string& name) {
    const std::size_t separator = LastSeparator(name);
    const std::size_t start = separator == std::string::npos ? 0 : separator + 1;
    return name.find('.', start) == std::string::npos ? name + ".exe" : name;
}

std::optional<std::string> FindInSearchFolders(const std::string& file) {
    for (const std::string& folder : SearchFolders()) {
        if (folder.empty()) continue;
        const bool separated = LastSeparator(folder) == folder.size() - 1;
        const std::string candidate = folder + (separated ? "" : "\\") + file;
        if (IsFile(candidate)) return candidate;
    }
    return std::nullopt;
}

}  // namespace

BareProgramLookup FindBareProgram(const std::string& commandLine) {
    BareProgramLookup lookup;
    const std::string name = ProgramToken(commandLine);
    if (name.empty() || HasPathPart(name)) return lookup;
    lookup.bare = true;
    lookup.path = FindProgramFile(name).value_or(std::string());
    return lookup;
}

}  // namespace os::win32

namespace os {

std::optional<std::string> FindProgramFile(const std::string& program) {
    if (program.empty()) return std::nullopt;
    const std::string file = win32::WithDefaultExtension(program);
    if (!win32::HasPathPart(program)) return win32::FindInSearchFolders(file);
    if (win32::IsFile(file)) return file;
    return std::nullopt;
}

std::vector<std::string> UnsearchedPathElements(const std::string& path) {
    std::vector<std::string> passedOver;
    for (std::string& folder : win32::PathElements(path)) {
        if (!folder.empty() && !win32::IsFullFolderPath(folder)) {
            passedOver.push_back(std::move(folder));
        }
    }
    return passedOver;
}

}  // namespace os
