#include "app/EditMQV.h"

#include "app/NumberSpinEdit.h"
#include "catalogue/Catalogue.h"
#include "catalogue/ProfileWriteError.h"
#include "files/Diagnostics.h"
#include "files/LocalPath.h"

#include <QAction>
#include <QCheckBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <utility>

namespace {

// Asked while the error is being handled.
bool catalogueWriteFailed()
{
    try {
        throw;
    } catch (const ProfileWriteError &) {
        return true;
    } catch (...) {
        return false;
    }
}

} // namespace

QString TMQVEdit::catalogueLocalPath() const
{
    return QFileInfo(LocalPath::forWriting(Catalogue::fileName())).absoluteFilePath();
}

bool TMQVEdit::catalogueWritable() const
{
    return CatalogueFile && !catalogueReadOnly_;
}

// A catalogue on a burned disc or a write-protected stick is browsed, not edited: every control
// that would write to it is locked, so the user is told once instead of at every keystroke. So is
// the item a write failed for, until the user goes to another one.
void TMQVEdit::refreshCatalogueAccess()
{
    failedWrite_.releaseUnlessShowing(CurrentItemNumber);
    const bool readOnly = CatalogueFile && (failedWrite_.isLocked() || !CatalogueFile->CanWrite());
    if (readOnly == catalogueReadOnly_)
        return;
    catalogueReadOnly_ = readOnly;
    qCInfo(zcdDiagnostics) << CatalogueFile->FileName() << (readOnly ? "cannot be written: its writes are skipped" : "can be written again");
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
    else if (catalogueReadOnly_ && failedWrite_.isLocked())
        statusPanel(StatusPanel::Status)->setText(QStringLiteral("Kan ikke gemmes"));
    else if (catalogueReadOnly_)
        statusPanel(StatusPanel::Status)->setText(QStringLiteral("Skrivebeskyttet"));
    else if (descriptionAccess_ == DescriptionAccess::Unwritable)
        statusPanel(StatusPanel::Status)->setText(QStringLiteral("Kan ikke gemmes"));
    else if (descriptionFolder_.isEmpty())
        statusPanel(StatusPanel::Status)->setText(QStringLiteral("Ingen mappe"));
    else
        statusPanel(StatusPanel::Status)->setText(QStringLiteral("Status"));
}

// After a failed write to the catalogue the window goes back to what is stored: the failed edit
// was never written. A catalogue that turned read-only is locked from then on; otherwise the item
// is, until the user goes to another one.
void TMQVEdit::checkAccessAfterError()
{
    if (!catalogueWritable() || !catalogueWriteFailed())
        return;
    refreshCatalogueAccess();
    if (catalogueWritable()) {
        failedWrite_.lock(CurrentItemNumber);
        refreshCatalogueAccess();
    }
    showStoredItem_ = true;
}

void TMQVEdit::showStoredItemAfterError()
{
    if (std::exchange(showStoredItem_, false))
        runGuarded([this] {
            SaveDescription();
            ShowItem();
        });
}
