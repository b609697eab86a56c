// The project folder: the process's current directory, which the plug-in hands to every
// program it starts. Both hosts change it through here.
#ifndef TRUV_HOST_PLATFORM_PROJECT_FOLDER_H
#define TRUV_HOST_PLATFORM_PROJECT_FOLDER_H

#include <string>

namespace host {

/// The current directory; "(unknown)" when the system cannot tell.
std::string ProjectFolder();

/// Makes `folder` the current directory, so that the next RunCommand starts its programs
/// there; false with `error` (the folder and the system's reason) when it cannot be entered.
bool ChangeProjectFolder(const std::string& folder, std::string& error);

}  // namespace host

#endif  // TRUV_HOST_PLATFORM_PROJECT_FOLDER_H
