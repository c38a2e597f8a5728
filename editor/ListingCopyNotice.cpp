#include "editor/ListingCopyNotice.h"

#include <QAction>
#include <QStatusBar>

namespace {

constexpr int noticeMilliseconds = 5000;

} // namespace

ListingCopyNotice::ListingCopyNotice(QAction &copy, QStatusBar &statusBar)
    : QObject(&copy)
{
    copy.setToolTip(QStringLiteral("Kopier listen over alle titler efter kategori"));
    // Connected after the copy itself, so it runs once the listing is on the clipboard.
    connect(&copy, &QAction::triggered, this, [&statusBar] {
        statusBar.showMessage(QStringLiteral("Listen over alle titler er kopieret til udklipsholderen."),
                              noticeMilliseconds);
    });
}
