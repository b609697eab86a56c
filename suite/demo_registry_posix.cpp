// The demonstration's registry value, POSIX half: the store file the plug-in reads through
// TRUV_REGISTRY.
#include <stdexcept>

#include "suite/demo_registry.h"
#include "suite/registry_override.h"
#include "suite/system.h"

namespace suite {

void WriteDemoRegistryRoot(const std::string& root, const std::string& store) {
    const std::string text = std::string("[HKEY_LOCAL_MACHINE\\") + kRootKeyPath + "]\n" +
                             kRootValueName + "=" + root + "\n";
    if (!sys::WriteWholeFile(store, text)) throw std::runtime_error("cannot write " + store);
    // The catalogue builders of this process see the installation being made.
    sys::SetEnv("TRUV_REGISTRY", store);
}

std::string DemoRegistryWhere(const std::string& store) {
    return store + " (export TRUV_REGISTRY=" + store + ")";
}

}  // namespace suite
