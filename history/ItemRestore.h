#pragma once

#include "history/HistoryLog.h"
#include "history/HistoryPlayer.h"

#include <QByteArray>

#include <optional>

class ProfileText;

// Puts one item back as it was before a step: its section of the catalogue and the files its
// steps changed since, where the item lives now when it was moved since. The writes are the
// current action's changes, themselves a step that can be undone.
class ItemRestore {
public:
    explicit ItemRestore(const HistoryLog &log);

    HistoryOutcome before(qint64 stepNumber) const;

private:
    // What a file held before the first step from a number on that changed it.
    struct Earlier {
        enum class Kind { Unchanged, Missing, Held, Unreadable };
        Kind kind = Kind::Unchanged;
        QByteArray bytes;
    };

    Earlier earlier(qint64 stepNumber, const QString &localPath) const;
    static int whereItemLivesNow(const ProfileText &then, const ProfileText &now, int item);

    const HistoryLog &log_;
};
