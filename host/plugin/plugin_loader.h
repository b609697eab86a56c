// Loading truvApp the way the suite's host must: the library and its two decorated exports.
#ifndef TRUV_HOST_PLUGIN_PLUGIN_LOADER_H
#define TRUV_HOST_PLUGIN_PLUGIN_LOADER_H

#include <cstdint>
#include <string>

namespace host {

/// What a library file's own headers say it spans, against what the file holds.
struct LibrarySpan {
    std::uint64_t described = 0;  ///< the end of the last header, segment or section they name
    std::uint64_t held = 0;       ///< the file's size
};

/// The span of the library file at `path` (platform half: ELF or PE headers). Both 0 when the
/// file cannot be opened as a regular file or does not begin as a library of this system:
/// loading it then says why.
LibrarySpan ReadLibrarySpan(const std::string& path);

/// "damaged (...)" in words when the file at `path` is shorter than its own headers say, as a
/// copy cut short is: mapping it would end the host with SIGBUS. Empty otherwise.
std::string LibraryDamage(const std::string& path);

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
    /// false with `error` set when either step fails. A damaged library (LibraryDamage) is
    /// refused before the system maps it.
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

#endif  // TRUV_HOST_PLUGIN_PLUGIN_LOADER_H
