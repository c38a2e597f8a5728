#include "app/EditMQV.h"

#include "catalogue/CategoryMenus.h"
#include "catalogue/ItemSearch.h"
#include "catalogue/ProfileSnapshot.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>

#include <functional>

namespace {

// Laying a memo out again costs more than comparing its text.
void showPlainText(QPlainTextEdit *memo, const QString &text)
{
    if (memo->toPlainText() != text)
        memo->setPlainText(text);
}

// The item entries stand before the menu's separator; each one found there is renamed in place,
// and those no longer needed go once their own click, if they were clicked, is done. A new one runs
// `chosen` when it is clicked.
void showMenuEntries(QMenu *menu, const QList<CategoryMenus::Entry> &entries,
                     const std::function<void(QAction *)> &chosen)
{
    QList<QAction *> shown;
    QAction *end = nullptr;
    for (QAction *action : menu->actions()) {
        if (action->isSeparator()) {
            end = action;
            break;
        }
        shown << action;
    }
    for (qsizetype i = 0; i < entries.size(); ++i) {
        QAction *action = i < shown.size() ? shown.at(i) : nullptr;
        if (!action) {
            action = new QAction(menu);
            menu->insertAction(end, action);
            QObject::connect(action, &QAction::triggered, menu, [chosen, action] { chosen(action); });
        }
        action->setText(entries.at(i).caption);
        action->setObjectName(entries.at(i).objectName);
    }
    for (qsizetype i = entries.size(); i < shown.size(); ++i) {
        menu->removeAction(shown.at(i));
        shown.at(i)->setParent(nullptr);
        shown.at(i)->deleteLater();
    }
}

} // namespace

// The menus, the listings and the master listing are made anew from the catalogue, so that an
// entry always shows the item it names. Every operation that changes titles, numbers or
// categories calls this once it is done; what already shows right is left as it is, which keeps
// this cheap enough for every keystroke in a title.
void TMQVEdit::BuildCategoryMenus()
{
    const std::shared_ptr<const ProfileSnapshot> catalogue = CatalogueFile->Snapshot();
    const CategoryMenus::Contents contents = catalogue ? CategoryMenus::collect(*catalogue) : CategoryMenus::Contents();
    for (const CategoryMenus::MenuDefinition &menu : CategoryMenus::menus())
        showMenuEntries(menuBarMenu(menu.menu), contents.entries(menu.menu),
                        [this](QAction *entry) { runGuarded([this, entry] { MenuValg(entry); }); });
    QStringList master;
    for (const auto &[listing, memo] : listingMemos())
        showPlainText(memo, (CategoryMenus::listingStart(listing) + contents.lines(listing)).join(QLatin1Char('\n')));
    for (CategoryMenus::Listing listing : CategoryMenus::masterOrder())
        master << listingMemo(listing)->toPlainText();
    showPlainText(MasterList, master.join(QLatin1Char('\n')));
}

void TMQVEdit::MenuValg(QAction *entry)
{
    SaveDescription();
    ShowNumber(CategoryMenus::itemNumberOfEntry(entry->objectName()));
    KnapOp->setText(QStringLiteral("Oppe"));
}

void TMQVEdit::SletMenu(QAction *entry)
{
    const QString key = entry->objectName();
    QMessageBox question(QMessageBox::NoIcon, QStringLiteral("Slet kategori?"),
                         QStringLiteral("Vil du slette menuen ") + key + QStringLiteral("?"),
                         QMessageBox::Yes | QMessageBox::No, this);
    question.setObjectName(QStringLiteral("SletKategoriQuestion"));
    if (question.exec() != QMessageBox::Yes)
        return;
    CategoryMenus::eraseCategory(*CatalogueFile, key);
    BuildCategoryMenus();

    // The window must not go on showing an item that is gone: settle where choosing its number
    // would, or show the number anew when no item is left.
    if (shownItemExists())
        return;
    ShowNumber(ItemSearch::settleOn(CurrentItemNumber, CurrentItemNumber, Catalogue::itemExists(*CatalogueFile))
                   .value_or(CurrentItemNumber));
}

void TMQVEdit::ToolButton2Click()
{
    QString text = MasterList->toPlainText();
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    QGuiApplication::clipboard()->setText(text + QStringLiteral("\r\n"));
}
