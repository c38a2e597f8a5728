#include "app/EditMQV.h"

#include "catalogue/CategoryMenus.h"
#include "catalogue/ItemSearch.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>

std::array<std::pair<CategoryMenus::Listing, QPlainTextEdit *>, CategoryMenus::listingCount> TMQVEdit::listingMemos() const
{
    using CategoryMenus::Listing;
    return {{
        {Listing::ZProgrammer, ZProgrammer},
        {Listing::SpilListe, SpilListe},
        {Listing::JuniorListe, JuniorListe},
        {Listing::SkoleListe, SkoleListe},
        {Listing::GalleriListe, GalleriListe},
        {Listing::TilbehoerListe, TilbehoerListe},
        {Listing::Softwareliste, Softwareliste},
        {Listing::InternetListe, InternetListe},
        {Listing::VaerkstedListe, VaerkstedListe},
    }};
}

QPlainTextEdit *TMQVEdit::listingMemo(CategoryMenus::Listing listing) const
{
    for (const auto &[memoListing, memo] : listingMemos()) {
        if (memoListing == listing)
            return memo;
    }
    return nullptr;
}

void TMQVEdit::BuildCategoryMenus()
{
    if (!CatalogueFile)
        return;
    const CategoryMenus::Contents contents = CategoryMenus::collect(*CatalogueFile);
    for (const CategoryMenus::MenuDefinition &menu : CategoryMenus::menus()) {
        for (const CategoryMenus::Entry &entry : contents.entries(menu.menu)) {
            QAction *action = menuBarMenu(menu.menu)->addAction(entry.caption);
            action->setObjectName(entry.objectName);
            connect(action, &QAction::triggered, this, [this, action] { runGuarded([this, action] { MenuValg(action); }); });
        }
    }
    for (const auto &[listing, memo] : listingMemos()) {
        for (const QString &title : contents.lines(listing))
            memo->appendPlainText(title);
    }
    for (const auto &[menu, category] : CategoryMenus::clearableMenus()) {
        menuBarMenu(menu)->addSeparator();
        QAction *clear = menuBarMenu(menu)->addAction(QStringLiteral("Slet liste"));
        clear->setObjectName(CatalogueKeys::name(category));
        categoryClearEntries_ << clear;
        connect(clear, &QAction::triggered, this, [this, clear] { runGuarded([this, clear] { SletMenu(clear); }); });
    }
    QStringList master;
    for (CategoryMenus::Listing listing : CategoryMenus::masterOrder())
        master << listingMemo(listing)->toPlainText();
    MasterList->setPlainText(master.join(QLatin1Char('\n')));
}

void TMQVEdit::MenuValg(QAction *entry)
{
    SaveDescription();
    ShowNumber(CategoryMenus::itemNumberOfEntry(entry->objectName()));
    KnapOp->setText(QStringLiteral("Oppe"));
}

void TMQVEdit::SletMenu(QAction *entry)
{
    if (!CatalogueFile)
        return;
    const QString key = entry->objectName();
    QMessageBox question(QMessageBox::NoIcon, QStringLiteral("Slet kategori?"),
                         QStringLiteral("Vil du slette menuen ") + key + QStringLiteral("?"),
                         QMessageBox::Yes | QMessageBox::No, this);
    question.setObjectName(QStringLiteral("SletKategoriQuestion"));
    if (question.exec() != QMessageBox::Yes)
        return;
    CategoryMenus::eraseCategory(*CatalogueFile, key);

    // The window must not go on showing an item that is gone: settle where choosing its number
    // would, or show the number anew when no item is left.
    if (shownItemExists())
        return;
    ShowNumber(ItemSearch::settleOn(CurrentItemNumber, CurrentItemNumber, itemExists()).value_or(CurrentItemNumber));
}

void TMQVEdit::ToolButton2Click()
{
    QString text = MasterList->toPlainText();
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    QGuiApplication::clipboard()->setText(text + QStringLiteral("\r\n"));
}
