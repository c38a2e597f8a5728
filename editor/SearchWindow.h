#pragma once

#include <QWidget>

class EditorContext;
class QLabel;
class QLineEdit;
class QMenu;
class QTreeWidget;

// "Søg i kataloget…" (Ctrl+Shift+F) in "Rediger": a window of its own that finds a text in the
// titles, short texts and descriptions of all items and lists the matches by item and language;
// a click on one shows its item in the editor, a description in the language it was found in.
// Escape closes it. Owned by the editor's window.
class SearchWindow : public QWidget {
    Q_OBJECT
public:
    // Opened from an entry it adds to the menu.
    SearchWindow(EditorContext &context, QMenu &menu);

    void search();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void showHit();

    EditorContext &context_;
    QLineEdit *text_ = nullptr;
    QTreeWidget *results_ = nullptr;
    QLabel *count_ = nullptr;
};
