#pragma once

#include <QDialog>

class CatalogueHistory;
class QLabel;
class QPushButton;
class QTreeWidget;

// The history of the catalogue, newest step first: when, which item, what changed. From here the
// user takes everything back down to a chosen step, or puts one item back as it was before it.
// Steps that cannot be taken back over the files as they are now are grey, and say why.
class HistoryWindow : public QDialog {
    Q_OBJECT
public:
    HistoryWindow(const CatalogueHistory &history, QWidget *parent);

    // Shows the history as it is now, keeping the chosen step where it is still there.
    void refresh();
    // Shows the history with its newest step chosen, as when the window is opened.
    void chooseNewest();

signals:
    void undoTo(qint64 stepNumber);
    void restoreItemBefore(qint64 stepNumber);

private:
    qint64 chosenStep() const;
    void confirmUndoTo();
    void updateButtons();

    const CatalogueHistory &history_;
    QTreeWidget *steps_ = nullptr;
    QLabel *size_ = nullptr;
    QPushButton *undoTo_ = nullptr;
    QPushButton *restoreItem_ = nullptr;
};
