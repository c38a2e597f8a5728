#pragma once

#include "description/DescriptionSession.h"

#include <QTextEdit>

// The description editor: pasted and dropped rich text shows only what the description's
// file keeps.
class DescriptionEdit : public QTextEdit, public DescriptionSession::Editor {
    Q_OBJECT
public:
    using QTextEdit::QTextEdit;

    QTextDocument &descriptionDocument() override { return *document(); }
    DescriptionFile::Reading
    fillDescription(const std::function<DescriptionFile::Reading(QTextDocument &)> &fill) override;

    // Lets `fill` replace the whole document and shows it from its start. Only the start is laid
    // out at once; the rest follows in later turns of the event loop.
    template <typename Fill>
    auto replaceDocument(Fill fill)
    {
        releaseCursor();
        try {
            auto result = fill(*document());
            placeCursorAtStart();
            return result;
        } catch (...) {
            placeCursorAtStart();
            throw;
        }
    }

    // Empties the editor. What is typed next takes the description's default format, not the one
    // the cursor stood in before, as the editor's own clear() would keep it.
    void clearDescription() override;

    // A mark held above the text, inside the frame: shown, it takes its room from the text instead
    // of covering its first lines.
    void holdAbove(QWidget *mark);
    void showAbove(bool shown);

protected:
    void insertFromMimeData(const QMimeData *source) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void releaseCursor();
    void placeCursorAtStart();
    void placeMark();

    QWidget *mark_ = nullptr;
};
