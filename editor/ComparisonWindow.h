#pragma once

#include <QWidget>

class QComboBox;
class QLabel;
class QTextEdit;
class TMQVEdit;

// "Sammenlign": the shown item's description in another language, read-only and formatted,
// beside the editor, so a translator writes one language while reading another. It follows
// the item as the user moves and only ever reads the description files.
class ComparisonWindow : public QWidget {
    Q_OBJECT
public:
    explicit ComparisonWindow(TMQVEdit &editor);

    // Shows the description of the item now in the editor, when the window is open.
    void follow();

protected:
    void showEvent(QShowEvent *event) override;

private:
    TMQVEdit &editor_;
    QComboBox *language_ = nullptr;
    QLabel *item_ = nullptr;
    QTextEdit *text_ = nullptr;
};
