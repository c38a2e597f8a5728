#pragma once

#include <QString>

// What a program's author says of passing the program on (the distribution permissions and the
// licence), taken in with its description file for the producer to read on the proof sheet. The
// catalogue has no place for it and the disc's tree takes nothing of ours, so it is kept in the
// user's state folder for the catalogue, one file per item folder: a folder keeps its name when
// items are moved, a number does not.
struct ProducerNotes {
    QString distributionPermissions;
    QString eula;

    bool isEmpty() const { return distributionPermissions.isEmpty() && eula.isEmpty(); }

    // Notes that cannot be kept cost the producer a line on the proof sheet, never the import.
    void keep(const QString &catalogueLocalPath, const QString &itemFolder) const;
    static ProducerNotes read(const QString &catalogueLocalPath, const QString &itemFolder);
};
