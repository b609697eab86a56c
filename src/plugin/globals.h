// The objects that live for the whole time the library is loaded.
//
// They are defined together in globals.cpp, so that loading constructs them in this order and
// unloading destroys them in the reverse order: the notice text, the launcher, the application
// object, the catalogue. The layers below declare the two they use (devNotice with the item
// flows; the launcher through the reference its constructor sets), and reach nothing else.
#ifndef TRUV_PLUGIN_GLOBALS_H
#define TRUV_PLUGIN_GLOBALS_H

#include <string>

#include "flows/item_flows.h"  // devNotice
#include "launch/launcher.h"   // TheLauncher, the reference the launcher sets to itself

class MenuCatalog;

/// The catalogue that InitTruvApp fills and RunCommand searches.
MenuCatalog& TheCatalog();

#endif  // TRUV_PLUGIN_GLOBALS_H
