// Where the host stands.
#include "host/plugin/host_folder.h"

#include "host/platform/host_system.h"
#include "os/os.h"
#include "plugin/inspect.h"

namespace host {

std::string HostDirectory() {
    const std::string path = os::HostExecutablePath();
    const std::size_t separator = sys::LastSeparator(path);
    return separator == std::string::npos ? "" : path.substr(0, separator);
}

std::string HostMenuFile() {
    const std::string path = MenuFilePath(os::HostExecutablePath());
    return path == kMenuFileName ? "" : path;
}

}  // namespace host
