#include "app/EditMQV.h"

#include "app/NumberSpinEdit.h"
#include "catalogue/Catalogue.h"
#include "catalogue/ItemMove.h"
#include "catalogue/ItemSearch.h"

void TMQVEdit::MoveItemSection(const QString &source, const QString &destination)
{
    if (!ItemMove::canMove(*CatalogueFile, source, destination))
        return;
    SaveDescription();
    ItemMove::moveSection(*CatalogueFile, source, destination);
}

void TMQVEdit::KnapOpClick() { moveToNearestFreeNumber(true); }

void TMQVEdit::NedKnapClick() { moveToNearestFreeNumber(false); }

// The item jumps over its occupied neighbours into the nearest gap; it is not exchanged with them.
void TMQVEdit::moveToNearestFreeNumber(bool upward)
{
    SaveDescription();
    SuppressMove = false;
    const auto free = upward ? ItemSearch::freeNumberAbove(CurrentItemNumber, Catalogue::itemExists(*CatalogueFile))
                             : ItemSearch::freeNumberBelow(CurrentItemNumber, Catalogue::itemExists(*CatalogueFile));
    if (!free)
        return;
    MoveItemSection(shownSection(), Catalogue::SectionName(*free));
    BuildCategoryMenus();
    ShowNumber(*free);
}

// Exchanges the current item with the one at the chosen number, parking that one meanwhile; a
// free number simply renumbers the current item.
void TMQVEdit::FlytteSpinnerChange()
{
    if (SuppressMove)
        return;
    SaveDescription();
    const int target = FlytteSpinner->value();
    if (!Catalogue::isItemNumber(target))
        return;
    const QString targetSection = Catalogue::SectionName(target);
    ItemMove::exchange(*CatalogueFile, shownSection(), targetSection, [this] { SaveDescription(); });
    BuildCategoryMenus();
    if (CatalogueFile->SectionExists(targetSection)) {
        CurrentItemNumber = target;
        Nummer->setValue(target);
        showItemCounter();
    }
}
