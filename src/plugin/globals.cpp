// The objects that live for the whole time the library is loaded, in their order of
// construction (destruction runs in reverse): they share this one translation unit so that
// the order is the order of definition.
#include "plugin/globals.h"

#include "flows/dev_notice.h"
#include "launch/launcher.h"
#include "model/menu_catalog.h"

namespace {

/// The per-library application object. It has no handlers and no start-up or shutdown logic;
/// it stands in its place among the globals so that their order stays as designed.
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
Launcher theLauncher;
PluginApplication theApplication;
MenuCatalog theCatalog;
}  // namespace

MenuCatalog& TheCatalog() {
    return theCatalog;
}
