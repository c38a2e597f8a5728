#include "app/EditMQV.h"

#include "app/DescriptionEdit.h"
#include "app/WindowColours.h"
#include "description/TextFormats.h"

#include <QKeyEvent>
#include <QTextCursor>
#include <QTextEdit>

// With a selection the format goes onto it; without one it is what the next typed text takes.
// A description that is shown read-only is not changed by a command either.
void TMQVEdit::mergeDescriptionFormat(const QTextCharFormat &format)
{
    if (Beskriv->isReadOnly())
        return;
    description_->finishLoading();
    Beskriv->mergeCurrentCharFormat(format);
}

void TMQVEdit::KursivClick() { mergeDescriptionFormat(TextFormats::style(false, true)); }
void TMQVEdit::FedClick() { mergeDescriptionFormat(TextFormats::style(true, false)); }
void TMQVEdit::NormalClick() { mergeDescriptionFormat(TextFormats::style(false, false)); }
void TMQVEdit::Punkt12Click() { mergeDescriptionFormat(TextFormats::size(12)); }
void TMQVEdit::Punkt10Click() { mergeDescriptionFormat(TextFormats::size(10)); }
void TMQVEdit::GreenClick() { mergeDescriptionFormat(TextFormats::colour(WindowColours::green())); }
void TMQVEdit::RedClick() { mergeDescriptionFormat(TextFormats::colour(WindowColours::red())); }
void TMQVEdit::BlueClick() { mergeDescriptionFormat(TextFormats::colour(WindowColours::blue())); }
void TMQVEdit::BlackClick() { mergeDescriptionFormat(TextFormats::colour(WindowColours::black())); }

void TMQVEdit::StandardClick()
{
    if (Beskriv->isReadOnly())
        return;
    description_->finishLoading();
    TextFormats::applyStandardLook(*Beskriv->document());
    Beskriv->moveCursor(QTextCursor::Start);
    Beskriv->ensureCursorVisible();
}

// The formatting shortcuts win over the editor's own key bindings (Ctrl+K must make italic, not
// delete to the end of the line), and a plain Return does not break the paragraph: Ctrl+Return
// does, Shift+Return breaks the line. Tab moves on to the next control, so a tab character is
// typed as Ctrl+Tab.
bool TMQVEdit::filterDescriptionKeys(QEvent *event)
{
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    if (event->type() == QEvent::ShortcutOverride) {
        const QKeySequence pressed(key->keyCombination());
        for (const QAction *action : Beskriv->actions()) {
            if (!action->shortcut().isEmpty() && action->shortcut() == pressed) {
                event->ignore();
                return true;
            }
        }
        return false;
    }
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    if (key->key() == Qt::Key_Tab && modifiers == Qt::ControlModifier) {
        Beskriv->textCursor().insertText(QStringLiteral("\t"));
        Beskriv->ensureCursorVisible();
        return true;
    }
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
        return false;
    if (modifiers == Qt::ControlModifier) {
        if (Beskriv->isReadOnly())
            return true;
        Beskriv->textCursor().insertBlock();
        Beskriv->ensureCursorVisible();
        return true;
    }
    return modifiers != Qt::ShiftModifier;
}
