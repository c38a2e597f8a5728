#include "app/CatalogueLocation.h"

#include "app/ScreenFit.h"
#include "catalogue/Catalogue.h"
#include "files/LocalPath.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

namespace {

QString catalogueName() { return QFileInfo(LocalPath::asWritten(Catalogue::fileName())).fileName(); }

QString shown(const QString &path) { return QDir::toNativeSeparators(path); }

} // namespace

namespace CatalogueLocation {

std::optional<QString> folderOf(const QString &argument)
{
    const QFileInfo entry(argument);
    if (entry.isDir())
        return entry.absoluteFilePath();
    if (entry.isFile())
        return entry.absolutePath();
    return std::nullopt;
}

bool inCurrentFolder() { return LocalPath::fileExists(Catalogue::fileName()); }

std::optional<QString> folderToOpen(const QString &file, QWidget *parent)
{
    const QFileInfo given(file);
    const QString folder = given.absolutePath();
    if (given.fileName().compare(catalogueName(), Qt::CaseInsensitive) == 0)
        return folder;

    const std::optional<QString> besideIt = LocalPath::findFile(QDir(folder).filePath(catalogueName()));
    const QString catalogueThere = shown(besideIt.value_or(QDir(folder).filePath(catalogueName())));
    const QString text = QStringLiteral("Editoren arbejder altid på kataloget %1 i en mappe og kan ikke åbne %2.")
                             .arg(catalogueName(), shown(given.absoluteFilePath()));
    if (!besideIt) {
        QMessageBox box(QMessageBox::Warning, QStringLiteral("Z-CD editor"),
                        text + QStringLiteral("\n\n%1 findes ikke.").arg(catalogueThere), QMessageBox::Ok, parent);
        box.exec();
        return std::nullopt;
    }
    QMessageBox box(QMessageBox::Question, QStringLiteral("Z-CD editor"),
                    text + QStringLiteral("\n\nVil du åbne %1 i stedet?").arg(catalogueThere),
                    QMessageBox::Open | QMessageBox::Cancel, parent);
    box.button(QMessageBox::Open)->setText(QStringLiteral("Åbn %1").arg(catalogueName()));
    box.button(QMessageBox::Cancel)->setText(QStringLiteral("Annuller"));
    box.setDefaultButton(QMessageBox::Open);
    if (box.exec() != QMessageBox::Open)
        return std::nullopt;
    return folder;
}

std::optional<QString> ask(QWidget *parent)
{
    QFileDialog dialog(parent, QStringLiteral("Åbn et Z-CD-katalog"), QDir::currentPath(),
                       QStringLiteral("Z-CD-katalog (%1)").arg(catalogueName()));
    // The desktop's own dialog (GTK's under GNOME) speaks the desktop's language, not the
    // editor's, and keeps its own size, too large for a small screen.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setLabelText(QFileDialog::LookIn, QStringLiteral("Søg i:"));
    dialog.setLabelText(QFileDialog::FileName, QStringLiteral("Filnavn:"));
    dialog.setLabelText(QFileDialog::FileType, QStringLiteral("Filtype:"));
    dialog.setLabelText(QFileDialog::Accept, QStringLiteral("Åbn"));
    dialog.setLabelText(QFileDialog::Reject, QStringLiteral("Annuller"));
    ScreenFit::fitToScreen(&dialog, dialog.sizeHint());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().first();
}

std::optional<bool> offerLast(const QString &folder, QWidget *parent)
{
    QMessageBox box(
        QMessageBox::Question, QStringLiteral("Z-CD editor"),
        QStringLiteral("Vil du åbne det seneste katalog, %1?").arg(shown(QDir(folder).filePath(catalogueName()))),
        QMessageBox::Open | QMessageBox::Cancel, parent);
    box.button(QMessageBox::Open)->setText(QStringLiteral("Åbn"));
    box.button(QMessageBox::Cancel)->setText(QStringLiteral("Annuller"));
    QPushButton *another = box.addButton(QStringLiteral("Vælg et andet…"), QMessageBox::ActionRole);
    another->setObjectName(QStringLiteral("VaelgEtAndet"));
    box.setDefaultButton(QMessageBox::Open);
    box.exec();
    if (box.clickedButton() == another)
        return false;
    if (box.clickedButton() == box.button(QMessageBox::Open))
        return true;
    return std::nullopt;
}

} // namespace CatalogueLocation
