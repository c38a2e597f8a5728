#include "app/EditMQV.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QStatusBar>

namespace {

constexpr int startedMessageMilliseconds = 8000;

} // namespace

// Runs what the fields show, unsaved edits included, once the user agreed to run a program of this
// system itself: a file on a disc is started only as the desktop would open it, unasked. A setup program may take a
// while to show a window, so the status bar says at once that it was started; nobody else tells the user why a file
// could not be started, so the editor does.
void TMQVEdit::StartClick()
{
    Starter.DefaultDir = FolderEdit->text();
    Starter.Command = SetupEdit->text();
    if (const QString question = Starter.question(); !question.isEmpty()) {
        QMessageBox ask(QMessageBox::Warning, ApplicationTitle, question, QMessageBox::Yes | QMessageBox::No, this);
        ask.setDefaultButton(QMessageBox::No);
        ask.setObjectName(QStringLiteral("StartQuestion"));
        if (ask.exec() != QMessageBox::Yes)
            return;
    }
    const ::Starter::Outcome outcome = Starter.execute();
    if (outcome.started) {
        ZStatus->showMessage(QStringLiteral("Startet: %1").arg(outcome.file), startedMessageMilliseconds);
        return;
    }
    QMessageBox failure(QMessageBox::Critical, ApplicationTitle, outcome.failure, QMessageBox::Ok, this);
    failure.setObjectName(QStringLiteral("StartFailure"));
    failure.exec();
}
