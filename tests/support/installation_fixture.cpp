// A test fixture with a sandbox installation of the suite.
#include "support/installation_fixture.h"

#include "launch/launcher.h"
#include "os/os.h"
#include "plugin/globals.h"
#include "support/temp_dir.h"

InstallationTest::InstallationTest()
    : savedDirectory_(os::CurrentDirectory().value_or(".")),
      savedPath_(os::GetEnvironmentVariable("PATH")) {
    sandbox.SetRegistryRoot();
    Launcher& launcher = TheLauncher();
    launcher.workDir = sandbox.ProjectDir();
    launcher.pathPending = 0;  // tests of the "PATH" step ask for it
}

InstallationTest::~InstallationTest() {
    // Leave the project directory before the sandbox removes it.
    os::SetCurrentDirectory(savedDirectory_);
    if (savedPath_) os::SetEnvironmentVariable("PATH", *savedPath_);
    TheLauncher().pathPending = 0;
}

std::vector<std::string> InstallationTest::BoxTexts() {
    std::vector<std::string> texts;
    for (const CapturedBox& box : boxes.Take()) texts.push_back(box.text);
    return texts;
}

std::vector<std::vector<std::string>> InstallationTest::Started() {
    std::vector<std::vector<std::string>> started;
    for (const suite::JournalRecord& record : sandbox.ReadJournal()) {
        started.push_back(record.args);
    }
    sandbox.ClearJournal();
    return started;
}

std::string InstallationTest::FileNameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string InstallationTest::ProjectFile(const std::string& name) const {
    return JoinPath(sandbox.ProjectDir(), name);
}
