#include "app/EditMQV.h"

#include "editor/CatalogueMenu.h"
#include "editor/DescriptionSpelling.h"
#include "editor/ItemKeys.h"
#include "editor/ListingCopyNotice.h"
#include "editor/SearchWindow.h"
#include "editor/WritingAids.h"

// Each part reaches the window only through its controls and handlers, and lives as its child.
void TMQVEdit::attachParts()
{
    new ItemKeys(*this);
    new ListingCopyNotice(*this);
    new SearchWindow(*this);
    new CatalogueMenu(*this);
    writingAids_ = new WritingAids(*this);
}

// Above the context menu's own entries, for the word under the mouse.
void TMQVEdit::offerCorrections(const QPoint &position)
{
    writingAids_->spelling().offerCorrections(*RTFMenu, position);
}
