#include "history/JournalRecord.h"

#include "history/JournalNumbers.h"

#include <QJsonArray>
#include <QRegularExpression>

#include <array>
#include <utility>

namespace JournalRecord {
namespace {

// A step holds far fewer changes; an index beyond this is damage.
constexpr qint64 highestChangeIndex = 1 << 20;

const QString typeKey = QStringLiteral("t");
const QString stepKey = QStringLiteral("n");
const QString pathKey = QStringLiteral("path");
const QString indexKey = QStringLiteral("i");

const std::array<std::pair<Progress::Kind, QLatin1String>, 5> progressNames{{
    {Progress::Kind::Undo, QLatin1String("undo")},
    {Progress::Kind::Undone, QLatin1String("undone")},
    {Progress::Kind::Redo, QLatin1String("redo")},
    {Progress::Kind::Redone, QLatin1String("redone")},
    {Progress::Kind::Kept, QLatin1String("kept")},
}};

QJsonObject header(QLatin1String type, qint64 step) { return {{typeKey, type}, {stepKey, double(step)}}; }

void insertState(QJsonObject &json, const FileState &state)
{
    json.insert(QStringLiteral("exists"), state.exists);
    if (state.exists)
        json.insert(QStringLiteral("sha"), QString::fromLatin1(state.sha));
}

// A missing "exists" must never read as "the file was not there", which an undo would carry out
// by deleting the file.
std::optional<FileState> stateFrom(const QJsonObject &json)
{
    const QJsonValue exists = json.value(QStringLiteral("exists"));
    if (!exists.isBool())
        return std::nullopt;
    if (!exists.toBool())
        return FileState{};
    const QString sha = json.value(QStringLiteral("sha")).toString();
    static const QRegularExpression hex(QStringLiteral("^[0-9a-f]{64}$"));
    if (!hex.match(sha).hasMatch())
        return std::nullopt;
    return FileState{true, sha.toLatin1()};
}

std::optional<QString> text(const QJsonObject &json, const QString &key)
{
    const QJsonValue value = json.value(key);
    return value.isString() ? std::optional(value.toString()) : std::nullopt;
}

std::optional<qint64> changeIndex(const QJsonObject &json)
{
    return JournalNumbers::integer(json.value(indexKey), 0, highestChangeIndex);
}

struct Encoder {
    QJsonObject operator()(const Step &record) const
    {
        QJsonObject json = header(QLatin1String("step"), record.step);
        json.insert(QStringLiteral("time"), record.time.toString(Qt::ISODate));
        json.insert(QStringLiteral("item"), record.item);
        json.insert(QStringLiteral("title"), record.title);
        json.insert(QStringLiteral("action"), record.action);
        return json;
    }
    QJsonObject operator()(const File &record) const
    {
        QJsonObject json = header(QLatin1String("file"), record.step);
        json.insert(pathKey, record.path);
        insertState(json, record.before);
        return json;
    }
    QJsonObject operator()(const MakeFolder &record) const
    {
        QJsonObject json = header(QLatin1String("mkdir"), record.step);
        json.insert(pathKey, record.path);
        return json;
    }
    QJsonObject operator()(const RenameFolder &record) const
    {
        QJsonObject json = header(QLatin1String("rename"), record.step);
        json.insert(pathKey, record.from);
        json.insert(QStringLiteral("to"), record.to);
        return json;
    }
    QJsonObject operator()(const Close &record) const
    {
        QJsonArray changes;
        for (const Close::Kept &kept : record.changes) {
            QJsonObject change{{indexKey, double(kept.index)}};
            if (kept.after)
                insertState(change, *kept.after);
            changes.append(change);
        }
        QJsonObject json = header(QLatin1String("close"), record.step);
        json.insert(QStringLiteral("summary"), record.summary);
        json.insert(QStringLiteral("changes"), changes);
        return json;
    }
    QJsonObject operator()(const After &record) const
    {
        QJsonObject json = header(QLatin1String("after"), record.step);
        json.insert(indexKey, double(record.index));
        return json;
    }
    QJsonObject operator()(const Progress &record) const
    {
        for (const auto &[kind, name] : progressNames) {
            if (kind == record.kind)
                return header(name, record.step);
        }
        Q_UNREACHABLE();
    }
    QJsonObject operator()(const Lost &record) const { return header(QLatin1String("lost"), record.step); }
};

std::optional<Record> decodeClose(const QJsonObject &json, qint64 step)
{
    Close close{step, json.value(QStringLiteral("summary")).toString(), {}};
    for (const QJsonValue value : json.value(QStringLiteral("changes")).toArray()) {
        const QJsonObject change = value.toObject();
        const std::optional<qint64> index = changeIndex(change);
        if (!index)
            return std::nullopt;
        close.changes.push_back({*index, stateFrom(change)});
    }
    return close;
}

} // namespace

Step stepRecord(const HistoryStep &step) { return {step.number, step.time, step.item, step.title, step.action}; }

HistoryStep stepFrom(const Step &record)
{
    HistoryStep step;
    step.number = record.step;
    step.time = record.time;
    step.item = record.item;
    step.title = record.title;
    step.action = record.action;
    return step;
}

Record changeRecord(qint64 step, const HistoryChange &change)
{
    switch (change.kind) {
    case HistoryChange::Kind::File: return File{step, change.path, change.before};
    case HistoryChange::Kind::CreateFolder: return MakeFolder{step, change.path};
    case HistoryChange::Kind::RenameFolder: return RenameFolder{step, change.path, change.newPath};
    }
    Q_UNREACHABLE();
}

QJsonObject encode(const Record &record) { return std::visit(Encoder(), record); }

std::optional<qint64> stepOf(const QJsonObject &json)
{
    return JournalNumbers::integer(json.value(stepKey), 1, highestStepNumber);
}

std::optional<Record> decode(const QJsonObject &json)
{
    const std::optional<qint64> step = stepOf(json);
    if (!step)
        return std::nullopt;
    const QString type = json.value(typeKey).toString();
    if (type == QLatin1String("step")) {
        return Step{*step, QDateTime::fromString(json.value(QStringLiteral("time")).toString(), Qt::ISODate),
                    int(JournalNumbers::integer(json.value(QStringLiteral("item")), 0, 1000).value_or(0)),
                    json.value(QStringLiteral("title")).toString(), json.value(QStringLiteral("action")).toString()};
    }
    if (type == QLatin1String("file")) {
        const std::optional<QString> path = text(json, pathKey);
        const std::optional<FileState> before = stateFrom(json);
        if (!path || !before)
            return std::nullopt;
        return File{*step, *path, *before};
    }
    if (type == QLatin1String("mkdir")) {
        const std::optional<QString> path = text(json, pathKey);
        return path ? std::optional<Record>(MakeFolder{*step, *path}) : std::nullopt;
    }
    if (type == QLatin1String("rename")) {
        const std::optional<QString> from = text(json, pathKey);
        const std::optional<QString> to = text(json, QStringLiteral("to"));
        return from && to ? std::optional<Record>(RenameFolder{*step, *from, *to}) : std::nullopt;
    }
    if (type == QLatin1String("close"))
        return decodeClose(json, *step);
    if (type == QLatin1String("after")) {
        const std::optional<qint64> index = changeIndex(json);
        return index ? std::optional<Record>(After{*step, *index}) : std::nullopt;
    }
    if (type == QLatin1String("lost"))
        return Lost{*step};
    for (const auto &[kind, name] : progressNames) {
        if (type == name)
            return Progress{*step, kind};
    }
    return std::nullopt;
}

} // namespace JournalRecord
