#include "app/EditMQV.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QStatusBar>

namespace {

constexpr int startedMessageMilliseconds = 8000;

} // namespace

// Runs what the fields show, unsaved edits included. A setup program may take a while to show a
// window, so the status bar says at once that it was started; nobody else tells the user why a
// file could not be started, so the editor does.
void TMQVEdit::StartClick()
{
    Starter.DefaultDir = FolderEdit->text();
    Starter.Command = SetupEdit->text();
    const ::Starter::Outcome outcome = Starter.execute();
    if (outcome.started) {
        ZStatus->showMessage(QStringLiteral("Startet: %1").arg(outcome.file), startedMessageMilliseconds);
        return;
    }
    QMessageBox failure(QMessageBox::Critical, ApplicationTitle, outcome.failure, QMessageBox::Ok, this);
    failure.setObjectName(QStringLiteral("StartFailure"));
    failure.exec();
}
