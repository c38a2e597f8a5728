#include "app/StorableTextValidator.h"

#include "files/Windows1252.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>

StorableTextValidator::StorableTextValidator(QLineEdit *field)
    : QValidator(field)
{
    field->setValidator(this);
    field->installEventFilter(this);
}

// Everything that reaches the field's text without a key of its own (paste, drop, the program)
// passes here.
QValidator::State StorableTextValidator::validate(QString &input, int &position) const
{
    if (Windows1252::canEncode(input))
        return Acceptable;
    const QString beforeCursor = Windows1252::nearest(input.left(position));
    input = beforeCursor + Windows1252::nearest(input.mid(position));
    position = int(beforeCursor.size());
    return Acceptable;
}

// A typed character is the user's choice of that very character: rather than have it quietly
// changed, the key does nothing.
bool StorableTextValidator::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const QString typed = static_cast<QKeyEvent *>(event)->text();
        if (!typed.isEmpty() && !Windows1252::canEncode(typed))
            return true;
    } else if (event->type() == QEvent::InputMethod) {
        auto *input = static_cast<QInputMethodEvent *>(event);
        if (!Windows1252::canEncode(input->commitString())) {
            QString kept;
            for (QChar character : input->commitString()) {
                if (Windows1252::encodeChar(character) >= 0)
                    kept.append(character);
            }
            input->setCommitString(kept, input->replacementStart(), input->replacementLength());
        }
    }
    return QValidator::eventFilter(watched, event);
}
