#include "app/EditMQV.h"

#include "editor/CatalogueMenu.h"
#include "editor/ItemKeys.h"
#include "editor/ListingCopyNotice.h"
#include "editor/SearchWindow.h"

// Each part reaches the window only through its controls and handlers, and lives as its child.
void TMQVEdit::attachParts()
{
    new ItemKeys(*this);
    new ListingCopyNotice(*this);
    new SearchWindow(*this);
    new CatalogueMenu(*this);
}
