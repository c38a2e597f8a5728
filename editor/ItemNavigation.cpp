#include "app/EditMQV.h"

#include "app/NumberSpinEdit.h"
#include "catalogue/Catalogue.h"
#include "catalogue/CatalogueItem.h"
#include "catalogue/ItemSearch.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QScopedValueRollback>
#include <QSignalBlocker>

// The common end of every change of the current item. Setting Nummer may run NummerChange
// nested, which can settle on another number; FlytteSpinner then follows whatever is current.
// The item is shown once, by the outermost step: a nested step's display would show the same
// number, which the outer one shows again with every control already holding its value.
void TMQVEdit::ShowNumber(int number)
{
    const bool nested = takingShowNumberStep_;
    {
        const QScopedValueRollback step(takingShowNumberStep_, true);
        CurrentItemNumber = number;
        SuppressMove = true;
        Nummer->setValue(CurrentItemNumber);
        // A nested show-number step has cleared the guard on its way out.
        SuppressMove = true;
        FlytteSpinner->setValue(CurrentItemNumber);
        SuppressMove = false;
    }
    if (!nested)
        ShowItem();
}

void TMQVEdit::TilbageClick()
{
    SaveDescription();
    ShowNumber(ItemSearch::previousStop(CurrentItemNumber, Catalogue::itemExists(*CatalogueFile)));
}

void TMQVEdit::FremClick()
{
    SaveDescription();
    ShowNumber(ItemSearch::nextStop(CurrentItemNumber, Catalogue::itemExists(*CatalogueFile)));
}

void TMQVEdit::NummerChange()
{
    SaveDescription();
    if (const auto found = ItemSearch::settleOn(Nummer->value(), CurrentItemNumber,
                                                Catalogue::itemExists(*CatalogueFile)))
        ShowNumber(*found);
}

void TMQVEdit::NyClick()
{
    const auto number = ItemSearch::freeNumberForNewItem(CurrentItemNumber, Catalogue::itemExists(*CatalogueFile));
    if (!number)
        return;
    CatalogueItem(*CatalogueFile, *number).create();
    ShowNumber(*number);
}

void TMQVEdit::SletPunktClick()
{
    // The catalogue always begins with item 1, so it is emptied rather than deleted; a click that
    // did nothing would leave the user guessing.
    if (CurrentItemNumber <= Catalogue::FirstItemNumber) {
        QMessageBox refusal(QMessageBox::Information, ApplicationTitle,
                            QStringLiteral("Punkt 1 kan ikke slettes, da kataloget altid begynder med det. "
                                           "\"Slet indhold\" tømmer det."),
                            QMessageBox::Ok, this);
        refusal.setObjectName(QStringLiteral("SletPunktRefusal"));
        refusal.exec();
        return;
    }
    QMessageBox question(QMessageBox::NoIcon, QStringLiteral("Slet program %1 ?").arg(CurrentItemNumber),
                         QStringLiteral("Vil du slette programmet ") + TitelEdit->text() + QStringLiteral(" ?"),
                         QMessageBox::Ok | QMessageBox::Cancel, this);
    question.setObjectName(QStringLiteral("SletProgramQuestion"));
    if (question.exec() != QMessageBox::Ok)
        return;

    CatalogueFile->EraseSection(shownSection());
    BuildCategoryMenus();
    CurrentItemNumber = ItemSearch::previousStop(CurrentItemNumber, Catalogue::itemExists(*CatalogueFile));

    // The spin edits follow the new number without the number change saving the deleted
    // item's description or the move spin edit moving anything.
    {
        const QSignalBlocker blockNumberChange(Nummer);
        Nummer->setValue(CurrentItemNumber);
    }
    SuppressMove = true;
    FlytteSpinner->setValue(CurrentItemNumber);
    SuppressMove = false;
    ShowItem();
}

void TMQVEdit::SletClick()
{
    if (!shownItemExists())
        return;
    CatalogueItem(*CatalogueFile, CurrentItemNumber).clear();
    BuildCategoryMenus();
    ShowItem();
}
