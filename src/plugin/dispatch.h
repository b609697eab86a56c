// Turning a menu key into action: MenuCatalog::Dispatch, MenuItem::Execute and
// MenuItem::RunTriple, declared with their classes in the model and defined here, above the
// launcher and the item flows that they reach.
#ifndef TRUV_PLUGIN_DISPATCH_H
#define TRUV_PLUGIN_DISPATCH_H

#include "model/menu_catalog.h"
#include "model/menu_item.h"
#include "plugin/item_rows.h"

#endif  // TRUV_PLUGIN_DISPATCH_H
