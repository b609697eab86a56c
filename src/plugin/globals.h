// The objects that live for the whole time the library is loaded.
//
// They are defined together in globals.cpp, so that loading constructs them in this order and
// unloading destroys them in the reverse order: the notice text, the launcher, the application
// object, the catalogue. The layers below reach them only through what the plug-in hands them.
#ifndef TRUV_PLUGIN_GLOBALS_H
#define TRUV_PLUGIN_GLOBALS_H

#include <string>

class Launcher;
class MenuCatalog;

/// The notice of the analysis module in development, which some item flows show.
extern const std::string devNotice;

/// The one launcher: its run operations start every program of the load.
Launcher& TheLauncher();

/// The catalogue that InitTruvApp fills and RunCommand searches.
MenuCatalog& TheCatalog();

#endif  // TRUV_PLUGIN_GLOBALS_H
