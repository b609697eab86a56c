// The objects that live for the whole time the library is loaded.
//
// They are defined together in globals.cpp, so that loading constructs them in this order and
// unloading destroys them in the reverse order: the notice text, the launcher, the
// application object, the catalogue.
#ifndef TRUV_CORE_GLOBALS_H
#define TRUV_CORE_GLOBALS_H

#include <string>

class MenuCatalog;

/// The notice that the structure and masonry flows show for the analysis module in
/// development.
extern const std::string devNotice;

/// The catalogue that InitTruvApp fills and RunCommand searches.
MenuCatalog& TheCatalog();

#endif  // TRUV_CORE_GLOBALS_H
