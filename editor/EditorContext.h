#pragma once

#include "catalogue/CatalogueKeys.h"
#include "description/DescriptionLanguage.h"

#include <QString>

#include <functional>
#include <optional>

class DescriptionEdit;
class ProfileFile;
class QLineEdit;
class QWidget;
class StatusNotices;
struct Question;

// What the parts of the editor may see of the window and ask of it. The window implements it;
// a part is given this instead of the window, so it reaches no control or state it does not
// name here, and a test gives it a small fake instead of a whole window.
class EditorContext {
public:
    virtual ~EditorContext() = default;

    // The catalogue, open for the whole run.
    virtual ProfileFile &catalogue() = 0;
    // The item shown and the highest number the catalogue has.
    virtual int shownItem() const = 0;
    virtual int highestItem() const = 0;
    virtual DescriptionLanguage shownLanguage() const = 0;
    // The stored title of the shown item, as the window's caption bar shows it.
    virtual QString shownTitle() const = 0;

    // The description being edited and the single-line field of each text key.
    virtual DescriptionEdit &descriptionEditor() = 0;
    // The name the shown description's file is stored under: "NO.RTF".
    virtual QString descriptionFileName() const = 0;
    // Writes the description typed, as leaving it does. Throws DescriptionSaveError when it cannot.
    virtual void saveDescription() = 0;
    // False for a catalogue that is only browsed: nothing of it is written.
    virtual bool catalogueWritable() const = 0;
    virtual QLineEdit &field(TextKey key) = 0;

    // Shows another item or language the way the user's own step there would.
    virtual void showItem(int number) = 0;
    virtual void showLanguage(DescriptionLanguage language) = 0;
    // Shows the shown item anew as it is stored now.
    virtual void showStoredItem() = 0;
    // Shows the shown item's stored values in its fields and boxes, but for the field the user
    // goes on typing in; the description and the pictures stay as they are.
    virtual void showStoredValues(std::optional<TextKey> typing) = 0;

    // The status bar's notices, each shown by its priority.
    virtual StatusNotices &statusNotices() = 0;
    // Asks the user; the answer is the index of the button chosen.
    virtual int ask(const Question &question) = 0;
    // The window, for what must be parented to it (dialogs, menus).
    virtual QWidget &window() = 0;

    // Runs a user action that is not a control's handler the way a handler runs: guarded, and one
    // step of the history under this name.
    virtual void runAction(const QString &name, const std::function<void()> &action) = 0;
    // Runs it guarded as a handler runs, but as no step of the history: for what the history does
    // itself (an undo is no new step) or records as a step it names.
    virtual void runUnrecorded(const std::function<void()> &action) = 0;
};
