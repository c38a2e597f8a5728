#include "app/EditMQV.h"

#include <QGuiApplication>
#include <QLineEdit>
#include <QMessageBox>

// Runs what the fields show, unsaved edits included. Nobody else tells the user why a file could
// not be started, so the editor does.
void TMQVEdit::StartClick()
{
    Starter.DefaultDir = FolderEdit->text();
    Starter.Command = SetupEdit->text();
    const ::Starter::Outcome outcome = Starter.execute();
    if (outcome.started)
        return;
    QMessageBox failure(QMessageBox::Critical, QGuiApplication::applicationDisplayName(), outcome.failure,
                        QMessageBox::Ok, this);
    failure.setObjectName(QStringLiteral("StartFailure"));
    failure.exec();
}
