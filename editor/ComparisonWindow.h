#pragma once

#include "files/FileStamp.h"

#include <QWidget>

class EditorContext;
class QComboBox;
class QFileSystemWatcher;
class QLabel;
class QTextEdit;

// "Sammenlign": the shown item's description in another language, read-only and formatted,
// beside the editor, so a translator writes one language while reading another. It follows
// the item as the user moves and only ever reads the description files; a file it shows that is
// written (by this editor or anyone) is read again. Escape closes it.
class ComparisonWindow : public QWidget {
    Q_OBJECT
public:
    explicit ComparisonWindow(EditorContext &context);

    // Shows the description of the item now in the editor, when the window is open.
    void follow();

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void watch(const QString &folder, const QString &file);
    void followIfWritten();

    EditorContext &context_;
    QComboBox *language_ = nullptr;
    QLabel *item_ = nullptr;
    QTextEdit *text_ = nullptr;
    // The folder of the file shown is watched, as a file saved whole replaces the one watched.
    QFileSystemWatcher *watcher_ = nullptr;
    QString shownFile_;
    FileStamp shownStamp_;
};
