// A host built the way a vendor with Microsoft's toolchain builds one: C++ in the MSVC ABI,
// the package's truvApp.h, linked with lib/truvApp.lib, so the calls below reach the DLL by
// the names the compiler decorates them with. It uses no C runtime and no Windows headers:
// the few kernel32 functions it needs are declared here, and it starts at HostStart.
// It calls InitTruvApp, expects "CFG" and "menu.txt" beside the executable (the caller
// removes that file first), then passes RunCommand a key that names no item (the plug-in
// ignores it; the launch trace records the call). Exit status 0 when all held.
#include "truvApp.h"

extern "C" {
using Handle = void*;
__declspec(dllimport) Handle __stdcall GetStdHandle(unsigned long which);
__declspec(dllimport) int __stdcall WriteFile(Handle file, const void* bytes, unsigned long size,
                                              unsigned long* written, void* overlapped);
__declspec(dllimport) unsigned long __stdcall GetModuleFileNameA(Handle module, char* path,
                                                                 unsigned long size);
__declspec(dllimport) unsigned long __stdcall GetFileAttributesA(const char* path);
__declspec(dllimport) Handle __stdcall GetModuleHandleA(const char* name);
__declspec(dllimport) __declspec(noreturn) void __stdcall ExitProcess(unsigned int status);
}

namespace {

constexpr unsigned long kStdOutput = static_cast<unsigned long>(-11);
constexpr unsigned long kNoAttributes = static_cast<unsigned long>(-1);
constexpr unsigned long kDirectory = 0x10;
constexpr unsigned long kPathSize = 1024;

enum Status : unsigned int { kLinked, kNotLoaded, kWrongResult, kNoPath, kNoMenuFile };

unsigned long Length(const char* text) {
    unsigned long length = 0;
    while (text[length] != '\0') ++length;
    return length;
}

bool Same(const char* left, const char* right) {
    while (*left != '\0' && *left == *right) ++left, ++right;
    return *left == *right;
}

void Say(const char* text) {
    unsigned long written = 0;
    WriteFile(GetStdHandle(kStdOutput), text, Length(text), &written, nullptr);
}

[[noreturn]] void End(Status status, const char* text) {
    Say(text);
    Say("\n");
    ExitProcess(status);
}

// A file (not a folder) "menu.txt" lies in the folder of this executable.
bool MenuFileBeside() {
    const char name[] = "menu.txt";
    char path[kPathSize];
    unsigned long length = GetModuleFileNameA(nullptr, path, kPathSize);
    if (length == 0 || length + sizeof name > kPathSize) End(kNoPath, "no path of the host");
    while (length > 0 && path[length - 1] != '\\') --length;
    for (unsigned long i = 0; i < sizeof name; ++i) path[length + i] = name[i];
    const unsigned long attributes = GetFileAttributesA(path);
    return attributes != kNoAttributes && (attributes & kDirectory) == 0;
}

}  // namespace

extern "C" void __cdecl HostStart() {
    char key[] = "MSVC host|probe";
    if (GetModuleHandleA(TRUVAPP_DLL_NAME) == nullptr) End(kNotLoaded, "truvApp.dll is not loaded");
    const char* result = InitTruvApp();
    if (result == nullptr || !Same(result, "CFG"))
        End(kWrongResult, "InitTruvApp did not return CFG");
    if (!MenuFileBeside()) End(kNoMenuFile, "InitTruvApp wrote no menu.txt beside the host");
    RunCommand(key);
    End(kLinked, "linked: InitTruvApp and RunCommand");
}
