#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QTreeWidget;
class TMQVEdit;

// "Søg i kataloget…" (Ctrl+Shift+F) in "Rediger": a window of its own that finds a text in the
// titles, short texts and descriptions of all items and lists the matches by item and language;
// a click on one shows its item in the editor, a description in the language it was found in.
// Escape closes it. Owned by the editor's window.
class SearchWindow : public QWidget {
    Q_OBJECT
public:
    explicit SearchWindow(TMQVEdit &editor);

    void search();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void showHit();

    TMQVEdit &editor_;
    QLineEdit *text_ = nullptr;
    QTreeWidget *results_ = nullptr;
    QLabel *count_ = nullptr;
};
