#pragma once

#include "description/DescriptionRecovery.h"

#include <QObject>
#include <QString>

#include <memory>
#include <optional>

class CatalogueLockFile;
class DescriptionSession;
class EditorContext;
class EditorPresence;
class HistoryController;

// The description typed and not yet saved: kept against a crash, offered again at the next
// start, never written over a file changed on disk without asking, and given up on closing only
// when the user says so. With it the marks that tell other editors, here and on other machines,
// that the catalogue is open in this one.
class RecoveryController : public QObject {
    Q_OBJECT
public:
    RecoveryController(EditorContext &context, HistoryController &history, DescriptionSession &description,
                       QObject *parent);
    ~RecoveryController() override;

    // Marks the catalogue as open here and starts keeping what is typed.
    void open();
    // Once the window is on the screen: tells of another editor on the catalogue, or offers what
    // editors that ended without saving left behind.
    void checkAtStart();
    // Where a text typed over a file changed on disk since it was shown goes; nothing when the
    // disk's text stays.
    std::optional<QString> askForDescriptionTarget(const QString &storedPath);
    // The description could not be saved (failure says why): true when the user gives it up.
    bool closeWithoutSaving(const QString &failure);
    // The system ends the program: the description is saved as closing saves it, or kept for
    // recovery where it cannot be.
    void saveBeforeEnding();
    // The editor is closed: other machines no longer see it.
    void closed();

private:
    std::optional<DescriptionRecovery::Unsaved> unsavedDescription() const;
    bool tellOfOtherEditor();
    void offerLeftOver(const DescriptionRecovery::LeftOver &leftOver);
    void restoreDescription(const DescriptionRecovery::LeftOver &leftOver);
    QString messageTitle() const;

    EditorContext &context_;
    HistoryController &history_;
    DescriptionSession &description_;
    std::unique_ptr<EditorPresence> presence_;
    // The mark beside the catalogue that editors on other machines see.
    std::unique_ptr<CatalogueLockFile> lockFile_;
    std::unique_ptr<DescriptionRecovery> recovery_;
};
