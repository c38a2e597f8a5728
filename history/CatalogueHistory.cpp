#include "history/CatalogueHistory.h"

#include "catalogue/Catalogue.h"
#include "catalogue/ProfileChanges.h"
#include "catalogue/ProfileText.h"
#include "files/AtomicFile.h"
#include "files/Diagnostics.h"
#include "files/FolderWriteLock.h"
#include "files/HomeTrash.h"
#include "files/UserFolders.h"
#include "files/Windows1252.h"
#include "history/StepSummary.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QSet>

#include <algorithm>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

const QString typeKey = QStringLiteral("t");
const QString numberKey = QStringLiteral("n");

QJsonObject stateJson(const FileState &state)
{
    QJsonObject json{{QStringLiteral("exists"), state.exists}};
    if (state.exists)
        json.insert(QStringLiteral("sha"), QString::fromLatin1(state.sha));
    return json;
}

void insertAll(QJsonObject &into, const QJsonObject &from)
{
    for (auto field = from.begin(); field != from.end(); ++field)
        into.insert(field.key(), field.value());
}

FileState stateFrom(const QJsonObject &json)
{
    return {json.value(QStringLiteral("exists")).toBool(), json.value(QStringLiteral("sha")).toString().toLatin1()};
}

QJsonObject journalRecord(const char *type, qint64 number)
{
    return {{typeKey, QLatin1String(type)}, {numberKey, double(number)}};
}

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

CatalogueHistory::CatalogueHistory(const QString &catalogueLocalPath, const QString &historyFolder, Limits limits)
    : catalogue_(QFileInfo(catalogueLocalPath).absoluteFilePath())
    , journal_(historyFolder.isEmpty() ? QString() : historyFolder + QStringLiteral("/journal"))
    , limits_(limits)
    , enabled_(!historyFolder.isEmpty())
{
    if (!enabled_)
        return;
    // One editor at a time keeps a catalogue's history: a second one on the same catalogue would
    // number its steps over the first one's. The lock goes with the process, however it ends.
    QDir().mkpath(historyFolder);
    lock_ = ::open(QFile::encodeName(historyFolder + QStringLiteral("/lock")).constData(), O_RDWR | O_CREAT | O_CLOEXEC,
                   0600);
    if (lock_ < 0) {
        fail(QStringLiteral("skrivefejl"));
        return;
    }
    if (::flock(lock_, LOCK_EX | LOCK_NB) != 0) {
        enabled_ = false;
        keptByAnotherEditor_ = true;
        return;
    }
    // Which catalogue a history folder belongs to, for whoever looks into the state folder.
    const QString nameFile = historyFolder + QStringLiteral("/catalogue");
    if (!QFileInfo::exists(nameFile)) {
        QFile name(nameFile);
        if (name.open(QIODevice::WriteOnly))
            name.write(QFile::encodeName(catalogue_) + '\n');
    }
    replay(journal_.readAll());
    recover();
    enforceLimits();
}

CatalogueHistory::~CatalogueHistory()
{
    listening_.reset();
    if (enabled_ && openStep())
        close();
    if (lock_ >= 0)
        ::close(lock_);
}

QString CatalogueHistory::folderFor(const QString &catalogueLocalPath)
{
    return UserFolders::forCatalogue(UserFolders::state(), QStringLiteral("history"), catalogueLocalPath);
}

HistoryStep *CatalogueHistory::find(qint64 number)
{
    for (auto step = steps_.rbegin(); step != steps_.rend(); ++step) {
        if (step->number == number)
            return &*step;
    }
    return nullptr;
}

HistoryStep *CatalogueHistory::openStep()
{
    if (!steps_.empty() && steps_.back().state == HistoryStep::State::Open)
        return &steps_.back();
    return nullptr;
}

const HistoryStep *CatalogueHistory::nextUndo() const
{
    if (!enabled_)
        return nullptr;
    for (auto step = steps_.rbegin(); step != steps_.rend(); ++step) {
        if (step->state == HistoryStep::State::Done || step->state == HistoryStep::State::Open)
            return &*step;
    }
    return nullptr;
}

const HistoryStep *CatalogueHistory::nextRedo() const
{
    if (!enabled_)
        return nullptr;
    const HistoryStep *oldestUndone = nullptr;
    for (auto step = steps_.rbegin(); step != steps_.rend() && step->state == HistoryStep::State::Undone; ++step)
        oldestUndone = &*step;
    return oldestUndone;
}

QString CatalogueHistory::takeFailure() { return std::exchange(failure_, QString()); }

void CatalogueHistory::fail(const QString &what)
{
    qCInfo(zcdDiagnostics) << "history stopped:" << what << journal_.path();
    enabled_ = false;
    listening_.reset();
    failure_ = QStringLiteral(
                   "Historikken kan ikke gemmes i %1 (%2). De \u00E6ndringer, du laver herefter, kan ikke fortrydes.")
                   .arg(QDir::toNativeSeparators(QFileInfo(journal_.path()).absolutePath()), what);
}

void CatalogueHistory::begin(const Action &action)
{
    if (!enabled_)
        return;
    const HistoryStep *open = openStep();
    if (open && (action.mergeKey.isEmpty() || action.mergeKey != open->mergeKey))
        close();
    action_ = action;
    listening_.emplace(this);
}

void CatalogueHistory::end()
{
    listening_.reset();
    action_.reset();
    HistoryStep *open = openStep();
    if (!open)
        return;
    if (open->mergeKey.isEmpty()) {
        close();
        return;
    }
    // The step stays open for the next keystroke; the summary tells what it has changed so far.
    // Only its bytes are needed here: no hash at every keystroke.
    QFile catalogue(catalogue_);
    const QByteArray catalogueNow = catalogue.open(QIODevice::ReadOnly) ? catalogue.readAll() : QByteArray();
    open->summary = StepSummary::describe(*open, catalogue_, catalogueBefore_, catalogueNow);
}

void CatalogueHistory::endMerging()
{
    if (!action_ && openStep())
        close();
}

bool CatalogueHistory::startStep()
{
    if (openStep())
        return true;
    HistoryStep step;
    step.number = nextNumber_++;
    step.time = QDateTime::currentDateTimeUtc();
    step.item = action_->item;
    step.title = action_->title;
    step.action = action_->name;
    step.mergeKey = action_->mergeKey;
    QJsonObject header = journalRecord("step", step.number);
    header.insert(QStringLiteral("time"), step.time.toString(Qt::ISODate));
    header.insert(QStringLiteral("item"), step.item);
    header.insert(QStringLiteral("title"), step.title);
    header.insert(QStringLiteral("action"), step.action);
    // Made durable together with the first change, which follows at once.
    if (journal_.append(header) < 0) {
        fail(QStringLiteral("skrivefejl"));
        return false;
    }
    catalogueBefore_.clear();
    steps_.push_back(std::move(step));
    ++journalSteps_;
    return true;
}

void CatalogueHistory::record(HistoryChange change, const QByteArray &beforeBytes)
{
    QJsonObject header;
    switch (change.kind) {
    case HistoryChange::Kind::File:
        header = journalRecord("file", steps_.back().number);
        header.insert(QStringLiteral("path"), change.path);
        insertAll(header, stateJson(change.before));
        break;
    case HistoryChange::Kind::CreateFolder:
        header = journalRecord("mkdir", steps_.back().number);
        header.insert(QStringLiteral("path"), change.path);
        break;
    case HistoryChange::Kind::RenameFolder:
        header = journalRecord("rename", steps_.back().number);
        header.insert(QStringLiteral("path"), change.path);
        header.insert(QStringLiteral("to"), change.newPath);
        break;
    }
    // Write-ahead: the change is made only once what it replaces is on the disk.
    const qint64 offset = journal_.append(header, beforeBytes, true);
    if (offset < 0) {
        fail(QStringLiteral("skrivefejl"));
        return;
    }
    change.beforeOffset = beforeBytes.isEmpty() ? -1 : offset;
    change.beforeSize = beforeBytes.size();
    steps_.back().changes.push_back(std::move(change));
}

void CatalogueHistory::aboutToChangeFile(const QString &localPath)
{
    if (!enabled_ || !action_)
        return;
    const QString path = QFileInfo(localPath).absoluteFilePath();
    if (const HistoryStep *open = openStep()) {
        for (const HistoryChange &change : open->changes) {
            if (change.kind == HistoryChange::Kind::File && change.path == path)
                return;
        }
    }
    if (!startStep())
        return;
    QByteArray bytes;
    HistoryChange change;
    change.path = path;
    change.before = FileState::of(path, &bytes);
    if (path == catalogue_)
        catalogueBefore_ = bytes;
    record(std::move(change), bytes);
}

void CatalogueHistory::aboutToCreateFolder(const QString &localPath)
{
    if (!enabled_ || !action_ || !startStep())
        return;
    HistoryChange change;
    change.kind = HistoryChange::Kind::CreateFolder;
    change.path = QFileInfo(localPath).absoluteFilePath();
    record(std::move(change), QByteArray());
}

void CatalogueHistory::aboutToRenameFolder(const QString &fromLocalPath, const QString &toLocalPath)
{
    if (!enabled_ || !action_ || !startStep())
        return;
    HistoryChange change;
    change.kind = HistoryChange::Kind::RenameFolder;
    change.path = QFileInfo(fromLocalPath).absoluteFilePath();
    change.newPath = QFileInfo(toLocalPath).absoluteFilePath();
    record(std::move(change), QByteArray());
}

// What the step left on disk is what it did: a change that did not happen (a failed write, a
// folder that could not be made) is no part of it, and a step that changed nothing is dropped.
void CatalogueHistory::close()
{
    HistoryStep &step = steps_.back();
    std::vector<HistoryChange> kept;
    QByteArray catalogueAfter;
    for (HistoryChange &change : step.changes) {
        switch (change.kind) {
        case HistoryChange::Kind::File:
            change.after = FileState::of(change.path, change.path == catalogue_ ? &catalogueAfter : nullptr);
            if (change.after != change.before)
                kept.push_back(change);
            break;
        case HistoryChange::Kind::CreateFolder:
            if (isFolder(change.path))
                kept.push_back(change);
            break;
        case HistoryChange::Kind::RenameFolder:
            if (isFolder(change.newPath) && !QFileInfo::exists(change.path))
                kept.push_back(change);
            break;
        }
    }
    if (catalogueBefore_.isEmpty()) {
        for (const HistoryChange &change : kept) {
            if (change.path == catalogue_)
                catalogueBefore_ = bytesBefore(change).value_or(QByteArray());
        }
    }
    QJsonArray changes;
    for (qsizetype index = 0; index < qsizetype(step.changes.size()); ++index) {
        const HistoryChange &change = step.changes[index];
        const bool keeps = std::any_of(kept.begin(), kept.end(), [&](const HistoryChange &k) {
            return k.kind == change.kind && k.path == change.path && k.newPath == change.newPath;
        });
        if (!keeps)
            continue;
        QJsonObject entry = change.kind == HistoryChange::Kind::File ? stateJson(change.after) : QJsonObject();
        entry.insert(QStringLiteral("i"), double(index));
        changes.append(entry);
    }
    step.changes = std::move(kept);
    step.summary = StepSummary::describe(step, catalogue_, catalogueBefore_, catalogueAfter);
    keepCatalogueAfter(step, catalogueAfter);
    step.mergeKey.clear();
    catalogueBefore_.clear();
    QJsonObject header = journalRecord("close", step.number);
    header.insert(QStringLiteral("summary"), step.summary);
    header.insert(QStringLiteral("changes"), changes);
    // Not made durable: after a crash the next start finds the step open and reads what it left
    // from the files themselves, which gives the same.
    if (journal_.append(header) < 0)
        fail(QStringLiteral("skrivefejl"));
    if (step.changes.empty()) {
        steps_.pop_back();
        return;
    }
    step.state = HistoryStep::State::Done;
    // A new change after an undo leaves nothing to redo.
    steps_.erase(std::remove_if(steps_.begin(), steps_.end(),
                                [](const HistoryStep &s) { return s.state == HistoryStep::State::Undone; }),
                 steps_.end());
    enforceLimits();
}

void CatalogueHistory::replay(const std::vector<HistoryJournal::Record> &records)
{
    steps_.clear();
    for (const HistoryJournal::Record &entry : records) {
        const QJsonObject &header = entry.header;
        const QString type = header.value(typeKey).toString();
        const qint64 number = qint64(header.value(numberKey).toDouble());
        nextNumber_ = std::max(nextNumber_, number + 1);
        if (type == QLatin1String("step")) {
            HistoryStep step;
            step.number = number;
            step.time = QDateTime::fromString(header.value(QStringLiteral("time")).toString(), Qt::ISODate);
            step.item = header.value(QStringLiteral("item")).toInt();
            step.title = header.value(QStringLiteral("title")).toString();
            step.action = header.value(QStringLiteral("action")).toString();
            steps_.push_back(std::move(step));
            continue;
        }
        HistoryStep *step = find(number);
        if (!step)
            continue;
        if (type == QLatin1String("file") || type == QLatin1String("mkdir") || type == QLatin1String("rename")) {
            HistoryChange change;
            change.kind = type == QLatin1String("file") ? HistoryChange::Kind::File
                : type == QLatin1String("mkdir")        ? HistoryChange::Kind::CreateFolder
                                                        : HistoryChange::Kind::RenameFolder;
            change.path = header.value(QStringLiteral("path")).toString();
            change.newPath = header.value(QStringLiteral("to")).toString();
            change.before = stateFrom(header);
            change.beforeOffset = entry.dataOffset;
            change.beforeSize = entry.dataSize;
            step->changes.push_back(std::move(change));
        } else if (type == QLatin1String("close")) {
            std::vector<HistoryChange> kept;
            for (const QJsonValue value : header.value(QStringLiteral("changes")).toArray()) {
                const QJsonObject json = value.toObject();
                const qsizetype index = json.value(QStringLiteral("i")).toInt(-1);
                if (index < 0 || index >= qsizetype(step->changes.size()))
                    continue;
                HistoryChange change = step->changes[index];
                change.after = stateFrom(json);
                kept.push_back(std::move(change));
            }
            step->changes = std::move(kept);
            step->summary = header.value(QStringLiteral("summary")).toString();
            step->state = HistoryStep::State::Done;
            if (step->changes.empty()) {
                steps_.erase(steps_.begin() + (step - steps_.data()));
                continue;
            }
            const qint64 closed = step->number;
            steps_.erase(std::remove_if(steps_.begin(), steps_.end(),
                                        [closed](const HistoryStep &s) {
                                            return s.number != closed && s.state == HistoryStep::State::Undone;
                                        }),
                         steps_.end());
        } else if (type == QLatin1String("after")) {
            const qsizetype index = header.value(QStringLiteral("i")).toInt(-1);
            if (index >= 0 && index < qsizetype(step->changes.size())) {
                step->changes[index].afterOffset = entry.dataOffset;
                step->changes[index].afterSize = entry.dataSize;
            }
        } else if (type == QLatin1String("undo")) {
            step->state = HistoryStep::State::Undoing;
        } else if (type == QLatin1String("undone")) {
            step->state = HistoryStep::State::Undone;
        } else if (type == QLatin1String("redo")) {
            step->state = HistoryStep::State::Redoing;
        } else if (type == QLatin1String("redone") || type == QLatin1String("kept")) {
            step->state = HistoryStep::State::Done;
        }
    }
    journalSteps_ = qsizetype(steps_.size());
}

// A crash left at most one thing unfinished: the step being recorded, whose files hold what it
// managed to do, or an undo or redo, which is carried through to its end.
void CatalogueHistory::recover()
{
    if (openStep()) {
        qCInfo(zcdDiagnostics) << "history: finishing step" << steps_.back().number << "that a stop interrupted";
        close();
    }
    for (HistoryStep &step : steps_) {
        if (step.state == HistoryStep::State::Undoing || step.state == HistoryStep::State::Redoing)
            finish(step);
    }
}

void CatalogueHistory::finish(HistoryStep &step)
{
    const bool undoing = step.state == HistoryStep::State::Undoing;
    apply(step, undoing);
    writeState(step, undoing ? "undone" : "redone", false);
    step.state = undoing ? HistoryStep::State::Undone : HistoryStep::State::Done;
}

bool CatalogueHistory::writeState(const HistoryStep &step, const char *type, bool durable)
{
    if (journal_.append(journalRecord(type, step.number), QByteArray(), durable) >= 0)
        return true;
    fail(QStringLiteral("skrivefejl"));
    return false;
}

std::optional<QByteArray> CatalogueHistory::bytesBefore(const HistoryChange &change) const
{
    if (change.beforeSize == 0)
        return QByteArray();
    return journal_.data(change.beforeOffset, change.beforeSize);
}

std::optional<QByteArray> CatalogueHistory::bytesAfter(const HistoryChange &change) const
{
    if (change.afterSize == 0)
        return QByteArray();
    return journal_.data(change.afterOffset, change.afterSize);
}

// Why the step cannot be taken back (or done again) over what is on disk now; empty when it can.
QString CatalogueHistory::mismatch(const HistoryStep &step, bool undoing) const
{
    const auto refuse = [&](const QString &path, const QString &why) {
        return QStringLiteral("Kan ikke %1 \u00BB%2\u00AB: %3 %4. Intet er \u00E6ndret.")
            .arg(verb(undoing), step.caption(), StepSummary::shownPath(path, catalogue_), why);
    };
    const QString changedOutside = QStringLiteral("er \u00E6ndret uden for editoren");
    for (const HistoryChange &change : step.changes) {
        switch (change.kind) {
        case HistoryChange::Kind::File:
            if (FileState::of(change.path) != (undoing ? change.after : change.before)) {
                if (change.path != catalogue_)
                    return refuse(change.path, changedOutside);
                if (const QString why = keyConflict(change, undoing); !why.isEmpty())
                    return QStringLiteral("Kan ikke %1 \u00BB%2\u00AB: %3. Intet er \u00E6ndret.")
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

// The catalogue's bytes after a step are kept with it, so that the step can be taken back key by
// key once someone else has changed other keys of the file.
void CatalogueHistory::keepCatalogueAfter(HistoryStep &step, const QByteArray &catalogueAfter)
{
    for (qsizetype index = 0; index < qsizetype(step.changes.size()); ++index) {
        HistoryChange &change = step.changes[index];
        if (change.kind != HistoryChange::Kind::File || change.path != catalogue_ || !change.after.exists ||
            FileState::ofBytes(catalogueAfter) != change.after)
            continue;
        QJsonObject header = journalRecord("after", step.number);
        header.insert(QStringLiteral("i"), double(index));
        const qint64 offset = journal_.append(header, catalogueAfter);
        if (offset < 0) {
            fail(QStringLiteral("skrivefejl"));
            return;
        }
        change.afterOffset = catalogueAfter.isEmpty() ? -1 : offset;
        change.afterSize = catalogueAfter.size();
    }
}

// The keys the step changed in the catalogue, from the bytes kept before and after it; nothing
// when those are not both known (a step recorded before they were kept).
std::optional<std::vector<KeyChange>> CatalogueHistory::keyChanges(const HistoryChange &change) const
{
    const std::optional<QByteArray> before = change.before.exists ? bytesBefore(change) : QByteArray();
    const std::optional<QByteArray> after = change.after.exists ? bytesAfter(change) : QByteArray();
    if (!before || !after || FileState::ofBytes(*after) != change.after ||
        (change.before.exists && FileState::ofBytes(*before) != change.before))
        return std::nullopt;
    return ProfileChanges::between(ProfileText(*before), ProfileText(*after));
}

// Why the step's own keys cannot be put back over the catalogue as it is now: the first key that
// was changed since, with its value now. Empty when every key still holds what the step left.
QString CatalogueHistory::keyConflict(const HistoryChange &change, bool undoing) const
{
    const std::optional<std::vector<KeyChange>> changes = keyChanges(change);
    if (!changes)
        return StepSummary::shownPath(catalogue_, catalogue_) + QStringLiteral(" er \u00E6ndret uden for editoren");
    QByteArray now;
    FileState::of(catalogue_, &now);
    const std::optional<KeyChange> conflict = ProfileChanges::firstConflict(*changes, ProfileText(now), undoing);
    if (!conflict)
        return {};
    const std::optional<QByteArrayView> value = ProfileText(now).value(conflict->section, conflict->key);
    return QStringLiteral("%1 i %2 er \u00E6ndret uden for editoren (nu %3)")
        .arg(Windows1252::decode(conflict->key), shownSection(Windows1252::decode(conflict->section)),
             value ? QStringLiteral("\u00BB%1\u00AB").arg(Windows1252::decode(value->toByteArray()))
                   : QStringLiteral("slettet"));
}

// Only the step's own keys are written, from the file as it is at that moment.
bool CatalogueHistory::putKeys(const HistoryChange &change, bool undoing)
{
    const std::optional<std::vector<KeyChange>> changes = keyChanges(change);
    if (!changes)
        return false;
    const FolderWriteLock lock(catalogue_);
    QByteArray now;
    FileState::of(catalogue_, &now);
    // Already there (an undo that a stop interrupted after its write), or changed since.
    if (!ProfileChanges::firstConflict(*changes, ProfileText(now), !undoing))
        return true;
    if (ProfileChanges::firstConflict(*changes, ProfileText(now), undoing))
        return false;
    const std::optional<QByteArray> edited = ProfileChanges::applied(*changes, ProfileText(now), undoing);
    return !edited || AtomicFile::replace(catalogue_, *edited);
}

QString CatalogueHistory::refusalOfUndo(const HistoryStep &step) const
{
    return step.state == HistoryStep::State::Done ? mismatch(step, true) : QString();
}

bool CatalogueHistory::putFile(const QString &localPath, const std::optional<QByteArray> &bytes)
{
    if (bytes)
        return AtomicFile::replace(localPath, *bytes);
    // A file the history takes away goes to the trash, the way the user deletes one.
    return HomeTrash::moveFile(localPath, QFileInfo(catalogue_).absolutePath()) || QFile::remove(localPath);
}

// Puts every change's other side in place, skipping what is there already, so that an undo or
// redo cut short by a crash can be carried through at the next start.
bool CatalogueHistory::apply(const HistoryStep &step, bool undoing)
{
    const FileChanges::Listening unrecorded(nullptr);
    const auto change = [&](qsizetype index) -> const HistoryChange & {
        return step.changes[undoing ? step.changes.size() - 1 - index : index];
    };
    for (qsizetype index = 0; index < qsizetype(step.changes.size()); ++index) {
        const HistoryChange &next = change(index);
        switch (next.kind) {
        case HistoryChange::Kind::File: {
            const FileState &target = undoing ? next.before : next.after;
            const FileState now = FileState::of(next.path);
            if (now == target)
                break;
            if (next.path == catalogue_ && now != (undoing ? next.after : next.before)) {
                if (!putKeys(next, undoing))
                    return false;
                break;
            }
            std::optional<QByteArray> bytes;
            if (target.exists) {
                bytes = undoing ? bytesBefore(next) : bytesAfter(next);
                if (!bytes || FileState::ofBytes(*bytes) != target)
                    return false;
            }
            if (!putFile(next.path, bytes))
                return false;
            break;
        }
        case HistoryChange::Kind::CreateFolder:
            if (undoing && isFolder(next.path) && !QDir().rmdir(next.path))
                return false;
            if (!undoing && !isFolder(next.path) && !QDir().mkdir(next.path))
                return false;
            break;
        case HistoryChange::Kind::RenameFolder: {
            const QString &from = undoing ? next.newPath : next.path;
            const QString &to = undoing ? next.path : next.newPath;
            if (isFolder(from) && !QFileInfo::exists(to) && !QDir().rename(from, to))
                return false;
            break;
        }
        }
    }
    return true;
}

CatalogueHistory::Outcome CatalogueHistory::undo()
{
    // A step still being typed is complete once it is taken back.
    if (openStep())
        close();
    HistoryStep *step = const_cast<HistoryStep *>(nextUndo());
    if (!step)
        return {};
    if (const QString why = mismatch(*step, true); !why.isEmpty())
        return {false, why, step->item};
    // The redo needs what the step left; it is kept before anything is taken back.
    for (qsizetype index = 0; index < qsizetype(step->changes.size()); ++index) {
        HistoryChange &change = step->changes[index];
        if (change.kind != HistoryChange::Kind::File || !change.after.exists || change.afterOffset >= 0)
            continue;
        QByteArray bytes;
        if (FileState::of(change.path, &bytes) != change.after)
            return {false, mismatch(*step, true), step->item};
        QJsonObject header = journalRecord("after", step->number);
        header.insert(QStringLiteral("i"), double(index));
        const qint64 offset = journal_.append(header, bytes);
        if (offset < 0) {
            fail(QStringLiteral("skrivefejl"));
            return {};
        }
        change.afterOffset = bytes.isEmpty() ? -1 : offset;
        change.afterSize = bytes.size();
    }
    return carryOut(*step, true);
}

CatalogueHistory::Outcome CatalogueHistory::redo()
{
    HistoryStep *step = const_cast<HistoryStep *>(nextRedo());
    if (!step)
        return {};
    if (const QString why = mismatch(*step, false); !why.isEmpty())
        return {false, why, step->item};
    return carryOut(*step, false);
}

// Marked as under way on the disk first, so that a crash is carried through at the next start; a
// change that cannot be made puts back what was already changed.
CatalogueHistory::Outcome CatalogueHistory::carryOut(HistoryStep &step, bool undoing)
{
    const HistoryStep::State before = undoing ? HistoryStep::State::Done : HistoryStep::State::Undone;
    if (!writeState(step, undoing ? "undo" : "redo", true))
        return {};
    step.state = undoing ? HistoryStep::State::Undoing : HistoryStep::State::Redoing;
    if (!apply(step, undoing)) {
        apply(step, !undoing);
        writeState(step, undoing ? "kept" : "undone", false);
        step.state = before;
        return {false,
                QStringLiteral("Kan ikke %1 \u00BB%2\u00AB: filerne kan ikke skrives. Intet er \u00E6ndret.")
                    .arg(verb(undoing), step.caption()),
                step.item};
    }
    writeState(step, undoing ? "undone" : "redone", false);
    step.state = undoing ? HistoryStep::State::Undone : HistoryStep::State::Done;
    return {true, QString(), step.item};
}

// Nothing when no step from stepNumber on changed the file; otherwise what it held before the
// first of them (nothing inside when it was not there).
std::optional<std::optional<QByteArray>> CatalogueHistory::stateBefore(qint64 stepNumber,
                                                                       const QString &localPath) const
{
    for (const HistoryStep &step : steps_) {
        if (step.number < stepNumber || step.state != HistoryStep::State::Done)
            continue;
        for (const HistoryChange &change : step.changes) {
            if (change.kind != HistoryChange::Kind::File || change.path != localPath)
                continue;
            if (!change.before.exists)
                return std::optional<QByteArray>();
            return bytesBefore(change);
        }
    }
    return std::nullopt;
}

CatalogueHistory::Outcome CatalogueHistory::restoreItemBefore(qint64 stepNumber)
{
    const HistoryStep *chosen = find(stepNumber);
    if (!chosen || !enabled_)
        return {};
    const int item = chosen->item;
    const auto cannotWrite = [&](const QString &path) {
        return Outcome{false,
                       QStringLiteral("Kan ikke gendanne punkt %1: %2 kan ikke skrives.")
                           .arg(item)
                           .arg(StepSummary::shownPath(path, catalogue_)),
                       item};
    };
    int restoredItem = item;
    if (const auto catalogueThen = stateBefore(stepNumber, catalogue_)) {
        const FolderWriteLock lock(catalogue_);
        QByteArray now;
        FileState::of(catalogue_, &now);
        const ProfileText then(catalogueThen->value_or(QByteArray()));
        restoredItem = whereItemLivesNow(then, ProfileText(now), item);
        const std::optional<QByteArray> restored = ProfileText(now).withSectionFrom(
            then, Catalogue::SectionName(item).toLatin1(), Catalogue::SectionName(restoredItem).toLatin1());
        if (restored && !AtomicFile::replace(catalogue_, *restored))
            return cannotWrite(catalogue_);
    }
    QSet<QString> files;
    for (const HistoryStep &step : steps_) {
        if (step.number < stepNumber || step.state != HistoryStep::State::Done || step.item != item)
            continue;
        for (const HistoryChange &change : step.changes) {
            if (change.kind == HistoryChange::Kind::File && change.path != catalogue_)
                files.insert(change.path);
        }
    }
    for (const QString &path : files) {
        const auto then = stateBefore(stepNumber, path);
        if (!then || FileState::of(path) == (*then ? FileState::ofBytes(**then) : FileState()))
            continue;
        if (*then ? !AtomicFile::replace(path, **then)
                  : !HomeTrash::moveFile(path, QFileInfo(catalogue_).absolutePath()))
            return cannotWrite(path);
    }
    return {true, QString(), restoredItem};
}

// An item moved since (Op, Ned, Flyt) is found by its folder, which a move keeps: it is restored
// where it lives now, not beside itself under its old number.
int CatalogueHistory::whereItemLivesNow(const ProfileText &then, const ProfileText &now, int item)
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

// The oldest steps go first, down to nine tenths of either limit, so that the journal is not
// rewritten at every step once it is full.
// The history holds the newest steps up to the limit, one by one. The journal behind it is
// rewritten only when it holds a tenth more steps than that, or is over its size: rewriting it at
// every step would copy up to the whole history each time.
void CatalogueHistory::enforceLimits()
{
    if (enabled_ && (journalSteps_ > limits_.steps + limits_.steps / 10 || journal_.size() > limits_.bytes))
        compactJournal();
    if (qsizetype(steps_.size()) > limits_.steps)
        steps_.erase(steps_.begin(), steps_.end() - limits_.steps);
}

void CatalogueHistory::compactJournal()
{
    const auto stepSize = [](const HistoryStep &step) {
        qint64 bytes = 512;
        for (const HistoryChange &change : step.changes)
            bytes += change.beforeSize + change.afterSize + 256;
        return bytes;
    };
    qint64 kept = 0;
    qsizetype first = qsizetype(steps_.size());
    // The newest step is always kept, however large.
    while (first > 0 &&
           (kept == 0 ||
            (qsizetype(steps_.size()) - first < limits_.steps &&
             kept + stepSize(steps_[first - 1]) <= limits_.bytes * 9 / 10))) {
        kept += stepSize(steps_[first - 1]);
        --first;
    }
    std::vector<HistoryJournal::Record> records;
    for (qsizetype index = first; index < qsizetype(steps_.size()); ++index) {
        const HistoryStep &step = steps_[index];
        QJsonObject header = journalRecord("step", step.number);
        header.insert(QStringLiteral("time"), step.time.toString(Qt::ISODate));
        header.insert(QStringLiteral("item"), step.item);
        header.insert(QStringLiteral("title"), step.title);
        header.insert(QStringLiteral("action"), step.action);
        records.push_back({header});
        QJsonArray closed;
        for (qsizetype change = 0; change < qsizetype(step.changes.size()); ++change) {
            const HistoryChange &c = step.changes[change];
            const char *type = c.kind == HistoryChange::Kind::File ? "file"
                : c.kind == HistoryChange::Kind::CreateFolder      ? "mkdir"
                                                                   : "rename";
            QJsonObject entry = journalRecord(type, step.number);
            entry.insert(QStringLiteral("path"), c.path);
            if (c.kind == HistoryChange::Kind::RenameFolder)
                entry.insert(QStringLiteral("to"), c.newPath);
            QJsonObject after;
            if (c.kind == HistoryChange::Kind::File) {
                insertAll(entry, stateJson(c.before));
                after = stateJson(c.after);
            }
            after.insert(QStringLiteral("i"), double(change));
            closed.append(after);
            records.push_back({entry, c.beforeOffset, c.beforeSize});
        }
        QJsonObject close = journalRecord("close", step.number);
        close.insert(QStringLiteral("summary"), step.summary);
        close.insert(QStringLiteral("changes"), closed);
        records.push_back({close});
        for (qsizetype change = 0; change < qsizetype(step.changes.size()); ++change) {
            const HistoryChange &c = step.changes[change];
            if (c.afterOffset < 0)
                continue;
            QJsonObject after = journalRecord("after", step.number);
            after.insert(QStringLiteral("i"), double(change));
            records.push_back({after, c.afterOffset, c.afterSize});
        }
        if (step.state == HistoryStep::State::Undone) {
            records.push_back({journalRecord("undo", step.number)});
            records.push_back({journalRecord("undone", step.number)});
        }
    }
    qCInfo(zcdDiagnostics) << "history: keeping the newest" << records.size() << "records of" << journal_.path();
    if (!journal_.rewrite(records)) {
        fail(QStringLiteral("skrivefejl"));
        return;
    }
    replay(journal_.readAll());
}
