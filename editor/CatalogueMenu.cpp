#include "editor/CatalogueMenu.h"

#include "app/CatalogueLocation.h"
#include "app/RecentCatalogues.h"
#include "editor/EditorContext.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QProcess>

namespace {

QString &programOverride()
{
    static QString program;
    return program;
}

} // namespace

CatalogueMenu::CatalogueMenu(EditorContext &context, QMenuBar &menuBar)
    : QObject(&context.window())
    , window_(context.window())
{
    menu_ = menuBar.addMenu(QStringLiteral("F&iler"));
    menu_->setObjectName(QStringLiteral("Filer"));
    connect(menu_, &QMenu::aboutToShow, this, &CatalogueMenu::listRecent);
    listRecent();
}

void CatalogueMenu::addCommand(QAction *command)
{
    commands_.append(command);
    listRecent();
}

void CatalogueMenu::setProgram(const QString &program) { programOverride() = program; }

void CatalogueMenu::listRecent()
{
    menu_->clear();
    QAction *choose = menu_->addAction(QStringLiteral("&Åbn katalog…"));
    choose->setObjectName(QStringLiteral("AabnKatalog"));
    connect(choose, &QAction::triggered, this, &CatalogueMenu::chooseCatalogue);
    menu_->addActions(commands_);
    const QStringList recent = RecentCatalogues::folders();
    if (!recent.isEmpty())
        menu_->addSeparator();
    for (qsizetype i = 0; i < recent.size(); ++i) {
        const QString folder = recent.at(i);
        QAction *entry = menu_->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(QDir::toNativeSeparators(folder)));
        entry->setObjectName(QStringLiteral("SenesteKatalog%1").arg(i + 1));
        connect(entry, &QAction::triggered, this, [this, folder] { open(folder); });
    }
}

void CatalogueMenu::chooseCatalogue()
{
    while (const std::optional<QString> chosen = CatalogueLocation::ask(&window_)) {
        if (const std::optional<QString> folder = CatalogueLocation::folderToOpen(*chosen, &window_)) {
            open(*folder);
            return;
        }
    }
}

void CatalogueMenu::open(const QString &folder)
{
    const QString program = programOverride().isEmpty() ? QCoreApplication::applicationFilePath() : programOverride();
    if (!QProcess::startDetached(program, {folder}, folder)) {
        QMessageBox::warning(&window_, QStringLiteral("Z-CD editor"),
                             QStringLiteral("Editoren kan ikke startes i %1.").arg(QDir::toNativeSeparators(folder)));
        return;
    }
    window_.close();
}
