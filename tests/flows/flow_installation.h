// A sandbox installation of the suite for running the item flows with real programs, and the
// expectations a flow test states: the programs started, the work files left, the boxes shown.
#ifndef TRUV_TESTS_FLOWS_FLOW_INSTALLATION_H
#define TRUV_TESTS_FLOWS_FLOW_INSTALLATION_H

#include <cstdint>
#include <string>
#include <vector>

#include "suite/sandbox.h"

/// The launcher's run operations that the flows use.
enum class RunOp { kRunExeFile, kRunExeFileMin, kRunExeFileNor };

/// One start that a flow is expected to make. An empty key is the installation root.
struct ExpectedRun {
    RunOp op;
    std::string key;
    std::string program;  // the program text as the flow passes it
};

/// A work file in the project directory before the flow runs.
struct WorkFile {
    std::string name;
    std::string bytes = "x";
    bool readOnly = false;
};

/// What one program does when it is started (all optional): a file it deletes in the project
/// directory (the journal then says "deleted NAME" or "absent NAME", which tells whether the
/// file was there when the program started), files it creates there, and its exit code.
/// Only the first act that selects a start is carried out.
struct ProgramAct {
    std::string program;
    std::string args = {};  // wildcard over its arguments; empty: any arguments
    std::vector<std::string> creates = {};
    std::string bytes = "x";  // of every file it creates
    std::string deletes = {};
    std::uint32_t exitCode = 0;
};

/// Every module key of the flows is listed twice in "CFGPATH": the first listing names the
/// folder KEY-first, which holds the programs the flows start with RunExeFile (first match);
/// the last names KEY-last, with the programs they start with RunExeFileMin and
/// RunExeFileNor (last match). A program started with the wrong operation is not found.
class FlowInstallation {
public:
    FlowInstallation();

    /// Empties the project directory and the journal, writes the work files and the
    /// scenario, and makes the project directory the current directory and the launcher's
    /// `workDir`.
    void Prepare(const std::vector<WorkFile>& files, const std::vector<ProgramAct>& acts);

    /// The command line the launcher composes for `run` in this installation.
    std::string CommandLine(const ExpectedRun& run) const;

    const suite::Sandbox& Sandbox() const { return sandbox_; }

    /// The entries of the project directory, sorted.
    std::vector<std::string> ProjectEntries() const;

private:
    suite::Sandbox sandbox_;
};

#endif  // TRUV_TESTS_FLOWS_FLOW_INSTALLATION_H
