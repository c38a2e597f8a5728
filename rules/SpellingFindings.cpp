#include "rules/SpellingFindings.h"

#include "rules/DescriptionHtml.h"
#include "rules/ItemReport.h"
#include "rules/ReportTerms.h"
#include "spelling/LanguageBalance.h"
#include "spelling/UnknownWords.h"

#include <QSet>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace SpellingFindings {

QStringList unknownWords(QTextDocument &document, const Dictionary &dictionary, const KnownWords &known, bool marked)
{
    QStringList words;
    QSet<QString> listed;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QString text = block.text();
        for (const WordSpan &span : UnknownWords::in(text, dictionary, known)) {
            const QString word = text.mid(span.start, span.length);
            if (!listed.contains(word)) {
                listed.insert(word);
                words.append(word);
            }
            if (!marked)
                continue;
            QTextCursor cursor(&document);
            cursor.setPosition(block.position() + int(span.start));
            cursor.setPosition(block.position() + int(span.start + span.length), QTextCursor::KeepAnchor);
            // A link keeps its address; its word is listed all the same.
            if (!cursor.charFormat().isAnchor())
                cursor.mergeCharFormat(DescriptionHtml::unknownWordMark());
        }
    }
    return words;
}

void addWarnings(ItemReport &report)
{
    QList<std::optional<int>> wordCounts;
    for (const DescriptionReport &description : report.descriptions) {
        const bool counted = description.checked && description.state != DescriptionReport::State::Unreadable &&
            report.folderState == FolderState::Present;
        wordCounts.append(counted ? std::optional<int>(description.wordCount) : std::nullopt);
        if (!description.unknownWords.isEmpty())
            report.warnings.append({Problem::Kind::UnknownWords,
                                    {ReportTerms::languageAdjective(description.language),
                                     description.unknownWords.join(QStringLiteral(", "))}});
    }
    int longest = 0;
    for (const std::optional<int> &count : wordCounts)
        longest = std::max(longest, count.value_or(0));
    for (const LanguageBalance::OutOfStep &language : LanguageBalance::find(wordCounts)) {
        const DescriptionReport &description = report.descriptions[std::size_t(language.language)];
        const QString adjective = ReportTerms::languageAdjective(description.language);
        if (language.lag == LanguageBalance::Lag::NoText)
            report.warnings.append({Problem::Kind::LanguageWithoutText, {adjective}});
        else
            report.warnings.append({Problem::Kind::LanguageCutShort,
                                    {adjective, QString::number(description.wordCount), QString::number(longest)}});
    }
}

} // namespace SpellingFindings
