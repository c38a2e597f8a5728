#include "history/CatalogueHistory.h"

#include "catalogue/Catalogue.h"
#include "catalogue/ProfileChanges.h"
#include "catalogue/ProfileText.h"
#include "files/AtomicFile.h"
#include "files/CatalogueTree.h"
#include "files/Diagnostics.h"
#include "files/FolderWriteLock.h"
#include "files/HomeTrash.h"
#include "files/UserFolders.h"
#include "files/Windows1252.h"
#include "history/JournalNumbers.h"
#include "history/StepSummary.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QRegularExpression>
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

// A file's state as a record gives it; nothing when the record does not hold one whole: a missing
// "exists" must never read as "the file was not there", which an undo would carry out by
// deleting the file.
std::optional<FileState> stateFrom(const QJsonObject &json)
{
    const QJsonValue exists = json.value(QStringLiteral("exists"));
    if (!exists.isBool())
        return std::nullopt;
    if (!exists.toBool())
        return FileState{};
    const QByteArray sha = json.value(QStringLiteral("sha")).toString().toLatin1();
    static const QRegularExpression hex(QStringLiteral("^[0-9a-f]{64}$"));
    if (!hex.match(QString::fromLatin1(sha)).hasMatch())
        return std::nullopt;
    return FileState{true, sha};
}

// Step numbers and change indexes a journal may hold; beyond them it is damaged.
constexpr qint64 highestStepNumber = qint64(1) << 52;
constexpr qint64 highestChangeIndex = 1 << 20;

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
    std::optional<std::vector<HistoryJournal::Record>> records = journal_.readAll();
    if (!records) {
        fail(QStringLiteral("historikken er ingen almindelig fil"));
        return;
    }
    replay(*records);
    if (!damage_.records.empty())
        keepDamagedJournalAside();
    else if (!journal_.isVersioned() && !rewriteJournal(0))
        fail(QStringLiteral("skrivefejl"));
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

// Each record is taken only for what it can say: one that is damaged, or holds a value no record
// of this history could (a path outside the catalogue's tree, a number out of range, a file state
// not whole), is never read as something else; the step it belongs to is left out whole.
void CatalogueHistory::replay(const std::vector<HistoryJournal::Record> &records)
{
    steps_.clear();
    damage_ = {};
    lostSteps_.clear();
    std::optional<qint64> recording; // the step whose changes are being recorded
    for (const HistoryJournal::Record &entry : records) {
        const QJsonObject &header = entry.header;
        const QString type = header.value(typeKey).toString();
        const std::optional<qint64> number = entry.damaged && header.isEmpty()
            ? std::nullopt
            : JournalNumbers::integer(header.value(numberKey), 1, highestStepNumber);
        if (!number) {
            markDamaged(recording);
            continue;
        }
        nextNumber_ = std::max(nextNumber_, *number + 1);
        if (entry.damaged || !readRecord(type, *number, entry)) {
            damage_.steps.insert(*number);
            damage_.records.push_back(*number);
            continue;
        }
        if (type == QLatin1String("step"))
            recording = *number;
        else if (type == QLatin1String("close"))
            recording.reset();
    }
    steps_.erase(std::remove_if(steps_.begin(), steps_.end(),
                                [this](const HistoryStep &s) { return damage_.steps.contains(s.number); }),
                 steps_.end());
    journalSteps_ = qsizetype(steps_.size());
}

// A damaged record whose step cannot be read belongs to the step being recorded, or else to the
// undo or redo of the step next to be undone or redone, the only steps that records are added for.
void CatalogueHistory::markDamaged(const std::optional<qint64> &recording)
{
    damage_.records.push_back(recording.value_or(nextNumber_));
    if (recording) {
        damage_.steps.insert(*recording);
        return;
    }
    const HistoryStep *newestDone = nullptr;
    const HistoryStep *oldestUndone = nullptr;
    for (const HistoryStep &step : steps_) {
        if (step.state == HistoryStep::State::Undone) {
            if (!oldestUndone)
                oldestUndone = &step;
        } else {
            newestDone = &step;
        }
    }
    for (const HistoryStep *step : {newestDone, oldestUndone}) {
        if (step)
            damage_.steps.insert(step->number);
    }
}

bool CatalogueHistory::inTree(const QJsonValue &path) const
{
    const QString text = path.toString();
    return path.isString() && QFileInfo(text).isAbsolute() &&
        CatalogueTree::placeOf(text, QFileInfo(catalogue_).absolutePath()) != CatalogueTree::Place::Outside;
}

// Takes one whole record into the steps; false when it holds what no record of this history can.
bool CatalogueHistory::readRecord(const QString &type, qint64 number, const HistoryJournal::Record &entry)
{
    const QJsonObject &header = entry.header;
    if (type == QLatin1String("step")) {
        HistoryStep step;
        step.number = number;
        step.time = QDateTime::fromString(header.value(QStringLiteral("time")).toString(), Qt::ISODate);
        step.item = int(JournalNumbers::integer(header.value(QStringLiteral("item")), 0, 1000).value_or(0));
        step.title = header.value(QStringLiteral("title")).toString();
        step.action = header.value(QStringLiteral("action")).toString();
        steps_.push_back(std::move(step));
        return true;
    }
    // Steps a damaged journal lost stay known, so that a refusal can say why.
    if (type == QLatin1String("lost")) {
        lostSteps_.insert(number);
        return true;
    }
    // After damage, a record of a step not met is one of a step whose first record was damaged.
    HistoryStep *step = find(number);
    if (!step) {
        if (!damage_.records.empty())
            damage_.steps.insert(number);
        return true;
    }
    const auto changeIndex = [&](const QJsonObject &json) {
        return JournalNumbers::integer(json.value(QStringLiteral("i")), 0,
                                       std::min<qint64>(highestChangeIndex, qint64(step->changes.size()) - 1));
    };
    if (type == QLatin1String("file") || type == QLatin1String("mkdir") || type == QLatin1String("rename")) {
        HistoryChange change;
        change.kind = type == QLatin1String("file") ? HistoryChange::Kind::File
            : type == QLatin1String("mkdir")        ? HistoryChange::Kind::CreateFolder
                                                    : HistoryChange::Kind::RenameFolder;
        if (!inTree(header.value(QStringLiteral("path"))) ||
            (change.kind == HistoryChange::Kind::RenameFolder && !inTree(header.value(QStringLiteral("to")))))
            return false;
        change.path = header.value(QStringLiteral("path")).toString();
        change.newPath = header.value(QStringLiteral("to")).toString();
        if (change.kind == HistoryChange::Kind::File) {
            // The bytes kept must be the file's as it was: none for a file that was not there.
            const std::optional<FileState> before = stateFrom(header);
            if (!before || (!before->exists && entry.dataSize > 0) ||
                (before->exists && entry.dataSize == 0 && *before != FileState::ofBytes(QByteArray())))
                return false;
            change.before = *before;
        }
        change.beforeOffset = entry.dataOffset;
        change.beforeSize = entry.dataSize;
        step->changes.push_back(std::move(change));
    } else if (type == QLatin1String("close")) {
        std::vector<HistoryChange> kept;
        for (const QJsonValue value : header.value(QStringLiteral("changes")).toArray()) {
            const QJsonObject json = value.toObject();
            const std::optional<qint64> index = changeIndex(json);
            if (!index)
                return false;
            HistoryChange change = step->changes[*index];
            if (change.kind == HistoryChange::Kind::File) {
                const std::optional<FileState> after = stateFrom(json);
                if (!after)
                    return false;
                change.after = *after;
            }
            kept.push_back(std::move(change));
        }
        step->changes = std::move(kept);
        step->summary = header.value(QStringLiteral("summary")).toString();
        step->state = HistoryStep::State::Done;
        if (step->changes.empty()) {
            steps_.erase(steps_.begin() + (step - steps_.data()));
            return true;
        }
        const qint64 closed = step->number;
        steps_.erase(std::remove_if(steps_.begin(), steps_.end(),
                                    [closed](const HistoryStep &s) {
                                        return s.number != closed && s.state == HistoryStep::State::Undone;
                                    }),
                     steps_.end());
    } else if (type == QLatin1String("after")) {
        const std::optional<qint64> index = changeIndex(header);
        if (!index)
            return false;
        step->changes[*index].afterOffset = entry.dataOffset;
        step->changes[*index].afterSize = entry.dataSize;
    } else if (type == QLatin1String("undo")) {
        step->state = HistoryStep::State::Undoing;
    } else if (type == QLatin1String("undone")) {
        step->state = HistoryStep::State::Undone;
    } else if (type == QLatin1String("redo")) {
        step->state = HistoryStep::State::Redoing;
    } else if (type == QLatin1String("redone") || type == QLatin1String("kept")) {
        step->state = HistoryStep::State::Done;
    } else {
        return false;
    }
    return true;
}

// The damaged journal stays beside the history for whoever wants to look into it; the history
// goes on in a whole one holding what could be read, and the user is told once.
void CatalogueHistory::keepDamagedJournalAside()
{
    const QString aside = journal_.path() + QStringLiteral("-beskadiget-") +
        QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    const qint64 at = *std::min_element(damage_.records.begin(), damage_.records.end());
    const int lost = int(damage_.steps.size());
    lostSteps_ += damage_.steps;
    qCInfo(zcdDiagnostics) << "history: damaged journal kept as" << aside;
    if (!QFile::copy(journal_.path(), aside) || !rewriteJournal(0)) {
        fail(QStringLiteral("historikken er beskadiget"));
        return;
    }
    failure_ = QStringLiteral("Historikken er beskadiget ved trin %1: %2 trin kunne ikke l\u00E6ses og kan ikke "
                              "fortrydes. Den beskadigede historik er gemt som %3.")
                   .arg(at)
                   .arg(lost)
                   .arg(QDir::toNativeSeparators(aside));
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
    if (!mayChange(localPath))
        return false;
    if (bytes)
        return AtomicFile::replace(localPath, *bytes);
    // A file the history takes away goes to the trash, the way the user deletes one.
    return HomeTrash::moveFile(localPath, QFileInfo(catalogue_).absolutePath()) || QFile::remove(localPath);
}

// Only what lies in the catalogue's tree, reached without a link at its end, is put back: a link
// made since is not written through, and a tree moved since is not followed out of it.
bool CatalogueHistory::mayChange(const QString &localPath) const
{
    return CatalogueTree::placeOf(localPath, QFileInfo(catalogue_).absolutePath()) == CatalogueTree::Place::Inside;
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

CatalogueHistory::Outcome CatalogueHistory::undo()
{
    // A step still being typed is complete once it is taken back.
    if (openStep())
        close();
    HistoryStep *step = const_cast<HistoryStep *>(nextUndo());
    if (!step)
        return {};
    if (const QString why = mismatch(*step, true); !why.isEmpty())
        return {false, explainedRefusal(*step, true, why), step->item};
    // The redo needs what the step left; it is kept before anything is taken back.
    for (qsizetype index = 0; index < qsizetype(step->changes.size()); ++index) {
        HistoryChange &change = step->changes[index];
        if (change.kind != HistoryChange::Kind::File || !change.after.exists || change.afterOffset >= 0)
            continue;
        QByteArray bytes;
        if (FileState::of(change.path, &bytes) != change.after)
            return {false, explainedRefusal(*step, true, mismatch(*step, true)), step->item};
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
        return {false, explainedRefusal(*step, false, why), step->item};
    return carryOut(*step, false);
}

// Where a step the damage left out lies between this one and the files, the files hold what that
// step did, which is no change from outside the editor.
QString CatalogueHistory::explainedRefusal(const HistoryStep &step, bool undoing, const QString &why) const
{
    for (const qint64 lost : lostSteps_) {
        if (undoing ? lost > step.number : lost < step.number)
            return QStringLiteral(
                       "Kan ikke %1 \u00BB%2\u00AB: historikken er beskadiget ved trin %3. Intet er \u00E6ndret.")
                .arg(verb(undoing), step.caption())
                .arg(lost);
    }
    return why;
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
    if (!rewriteJournal(first))
        fail(QStringLiteral("skrivefejl"));
}

// Writes the journal anew with the steps from index first on, and reads it back.
bool CatalogueHistory::rewriteJournal(qsizetype first)
{
    std::vector<HistoryJournal::Record> records;
    const qint64 oldestKept = first < qsizetype(steps_.size()) ? steps_[first].number : 0;
    for (const qint64 lost : lostSteps_) {
        if (lost > oldestKept)
            records.push_back({journalRecord("lost", lost)});
    }
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
        // A step a crash left open is written open, for the start to finish from the files.
        if (step.state == HistoryStep::State::Open)
            continue;
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
        // An undo or redo a crash cut short stays under way, for the start to carry through.
        const std::vector<const char *> states = step.state == HistoryStep::State::Undoing ? std::vector{"undo"}
            : step.state == HistoryStep::State::Undone  ? std::vector{"undo", "undone"}
            : step.state == HistoryStep::State::Redoing ? std::vector{"undo", "undone", "redo"}
                                                        : std::vector<const char *>();
        for (const char *state : states)
            records.push_back({journalRecord(state, step.number)});
    }
    qCInfo(zcdDiagnostics) << "history: keeping the newest" << records.size() << "records of" << journal_.path();
    if (!journal_.rewrite(records))
        return false;
    std::optional<std::vector<HistoryJournal::Record>> reread = journal_.readAll();
    if (!reread)
        return false;
    replay(*reread);
    return true;
}
