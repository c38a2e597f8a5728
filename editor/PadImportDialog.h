#pragma once

#include "pad/PadFinding.h"
#include "pad/PadImportPlan.h"

#include <QDialog>

#include <vector>

class MultiLineCellDelegate;
class QTableWidget;

// "PadImport": what importing a program description file will put where, before anything is
// written. Each line is ticked to be taken, and its value can be changed; the file's report and
// the distribution permissions and licence stand beside it to read and copy. The default button
// takes the import, Escape cancels it.
class PadImportDialog : public QDialog {
    Q_OBJECT
public:
    PadImportDialog(const PadImportPlan &plan, const std::vector<PadFinding> &report, const QString &target,
                    QWidget *parent);

    // The plan as the user left it.
    PadImportPlan chosenPlan() const;

    // A value still being edited when the import is taken (by its key, or Enter outside the
    // value) counts as the user typed it.
    void accept() override;

private:
    enum Column { Taken, Caption, Value, Note };

    PadImportPlan plan_;
    QTableWidget *lines_ = nullptr;
    MultiLineCellDelegate *values_ = nullptr;
};
