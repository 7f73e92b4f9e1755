// The bookmarks menus as Windows menus, numbered as MenuModels.h describes. The caller shows
// each with the toolbar's popup routine and destroys it.
#pragma once

#include "toolbar/MenuModels.h"

#include <windows.h>

namespace marvella {

HMENU CreateUserMenuPopup(const UserMenu& menu);
HMENU CreateSearchEnginePopup(const SearchEngineTable& engines);
// Inserts the PortalLinks entries into the loaded Mi Marvella menu, in order, just before
// its last item (the "Personalizaciones" sub-menu).
void InsertPortalLinks(HMENU miMarvella, const PortalLinks& links);

}  // namespace marvella
