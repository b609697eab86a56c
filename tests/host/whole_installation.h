// A sandbox installation holding everything the catalogue and the flows can start.
#ifndef TRUV_TESTS_HOST_WHOLE_INSTALLATION_H
#define TRUV_TESTS_HOST_WHOLE_INSTALLATION_H

#include <set>
#include <string>
#include <vector>

#include "host/items/item_plan.h"
#include "support/installation_fixture.h"

class WholeInstallationTest : public InstallationTest {
protected:
    void SetUp() override;

    /// The directory line of a key; the root for the empty key.
    std::string DirOf(const std::string& key) const;
    /// Places one program (the stand-in) or help document where its key says.
    void Place(const host::StartedFile& file);

    std::vector<host::ItemPlan> plans;
    std::set<host::StartedFile> files;
    std::vector<suite::CfgPathEntry> cfgPath;
};

#endif  // TRUV_TESTS_HOST_WHOLE_INSTALLATION_H
