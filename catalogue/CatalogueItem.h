#pragma once

#include "catalogue/CatalogueKeys.h"

#include <QString>

class ProfileFile;

// One item of the catalogue, read and written key by key; it keeps no copy of the values.
class CatalogueItem {
public:
    CatalogueItem(ProfileFile &catalogue, int number);

    int number() const { return number_; }
    QString section() const;
    bool exists() const;

    // Flags read as set by the capitals test; a missing key is not set.
    bool flag(FlagKey key) const;
    // A set flag is written as "Ja", a cleared one by deleting its key.
    void setFlag(FlagKey key, bool set);

    QString text(TextKey key) const;
    void setText(TextKey key, const QString &value);
    // Writes the value under a key named at run time; nothing when it already reads so.
    void setValue(const QString &keyName, const QString &value);

    // A new item holds only an empty title, which is enough for its section to exist.
    void create();
    // Empties the item but keeps its number taken, with an empty short text.
    void clear();

private:
    ProfileFile &catalogue_;
    int number_;
};
