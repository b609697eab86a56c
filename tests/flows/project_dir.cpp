// A fresh, empty project directory that is the process's current directory while it lives.
#include "project_dir.h"

#include <algorithm>
#include <filesystem>

#include "plugin/globals.h"

namespace fs = std::filesystem;

ProjectDir::ProjectDir() : scope_(dir_.Path()) {}

void ProjectDir::Write(const std::string& name, const std::string& bytes) const {
    WriteWholeFile(dir_ / name, bytes);
}

void ProjectDir::MakeReadOnly(const std::string& name) const {
    constexpr fs::perms kWrite =
        fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    fs::permissions(dir_ / name, kWrite, fs::perm_options::remove);
}

void ProjectDir::MakeSubdirectory(const std::string& name) const {
    fs::create_directory(dir_ / name);
}

std::vector<std::string> ProjectDir::Entries() const {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(dir_.Path())) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

flows::FlowContext PluginFlowContext() {
    return {TheLauncher(), devNotice};
}
