// Lays out and observes a throw-away installation of the suite.
#include "suite/sandbox.h"

#include <stdexcept>

#include "suite/registry_override.h"
#include "suite/system.h"

namespace suite {
namespace {

constexpr const char* kStandinName = "truv-standin";
constexpr const char* kCfgPathName = "CFGPATH";
constexpr const char* kRegistryStoreName = "registry";
constexpr const char* kProjectName = "project";

void Require(bool ok, const std::string& what) {
    if (!ok) {
        throw std::runtime_error(what + " (error " + std::to_string(sys::LastError()) + ")");
    }
}

void WriteFileOrThrow(const std::string& path, const std::string& bytes) {
    Require(sys::WriteWholeFile(path, bytes), "cannot write " + path);
}

void MakeDirectoriesOrThrow(const std::string& path) {
    Require(sys::MakeDirectories(path), "cannot create the directory " + path);
}

}  // namespace

TempDir::TempDir(const std::string& prefix) : path_(sys::MakeTempDirectory(prefix)) {
    Require(!path_.empty(), "cannot create a temporary directory");
}

TempDir::~TempDir() {
    sys::RemoveTree(path_);
}

std::string TempDir::Join(const std::string& name) const {
    return sys::Join(path_, name);
}

ScopedEnv::ScopedEnv(std::string name, const std::optional<std::string>& value)
    : name_(std::move(name)), saved_(sys::GetEnv(name_)) {
    sys::SetEnv(name_, value);
}

ScopedEnv::~ScopedEnv() {
    sys::SetEnv(name_, saved_);
}

Sandbox::Sandbox(const std::string& rootName)
    : root_(temp_.Join(rootName)),
      project_(temp_.Join(kProjectName)),
      journalEnv_("TRUV_SUITE_JOURNAL", sys::Join(root_, kJournalName)),
      scenarioEnv_("TRUV_SUITE_SCENARIO", sys::Join(root_, kScenarioName)),
      registry_(std::make_unique<RegistryOverride>(RegistryStorePath())) {
    if (sys::ExecutableSuffix().empty()) {
        registryEnv_ = std::make_unique<ScopedEnv>("TRUV_REGISTRY", RegistryStorePath());
    }
    MakeDirectoriesOrThrow(root_);
    MakeDirectoriesOrThrow(project_);
}

Sandbox::~Sandbox() = default;

// "CFGPATH" is the plug-in's file, in GBK on every platform.
std::string Sandbox::DirLine(const std::string& folder) const {
    return sys::Join(sys::GbkSpelling(root_), folder) + sys::Separator();
}

std::string Sandbox::CfgPathFile() const {
    return sys::Join(root_, kCfgPathName);
}

void Sandbox::WriteCfgPath(const std::vector<CfgPathEntry>& entries) const {
    std::vector<std::string> lines;
    for (const CfgPathEntry& entry : entries) {
        lines.push_back(entry.key);
        lines.push_back(entry.dir);
    }
    WriteCfgPathLines(lines);
}

void Sandbox::WriteCfgPathLines(const std::vector<std::string>& lines) const {
    std::string bytes;
    for (const std::string& line : lines) bytes += line + "\n";
    WriteCfgPathBytes(bytes);
}

void Sandbox::WriteCfgPathBytes(const std::string& bytes) const {
    WriteFileOrThrow(CfgPathFile(), bytes);
}

void Sandbox::RemoveCfgPath() const {
    Require(sys::RemoveFile(CfgPathFile()) != sys::DeleteResult::Failed,
            "cannot delete " + CfgPathFile());
}

std::string Sandbox::AddModule(const std::string& folder) const {
    std::string line = DirLine(folder);
    MakeDirectoriesOrThrow(sys::Join(root_, folder));
    return line;
}

std::string Sandbox::InstallProgram(const std::string& dir, const std::string& program) const {
    MakeDirectoriesOrThrow(dir);
    std::string path = sys::Join(dir, ProgramFileName(program));
    Require(sys::CopyExecutable(StandinPath(), path), "cannot copy the stand-in to " + path);
    return path;
}

void Sandbox::Install(const std::vector<ModuleSpec>& modules) const {
    std::vector<CfgPathEntry> entries;
    for (const ModuleSpec& module : modules) {
        std::string line = AddModule(module.folder);
        for (const std::string& program : module.programs) InstallProgram(line, program);
        entries.push_back({module.key, line});
    }
    WriteCfgPath(entries);
}

void Sandbox::SetRegistryRoot() {
    registry_->SetString(root_, /*terminated=*/true);
}

void Sandbox::SetRegistryString(const std::string& bytes) {
    registry_->SetString(bytes, /*terminated=*/true);
}

void Sandbox::SetRegistryUnterminated(const std::string& bytes) {
    registry_->SetString(bytes, /*terminated=*/false);
}

void Sandbox::SetRegistryDword(std::uint32_t value) {
    registry_->SetDword(value);
}

void Sandbox::RemoveRegistryValue() {
    registry_->RemoveValue();
}

void Sandbox::RemoveRegistryKey() {
    registry_->RemoveKey();
}

std::string Sandbox::RegistryStorePath() const {
    return temp_.Join(kRegistryStoreName);
}

std::string Sandbox::JournalPath() const {
    return sys::Join(root_, kJournalName);
}

std::string Sandbox::ScenarioPath() const {
    return sys::Join(root_, kScenarioName);
}

std::vector<JournalRecord> Sandbox::ReadJournal() const {
    std::string bytes;
    sys::ReadResult read = sys::ReadWholeFile(JournalPath(), bytes);
    if (read == sys::ReadResult::Missing) return {};
    Require(read == sys::ReadResult::Read, "cannot read " + JournalPath());
    std::vector<JournalRecord> records;
    std::string error;
    if (!ParseJournal(bytes, records, error))
        throw std::runtime_error(JournalPath() + ": " + error);
    return records;
}

void Sandbox::ClearJournal() const {
    Require(sys::RemoveFile(JournalPath()) != sys::DeleteResult::Failed,
            "cannot delete " + JournalPath());
}

void Sandbox::WriteScenario(const Scenario& scenario) const {
    WriteFileOrThrow(ScenarioPath(), FormatScenario(scenario));
}

std::string ProgramFileName(const std::string& program) {
    std::string suffix = sys::ExecutableSuffix();
    bool hasExtension = sys::BaseName(program).find('.') != std::string::npos;
    return suffix.empty() || hasExtension ? program : program + suffix;
}

std::string StandinPath() {
    return sys::Join(sys::DirName(sys::OwnExecutablePath()),
                     std::string(kStandinName) + sys::ExecutableSuffix());
}

std::string InstallBesideExecutable(const std::string& program) {
    std::string target =
        sys::Join(sys::DirName(sys::OwnExecutablePath()), ProgramFileName(program));
    if (sys::Exists(target)) return target;
    // Copy under a name of this process, then rename: a test running at the same time
    // never sees a half-written program.
    std::string partial = target + "." + std::to_string(sys::ProcessId()) + ".part";
    Require(sys::CopyExecutable(StandinPath(), partial), "cannot copy the stand-in to " + partial);
    if (!sys::Rename(partial, target)) {
        sys::RemoveFile(partial);
        Require(sys::Exists(target), "cannot install " + target);
    }
    return target;
}

}  // namespace suite
