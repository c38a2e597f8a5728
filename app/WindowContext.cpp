#include "app/EditMQV.h"

#include "editor/Question.h"

#include <QLabel>
#include <QLineEdit>

#include <cstdlib>

// The label shows the stored title until the title field's handler has run, also while the user
// types in that field, and reading it costs no look at the file.
QString TMQVEdit::shownTitle() const { return TitelLabel->text(); }

bool TMQVEdit::catalogueWritable() const { return catalogueLock_->writable(); }

QLineEdit &TMQVEdit::field(TextKey key)
{
    for (const FieldWiring &wiring : fieldWirings()) {
        if (wiring.key == key)
            return *wiring.field;
    }
    // Every text key has its field in the table.
    std::abort();
}

// No part asks for the status notices yet: the window's parts set the status panels themselves.
StatusNotices &TMQVEdit::statusNotices() { std::abort(); }

int TMQVEdit::ask(const Question &question) { return Questions::ask(this, question); }
