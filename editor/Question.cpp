#include "editor/Question.h"

#include <QAbstractButton>
#include <QPushButton>

namespace {

std::optional<int> nextAnswer;
Question lastQuestion;

} // namespace

int Questions::ask(QWidget *parent, const Question &question)
{
    lastQuestion = question;
    if (nextAnswer) {
        const int answer = *nextAnswer;
        nextAnswer.reset();
        return answer;
    }
    QMessageBox box(question.icon, question.title, question.text, QMessageBox::NoButton, parent);
    box.setInformativeText(question.informativeText);
    std::vector<QAbstractButton *> buttons;
    for (const Question::Button &button : question.buttons) {
        if (button.standard != QMessageBox::NoButton)
            buttons.push_back(box.addButton(button.standard));
        else
            buttons.push_back(box.addButton(button.caption, button.role));
    }
    const auto valid = [&buttons](int index) { return index >= 0 && index < int(buttons.size()); };
    if (valid(question.defaultButton)) {
        if (auto *push = qobject_cast<QPushButton *>(buttons[std::size_t(question.defaultButton)]))
            box.setDefaultButton(push);
    }
    if (question.escapeButton && valid(*question.escapeButton))
        box.setEscapeButton(buttons[std::size_t(*question.escapeButton)]);
    box.exec();
    for (std::size_t index = 0; index < buttons.size(); ++index) {
        if (box.clickedButton() == buttons[index])
            return int(index);
    }
    return question.escapeButton.value_or(question.defaultButton);
}

void Questions::setNextAnswer(int answer) { nextAnswer = answer; }

Question Questions::lastAsked() { return lastQuestion; }
