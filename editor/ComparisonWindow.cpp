#include "editor/ComparisonWindow.h"

#include "app/AccessibleNames.h"
#include "app/DescriptionEdit.h"
#include "description/DescriptionFile.h"
#include "description/DescriptionLanguage.h"
#include "editor/EditorContext.h"
#include "files/LocalPath.h"

#include <QComboBox>
#include <QFileSystemWatcher>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTextEdit>
#include <QVBoxLayout>

ComparisonWindow::ComparisonWindow(EditorContext &context)
    : QWidget(&context.window(), Qt::Window)
    , context_(context)
{
    setObjectName(QStringLiteral("Sammenlign"));
    setWindowTitle(QStringLiteral("Sammenlign"));
    resize(480, 520);

    language_ = new QComboBox(this);
    language_->setObjectName(QStringLiteral("SammenlignSprog"));
    for (const DescriptionLanguageInfo &language : DescriptionLanguages::all())
        language_->addItem(language.setting);
    item_ = new QLabel(this);
    item_->setObjectName(QStringLiteral("SammenlignPunkt"));
    // The description editor's own view, so that lists show their numbers as they do there.
    text_ = new DescriptionEdit(this);
    text_->setObjectName(QStringLiteral("SammenlignTekst"));
    text_->setReadOnly(true);
    text_->document()->setUndoRedoEnabled(false);

    auto *line = new QHBoxLayout;
    line->addWidget(language_);
    line->addWidget(item_, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(line);
    layout->addWidget(text_);

    connect(language_, &QComboBox::currentIndexChanged, this, &ComparisonWindow::follow);
    AccessibleNames::give(this);
    watcher_ = new QFileSystemWatcher(this);
    connect(watcher_, &QFileSystemWatcher::directoryChanged, this, &ComparisonWindow::followIfWritten);
}

void ComparisonWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier)
        close();
    else
        QWidget::keyPressEvent(event);
}

void ComparisonWindow::watch(const QString &folder, const QString &file)
{
    if (!watcher_->directories().isEmpty())
        watcher_->removePaths(watcher_->directories());
    shownFile_ = file;
    const std::optional<QString> localFile = file.isEmpty() ? std::nullopt : LocalPath::findFile(file);
    shownStamp_ = localFile ? FileStamp::of(*localFile) : FileStamp();
    if (!folder.isEmpty())
        watcher_->addPath(LocalPath::resolve(folder, LocalPath::Kind::Folder));
}

void ComparisonWindow::followIfWritten()
{
    const std::optional<QString> localFile = shownFile_.isEmpty() ? std::nullopt : LocalPath::findFile(shownFile_);
    if ((localFile ? FileStamp::of(*localFile) : FileStamp()) != shownStamp_)
        follow();
}

// Opened for the first time, it shows the language the user most likely translates from:
// Danish, or Norwegian while Danish is being written.
void ComparisonWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!language_->property("chosen").toBool()) {
        language_->setProperty("chosen", true);
        const int other = context_.shownLanguage() == DescriptionLanguage::Dansk ? int(DescriptionLanguage::Norsk)
                                                                                 : int(DescriptionLanguage::Dansk);
        const QSignalBlocker blocker(language_);
        language_->setCurrentIndex(other);
    }
    follow();
}

void ComparisonWindow::follow()
{
    if (!isVisible())
        return;
    const DescriptionLanguageInfo &language = DescriptionLanguages::info(
        DescriptionLanguage(language_->currentIndex()));
    const QString folder = context_.field(TextKey::Folder).text();
    item_->setText(QStringLiteral("Punkt %1: %2").arg(context_.shownItem()).arg(context_.field(TextKey::Titel).text()));
    const bool hasFolder = !folder.isEmpty() && LocalPath::folderExists(folder);
    const QString file = hasFolder ? LocalPath::join(folder, language.shownTestedName) : QString();
    watch(hasFolder ? folder : QString(), file);
    const DescriptionFile::Reading reading = hasFolder ? DescriptionFile::load(file, *text_->document())
                                                       : DescriptionFile::Reading::Missing;
    if (reading != DescriptionFile::Reading::Read)
        text_->setPlainText(reading == DescriptionFile::Reading::Unreadable
                                ? QStringLiteral("(%1 kan ikke læses)").arg(language.shownTestedName)
                                : QStringLiteral("(ingen %1)").arg(language.shownTestedName));
    text_->moveCursor(QTextCursor::Start);
}
