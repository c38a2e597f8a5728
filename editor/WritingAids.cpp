#include "editor/WritingAids.h"

#include "app/UserSettings.h"
#include "editor/ComparisonWindow.h"
#include "editor/DescriptionSpelling.h"
#include "editor/EditorContext.h"

#include <QAction>
#include <QMenu>
#include <QSettings>

namespace {

// Switched off, the marks stay off at the next start: the user's choice, not a catalogue's.
const QString checkingKey = QStringLiteral("Stavning/Stavekontrol");

} // namespace

WritingAids::WritingAids(EditorContext &context, QMenu &menu)
    : QObject(&context.window())
    , spelling_(new DescriptionSpelling(context))
    , comparison_(new ComparisonWindow(context))
{
    setObjectName(QStringLiteral("WritingAids"));
    menu.addSeparator();
    QAction *compare = menu.addAction(QStringLiteral("S&ammenlign…"));
    compare->setObjectName(QStringLiteral("VisSammenlign"));
    compare->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    QAction *checking = menu.addAction(QStringLiteral("S&tavekontrol"));
    checking->setObjectName(QStringLiteral("Stavekontrol"));
    checking->setCheckable(true);
    spelling_->setChecking(
        QSettings(UserSettings::file(), QSettings::IniFormat).value(checkingKey, spelling_->checking()).toBool());
    checking->setChecked(spelling_->checking());

    connect(compare, &QAction::triggered, comparison_, [this] {
        comparison_->show();
        comparison_->raise();
        comparison_->activateWindow();
    });
    connect(checking, &QAction::toggled, spelling_, [this](bool on) {
        spelling_->setChecking(on);
        QSettings(UserSettings::file(), QSettings::IniFormat).setValue(checkingKey, on);
    });
}

void WritingAids::itemShown() { comparison_->follow(); }
