#pragma once

#include <QMessageBox>
#include <QString>

#include <optional>
#include <vector>

class QWidget;

// A question put to the user in a message box. The answer is the index of the button chosen.
struct Question {
    // A standard button (Qt gives its caption, in Danish) or a button with a caption of ours.
    struct Button {
        QMessageBox::StandardButton standard = QMessageBox::NoButton;
        QString caption;
        QMessageBox::ButtonRole role = QMessageBox::ActionRole;
    };
    QMessageBox::Icon icon = QMessageBox::Question;
    QString title;
    QString text;
    QString informativeText;
    // In the order they are given; the answer is an index into them.
    std::vector<Button> buttons;
    int defaultButton = 0;
    // The answer when the box is closed without a choice; none where the user must choose.
    std::optional<int> escapeButton;
};

// Every question of the editor goes through here, so that a test can give the answer before the
// question is put instead of waiting for a box to appear.
namespace Questions {

int ask(QWidget *parent, const Question &question);

// The next question is answered so, without a box; the answer is spent on that one question.
void setNextAnswer(int answer);
// The last question put, answered by a box or from a test.
Question lastAsked();

} // namespace Questions
