/* A host written in C, as a vendor would write one with MinGW-w64's gcc: it includes the
   package's truvApp.h and links the package's lib/truvApp.lib at load time, so Windows
   loads truvApp.dll before main. It passes the DLL a key that names no item (the plug-in
   ignores it, and the launch trace records the call); InitTruvApp, which would want an
   installation, is called only when asked for (an argument), but linked all the same. */
#include <stdio.h>
#include <windows.h>

#include "truvApp.h"

int main(int argc, char** argv) {
    char key[] = "C host|probe";
    (void)argv;
    if (GetModuleHandleA(TRUVAPP_DLL_NAME) == NULL) {
        puts("truvApp.dll is not loaded");
        return 1;
    }
    if (argc > 1) printf("InitTruvApp: %s\n", InitTruvApp());
    RunCommand(key);
    puts("linked: InitTruvApp and RunCommand");
    return 0;
}
