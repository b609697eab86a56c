// The objects that live for the whole time the library is loaded, in their order of
// construction (destruction runs in reverse): they share this one translation unit so that
// the order is the order of definition.
#include "plugin/globals.h"

#include "launch/launcher.h"
#include "model/menu_catalog.h"

namespace {

/// The per-library application object. It has no handlers and no start-up or shutdown logic.
/// It is built after the launcher and before the catalogue, so at unload the catalogue's
/// items are gone before it, and the launcher with its exit-code cell outlives both: nothing
/// torn down early can still be reached by a later destructor.
class PluginApplication {
public:
    PluginApplication() = default;
    PluginApplication(const PluginApplication&) = delete;
    PluginApplication& operator=(const PluginApplication&) = delete;
    virtual ~PluginApplication() = default;
};

}  // namespace

const std::string devNotice = "新规范版本VEGA正在研发中,敬请期待!\n  给您工作带来了不便,请您谅解。";

namespace {
Launcher loadLauncher;
PluginApplication theApplication;
MenuCatalog theCatalog;
}  // namespace

MenuCatalog& TheCatalog() {
    return theCatalog;
}
