#pragma once

#include "description/DescriptionLanguage.h"
#include "spelling/KnownWords.h"
#include "spelling/WordSplitter.h"

#include <QList>
#include <QObject>
#include <QSet>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

class DescriptionEdit;
class Dictionary;
class EditorContext;
class QAction;
class QLineEdit;
class QMenu;
class QPainter;
class QPoint;
class QRect;
class QTextBlock;
class SpellingDictionaries;
class SpellingMarks;

// Spell checking as the user writes: the description in the language being edited, the short
// text in the catalogue's own. Unknown words are marked where they are shown and only there, so
// a long description costs no more than the part in view; the marks are drawn over the
// controls, never put into the text. The description's context menu offers corrections above
// its formatting entries.
class DescriptionSpelling : public QObject {
    Q_OBJECT
public:
    explicit DescriptionSpelling(EditorContext &context);
    ~DescriptionSpelling() override;

    void setChecking(bool on);
    bool checking() const { return checking_; }
    // Where the platform names its dictionaries otherwise; the marks are found anew.
    void useDictionaries(std::shared_ptr<SpellingDictionaries> dictionaries);

    // Puts the corrections for the word at position (in the description's viewport) above the
    // entries of menu, for as long as the menu is open.
    void offerCorrections(QMenu &menu, const QPoint &position);
    // The short text's context menu, with the same corrections above the field's own entries.
    void showShortTextMenu(const QPoint &position);

    // The words marked in the part of the description and of the short text in view.
    QStringList markedDescriptionWords() const;
    QStringList markedShortTextWords() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Mark {
        int blockPosition; // where the word's paragraph starts in the document
        WordSpan span; // within the paragraph
    };

    const Dictionary *dictionary(DescriptionLanguage language) const;
    void open(DescriptionLanguage language) const;
    void opened(DescriptionLanguage language);
    DescriptionLanguage shortTextLanguage() const;
    QList<WordSpan> unknownIn(const QString &text, DescriptionLanguage language) const;
    QList<Mark> descriptionMarks(const QRect &area) const;
    QList<WordSpan> shortTextMarks() const;
    void paintDescriptionMarks(QPainter &painter, const QRect &dirty) const;
    void paintShortTextMarks(QPainter &painter, const QRect &dirty) const;
    void readItemNames();
    void placeMarks();
    void refresh();
    void replaceWord(const QTextBlock &block, WordSpan span, const QString &replacement);
    void addToWordList(const QString &word);
    void removeFromWordList(const QString &word);
    // The word list could not be written.
    void warn(const QString &text);
    // The word at this place of the text when the user's word list holds it; empty otherwise.
    QString wordListedAt(const QString &text, qsizetype position) const;
    void dropCorrections();
    using Replacer = std::function<void(WordSpan span, const QString &replacement)>;
    void offerWordEntries(QMenu &menu, const QString &text, qsizetype position, DescriptionLanguage language,
                          bool editable, const Replacer &replace);

    EditorContext &context_;
    // The two texts checked, the same controls for the whole run.
    DescriptionEdit &description_;
    QLineEdit &shortText_;
    std::shared_ptr<SpellingDictionaries> dictionaries_;
    KnownWords known_;
    bool checking_ = true;
    mutable QSet<int> opening_; // by DescriptionLanguage
    QSet<int> noticed_;
    mutable std::optional<DescriptionLanguage> shortTextLanguage_;
    SpellingMarks *descriptionMarks_ = nullptr;
    SpellingMarks *shortTextMarks_ = nullptr;
    QList<QAction *> corrections_;
};
