#include "app/EditMQV.h"

#include "catalogue/Catalogue.h"
#include "catalogue/FixedItemImport.h"

// The window keeps showing what it showed; the imported values appear when an item is next
// shown, and in the menus at once.
void TMQVEdit::HentFastClick()
{
    const ProfileFile fixedCatalogue(Catalogue::fixedFileName());
    FixedItemImport::importFixedItems(fixedCatalogue, *CatalogueFile);
    BuildCategoryMenus();
}
