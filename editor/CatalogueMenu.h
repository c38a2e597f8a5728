#pragma once

#include <QList>
#include <QObject>
#include <QString>

class EditorContext;
class QAction;
class QMenu;
class QMenuBar;
class QWidget;

// "Filer", the last menu of the menu bar: "Åbn katalog…" and the catalogues last opened. Every
// path of a catalogue counts from the current folder, so another catalogue is opened by starting
// the editor anew in its folder; this window then closes the ordinary way, saving the description.
// Owned by the editor's window.
class CatalogueMenu : public QObject {
    Q_OBJECT
public:
    CatalogueMenu(EditorContext &context, QMenuBar &menuBar);

    // A command of another part, listed after "Åbn katalog…".
    void addCommand(QAction *command);

    // The program started for another catalogue: this one, unless a test stands in for it.
    static void setProgram(const QString &program);

private:
    void listRecent();
    void chooseCatalogue();
    void open(const QString &folder);

    QWidget &window_;
    QMenu *menu_ = nullptr;
    QList<QAction *> commands_;
};
