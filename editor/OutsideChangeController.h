#pragma once

#include "catalogue/CatalogueKeys.h"
#include "catalogue/CatalogueWatch.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <optional>

class EditorContext;
class HandlerGuard;
class QAction;

// Changes made to the catalogue outside this editor (a colleague's editor, another program),
// shown as soon as they are seen and before any write of this editor; a field being typed in is
// kept or given up as the user says, and an item deleted outside is left for the one before it.
// Owned by the window.
class OutsideChangeController : public QObject {
    Q_OBJECT
public:
    // `guard` runs the window's handlers; `previous` is the tool bar's step to the item before;
    // `showCatalogue` makes the menus and listings anew; `typed` runs the change handler of a
    // field whose typing goes on over a change taken in.
    OutsideChangeController(EditorContext &context, HandlerGuard &guard, QAction &previous,
                            std::function<void()> showCatalogue, std::function<void(TextKey)> typed);

    // The catalogue is watched from the moment it is shown: what this editor saw then is what a
    // later change is measured against. The watch is also told of the editor's own writes that
    // do not go through the catalogue's file (the history's).
    CatalogueWatch *openCatalogueWatch();

    // Checked before every action writes: a change made outside since the editor last looked is
    // shown first. False when the action must not go on: the user took the other editor's value
    // for the field being typed in, or the shown item is gone.
    bool takeInOutsideChanges(std::optional<TextKey> typing);

signals:
    // A change made outside was taken in: what the history may do has changed with it.
    void takenIn();

private:
    bool followOutsideChange(std::optional<TextKey> typing);
    bool askWhichValueStays(TextKey key, const QString &theirs);
    // The field with the focus, whose text is the user's own.
    std::optional<TextKey> typingField() const;

    EditorContext &context_;
    HandlerGuard &guard_;
    QAction &previous_;
    std::function<void()> showCatalogue_;
    std::function<void(TextKey)> typed_;
    // Gone only where a measurement takes it away to compare.
    QPointer<CatalogueWatch> watch_;
};
