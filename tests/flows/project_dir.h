// A fresh, empty project directory that is the process's current directory while it lives.
#ifndef TRUV_TESTS_FLOWS_PROJECT_DIR_H
#define TRUV_TESTS_FLOWS_PROJECT_DIR_H

#include <string>
#include <vector>

#include "flows/flow_steps.h"
#include "support/temp_dir.h"

class ProjectDir {
public:
    ProjectDir();

    const std::string& Path() const { return dir_.Path(); }

    /// Creates (or replaces) a file of this directory with `bytes`.
    void Write(const std::string& name, const std::string& bytes = "x") const;
    void MakeReadOnly(const std::string& name) const;
    void MakeSubdirectory(const std::string& name) const;

    /// The names of the entries, sorted.
    std::vector<std::string> Entries() const;

private:
    TempDir dir_;
    CurrentDirectoryScope scope_;
};

/// What the plug-in hands the flows: its launcher and its notice.
flows::FlowContext PluginFlowContext();

#endif  // TRUV_TESTS_FLOWS_PROJECT_DIR_H
