// Loading truvApp the way the suite's host must: the library and its two decorated exports.
#ifndef TRUV_HOST_PLUGIN_LOADER_H
#define TRUV_HOST_PLUGIN_LOADER_H

#include <string>

namespace host {

/// The plug-in library loaded from a directory. Move is not needed: one per host.
class Plugin {
public:
    Plugin() = default;
    Plugin(const Plugin&) = delete;
    Plugin& operator=(const Plugin&) = delete;
    /// Unloads the library.
    ~Plugin();

    /// The library's file name on this platform ("truvApp.dll" or "truvApp.so").
    static std::string FileName();

    /// Loads the library from `dir` and looks both entry points up by their decorated names;
    /// false with `error` set when either step fails.
    bool Load(const std::string& dir, std::string& error);

    /// The path the library was loaded from.
    const std::string& Path() const { return path_; }

    /// Calls InitTruvApp; returns its text.
    std::string Init() const;

    /// Calls RunCommand with `key` (GBK); returns when the item is finished.
    void Run(const std::string& key) const;

private:
    using InitFunction = const char* (*)();
    using RunFunction = void (*)(char*);

    std::string path_;
    void* library_ = nullptr;
    InitFunction init_ = nullptr;
    RunFunction run_ = nullptr;
};

}  // namespace host

#endif  // TRUV_HOST_PLUGIN_LOADER_H
