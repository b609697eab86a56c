// The system's calls for a library, POSIX half.
#include "host/plugin/library_calls.h"

#include <dlfcn.h>
#include <sys/stat.h>

#include "os/os.h"

namespace host::sys {

const char* LibraryFileName() {
    return "truvApp.so";
}

// The Itanium names of g++ for the same two declarations.
const char* InitExportName() {
    return "_Z11InitTruvAppv";
}
const char* RunExportName() {
    return "_Z10RunCommandPc";
}

// dlopen of a pipe waits for a writer: only a regular file (a link to one) is loaded.
void* OpenLibrary(const std::string& gbkPath, std::string& error) {
    const std::string path = os::GbkToUtf8(gbkPath);
    struct stat info {};
    if (stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
        error = "not a regular file";
        return nullptr;
    }
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

}  // namespace host::sys
