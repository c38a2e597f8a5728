#pragma once

#include <QObject>
#include <QString>

#include <array>

class QLabel;

// The last panel of the status bar says one thing at a time. What keeps the user from editing the
// shown item (or "Status" when nothing does) stands until the item is shown anew; a notice of
// something that happened meanwhile (a change made outside, a dictionary missing) is shown over it
// until then, as it is news the user has not seen.
class StatusNotices : public QObject {
    Q_OBJECT
public:
    // In priority order: a notice shows only where none before it in this list is posted.
    enum class Notice { OutsideChange, Spelling, Access };

    StatusNotices(QLabel &panel, QObject *parent);

    // What keeps the user from editing the item now shown, empty where nothing does. The notices
    // of what happened before belong to what was shown before: they are over.
    void showAccess(const QString &state);
    void post(Notice notice, const QString &text);

    QString shown() const;

private:
    QLabel &panel_;
    std::array<QString, 3> posted_; // by Notice
};
