#include "editor/ListingCopyNotice.h"

#include "app/EditMQV.h"

#include <QAction>
#include <QStatusBar>

namespace {

constexpr int noticeMilliseconds = 5000;

} // namespace

ListingCopyNotice::ListingCopyNotice(TMQVEdit &window)
    : QObject(&window)
{
    window.ToolButton2->setToolTip(QStringLiteral("Kopier listen over alle titler efter kategori"));
    // Connected after the copy itself, so it runs once the listing is on the clipboard.
    connect(window.ToolButton2, &QAction::triggered, this, [&window] {
        window.ZStatus->showMessage(QStringLiteral("Listen over alle titler er kopieret til udklipsholderen."),
                                    noticeMilliseconds);
    });
}
