#include "app/CatalogueLocation.h"

#include "catalogue/Catalogue.h"
#include "files/LocalPath.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

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

bool inCurrentFolder()
{
    return LocalPath::fileExists(Catalogue::fileName());
}

std::optional<QString> ask(QWidget *parent)
{
    const QString file = QFileDialog::getOpenFileName(parent, QStringLiteral("\u00C5bn et Z-CD-katalog"),
                                                      QDir::currentPath(),
                                                      QStringLiteral("Z-CD-kataloger (*.MQV *.mqv);;Alle filer (*)"));
    if (file.isEmpty())
        return std::nullopt;
    return QFileInfo(file).absolutePath();
}

} // namespace CatalogueLocation
