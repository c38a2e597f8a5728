#pragma once

#include "pad/PadFinding.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <vector>

// What was read of a program description file: each field's text by its path, the languages its
// descriptions are given in, and what could not be read as written.
struct PadDocument {
    // False when nothing of it could be read as a program description.
    bool readable = false;
    QHash<QString, QString> values;
    // The language blocks of the descriptions ("English", "Danish"), in the file's order.
    QStringList languages;
    std::vector<PadFinding> findings;

    QString value(const QString &path) const { return values.value(path); }
};
