#include "app/EditMQV.h"

#include "app/WindowColours.h"
#include "catalogue/CatalogueItem.h"
#include "catalogue/FolderOperations.h"
#include "editor/FolderRules.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

// A flag is only stored for an item that exists; otherwise the box keeps what the user gave it.
void TMQVEdit::flagClick(FlagKey key, QCheckBox *box)
{
    if (catalogueLock_->writable() && shownItemExists())
        CatalogueItem(*CatalogueFile, CurrentItemNumber).setFlag(key, box->isChecked());
}

// A display only writes back what it read, which leaves the menus as they are: they are built
// again only when the item's category really changed.
void TMQVEdit::categoryClick(Category category)
{
    if (!shownItemExists())
        return;
    UpdateCategoryColour();
    if (!catalogueLock_->writable())
        return;
    CatalogueItem item(*CatalogueFile, CurrentItemNumber);
    const FlagKey key = CatalogueKeys::flagKey(category);
    const bool ticked = categoryBox(category)->isChecked();
    const bool changed = item.flag(key) != ticked;
    item.setFlag(key, ticked);
    if (changed)
        BuildCategoryMenus();
}

void TMQVEdit::ZProgramClick() { categoryClick(Category::ZProgram); }
void TMQVEdit::SpilClick() { categoryClick(Category::Spil); }
void TMQVEdit::GalleriClick() { categoryClick(Category::Galleri); }
void TMQVEdit::JuniorClick() { categoryClick(Category::Barn); }
void TMQVEdit::VaerkstedClick() { categoryClick(Category::Vaerksted); }
void TMQVEdit::SkoleClick() { categoryClick(Category::Skole); }
void TMQVEdit::InternetClick() { categoryClick(Category::Internet); }
void TMQVEdit::TilbehoerClick() { categoryClick(Category::Tilbehoer); }
void TMQVEdit::SoftwareClick() { categoryClick(Category::Software); }
void TMQVEdit::FuldVersionClick() { flagClick(FlagKey::Fuldversion, FuldVersion); }
void TMQVEdit::RegistreringClick() { flagClick(FlagKey::Registrer, Registrering); }

void TMQVEdit::TitelEditChange()
{
    if (catalogueLock_->writable()) {
        CatalogueItem item(*CatalogueFile, CurrentItemNumber);
        const bool retitled = item.text(TextKey::Titel) != TitelEdit->text();
        item.setValue(Titel->text(), TitelEdit->text());
        if (retitled)
            BuildCategoryMenus();
    }
    WindowColours::showTitle(TitelLabel, TitelEdit->text());
    // The title bar names the item as it is now, also while its title is being typed.
    showApplicationTitle();
}

// A folder is taken from the field only when the user is done with it (leaves the field or
// presses Enter) or the program puts a name there: a name typed on the way, such as "Programm"
// on the way to "Programmer", may name another existing folder, which must not become the item's
// folder and so what a later rename moves. While typing, the colour tells whether the name is good.
void TMQVEdit::FolderEditChange()
{
    if (!FolderEdit->isModified()) {
        storeFolder();
        return;
    }
    const QString folder = FolderEdit->text();
    WindowColours::setFontColour(FolderEdit,
                                 folderRules_.folderUsable(folder) ? WindowColours::black() : WindowColours::red());
}

void TMQVEdit::FolderEditLeave()
{
    FolderEdit->setModified(false);
    storeFolder();
}

// A folder name is stored only once it names an existing folder; until then the stored name
// stays, which is what a rename later moves.
void TMQVEdit::storeFolder()
{
    const QString folder = FolderEdit->text();
    if (!folderRules_.folderUsable(folder)) {
        WindowColours::setFontColour(FolderEdit, WindowColours::red());
        return;
    }
    // Showing the item from the folder reloads the description editor: what the user wrote is
    // saved first into the folder it belongs to, not thrown away. Should that fail, the field
    // is not marked good, as the name is not stored.
    SaveDescription();
    WindowColours::setFontColour(FolderEdit, WindowColours::black());
    if (!catalogueLock_->writable())
        return;
    CatalogueItem(*CatalogueFile, CurrentItemNumber).setText(TextKey::Folder, folder);
    // A display that put the name into the field goes on to show the rest of the item from it.
    if (!displayingItem_)
        ShowItem();
}

// While typing, file names are stored when the file is in the item's folder or in the Danish
// edition's copy of it, or when the field is empty; a name typed on the way to a good one is not.
// The name the user leaves the field with is stored even when its file is not there yet: the
// catalogue is often filled in before the program's files arrive, and it stays red as missing.
void TMQVEdit::fileFieldChange(QLineEdit *field, TextKey key, FileFieldEvent event)
{
    const QString name = field->text();
    const FileAvailability availability = name.isEmpty() ? FileAvailability::InItemFolder
                                                         : fileAvailability(FolderEdit->text(), name);
    WindowColours::markFileAvailability(field, availability);
    const bool storable = availability != FileAvailability::Missing || event == FileFieldEvent::Left;
    if (storable && catalogueLock_->writable())
        CatalogueItem(*CatalogueFile, CurrentItemNumber).setText(key, name);
}

void TMQVEdit::SetupEditChange() { fileFieldChange(SetupEdit, TextKey::Setup, FileFieldEvent::Typed); }
void TMQVEdit::RunEditChange() { fileFieldChange(RunEdit, TextKey::Run, FileFieldEvent::Typed); }
void TMQVEdit::EkstraEditChange() { fileFieldChange(EkstraEdit, TextKey::Ekstra, FileFieldEvent::Typed); }
void TMQVEdit::SetupEditLeave() { fileFieldChange(SetupEdit, TextKey::Setup, FileFieldEvent::Left); }
void TMQVEdit::RunEditLeave() { fileFieldChange(RunEdit, TextKey::Run, FileFieldEvent::Left); }
void TMQVEdit::EkstraEditLeave() { fileFieldChange(EkstraEdit, TextKey::Ekstra, FileFieldEvent::Left); }

void TMQVEdit::KortTekstChange()
{
    if (catalogueLock_->writable())
        CatalogueItem(*CatalogueFile, CurrentItemNumber).setText(TextKey::Global, KortTekst->text());
}

void TMQVEdit::InternetEditChange()
{
    if (catalogueLock_->writable())
        CatalogueItem(*CatalogueFile, CurrentItemNumber).setText(TextKey::Webside, InternetEdit->text());
}

void TMQVEdit::OpretNavnClick()
{
    const QString title = TitelEdit->text();
    if (!FolderOperations::createFolder(title)) {
        WindowColours::setFontColour(FolderEdit, WindowColours::red());
        return;
    }
    WindowColours::setFontColour(FolderEdit, WindowColours::black());
    FolderEdit->setText(title);
}

void TMQVEdit::OmdoebClick()
{
    CatalogueItem item(*CatalogueFile, CurrentItemNumber);
    const QString oldName = item.text(TextKey::Folder);
    const QString newName = FolderEdit->text();
    const std::optional<int> sharer = newName == oldName ? std::nullopt : folderRules_.otherItemInFolder(oldName);
    if (sharer)
        folderRules_.refuseSharedFolderRename(oldName, *sharer);
    if (!sharer && FolderOperations::renameFolder(oldName, newName)) {
        // The description in the editor moved with its folder.
        description_->followRename(oldName, newName);
        try {
            item.setText(TextKey::Folder, newName);
        } catch (...) {
            // The catalogue could not follow: move the folder back so the stored name still holds.
            FolderOperations::renameFolder(newName, oldName);
            throw;
        }
    } else {
        FolderEdit->setText(oldName);
    }
    WindowColours::setFontColour(
        FolderEdit, FolderRules::namesFolder(FolderEdit->text()) ? WindowColours::black() : WindowColours::red());
}
