#include "app/EditMQV.h"

#include "app/NumberSpinEdit.h"
#include "catalogue/Catalogue.h"
#include "files/Diagnostics.h"
#include "files/LocalPath.h"

#include <QAction>
#include <QCheckBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <utility>

QString TMQVEdit::catalogueLocalPath() const
{
    return QFileInfo(LocalPath::forWriting(Catalogue::fileName())).absoluteFilePath();
}

bool TMQVEdit::catalogueWritable() const
{
    return CatalogueFile && !catalogueReadOnly_;
}

// A catalogue on a burned disc or a write-protected stick is browsed, not edited: every control
// that would write to it is locked, so the user is told once instead of at every keystroke.
void TMQVEdit::refreshCatalogueAccess()
{
    const bool readOnly = CatalogueFile && !CatalogueFile->CanWrite();
    if (readOnly == catalogueReadOnly_)
        return;
    catalogueReadOnly_ = readOnly;
    qCInfo(zcdDiagnostics) << CatalogueFile->FileName() << (readOnly ? "is read-only: its writes are skipped" : "can be written again");
    for (QLineEdit *field : {TitelEdit, FolderEdit, SetupEdit, RunEdit, EkstraEdit, InternetEdit, KortTekst})
        field->setReadOnly(readOnly);
    for (const auto &[key, box] : flagBoxes())
        box->setEnabled(!readOnly);
    const std::array<QWidget *, 6> commands = {KnapOp, NedKnap, FlytteSpinner, OpretNavn, Omdoeb, HentFast};
    for (QWidget *command : commands)
        command->setEnabled(!readOnly);
    for (QAction *command : {NytPunkt, SletPunkt, Slet, Paste})
        command->setEnabled(!readOnly);
    refreshHistoryActions();
    for (QAction *entry : categoryClearEntries_)
        entry->setEnabled(!readOnly);
    refreshDescriptionAccess();
}

// What keeps the user from changing what the window shows. A description that cannot be read
// belongs to this item alone, so it is named first, and the catalogue's lock shows again on the
// next; a description file that cannot be written (the file or its folder read-only) comes after
// the catalogue's lock, which explains it on a read-only disc; an item without a folder has
// nowhere to keep a description.
void TMQVEdit::showStatus()
{
    if (descriptionAccess_ == DescriptionAccess::Unreadable)
        statusPanel(StatusPanel::Status)->setText(QStringLiteral("Kan ikke l\u00E6ses"));
    else if (catalogueReadOnly_)
        statusPanel(StatusPanel::Status)->setText(QStringLiteral("Skrivebeskyttet"));
    else if (descriptionAccess_ == DescriptionAccess::Unwritable)
        statusPanel(StatusPanel::Status)->setText(QStringLiteral("Kan ikke gemmes"));
    else if (descriptionFolder_.isEmpty())
        statusPanel(StatusPanel::Status)->setText(QStringLiteral("Ingen mappe"));
    else
        statusPanel(StatusPanel::Status)->setText(QStringLiteral("Status"));
}

// A catalogue that turns read-only under a handler is locked from then on, and the window goes
// back to what is stored: the failed edit was never written.
void TMQVEdit::checkAccessAfterError()
{
    if (!catalogueWritable())
        return;
    refreshCatalogueAccess();
    showStoredItem_ = !catalogueWritable();
}

void TMQVEdit::showStoredItemAfterError()
{
    if (std::exchange(showStoredItem_, false))
        runGuarded([this] {
            SaveDescription();
            ShowItem();
        });
}
