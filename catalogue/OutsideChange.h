#pragma once

#include "catalogue/CatalogueKeys.h"
#include "catalogue/ProfileChanges.h"

#include <QString>

#include <vector>

// What a change made to the catalogue outside this editor means for the item it shows: whether
// anything changed at all, whether the item is gone, which of its keys changed, and the notice
// that names them.
struct OutsideChange {
    bool anything = false;
    bool itemDeleted = false;
    std::vector<KeyChange> ofItem; // the shown item's keys that changed

    static OutsideChange between(const ProfileText &known, const ProfileText &stored, int item);
    bool changed(TextKey key) const;
    // "Ændret i en anden editor: Titel, Global", or "…: andre punkter" when only other items changed.
    QString notice() const;
};
