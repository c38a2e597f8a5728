#include "history/HistoryPlayer.h"

#include "catalogue/Catalogue.h"
#include "catalogue/ProfileText.h"
#include "files/AtomicFile.h"
#include "files/CatalogueTree.h"
#include "files/FileChangeRecorder.h"
#include "files/FolderWriteLock.h"
#include "files/HomeTrash.h"
#include "files/Windows1252.h"
#include "history/StepSummary.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

QString verb(bool undoing) { return undoing ? QStringLiteral("fortryde") : QStringLiteral("gentage"); }

bool isFolder(const QString &path) { return QFileInfo(path).isDir(); }

bool isEmptyFolder(const QString &path)
{
    return isFolder(path) && QDir(path).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
}

// "punkt 3" for the section of item 3, the section's own name for any other.
QString shownSection(const QString &section)
{
    for (int item = Catalogue::FirstItemNumber; item <= Catalogue::LastItemNumber; ++item) {
        if (section.compare(Catalogue::SectionName(item), Qt::CaseInsensitive) == 0)
            return QStringLiteral("punkt %1").arg(item);
    }
    return QLatin1Char('[') + section + QLatin1Char(']');
}

} // namespace

HistoryPlayer::HistoryPlayer(HistoryLog &log)
    : log_(log)
{
}

HistoryOutcome HistoryPlayer::undo()
{
    HistoryStep *step = log_.nextUndo();
    if (!step)
        return {};
    if (const QString why = mismatch(*step, true); !why.isEmpty())
        return {false, explainedRefusal(*step, true, why), step->item};
    if (!keepWhatTheStepLeft(*step)) {
        if (!log_.enabled())
            return {};
        return {false, explainedRefusal(*step, true, mismatch(*step, true)), step->item};
    }
    return carryOut(*step, true);
}

HistoryOutcome HistoryPlayer::redo()
{
    HistoryStep *step = log_.nextRedo();
    if (!step)
        return {};
    if (const QString why = mismatch(*step, false); !why.isEmpty())
        return {false, explainedRefusal(*step, false, why), step->item};
    return carryOut(*step, false);
}

// The redo needs what the step left; it is kept before anything is taken back.
bool HistoryPlayer::keepWhatTheStepLeft(HistoryStep &step)
{
    for (qsizetype index = 0; index < qsizetype(step.changes.size()); ++index) {
        const HistoryChange &change = step.changes[index];
        if (change.kind != HistoryChange::Kind::File || !change.after.exists || change.afterOffset >= 0)
            continue;
        QByteArray bytes;
        if (FileState::of(change.path, &bytes) != change.after || !log_.keepAfter(step, index, bytes))
            return false;
    }
    return true;
}

QString HistoryPlayer::refusalOfUndo(const HistoryStep &step) const
{
    return step.state == HistoryStep::State::Done ? mismatch(step, true) : QString();
}

// Where a step the damage left out lies between this one and the files, the files hold what that
// step did, which is no change from outside the editor.
QString HistoryPlayer::explainedRefusal(const HistoryStep &step, bool undoing, const QString &why) const
{
    for (const qint64 lost : log_.lostSteps()) {
        if (undoing ? lost > step.number : lost < step.number)
            return QStringLiteral("Kan ikke %1 »%2«: historikken er beskadiget ved trin %3. Intet er ændret.")
                .arg(verb(undoing), step.caption())
                .arg(lost);
    }
    return why;
}

// Marked as under way on the disk first, so that a crash is carried through at the next start; a
// change that cannot be made puts back what was already changed.
HistoryOutcome HistoryPlayer::carryOut(HistoryStep &step, bool undoing)
{
    using Progress = JournalRecord::Progress::Kind;
    const HistoryStep::State before = undoing ? HistoryStep::State::Done : HistoryStep::State::Undone;
    if (!log_.write(JournalRecord::Progress{step.number, undoing ? Progress::Undo : Progress::Redo}, true))
        return {};
    step.state = undoing ? HistoryStep::State::Undoing : HistoryStep::State::Redoing;
    if (!apply(step, undoing)) {
        apply(step, !undoing);
        log_.write(JournalRecord::Progress{step.number, undoing ? Progress::Kept : Progress::Undone});
        step.state = before;
        return {false,
                QStringLiteral("Kan ikke %1 »%2«: filerne kan ikke skrives. Intet er ændret.")
                    .arg(verb(undoing), step.caption()),
                step.item};
    }
    log_.write(JournalRecord::Progress{step.number, undoing ? Progress::Undone : Progress::Redone});
    step.state = undoing ? HistoryStep::State::Undone : HistoryStep::State::Done;
    return {true, QString(), step.item};
}

void HistoryPlayer::finishInterrupted()
{
    while (HistoryStep *step = log_.interruptedStep()) {
        const bool undoing = step->state == HistoryStep::State::Undoing;
        apply(*step, undoing);
        using Progress = JournalRecord::Progress::Kind;
        log_.write(JournalRecord::Progress{step->number, undoing ? Progress::Undone : Progress::Redone});
        step->state = undoing ? HistoryStep::State::Undone : HistoryStep::State::Done;
    }
}

// Puts every change's other side in place, skipping what is there already, so that an undo or
// redo cut short by a crash can be carried through at the next start.
bool HistoryPlayer::apply(const HistoryStep &step, bool undoing)
{
    // What the history puts back is no new change of the user's.
    const FileChanges::Recording unrecorded(nullptr);
    const auto change = [&](qsizetype index) -> const HistoryChange & {
        return step.changes[undoing ? step.changes.size() - 1 - index : index];
    };
    for (qsizetype index = 0; index < qsizetype(step.changes.size()); ++index) {
        const HistoryChange &next = change(index);
        switch (next.kind) {
        case HistoryChange::Kind::File:
            if (!applyFile(next, undoing))
                return false;
            break;
        case HistoryChange::Kind::CreateFolder:
            if (!mayChange(next.path))
                return false;
            if (undoing && isFolder(next.path) && !QDir().rmdir(next.path))
                return false;
            if (!undoing && !isFolder(next.path) && !QDir().mkdir(next.path))
                return false;
            break;
        case HistoryChange::Kind::RenameFolder: {
            const QString &from = undoing ? next.newPath : next.path;
            const QString &to = undoing ? next.path : next.newPath;
            if (!mayChange(from) || !mayChange(to))
                return false;
            if (isFolder(from) && !QFileInfo::exists(to) && !QDir().rename(from, to))
                return false;
            break;
        }
        }
    }
    return true;
}

bool HistoryPlayer::applyFile(const HistoryChange &change, bool undoing)
{
    const FileState &target = undoing ? change.before : change.after;
    const FileState now = FileState::of(change.path);
    if (now == target)
        return true;
    if (change.path == log_.catalogue() && now != (undoing ? change.after : change.before))
        return putKeys(change, undoing);
    std::optional<QByteArray> bytes;
    if (target.exists) {
        bytes = undoing ? log_.bytesBefore(change) : log_.bytesAfter(change);
        if (!bytes || FileState::ofBytes(*bytes) != target)
            return false;
    }
    return putFile(change.path, bytes);
}

// Why the step cannot be taken back (or done again) over what is on disk now; empty when it can.
QString HistoryPlayer::mismatch(const HistoryStep &step, bool undoing) const
{
    const QString &catalogue = log_.catalogue();
    const auto refuse = [&](const QString &path, const QString &why) {
        return QStringLiteral("Kan ikke %1 »%2«: %3 %4. Intet er ændret.")
            .arg(verb(undoing), step.caption(), StepSummary::shownPath(path, catalogue), why);
    };
    const QString changedOutside = QStringLiteral("er ændret uden for editoren");
    for (const HistoryChange &change : step.changes) {
        switch (change.kind) {
        case HistoryChange::Kind::File:
            if (FileState::of(change.path) != (undoing ? change.after : change.before)) {
                if (change.path != catalogue)
                    return refuse(change.path, changedOutside);
                if (const QString why = keyConflict(change, undoing); !why.isEmpty())
                    return QStringLiteral("Kan ikke %1 »%2«: %3. Intet er ændret.")
                        .arg(verb(undoing), step.caption(), why);
            }
            if (!AtomicFile::canReplace(change.path))
                return refuse(change.path, QStringLiteral("er skrivebeskyttet"));
            break;
        case HistoryChange::Kind::CreateFolder:
            if (undoing && !isEmptyFolder(change.path))
                return refuse(change.path, isFolder(change.path) ? QStringLiteral("er ikke tom") : changedOutside);
            if (!undoing && QFileInfo::exists(change.path))
                return refuse(change.path, changedOutside);
            break;
        case HistoryChange::Kind::RenameFolder: {
            const QString &from = undoing ? change.newPath : change.path;
            const QString &to = undoing ? change.path : change.newPath;
            if (!isFolder(from) || QFileInfo::exists(to))
                return refuse(from, changedOutside);
            break;
        }
        }
    }
    return {};
}

// The keys the step changed in the catalogue, from the bytes kept before and after it; nothing
// when those are not both known (a step recorded before they were kept).
std::optional<std::vector<KeyChange>> HistoryPlayer::keyChanges(const HistoryChange &change) const
{
    const std::optional<QByteArray> before = change.before.exists ? log_.bytesBefore(change) : QByteArray();
    const std::optional<QByteArray> after = change.after.exists ? log_.bytesAfter(change) : QByteArray();
    if (!before || !after || FileState::ofBytes(*after) != change.after ||
        (change.before.exists && FileState::ofBytes(*before) != change.before))
        return std::nullopt;
    return ProfileChanges::between(ProfileText(*before), ProfileText(*after));
}

// Why the step's own keys cannot be put back over the catalogue as it is now: the first key that
// was changed since, with its value now. Empty when every key still holds what the step left.
QString HistoryPlayer::keyConflict(const HistoryChange &change, bool undoing) const
{
    const QString &catalogue = log_.catalogue();
    const std::optional<std::vector<KeyChange>> changes = keyChanges(change);
    if (!changes)
        return StepSummary::shownPath(catalogue, catalogue) + QStringLiteral(" er ændret uden for editoren");
    QByteArray now;
    FileState::of(catalogue, &now);
    const std::optional<KeyChange> conflict = ProfileChanges::firstConflict(*changes, ProfileText(now), undoing);
    if (!conflict)
        return {};
    const std::optional<QByteArrayView> value = ProfileText(now).value(conflict->section, conflict->key);
    return QStringLiteral("%1 i %2 er ændret uden for editoren (nu %3)")
        .arg(Windows1252::decode(conflict->key), shownSection(Windows1252::decode(conflict->section)),
             value ? QStringLiteral("»%1«").arg(Windows1252::decode(value->toByteArray())) : QStringLiteral("slettet"));
}

// Only the step's own keys are written, from the file as it is at that moment.
bool HistoryPlayer::putKeys(const HistoryChange &change, bool undoing)
{
    const std::optional<std::vector<KeyChange>> changes = keyChanges(change);
    if (!changes)
        return false;
    const FolderWriteLock lock(log_.catalogue());
    QByteArray now;
    FileState::of(log_.catalogue(), &now);
    // Already there (an undo that a stop interrupted after its write), or changed since.
    if (!ProfileChanges::firstConflict(*changes, ProfileText(now), !undoing))
        return true;
    if (ProfileChanges::firstConflict(*changes, ProfileText(now), undoing))
        return false;
    const std::optional<QByteArray> edited = ProfileChanges::applied(*changes, ProfileText(now), undoing);
    return !edited || AtomicFile::replace(log_.catalogue(), *edited);
}

// Only what lies in the catalogue's tree, reached without a link at its end, is put back: a link
// made since is not written through, and a tree moved since is not followed out of it.
bool HistoryPlayer::mayChange(const QString &localPath) const
{
    return CatalogueTree::placeOf(localPath, QFileInfo(log_.catalogue()).absolutePath()) ==
        CatalogueTree::Place::Inside;
}

bool HistoryPlayer::putFile(const QString &localPath, const std::optional<QByteArray> &bytes)
{
    if (!mayChange(localPath))
        return false;
    if (bytes)
        return AtomicFile::replace(localPath, *bytes);
    // A file the history takes away goes to the trash, the way the user deletes one.
    return HomeTrash::moveFile(localPath, QFileInfo(log_.catalogue()).absolutePath()) || QFile::remove(localPath);
}
