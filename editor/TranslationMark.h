#pragma once

#include <QObject>

class DescriptionSession;
class EditorContext;
class QLabel;
class QPushButton;

// The mark above a translation that fell behind the Danish text: the Danish words that changed
// since it was written, and "Ajourført" to confirm it needs no change, which records today's
// Danish words in the translation's file as one step of the history. Owned by the window.
class TranslationMark : public QObject {
    Q_OBJECT
public:
    TranslationMark(EditorContext &context, const DescriptionSession &session);

    // Shows or hides the mark for the description shown, as it is stored now.
    void refresh();

private:
    void confirm();

    EditorContext &context_;
    const DescriptionSession &session_;
    QWidget *mark_ = nullptr;
    QLabel *changes_ = nullptr;
    QPushButton *confirm_ = nullptr;
};
