#pragma once

#include <QString>
#include <QStringList>

// The problems the user set aside for one catalogue ("Ignorér på denne disk"), by their keys.
// They are kept in the user's state folder, one folder per catalogue, never in the catalogue's
// tree, which goes onto the disc; each change is kept at once.
class IgnoredProblems {
public:
    // Where the catalogue's list is kept; empty where no state folder is known.
    static QString fileFor(const QString &catalogueLocalPath);

    // Reads the list kept in file; an empty name keeps it only while the editor runs.
    explicit IgnoredProblems(QString file);

    bool contains(const QString &key) const { return keys_.contains(key); }
    // In the order they were set aside.
    const QStringList &keys() const { return keys_; }
    void add(const QString &key);
    void remove(const QString &key);

private:
    void keep() const;

    QString file_;
    QStringList keys_;
};
