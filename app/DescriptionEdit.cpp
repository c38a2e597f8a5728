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
