#pragma once

#include <QTextEdit>

// The description editor: pasted and dropped rich text shows only what the description's
// file keeps.
class DescriptionEdit : public QTextEdit {
    Q_OBJECT
public:
    using QTextEdit::QTextEdit;

protected:
    void insertFromMimeData(const QMimeData *source) override;
};
