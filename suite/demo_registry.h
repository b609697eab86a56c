// Where the demonstration installation records its root: the registry value "CFG" that the
// plug-in reads. Windows half demo_registry_win32.cpp, POSIX half demo_registry_posix.cpp.
#ifndef TRUV_SUITE_DEMO_REGISTRY_H
#define TRUV_SUITE_DEMO_REGISTRY_H

#include <string>

namespace suite {

/// Makes `root` the installation root for whoever reads the registry next. Windows: the value
/// in both registry views (32-bit and 64-bit hosts find it), kept after this program ends.
/// POSIX: the store file `store`, and this process's TRUV_REGISTRY pointed at it. Throws
/// std::runtime_error on failure.
void WriteDemoRegistryRoot(const std::string& root, const std::string& store);

/// Where WriteDemoRegistryRoot put the value, for a person.
std::string DemoRegistryWhere(const std::string& store);

}  // namespace suite

#endif  // TRUV_SUITE_DEMO_REGISTRY_H
