#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

class CatalogueMenu;
class EditorContext;
struct PadImportPlan;

// "Hent PAD-fil…" in "Filer", and a program description file dropped on the window: the file is
// read, its plan shown in the PadImport dialog, and what the user takes is written as one step of
// the history into the shown item when it is empty, else into a new item, which is then shown.
// Owned by the editor's window.
class PadImportCommand : public QObject {
    Q_OBJECT
public:
    // titlesChanged makes the category menus anew after the import.
    PadImportCommand(EditorContext &context, CatalogueMenu &menu, std::function<void()> titlesChanged);

    void importFile(const QString &path);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // A screenshot or icon fetched and converted, to be written under its name in the item's folder.
    struct Picture {
        QString fileName;
        QByteArray bytes;
    };

    void chooseFile();
    // Every picture the user asked for, or nothing at all when one cannot be had.
    std::optional<std::vector<Picture>> fetchPictures(const PadImportPlan &plan);
    void write(int number, const PadImportPlan &plan, const std::vector<Picture> &pictures);
    void writeDescriptions(const QString &folder, const PadImportPlan &plan, QStringList &unsaved);
    void writePictures(const QString &folder, const std::vector<Picture> &pictures, QStringList &unsaved);
    // The answers in the order of their buttons.
    enum class Replacing { Overwrite, Keep, Beside };
    Replacing askReplacing(const QString &text, const QString &informativeText, bool besideOffered);

    EditorContext &context_;
    std::function<void()> titlesChanged_;
};
