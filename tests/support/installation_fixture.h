// A test fixture with a sandbox installation of the suite, the registry naming its root, the
// launcher's project directory set to the sandbox's project folder, and every message box
// captured. The process's current directory and "PATH" are put back afterwards.
#ifndef TRUV_TESTS_SUPPORT_INSTALLATION_FIXTURE_H
#define TRUV_TESTS_SUPPORT_INSTALLATION_FIXTURE_H

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "suite/sandbox.h"
#include "support/box_capture.h"

class InstallationTest : public ::testing::Test {
public:
    /// The file name of argv[0] (after the last '\' or '/').
    static std::string FileNameOf(const std::string& path);

protected:
    InstallationTest();
    ~InstallationTest() override;

    /// The texts of the boxes shown since the last call.
    std::vector<std::string> BoxTexts();
    /// The programs started since the last call: each one's argv (argv[0] included).
    std::vector<std::vector<std::string>> Started();

    /// A path under the project directory.
    std::string ProjectFile(const std::string& name) const;

    suite::Sandbox sandbox;
    BoxCapture boxes;

private:
    std::string savedDirectory_;
    std::optional<std::string> savedPath_;
};

#endif  // TRUV_TESTS_SUPPORT_INSTALLATION_FIXTURE_H
