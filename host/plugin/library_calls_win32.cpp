// The system's calls for a library, Windows half: the names the public header states.
#include "host/plugin/library_calls.h"

#include <windows.h>

#include "include/truvApp.h"

namespace host::sys {

const char* LibraryFileName() {
    return TRUVAPP_DLL_NAME;
}

const char* InitExportName() {
    return TRUVAPP_INIT_NAME;
}

const char* RunExportName() {
    return TRUVAPP_RUN_NAME;
}

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

}  // namespace host::sys
