// The objects that live for the whole time the library is loaded.
//
// They are defined together in globals.cpp, so that loading constructs them in this order and
// unloading destroys them in the reverse order: the notice text (flows/dev_notice.h), the
// launcher, the application object, the catalogue.
#ifndef TRUV_PLUGIN_GLOBALS_H
#define TRUV_PLUGIN_GLOBALS_H

class MenuCatalog;

/// The catalogue that InitTruvApp fills and RunCommand searches.
MenuCatalog& TheCatalog();

#endif  // TRUV_PLUGIN_GLOBALS_H
