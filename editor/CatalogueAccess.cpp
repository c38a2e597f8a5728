#include "app/EditMQV.h"

#include "catalogue/ProfileWriteError.h"

namespace {

// Asked while the error is being handled.
bool catalogueWriteFailed()
{
    try {
        throw;
    } catch (const ProfileWriteError &) {
        return true;
    } catch (...) {
        return false;
    }
}

} // namespace

// After a failed write to the catalogue the window goes back to what is stored: the failed edit
// was never written.
void TMQVEdit::checkAccessAfterError()
{
    if (catalogueLock_->writable() && catalogueWriteFailed())
        catalogueLock_->writeFailed(CurrentItemNumber);
}

void TMQVEdit::showStoredItemAfterError()
{
    if (catalogueLock_->takeShowStored())
        runGuarded([this] {
            SaveDescription();
            ShowItem();
        });
}
