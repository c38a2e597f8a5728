#include "app/DescriptionEdit.h"

#include "description/PastedDescription.h"

void DescriptionEdit::insertFromMimeData(const QMimeData *source)
{
    const QTextDocumentFragment kept = PastedDescription::fromMimeData(*source, document()->defaultFont());
    if (kept.isEmpty()) {
        QTextEdit::insertFromMimeData(source);
        return;
    }
    PastedDescription::addPictures(kept, *document());
    textCursor().insertFragment(kept);
    ensureCursorVisible();
}

DescriptionFile::Reading DescriptionEdit::fillDescription(const std::function<DescriptionFile::Reading(QTextDocument &)> &fill)
{
    return replaceDocument(fill);
}

void DescriptionEdit::clearDescription()
{
    releaseCursor();
    document()->clear();
    placeCursorAtStart();
}

// A cursor on the document is pushed along by text inserted where it stands: the editor's own
// would end up selecting the whole new document, and showing or moving it from there lays out
// the whole document at once instead of only what is in view. So the editor holds no cursor on
// the document while it is filled.
void DescriptionEdit::releaseCursor()
{
    setTextCursor(QTextCursor());
}

// Also scrolls the view to the start.
void DescriptionEdit::placeCursorAtStart()
{
    setTextCursor(QTextCursor(document()));
}
