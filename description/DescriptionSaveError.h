#pragma once

#include "files/Refusal.h"

// A description that could not be saved (its folder is gone, the disk is full, the file is
// read-only). It ends the action that wanted to leave the description, so the editor keeps the
// text, and it is shown in the same words as a catalogue that cannot be written, naming the file
// as it is stored.
class DescriptionSaveError : public Refusal {
public:
    explicit DescriptionSaveError(const QString &storedPath)
        : Refusal(QStringLiteral("Unable to write to %1").arg(storedPath))
    {
    }
};
