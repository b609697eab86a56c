// A small stand-in for the host: loads truvApp.dll by its decorated names, as the host does,
// calls InitTruvApp and prints where the menu file is. The full host program replaces it.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

#ifdef _WIN64
constexpr char kInitName[] = "?InitTruvApp@@YAPEBDXZ";
#else
constexpr char kInitName[] = "?InitTruvApp@@YAPBDXZ";
#endif

std::string OwnDirectory() {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string text(path, length);
    return text.substr(0, text.find_last_of('\\') + 1);
}

}  // namespace

int main() {
    const std::string dll = OwnDirectory() + "truvApp.dll";
    HMODULE plugin = LoadLibraryA(dll.c_str());
    if (plugin == nullptr) {
        std::fprintf(stderr, "cannot load %s (error %lu)\n", dll.c_str(), GetLastError());
        return 1;
    }
    using InitFunction = const char* (*)();
    const auto init =
        reinterpret_cast<InitFunction>(reinterpret_cast<void*>(GetProcAddress(plugin, kInitName)));
    if (init == nullptr) {
        std::fprintf(stderr, "%s does not export %s\n", dll.c_str(), kInitName);
        return 1;
    }
    const char* result = init();
    std::printf("InitTruvApp returned \"%s\"; menu file: %smenu.txt\n", result,
                OwnDirectory().c_str());
    FreeLibrary(plugin);
    return 0;
}
