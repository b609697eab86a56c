/*
 * truvApp.h: the two functions of truvApp.dll, for developers of a host program.
 *
 * A host calls InitTruvApp once per load, builds its menus from "menu.txt" beside its
 * executable, and calls RunCommand with the key of each item the user picks. Make every call
 * from one thread, one at a time. Texts are GBK (code page 936) byte strings.
 * docs/host-integration.md tells the whole contract. There are two ways to reach the DLL:
 *
 * - At run time: LoadLibraryA(TRUVAPP_DLL_NAME), then GetProcAddress by ordinal
 *   (MAKEINTRESOURCEA(TRUVAPP_INIT_ORDINAL)) or by decorated name (TRUVAPP_INIT_NAME), cast
 *   to TruvAppInitFunction / TruvAppRunFunction. The host decides what happens when the DLL
 *   is missing.
 * - At load time: call InitTruvApp and RunCommand as declared below and link
 *   lib/truvApp.lib, the import library of the package's architecture (lib/truvApp.def lists
 *   the same exports; other linkers make their own import library from it). Windows then
 *   loads truvApp.dll with the host and refuses to start the host without it.
 *     C++ with Microsoft's compiler: the decorated names are its own; cl host.cpp truvApp.lib
 *     C or C++ with GCC or Clang for MinGW-w64: the declarations below carry the decorated
 *       names as assembler names, which the import library holds (C cannot spell them, and
 *       GCC's C++ decorates otherwise);  i686-w64-mingw32-gcc host.c -Iinclude lib/truvApp.lib
 *       (x86_64-w64-mingw32-gcc with the 64-bit package; there, a host that takes the
 *       functions' addresses rather than calling them compiles with -mcmodel=small)
 *     C with Microsoft's compiler: no declaration can name a decorated function; use the
 *       run-time way, or call the functions from a C++ file.
 *
 * Both are C++ functions with the C calling convention (__cdecl: the caller removes the
 * arguments), exported under their MSVC-decorated names and no others:
 *
 *   ordinal  32-bit DLL (x86)          64-bit DLL (x64)           undecorated
 *   1        ?InitTruvApp@@YAPBDXZ     ?InitTruvApp@@YAPEBDXZ     char const * __cdecl InitTruvApp(void)
 *   2        ?RunCommand@@YAXPAD@Z     ?RunCommand@@YAXPEAD@Z     void __cdecl RunCommand(char *)
 *
 * A 32-bit host needs the 32-bit DLL, a 64-bit host the 64-bit one.
 */
#ifndef TRUVAPP_H
#define TRUVAPP_H

#define TRUVAPP_DLL_NAME "truvApp.dll"

#define TRUVAPP_INIT_ORDINAL 1
#define TRUVAPP_RUN_ORDINAL 2

#if defined(_WIN64)
#define TRUVAPP_INIT_NAME "?InitTruvApp@@YAPEBDXZ"
#define TRUVAPP_RUN_NAME "?RunCommand@@YAXPEAD@Z"
#else
#define TRUVAPP_INIT_NAME "?InitTruvApp@@YAPBDXZ"
#define TRUVAPP_RUN_NAME "?RunCommand@@YAXPAD@Z"
#endif

/* GCC and Clang (MinGW-w64) link a declaration by the assembler name given here: the
   decorated name, quoted, as the import library holds it. */
#if defined(__GNUC__)
#define TRUVAPP_IMPORT_NAME(name) __asm__("\"" name "\"")
#endif
#ifndef TRUVAPP_IMPORT_NAME
#define TRUVAPP_IMPORT_NAME(name)
#endif

/* The types of the two functions, for the pointers GetProcAddress returns. */
typedef const char*(__cdecl* TruvAppInitFunction)(void);
typedef void(__cdecl* TruvAppRunFunction)(char* key);

#if defined(__cplusplus) || defined(__GNUC__)
/* Builds the menu catalogue, writes "menu.txt" beside the host's executable unless that
   file exists, and returns the constant text "CFG". Failures are shown in message boxes. */
const char* __cdecl InitTruvApp(void) TRUVAPP_IMPORT_NAME(TRUVAPP_INIT_NAME);

/* Carries out the menu item of `key` (module title, '|', item title; GBK, NUL-terminated,
   never written to; null counts as the empty key) with the host's current directory as the
   project directory. Returns when the item has ended, after the last program it started. */
void __cdecl RunCommand(char* key) TRUVAPP_IMPORT_NAME(TRUVAPP_RUN_NAME);
#endif

#endif /* TRUVAPP_H */
