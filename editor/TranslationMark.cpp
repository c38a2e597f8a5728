#include "editor/TranslationMark.h"

#include "app/AccessibleNames.h"
#include "app/DescriptionEdit.h"
#include "description/DescriptionFile.h"
#include "description/DescriptionSaveError.h"
#include "description/TranslationSource.h"
#include "description/WordDiff.h"
#include "editor/EditorContext.h"
#include "files/LocalPath.h"
#include "rules/ReportTerms.h"

#include <QFile>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

#include <optional>

namespace {

// What a mark of a few lines can say; the rest is in its hint.
constexpr qsizetype longestShown = 160;

// "alle. → børn. · −godt · +den store"
QString described(const QList<WordDiff::Change> &changes)
{
    QStringList parts;
    for (const WordDiff::Change &change : changes) {
        const QString removed = change.removed.join(QLatin1Char(' '));
        const QString added = change.added.join(QLatin1Char(' '));
        if (removed.isEmpty())
            parts << QStringLiteral("+") + added;
        else if (added.isEmpty())
            parts << QStringLiteral("−") + removed;
        else
            parts << removed + QStringLiteral(" → ") + added;
    }
    return parts.join(QStringLiteral(" · "));
}

struct Behind {
    QString storedPath;
    QByteArray stored;
    QString danish;
    QString writtenAgainst;
};

// The shown translation where its file records Danish words other than the Danish text's now.
std::optional<Behind> behind(const DescriptionSession &session, const QString &fileName)
{
    if (session.folder().isEmpty())
        return std::nullopt;
    const QString storedPath = session.shownPath(fileName);
    const std::optional<QString> localPath = LocalPath::findFile(storedPath);
    if (!localPath)
        return std::nullopt;
    QFile file(*localPath);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray stored = file.readAll();
    const std::optional<QString> writtenAgainst = TranslationSource::read(stored);
    if (!writtenAgainst)
        return std::nullopt;
    const std::optional<QString> danish = TranslationSource::danishWordsIn(session.folder());
    if (!danish || *danish == *writtenAgainst)
        return std::nullopt;
    return Behind{storedPath, stored, *danish, *writtenAgainst};
}

} // namespace

TranslationMark::TranslationMark(EditorContext &context, const DescriptionSession &session)
    : QObject(&context.window())
    , context_(context)
    , session_(session)
{
    auto *frame = new QFrame;
    frame->setObjectName(QStringLiteral("AjourMaerke"));
    // The palette's own colours for tool tips: a note beside the text, legible in either palette.
    frame->setAutoFillBackground(true);
    frame->setBackgroundRole(QPalette::ToolTipBase);
    frame->setForegroundRole(QPalette::ToolTipText);
    frame->setFrameShape(QFrame::StyledPanel);
    changes_ = new QLabel(frame);
    changes_->setObjectName(QStringLiteral("AjourAendringer"));
    changes_->setWordWrap(true);
    changes_->setForegroundRole(QPalette::ToolTipText);
    confirm_ = new QPushButton(QStringLiteral("Ajourført"), frame);
    confirm_->setObjectName(QStringLiteral("Ajourfoert"));
    auto *layout = new QHBoxLayout(frame);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->addWidget(changes_, 1);
    layout->addWidget(confirm_);
    mark_ = frame;
    context_.descriptionEditor().holdAbove(frame);
    AccessibleNames::give(&context_.descriptionEditor());
    connect(confirm_, &QPushButton::clicked, this, &TranslationMark::confirm);
}

void TranslationMark::refresh()
{
    DescriptionEdit &editor = context_.descriptionEditor();
    const DescriptionLanguage language = context_.shownLanguage();
    const std::optional<Behind> found = language == DescriptionLanguage::Dansk
        ? std::nullopt
        : behind(session_, context_.descriptionFileName());
    if (!found) {
        editor.showAbove(false);
        return;
    }
    const QString all = QStringLiteral("%1 er ikke ført ajour efter den danske tekst: %2")
                            .arg(ReportTerms::languageName(language),
                                 described(WordDiff::between(found->writtenAgainst, found->danish)));
    changes_->setText(all.size() > longestShown ? all.left(longestShown - 1) + QStringLiteral("…") : all);
    changes_->setToolTip(all);
    confirm_->setEnabled(context_.catalogueWritable());
    editor.showAbove(true);
}

// What was typed is saved first, which records today's Danish words by itself; a translation
// still behind then records them alone, and the rest of its file stays as it is.
void TranslationMark::confirm()
{
    const QString language = ReportTerms::languageName(context_.shownLanguage());
    context_.runAction(QStringLiteral("Ajourført: %1").arg(language), [this] {
        context_.saveDescription();
        const std::optional<Behind> found = behind(session_, context_.descriptionFileName());
        if (found &&
            !DescriptionFile::write(found->storedPath, TranslationSource::recorded(found->stored, found->danish)))
            throw DescriptionSaveError(found->storedPath);
        context_.showStoredItem();
    });
}
