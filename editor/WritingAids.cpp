#include "editor/WritingAids.h"

#include "app/EditMQV.h"
#include "editor/ComparisonWindow.h"
#include "editor/DescriptionSpelling.h"

#include <QAction>
#include <QMenu>

WritingAids::WritingAids(TMQVEdit &editor)
    : QObject(&editor)
    , spelling_(new DescriptionSpelling(editor))
    , comparison_(new ComparisonWindow(editor))
{
    setObjectName(QStringLiteral("WritingAids"));
    editor.Rediger->addSeparator();
    QAction *compare = editor.Rediger->addAction(QStringLiteral("S&ammenlign\u2026"));
    compare->setObjectName(QStringLiteral("VisSammenlign"));
    compare->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    QAction *checking = editor.Rediger->addAction(QStringLiteral("S&tavekontrol"));
    checking->setObjectName(QStringLiteral("Stavekontrol"));
    checking->setCheckable(true);
    checking->setChecked(spelling_->checking());

    connect(compare, &QAction::triggered, comparison_, [this] {
        comparison_->show();
        comparison_->raise();
        comparison_->activateWindow();
    });
    connect(checking, &QAction::toggled, spelling_, &DescriptionSpelling::setChecking);
}

void WritingAids::itemShown() { comparison_->follow(); }
