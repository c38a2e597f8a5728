#pragma once

#include "app/FailedWriteLock.h"

#include <QList>

#include <functional>

class ProfileFile;
class QAction;
class QLineEdit;
class QWidget;

// A catalogue on a burned disc or a write-protected stick is browsed, not edited: every control
// that would write to it is locked, so the user is told once instead of at every keystroke. So is
// the item a write failed for, until the user goes to another one or clicks into a field to try again.
class CatalogueLock {
public:
    struct Controls {
        QList<QLineEdit *> fields; // made read-only
        QList<QWidget *> commands; // disabled
        QList<QAction *> actions; // disabled
    };

    // `changed` runs after the controls were locked or unlocked.
    CatalogueLock(const ProfileFile &catalogue, Controls controls, std::function<void()> changed);

    // Locked with the catalogue from now on; made while the catalogue is shown.
    void addAction(QAction *action);

    // Locks or unlocks the controls for the catalogue as it is now, showing that item.
    void refresh(int shownItem);
    // Whether the catalogue may be written now.
    bool writable() const { return !readOnly_; }
    // Locked because a write failed, not because the file is read-only.
    bool lockedAfterFailedWrite() const { return readOnly_ && failedWrite_.isLocked(); }

    // A write to the catalogue failed while that item was shown. A catalogue that turned read-only
    // is locked from then on; otherwise the item is, until the user goes to another one. Either
    // way the window is to go back to what is stored.
    void writeFailed(int shownItem);
    // The user clicks into a field of the item a write failed for: the catalogue is tried again,
    // as the problem (a full disk) may be gone.
    void retryAfterFailedWrite(int shownItem);
    // Whether the window is still to go back to what is stored; asked once.
    bool takeShowStored();

private:
    void lockControls();

    const ProfileFile &catalogue_;
    Controls controls_;
    std::function<void()> changed_;
    bool readOnly_ = false;
    FailedWriteLock failedWrite_;
    bool showStored_ = false;
};
