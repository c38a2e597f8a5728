#include "support/FakeEditorContext.h"

#include "catalogue/Catalogue.h"
#include "editor/Question.h"

#include <QTextCursor>

#include <cstdlib>
#include <exception>

FakeEditorContext::FakeEditorContext(std::vector<HistoryController::StepName> stepNames)
    : catalogue_(Catalogue::fileName())
    , description_(
          editor_,
          [this](const QString &storedPath) { return askForTarget ? askForTarget(storedPath) : storedPath; },
          [] {})
    , history_(*this, menu_, std::move(stepNames))
{
    history_.open();
}

void FakeEditorContext::showItem(int)
{
    if (onDisplay)
        onDisplay();
}

int FakeEditorContext::ask(const Question &question) { return Questions::ask(nullptr, question); }

void FakeEditorContext::runAction(const QString &name, const std::function<void()> &action)
{
    CatalogueHistory::Action step = history_.stepFor(nullptr);
    step.name = name;
    guarded([this, &step, &action] { history_.record(step, action); });
}

void FakeEditorContext::runUnrecorded(const std::function<void()> &action) { guarded(action); }

void FakeEditorContext::loadDescription() { description_.load(QStringLiteral("A"), "DK.RTF", "DK.RTF"); }

void FakeEditorContext::type(const QString &text)
{
    QTextCursor cursor(editor_.document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(text);
}

void FakeEditorContext::guarded(const std::function<void()> &action)
{
    try {
        action();
    } catch (const std::exception &error) {
        refusals << QString::fromUtf8(error.what());
    }
}
