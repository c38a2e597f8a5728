#pragma once

#include <optional>

// After a write to the catalogue failed for a reason the file itself does not show (a full disk,
// a failing medium), the item it was for is shown as stored and locked until the user goes to
// another item or clicks into a field to try again. Every key typed meanwhile would fail the same
// way, each with a report of its own.
class FailedWriteLock {
public:
    void lock(int item) { item_ = item; }
    // Going to another item tries the catalogue again.
    void releaseUnlessShowing(int item)
    {
        if (item_ && *item_ != item)
            item_.reset();
    }
    void release() { item_.reset(); }
    bool isLocked() const { return item_.has_value(); }

private:
    std::optional<int> item_;
};
