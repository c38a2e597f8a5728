#pragma once

#include <QValidator>

class QLineEdit;

// Keeps a single-line field to what the catalogue can store, Windows-1252, so the field always
// shows exactly what is stored. A character the code page cannot hold is refused as it is typed;
// pasted or dropped text has each such character replaced by the nearest one it can hold.
class StorableTextValidator : public QValidator {
    Q_OBJECT
public:
    // Becomes the field's validator and watches what is typed into it.
    explicit StorableTextValidator(QLineEdit *field);

    State validate(QString &input, int &position) const override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
