#include "history/StepSummary.h"

#include "catalogue/Catalogue.h"
#include "catalogue/ProfileText.h"
#include "files/Windows1252.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace {

QString quoted(const QString &text) { return QStringLiteral("»%1«").arg(text); }

QString shownValue(const std::optional<QByteArrayView> &value)
{
    return value ? quoted(Windows1252::decode(value->toByteArray())) : QStringLiteral("–");
}

// The keys of the item's section whose values differ, in the order they stand in the file.
QString describeItemSection(const ProfileText &before, const ProfileText &after, int item)
{
    const QByteArray section = Catalogue::SectionName(item).toLatin1();
    QList<QByteArray> keys = before.keyNames(section);
    for (const QByteArray &key : after.keyNames(section)) {
        bool known = false;
        for (const QByteArray &seen : keys)
            known = known || seen.compare(key, Qt::CaseInsensitive) == 0;
        if (!known)
            keys.append(key);
    }
    QStringList changed;
    QString only;
    for (const QByteArray &key : keys) {
        const std::optional<QByteArrayView> old = before.value(section, key);
        const std::optional<QByteArrayView> now = after.value(section, key);
        if (old.has_value() == now.has_value() && (!old || *old == *now))
            continue;
        changed.append(Windows1252::decode(key));
        only = QStringLiteral("%1: %2 → %3").arg(changed.last(), shownValue(old), shownValue(now));
    }
    if (changed.size() == 1)
        return only;
    if (changed.isEmpty())
        return QStringLiteral("Kataloget ændret");
    return changed.join(QStringLiteral(", ")) + QStringLiteral(" ændret");
}

} // namespace

namespace StepSummary {

QString shownPath(const QString &localPath, const QString &catalogueLocalPath)
{
    const QDir catalogueFolder = QFileInfo(catalogueLocalPath).absoluteDir();
    QString relative = catalogueFolder.relativeFilePath(localPath);
    if (relative.startsWith(QLatin1String("../")))
        relative = localPath;
    return relative.replace(QLatin1Char('/'), QLatin1Char('\\'));
}

QString describe(const HistoryStep &step, const QString &catalogueLocalPath, const QByteArray &catalogueBefore,
                 const QByteArray &catalogueAfter)
{
    if (!step.action.isEmpty())
        return step.action;
    QStringList parts;
    for (const HistoryChange &change : step.changes) {
        switch (change.kind) {
        case HistoryChange::Kind::File:
            if (change.path == catalogueLocalPath)
                parts.append(describeItemSection(ProfileText(catalogueBefore), ProfileText(catalogueAfter), step.item));
            else
                parts.append(QFileInfo(change.path).fileName() +
                             (change.after.exists ? QStringLiteral(" gemt") : QStringLiteral(" i papirkurven")));
            break;
        case HistoryChange::Kind::CreateFolder:
            parts.append(QStringLiteral("Mappe %1 oprettet").arg(quoted(shownPath(change.path, catalogueLocalPath))));
            break;
        case HistoryChange::Kind::RenameFolder:
            parts.append(QStringLiteral("Mappe %1 omdøbt til %2")
                             .arg(quoted(shownPath(change.path, catalogueLocalPath)),
                                  quoted(shownPath(change.newPath, catalogueLocalPath))));
            break;
        }
    }
    return parts.join(QStringLiteral("; "));
}

} // namespace StepSummary
