#pragma once

#include <QObject>

class QAction;
class QStatusBar;

// "Kopier" puts the listing of all titles on the clipboard and nothing shows that it did: the
// button says what it copies, and the status bar says that it was copied. Owned by the button.
class ListingCopyNotice : public QObject {
    Q_OBJECT
public:
    ListingCopyNotice(QAction &copy, QStatusBar &statusBar);
};
