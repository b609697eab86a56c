// Loading truvApp: LoadLibraryA and GetProcAddress on Windows, dlopen and dlsym on POSIX.
#include "host/plugin_loader.h"

#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace host {
namespace {

// The entry points' decorated names, as the host looks them up.
#if defined(_WIN64)
constexpr const char* kInitName = "?InitTruvApp@@YAPEBDXZ";
constexpr const char* kRunName = "?RunCommand@@YAXPEAD@Z";
#elif defined(_WIN32)
constexpr const char* kInitName = "?InitTruvApp@@YAPBDXZ";
constexpr const char* kRunName = "?RunCommand@@YAXPAD@Z";
#else
constexpr const char* kInitName = "_Z11InitTruvAppv";
constexpr const char* kRunName = "_Z10RunCommandPc";
#endif

#ifdef _WIN32
constexpr const char* kSeparator = "\\";

void* OpenLibrary(const std::string& path, std::string& error) {
    HMODULE module = LoadLibraryA(path.c_str());
    if (module == nullptr) error = "error " + std::to_string(GetLastError());
    return reinterpret_cast<void*>(module);
}

void* FindSymbol(void* library, const char* name) {
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}

void CloseLibrary(void* library) {
    FreeLibrary(static_cast<HMODULE>(library));
}
#else
constexpr const char* kSeparator = "/";

void* OpenLibrary(const std::string& path, std::string& error) {
    void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) error = dlerror();
    return library;
}

void* FindSymbol(void* library, const char* name) {
    return dlsym(library, name);
}

void CloseLibrary(void* library) {
    dlclose(library);
}
#endif

}  // namespace

Plugin::~Plugin() {
    if (library_ != nullptr) CloseLibrary(library_);
}

std::string Plugin::FileName() {
#ifdef _WIN32
    return "truvApp.dll";
#else
    return "truvApp.so";
#endif
}

bool Plugin::Load(const std::string& dir, std::string& error) {
    const std::string path = dir + kSeparator + FileName();
    path_ = path;
    std::string reason;
    library_ = OpenLibrary(path, reason);
    if (library_ == nullptr) {
        error = "cannot load " + path + ": " + reason;
        return false;
    }
    init_ = reinterpret_cast<InitFunction>(FindSymbol(library_, kInitName));
    run_ = reinterpret_cast<RunFunction>(FindSymbol(library_, kRunName));
    if (init_ == nullptr || run_ == nullptr) {
        error = path + " does not export " + (init_ == nullptr ? kInitName : kRunName);
        return false;
    }
    return true;
}

std::string Plugin::Init() const {
    const char* text = init_();
    return text == nullptr ? std::string() : std::string(text);
}

void Plugin::Run(const std::string& key) const {
    std::vector<char> buffer(key.begin(), key.end());
    buffer.push_back('\0');
    run_(buffer.data());
}

}  // namespace host
