#include "editor/DescriptionSpelling.h"

#include "app/DescriptionEdit.h"
#include "catalogue/Catalogue.h"
#include "catalogue/ProfileFile.h"
#include "editor/EditorContext.h"
#include "editor/Question.h"
#include "editor/SpellingMarks.h"
#include "editor/StatusNotices.h"
#include "spelling/Dictionary.h"
#include "spelling/SpellingDictionaries.h"
#include "spelling/UnknownWords.h"
#include "spelling/WordSplitter.h"

#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPointer>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextLayout>
#include <QTextTable>
#include <QThreadPool>

namespace {

constexpr int mostSuggestions = 6;

// The item's own names count as words in every language.
constexpr std::array<TextKey, 4> itemNames = {TextKey::Titel, TextKey::Setup, TextKey::Run, TextKey::Ekstra};

QString languageName(DescriptionLanguage language) { return DescriptionLanguages::info(language).setting; }

QString missingDictionaryNotice(DescriptionLanguage language)
{
    switch (language) {
    case DescriptionLanguage::Dansk: return QStringLiteral("Ingen dansk ordbog");
    case DescriptionLanguage::Norsk: return QStringLiteral("Ingen norsk ordbog");
    case DescriptionLanguage::Svensk: return QStringLiteral("Ingen svensk ordbog");
    case DescriptionLanguage::Finsk: return QStringLiteral("Ingen finsk ordbog");
    }
    return {};
}

bool isLaidOut(const QTextBlock &block) { return block.isValid() && block.layout() && block.layout()->lineCount() > 0; }

// The first paragraph of the laid-out part whose bottom lies below y (in document coordinates),
// found by halving: the laid-out paragraphs are the document's first ones and lie in order, but
// for the cells of a table row side by side, so the search starts a table from its beginning.
QTextBlock firstBlockEndingBelow(const QTextDocument &document, qreal y)
{
    const QAbstractTextDocumentLayout *layout = document.documentLayout();
    int before = -1;
    int after = document.blockCount();
    while (after - before > 1) {
        const int middle = before + (after - before) / 2;
        const QTextBlock block = document.findBlockByNumber(middle);
        if (isLaidOut(block) && layout->blockBoundingRect(block).bottom() < y)
            before = middle;
        else
            after = middle;
    }
    const QTextBlock found = document.findBlockByNumber(after);
    QTextTable *table = found.isValid() ? QTextCursor(found).currentTable() : nullptr;
    while (table && table->parentFrame() && qobject_cast<QTextTable *>(table->parentFrame()))
        table = static_cast<QTextTable *>(table->parentFrame());
    return table ? document.findBlock(table->firstPosition()) : found;
}

} // namespace

DescriptionSpelling::DescriptionSpelling(EditorContext &context)
    : QObject(&context.window())
    , context_(context)
    , description_(context.descriptionEditor())
    , shortText_(context.field(TextKey::Global))
    , dictionaries_(std::make_shared<SpellingDictionaries>())
{
    setObjectName(QStringLiteral("DescriptionSpelling"));
    known_.readWordList();
    descriptionMarks_ = new SpellingMarks(
        &description_, [this](QPainter &painter, const QRect &dirty) { paintDescriptionMarks(painter, dirty); });
    shortTextMarks_ = new SpellingMarks(
        &shortText_, [this](QPainter &painter, const QRect &dirty) { paintShortTextMarks(painter, dirty); });
    placeMarks();
    description_.viewport()->installEventFilter(this);
    shortText_.installEventFilter(this);
    // The marks lie over the controls, so whatever the controls repaint of themselves (typing,
    // scrolling, a new document laid out in turns) repaints the marks above it as well.
    for (TextKey name : itemNames)
        connect(&context.field(name), &QLineEdit::textChanged, this, &DescriptionSpelling::readItemNames);
    readItemNames();
}

DescriptionSpelling::~DescriptionSpelling() = default;

void DescriptionSpelling::setChecking(bool on)
{
    checking_ = on;
    refresh();
}

void DescriptionSpelling::useDictionaries(std::shared_ptr<SpellingDictionaries> dictionaries)
{
    dictionaries_ = std::move(dictionaries);
    opening_.clear();
    noticed_.clear();
    refresh();
}

// Opening a dictionary takes a good part of a second, so it is done beside the window, which
// marks nothing in that language until it is open.
const Dictionary *DescriptionSpelling::dictionary(DescriptionLanguage language) const
{
    if (const Dictionary *open = dictionaries_->opened(languageName(language)))
        return open;
    open(language);
    return nullptr;
}

void DescriptionSpelling::open(DescriptionLanguage language) const
{
    if (opening_.contains(int(language)))
        return;
    opening_.insert(int(language));
    const QPointer<DescriptionSpelling> spelling(const_cast<DescriptionSpelling *>(this));
    const std::shared_ptr<SpellingDictionaries> dictionaries = dictionaries_;
    QThreadPool::globalInstance()->start([spelling, dictionaries, language] {
        dictionaries->of(languageName(language));
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [spelling, dictionaries, language] {
                if (spelling && spelling->dictionaries_ == dictionaries)
                    spelling->opened(language);
            },
            Qt::QueuedConnection);
    });
}

// A language without a dictionary is said once; the editor works on as without checking.
void DescriptionSpelling::opened(DescriptionLanguage language)
{
    const Dictionary *open = dictionaries_->opened(languageName(language));
    if (open && !open->available() && !noticed_.contains(int(language))) {
        noticed_.insert(int(language));
        context_.statusNotices().post(StatusNotices::Notice::Spelling, missingDictionaryNotice(language));
    }
    refresh();
}

DescriptionLanguage DescriptionSpelling::shortTextLanguage() const
{
    if (!shortTextLanguage_)
        shortTextLanguage_ = DescriptionLanguages::fromSetting(
            context_.catalogue().ReadString(Catalogue::generalSection(), Catalogue::languageKey(), QString()));
    return *shortTextLanguage_;
}

QList<WordSpan> DescriptionSpelling::unknownIn(const QString &text, DescriptionLanguage language) const
{
    if (!checking_)
        return {};
    const Dictionary *checker = dictionary(language);
    return checker ? UnknownWords::in(text, *checker, known_) : QList<WordSpan>();
}

QList<DescriptionSpelling::Mark> DescriptionSpelling::descriptionMarks(const QRect &area) const
{
    QList<Mark> marks;
    const DescriptionEdit *edit = &description_;
    const QTextDocument &document = *edit->document();
    const QAbstractTextDocumentLayout *layout = document.documentLayout();
    const QPointF offset(-edit->horizontalScrollBar()->value(), -edit->verticalScrollBar()->value());
    // Only what is laid out can be in view, and asking where a block lies lays out the document up
    // to it: so the walk stops at the first paragraph Qt has not laid out yet, which it lays out
    // in later turns of the event loop, repainting the marks over it then.
    for (QTextBlock block = firstBlockEndingBelow(document, area.top() - offset.y()); isLaidOut(block);
         block = block.next()) {
        const QRectF shown = layout->blockBoundingRect(block).translated(offset);
        if (shown.top() > area.bottom())
            break;
        if (shown.bottom() < area.top())
            continue;
        for (const WordSpan &span : unknownIn(block.text(), context_.shownLanguage()))
            marks.append({block.position(), span});
    }
    return marks;
}

void DescriptionSpelling::paintDescriptionMarks(QPainter &painter, const QRect &dirty) const
{
    const DescriptionEdit *edit = &description_;
    const QTextDocument *document = edit->document();
    const QPointF offset(-edit->horizontalScrollBar()->value(), -edit->verticalScrollBar()->value());
    for (const Mark &mark : descriptionMarks(dirty)) {
        const QTextBlock block = document->findBlock(mark.blockPosition);
        const QTextLayout *text = block.layout();
        const QPointF origin = document->documentLayout()->blockBoundingRect(block).topLeft() + offset;
        const int end = int(mark.span.start + mark.span.length);
        // A word broken over two lines is marked on both.
        for (int position = int(mark.span.start); position < end;) {
            const QTextLine line = text->lineForTextPosition(position);
            if (!line.isValid())
                break;
            const int lineEnd = std::min(end, line.textStart() + line.textLength());
            const qreal baseline = origin.y() + line.y() + line.ascent();
            SpellingMarks::drawWave(painter, origin.x() + line.cursorToX(position),
                                    origin.x() + line.cursorToX(lineEnd), baseline + 1);
            position = std::max(lineEnd, position + 1);
        }
    }
}

QList<WordSpan> DescriptionSpelling::shortTextMarks() const
{
    return unknownIn(shortText_.text(), shortTextLanguage());
}

// A line edit tells where its cursor is drawn, not where each letter is; the letters lie at
// their advance from the cursor, which also places them when the text is scrolled.
void DescriptionSpelling::paintShortTextMarks(QPainter &painter, const QRect &) const
{
    const QLineEdit *field = &shortText_;
    const QString text = field->displayText();
    const QFontMetricsF metrics(field->font());
    const QRectF cursor = field->inputMethodQuery(Qt::ImCursorRectangle).toRectF();
    const qreal cursorX = cursor.center().x() - metrics.horizontalAdvance(text.left(field->cursorPosition()));
    const qreal baseline = cursor.top() + (cursor.height() - metrics.height()) / 2 + metrics.ascent();
    painter.setClipRect(field->rect().adjusted(2, 0, -2, 0));
    for (const WordSpan &span : shortTextMarks()) {
        const qreal x1 = cursorX + metrics.horizontalAdvance(text.left(span.start));
        const qreal x2 = cursorX + metrics.horizontalAdvance(text.left(span.start + span.length));
        SpellingMarks::drawWave(painter, x1, x2, baseline + 1);
    }
}

QStringList DescriptionSpelling::markedDescriptionWords() const
{
    QStringList words;
    const QTextDocument *document = description_.document();
    for (const Mark &mark : descriptionMarks(description_.viewport()->rect()))
        words.append(document->findBlock(mark.blockPosition).text().mid(mark.span.start, mark.span.length));
    return words;
}

QStringList DescriptionSpelling::markedShortTextWords() const
{
    QStringList words;
    for (const WordSpan &span : shortTextMarks())
        words.append(shortText_.text().mid(span.start, span.length));
    return words;
}

void DescriptionSpelling::readItemNames()
{
    QStringList names;
    for (TextKey name : itemNames)
        names << context_.field(name).text();
    if (known_.setItemNames(names))
        refresh();
}

void DescriptionSpelling::placeMarks()
{
    descriptionMarks_->setGeometry(description_.viewport()->geometry());
    descriptionMarks_->raise();
    shortTextMarks_->setGeometry(shortText_.rect());
    shortTextMarks_->raise();
}

void DescriptionSpelling::refresh()
{
    descriptionMarks_->update();
    shortTextMarks_->update();
}

bool DescriptionSpelling::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Resize || event->type() == QEvent::Move)
        placeMarks();
    // The type is asked first: the window is partly gone while its fields' last events come.
    if (event->type() == QEvent::ContextMenu && watched == &shortText_) {
        showShortTextMenu(static_cast<QContextMenuEvent *>(event)->pos());
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void DescriptionSpelling::offerCorrections(QMenu &menu, const QPoint &position)
{
    const QTextCursor at = description_.cursorForPosition(position);
    const QTextBlock block = at.block();
    offerWordEntries(menu, block.text(), at.position() - block.position(), context_.shownLanguage(),
                     !description_.isReadOnly(),
                     [this, block](WordSpan span, const QString &suggestion) { replaceWord(block, span, suggestion); });
}

// The short text gets the same entries above the field's own menu; a suggestion taken is typed
// over the word, so it is stored as any typing is.
void DescriptionSpelling::showShortTextMenu(const QPoint &position)
{
    QLineEdit *field = &shortText_;
    std::unique_ptr<QMenu> menu(field->createStandardContextMenu());
    menu->setObjectName(QStringLiteral("KortTekstMenu"));
    offerWordEntries(*menu, field->text(), field->cursorPositionAt(position), shortTextLanguage(), !field->isReadOnly(),
                     [field](WordSpan span, const QString &suggestion) {
                         field->setSelection(int(span.start), int(span.length));
                         field->insert(suggestion);
                     });
    menu->exec(field->mapToGlobal(position));
}

void DescriptionSpelling::offerWordEntries(QMenu &menu, const QString &text, qsizetype position,
                                           DescriptionLanguage language, bool editable, const Replacer &replace)
{
    dropCorrections();
    const QList<WordSpan> unknown = unknownIn(text, language);
    const auto hit = std::find_if(unknown.begin(), unknown.end(), [position](const WordSpan &span) {
        return span.start <= position && position <= span.start + span.length;
    });
    QAction *first = menu.actions().value(0);
    auto add = [&](const QString &caption, const QString &name) {
        auto *action = new QAction(caption, &menu);
        action->setObjectName(name);
        menu.insertAction(first, action);
        corrections_.append(action);
        return action;
    };
    auto dropWhenHidden = [&] {
        // The menu's own entries stay; the corrections go once it has done what was chosen.
        connect(
            &menu, &QMenu::aboutToHide, this,
            [this] { QMetaObject::invokeMethod(this, &DescriptionSpelling::dropCorrections, Qt::QueuedConnection); },
            Qt::SingleShotConnection);
    };
    if (hit == unknown.end()) {
        // A word taken into the word list by mistake can be taken out again where it stands.
        const QString listed = wordListedAt(text, position);
        if (listed.isEmpty())
            return;
        connect(add(QStringLiteral("Fjern fra ordlisten"), QStringLiteral("FjernFraOrdlisten")), &QAction::triggered,
                this, [this, listed] { removeFromWordList(listed); });
        corrections_.append(menu.insertSeparator(first));
        dropWhenHidden();
        return;
    }
    const WordSpan span = *hit;
    const QString word = text.mid(span.start, span.length);
    const QStringList suggestions = dictionary(language)->suggestions(word, mostSuggestions);
    for (const QString &suggestion : suggestions) {
        QAction *action = add(suggestion, QStringLiteral("Forslag"));
        action->setEnabled(editable);
        connect(action, &QAction::triggered, this, [replace, span, suggestion] { replace(span, suggestion); });
    }
    if (suggestions.isEmpty())
        add(QStringLiteral("(ingen forslag)"), QStringLiteral("IngenForslag"))->setEnabled(false);
    connect(add(QStringLiteral("Ignorér"), QStringLiteral("Ignorer")), &QAction::triggered, this, [this, word] {
        known_.ignore(word);
        refresh();
    });
    connect(add(QStringLiteral("Føj til ordlisten"), QStringLiteral("FoejTilOrdlisten")), &QAction::triggered, this,
            [this, word] { addToWordList(word); });
    corrections_.append(menu.insertSeparator(first));
    dropWhenHidden();
}

QString DescriptionSpelling::wordListedAt(const QString &text, qsizetype position) const
{
    for (const WordSpan &span : WordSplitter::words(text)) {
        if (span.start <= position && position <= span.start + span.length) {
            const QString word = text.mid(span.start, span.length);
            return known_.inWordList(word) ? word : QString();
        }
    }
    return {};
}

void DescriptionSpelling::dropCorrections()
{
    for (QAction *action : std::exchange(corrections_, {}))
        action->deleteLater();
}

// The word takes the format of its first letter, as if the user had typed the correction there.
void DescriptionSpelling::replaceWord(const QTextBlock &block, WordSpan span, const QString &replacement)
{
    if (description_.isReadOnly() || !block.isValid())
        return;
    QTextCursor cursor(description_.document());
    cursor.setPosition(block.position() + int(span.start) + 1);
    const QTextCharFormat format = cursor.charFormat();
    cursor.setPosition(block.position() + int(span.start));
    cursor.setPosition(block.position() + int(span.start + span.length), QTextCursor::KeepAnchor);
    cursor.insertText(replacement, format);
    description_.setTextCursor(cursor);
}

void DescriptionSpelling::warn(const QString &text)
{
    Question warning;
    warning.icon = QMessageBox::Warning;
    warning.text = text;
    warning.buttons = {{QMessageBox::Ok, {}, QMessageBox::AcceptRole}};
    context_.ask(warning);
}

void DescriptionSpelling::removeFromWordList(const QString &word)
{
    if (!known_.removeFromWordList(word))
        warn(QStringLiteral("Kan ikke fjerne ordet fra ordlisten %1.").arg(KnownWords::wordListPath()));
    refresh();
}

void DescriptionSpelling::addToWordList(const QString &word)
{
    if (!known_.addToWordList(word))
        warn(QStringLiteral("Kan ikke skrive ordet i ordlisten %1.").arg(KnownWords::wordListPath()));
    refresh();
}
