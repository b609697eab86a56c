// The project folder, through the plug-in's OS seam.
#include "host/platform/project_folder.h"

#include "plugin/inspect.h"

namespace host {

std::string ProjectFolder() {
    return os::CurrentDirectory().value_or("(unknown)");
}

bool ChangeProjectFolder(const std::string& folder, std::string& error) {
    if (!folder.empty() && os::SetCurrentDirectory(folder)) return true;
    const os::Status code = folder.empty() ? os::kInvalidName : os::LastError();
    std::string reason = os::ErrorText(code);
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r')) reason.pop_back();
    error = "cannot change to \"" + folder + "\": error " + std::to_string(code) +
            (reason.empty() ? "" : " (" + reason + ")");
    return false;
}

}  // namespace host
