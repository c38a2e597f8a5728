#include "history/ItemRestore.h"

#include "catalogue/Catalogue.h"
#include "catalogue/ProfileText.h"
#include "files/AtomicFile.h"
#include "files/FolderWriteLock.h"
#include "files/HomeTrash.h"
#include "history/StepSummary.h"

#include <QFileInfo>
#include <QSet>

#include <algorithm>

ItemRestore::ItemRestore(const HistoryLog &log)
    : log_(log)
{
}

ItemRestore::Earlier ItemRestore::earlier(qint64 stepNumber, const QString &localPath) const
{
    for (const HistoryStep &step : log_.steps()) {
        if (step.number < stepNumber || step.state != HistoryStep::State::Done)
            continue;
        for (const HistoryChange &change : step.changes) {
            if (change.kind != HistoryChange::Kind::File || change.path != localPath)
                continue;
            if (!change.before.exists)
                return {Earlier::Kind::Missing, QByteArray()};
            // Bytes the journal cannot give back are never taken for a file that was not there.
            const std::optional<QByteArray> bytes = log_.bytesBefore(change);
            return bytes ? Earlier{Earlier::Kind::Held, *bytes} : Earlier{Earlier::Kind::Unreadable, QByteArray()};
        }
    }
    return {};
}

HistoryOutcome ItemRestore::before(qint64 stepNumber) const
{
    const auto chosen = std::find_if(log_.steps().begin(), log_.steps().end(),
                                     [&](const HistoryStep &step) { return step.number == stepNumber; });
    if (chosen == log_.steps().end() || !log_.enabled())
        return {};
    const QString &catalogue = log_.catalogue();
    const int item = chosen->item;
    const auto cannotWrite = [&](const QString &path) {
        return HistoryOutcome{false,
                              QStringLiteral("Kan ikke gendanne punkt %1: %2 kan ikke skrives.")
                                  .arg(item)
                                  .arg(StepSummary::shownPath(path, catalogue)),
                              item};
    };
    int restoredItem = item;
    if (const Earlier catalogueThen = earlier(stepNumber, catalogue); catalogueThen.kind != Earlier::Kind::Unchanged) {
        if (catalogueThen.kind == Earlier::Kind::Unreadable)
            return cannotWrite(catalogue);
        const FolderWriteLock lock(catalogue);
        QByteArray now;
        FileState::of(catalogue, &now);
        const ProfileText then(catalogueThen.bytes);
        restoredItem = whereItemLivesNow(then, ProfileText(now), item);
        const std::optional<QByteArray> restored = ProfileText(now).withSectionFrom(
            then, Catalogue::SectionName(item).toLatin1(), Catalogue::SectionName(restoredItem).toLatin1());
        if (restored && !AtomicFile::replace(catalogue, *restored))
            return cannotWrite(catalogue);
    }
    QSet<QString> files;
    for (const HistoryStep &step : log_.steps()) {
        if (step.number < stepNumber || step.state != HistoryStep::State::Done || step.item != item)
            continue;
        for (const HistoryChange &change : step.changes) {
            if (change.kind == HistoryChange::Kind::File && change.path != catalogue)
                files.insert(change.path);
        }
    }
    for (const QString &path : files) {
        const Earlier then = earlier(stepNumber, path);
        if (then.kind == Earlier::Kind::Unchanged ||
            FileState::of(path) == (then.kind == Earlier::Kind::Held ? FileState::ofBytes(then.bytes) : FileState()))
            continue;
        const bool restored = then.kind == Earlier::Kind::Held ? AtomicFile::replace(path, then.bytes)
            : then.kind == Earlier::Kind::Missing ? HomeTrash::moveFile(path, QFileInfo(catalogue).absolutePath())
                                                  : false;
        if (!restored)
            return cannotWrite(path);
    }
    return {true, QString(), restoredItem};
}

// An item moved since (Op, Ned, Flyt) is found by its folder, which a move keeps: it is restored
// where it lives now, not beside itself under its old number.
int ItemRestore::whereItemLivesNow(const ProfileText &then, const ProfileText &now, int item)
{
    const QByteArray folderKey = QByteArrayLiteral("Folder");
    const std::optional<QByteArrayView> folder = then.value(Catalogue::SectionName(item).toLatin1(), folderKey);
    if (!folder || folder->isEmpty())
        return item;
    const auto sameFolder = [&](int number) {
        const std::optional<QByteArrayView> there = now.value(Catalogue::SectionName(number).toLatin1(), folderKey);
        return there && ProfileText::sameName(*there, *folder);
    };
    if (sameFolder(item))
        return item;
    for (int number = Catalogue::FirstItemNumber; number <= Catalogue::LastItemNumber; ++number) {
        if (sameFolder(number))
            return number;
    }
    return item;
}
