#include "description/DescriptionSession.h"

#include "description/DescriptionSaveError.h"
#include "description/TranslationSource.h"
#include "files/AtomicFile.h"
#include "files/CatalogueTree.h"
#include "files/Diagnostics.h"
#include "files/HomeTrash.h"
#include "files/LocalPath.h"
#include "files/Refusal.h"

#include <QTextDocument>

#include <utility>

DescriptionSession::DescriptionSession(Editor &editor, TargetChoice askForTarget, std::function<void()> changed)
    : editor_(editor)
    , askForTarget_(std::move(askForTarget))
    , changed_(std::move(changed))
{
}

bool DescriptionSession::load(const QString &folder, const QString &loadedName, const QString &writtenName)
{
    QTextDocument &document = editor_.descriptionDocument();
    const bool hasFolder = !folder.isEmpty() && LocalPath::folderExists(folder);
    const QString storedPath = hasFolder && !loadedName.isEmpty() ? LocalPath::join(folder, loadedName) : QString();
    const std::optional<QString> localPath = storedPath.isEmpty() ? std::nullopt : LocalPath::findFile(storedPath);
    const QString writtenPath = hasFolder ? LocalPath::forWriting(LocalPath::join(folder, writtenName)) : QString();
    const CatalogueTree::Place place = hasFolder ? CatalogueTree::placeOf(localPath.value_or(writtenPath))
                                                 : CatalogueTree::Place::Inside;
    const FileStamp stamp = localPath && place != CatalogueTree::Place::Outside ? FileStamp::of(*localPath)
                                                                                : FileStamp();
    // The editor already holds exactly that file, untouched since it was read.
    if (stamp.isValid() && stamp == shown_ && !document.isModified())
        return false;
    // Whatever of the last file is still unread is not needed: it is replaced unchanged.
    loading_.abandon();
    shown_ = FileStamp();
    folder_ = hasFolder ? folder : QString();
    const DescriptionFile::Reading reading = stamp.isValid()
        ? editor_.fillDescription([&](QTextDocument &filled) { return startLoading(storedPath, filled); })
        : DescriptionFile::Reading::Missing;
    if (reading == DescriptionFile::Reading::Read)
        shown_ = stamp;
    else
        editor_.clearDescription();
    // A file that is there but cannot be read is the user's all the same: it is shown empty, and
    // nothing may be written over it. One that cannot be written is shown as it is, as on a disc.
    if (place == CatalogueTree::Place::Outside) {
        access_ = Access::Outside;
        qCInfo(zcdDiagnostics) << "description outside the catalogue's tree not read" << storedPath;
    } else if (place == CatalogueTree::Place::Link) {
        access_ = Access::Linked;
    } else if (reading == DescriptionFile::Reading::Unreadable) {
        access_ = Access::Unreadable;
        qCInfo(zcdDiagnostics) << "could not read the description" << storedPath;
    } else if (hasFolder && !AtomicFile::canReplace(localPath.value_or(writtenPath))) {
        access_ = Access::Unwritable;
    } else {
        access_ = Access::Editable;
    }
    document.clearUndoRedoStacks();
    document.setModified(false);
    changed_();
    return true;
}

DescriptionFile::Reading DescriptionSession::startLoading(const QString &storedPath, QTextDocument &document)
{
    DescriptionFile::Contents file = DescriptionFile::contents(storedPath);
    if (file.reading == DescriptionFile::Reading::Missing)
        return file.reading;
    if (file.reading == DescriptionFile::Reading::Unreadable ||
        !loading_.start(std::move(file.bytes), document, storedPath)) {
        document.clear();
        return DescriptionFile::Reading::Unreadable;
    }
    return DescriptionFile::Reading::Read;
}

// A failed save ends the action that wanted to leave the description, so the text stays in the
// editor.
void DescriptionSession::save(const QString &fileName, DescriptionLanguage language)
{
    QTextDocument &document = editor_.descriptionDocument();
    // A description is changed only once it is read whole; what is written is the whole of it.
    if (document.isModified())
        loading_.finish();
    if (!document.isModified() || access_ == Access::Unreadable || access_ == Access::Linked ||
        access_ == Access::Outside)
        return;
    if (folder_.isEmpty()) {
        qCInfo(zcdDiagnostics) << "description not saved: its item has no folder";
        return;
    }
    const QString path = LocalPath::join(folder_, fileName);
    const std::optional<QString> written = target(path, changedOnDisk(path));
    // A translation the user worked on was written against the Danish text as it is now.
    const std::optional<QString> writtenAgainst = language == DescriptionLanguage::Dansk
        ? std::nullopt
        : TranslationSource::danishWordsIn(folder_);
    if (written && !DescriptionFile::save(*written, document, language, writtenAgainst)) {
        qCInfo(zcdDiagnostics) << "could not save the description" << *written;
        throw DescriptionSaveError(*written);
    }
    document.setModified(false);
    // From now on the file as saved is the one the editor shows; where the text went elsewhere, or
    // nowhere, the editor shows what the file holds.
    if (written == path) {
        shown_ = FileStamp::of(LocalPath::findFile(path).value_or(QString()));
        // A file saved for the first time is there now.
        changed_();
    } else {
        load(folder_, fileName, fileName);
    }
}

// Nothing is deleted that the trash cannot take back, and nothing of the trash is ever left in the
// catalogue's folder tree, which goes onto the disc.
void DescriptionSession::trash(const QString &fileName, const QString &keepOutOf)
{
    const QString path = LocalPath::join(folder_, fileName);
    const std::optional<QString> localPath = folder_.isEmpty() ? std::nullopt : LocalPath::findFile(path);
    if (localPath && !CatalogueTree::mayWrite(*localPath))
        throw Refusal(QStringLiteral("%1 slettes ikke: %2.")
                          .arg(path, CatalogueTree::reason(CatalogueTree::placeOf(*localPath)).toLower()));
    if (localPath && !HomeTrash::moveFile(*localPath, keepOutOf))
        throw Refusal(QStringLiteral("Kan ikke lægge %1 i papirkurven. Filen er ikke slettet.").arg(path));
    load(folder_, fileName, fileName);
}

void DescriptionSession::followRename(const QString &oldName, const QString &newName)
{
    if (folder_ != oldName)
        return;
    folder_ = newName;
    changed_();
}

// Only a file that could be written over is asked about: where nothing can be written (the
// folder gone, the file made read-only), the save fails and says so.
std::optional<QString> DescriptionSession::target(const QString &storedPath, bool changedOnDisk) const
{
    if (!changedOnDisk || !AtomicFile::canReplace(LocalPath::forWriting(storedPath)))
        return storedPath;
    return askForTarget_(storedPath);
}

bool DescriptionSession::changedOnDisk(const QString &storedPath) const
{
    return FileStamp::of(LocalPath::findFile(storedPath).value_or(QString())) != shown_;
}

QString DescriptionSession::shownPath(const QString &fileName) const
{
    return folder_.isEmpty() ? QString() : LocalPath::join(folder_, fileName);
}
