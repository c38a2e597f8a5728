#include "app/CatalogueLock.h"

#include "catalogue/ProfileFile.h"
#include "files/Diagnostics.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPalette>
#include <QWidget>

#include <utility>

CatalogueLock::CatalogueLock(const ProfileFile &catalogue, Controls controls, std::function<void()> changed)
    : catalogue_(catalogue)
    , controls_(std::move(controls))
    , changed_(std::move(changed))
{
}

void CatalogueLock::addAction(QAction *action)
{
    controls_.actions << action;
    action->setEnabled(!readOnly_);
}

void CatalogueLock::refresh(int shownItem)
{
    failedWrite_.releaseUnlessShowing(shownItem);
    const bool readOnly = failedWrite_.isLocked() || !catalogue_.CanWrite();
    if (readOnly == readOnly_)
        return;
    readOnly_ = readOnly;
    qCInfo(zcdDiagnostics) << catalogue_.FileName()
                           << (readOnly ? "cannot be written: its writes are skipped" : "can be written again");
    lockControls();
    changed_();
}

void CatalogueLock::lockControls()
{
    // A read-only field looks like any other; its background shows that it takes no typing.
    for (QLineEdit *field : std::as_const(controls_.fields)) {
        field->setReadOnly(readOnly_);
        QPalette palette = field->palette();
        const QPalette standard = QApplication::palette(field);
        palette.setColor(QPalette::Base, standard.color(readOnly_ ? QPalette::Window : QPalette::Base));
        field->setPalette(palette);
    }
    for (QWidget *command : std::as_const(controls_.commands))
        command->setEnabled(!readOnly_);
    for (QAction *command : std::as_const(controls_.actions))
        command->setEnabled(!readOnly_);
}

void CatalogueLock::writeFailed(int shownItem)
{
    refresh(shownItem);
    if (writable()) {
        failedWrite_.lock(shownItem);
        refresh(shownItem);
    }
    showStored_ = true;
}

void CatalogueLock::retryAfterFailedWrite(int shownItem)
{
    failedWrite_.release();
    refresh(shownItem);
}

bool CatalogueLock::takeShowStored() { return std::exchange(showStored_, false); }
