#pragma once

#include "app/DescriptionEdit.h"
#include "catalogue/ProfileFile.h"
#include "description/DescriptionSession.h"
#include "editor/EditorContext.h"
#include "editor/HistoryController.h"

#include <QLineEdit>
#include <QMenu>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <optional>

// What a part of the editor sees of the window, without a window: the catalogue in the current
// folder, one description shown from item 1's folder, the history with its menu, and a guard that
// keeps what a run refused. Questions go to Questions::ask, so a test answers them beforehand.
class FakeEditorContext : public EditorContext {
public:
    explicit FakeEditorContext(std::vector<HistoryController::StepName> stepNames = {});

    ProfileFile &catalogue() override { return catalogue_; }
    int shownItem() const override { return 1; }
    int highestItem() const override { return 1; }
    DescriptionLanguage shownLanguage() const override { return DescriptionLanguage::Dansk; }
    QString shownTitle() const override { return QStringLiteral("A"); }
    DescriptionEdit &descriptionEditor() override { return editor_; }
    QString descriptionFileName() const override { return QStringLiteral("DK.RTF"); }
    void saveDescription() override { description_.save(descriptionFileName(), shownLanguage()); }
    bool catalogueWritable() const override { return true; }
    QLineEdit &field(TextKey) override { return field_; }
    void showItem(int number) override;
    void showLanguage(DescriptionLanguage) override {}
    void showStoredItem() override { showItem(1); }
    void showStoredValues(std::optional<TextKey>) override {}
    // Neither controller shows a notice in the status bar.
    StatusNotices &statusNotices() override { std::abort(); }
    int ask(const Question &question) override;
    QWidget &window() override { return window_; }
    void runAction(const QString &name, const std::function<void()> &action) override;
    void runUnrecorded(const std::function<void()> &action) override;

    HistoryController &history() { return history_; }
    QMenu &menu() { return menu_; }
    DescriptionSession &description() { return description_; }
    // Shows item 1's description as it is on disk now.
    void loadDescription();
    // Types at the end of the description, as the user does.
    void type(const QString &text);
    // Runs each time the editor shows an item.
    std::function<void()> onDisplay;
    // Where a text typed over a file changed on disk goes; the recovery controller's question.
    std::function<std::optional<QString>(const QString &storedPath)> askForTarget;
    // What the guard told the user, one message a refused run.
    QStringList refusals;

private:
    void guarded(const std::function<void()> &action);

    ProfileFile catalogue_;
    QWidget window_;
    QMenu menu_;
    DescriptionEdit editor_;
    QLineEdit field_;
    DescriptionSession description_;
    HistoryController history_;
};
