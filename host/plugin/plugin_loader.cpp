// Loading truvApp by its decorated exports, through the host's system calls.
#include "host/plugin/plugin_loader.h"

#include <vector>

#include "host/platform/host_system.h"
#include "host/plugin/library_calls.h"

namespace host {

std::string LibraryDamage(const std::string& path) {
    const LibrarySpan span = ReadLibrarySpan(path);
    if (span.described <= span.held) return {};
    return "damaged (its headers describe " + std::to_string(span.described) +
           " bytes, the file holds " + std::to_string(span.held) + ")";
}

Plugin::~Plugin() {
    if (library_ != nullptr) sys::CloseLibrary(library_);
}

std::string Plugin::FileName() {
    return sys::LibraryFileName();
}

bool Plugin::Load(const std::string& dir, std::string& error) {
    const std::string path = sys::Join(dir, FileName());
    path_ = path;
    std::string reason = LibraryDamage(path);
    if (reason.empty()) library_ = sys::OpenLibrary(path, reason);
    if (library_ == nullptr) {
        error = "cannot load " + path + ": " + reason;
        return false;
    }
    init_ = reinterpret_cast<InitFunction>(sys::FindSymbol(library_, sys::InitExportName()));
    run_ = reinterpret_cast<RunFunction>(sys::FindSymbol(library_, sys::RunExportName()));
    if (init_ == nullptr || run_ == nullptr) {
        error = path + " does not export " +
                (init_ == nullptr ? sys::InitExportName() : sys::RunExportName());
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
