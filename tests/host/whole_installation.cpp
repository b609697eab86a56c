// A sandbox installation holding everything the catalogue and the flows can start.
#include "whole_installation.h"

#include <algorithm>

#include "catalogue/builders.h"
#include "model/menu_catalog.h"
#include "suite/system.h"

void WholeInstallationTest::SetUp() {
    // The help viewer beside the host, where the system's search finds it first.
    suite::InstallBesideExecutable("HH.exe");
    MenuCatalog catalog;
    BuildMenuGroups(catalog);
    plans = host::PlanCatalogue(catalog);
    files = host::FilesStarted(plans);
    std::set<std::string> keys{"CORE", "DMGT"};
    for (const host::StartedFile& file : files) {
        if (!file.dirKey.empty()) keys.insert(file.dirKey);
    }
    for (const std::string& key : keys) cfgPath.push_back({key, sandbox.AddModule(key)});
    sandbox.WriteCfgPath(cfgPath);
    for (const host::StartedFile& file : files) Place(file);
    sandbox.InstallProgram(sandbox.DirLine("DMGT"), "SuiteMgr.exe");
}

std::string WholeInstallationTest::DirOf(const std::string& key) const {
    return key.empty() ? sandbox.Root() : sandbox.DirLine(key);
}

void WholeInstallationTest::Place(const host::StartedFile& file) {
    std::string name = file.name;
    std::replace(name.begin(), name.end(), '\\', suite::sys::Separator());
    const std::string path = suite::sys::Join(DirOf(file.dirKey), name);
    ASSERT_TRUE(suite::sys::MakeDirectories(suite::sys::DirName(path)));
    if (file.document) {
        ASSERT_TRUE(suite::sys::WriteWholeFile(path, "help"));
    } else {
        sandbox.InstallProgram(suite::sys::DirName(path), suite::sys::BaseName(path));
    }
}
