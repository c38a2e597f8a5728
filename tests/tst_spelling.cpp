#include "app/DescriptionEdit.h"
#include "app/EditMQV.h"
#include "editor/DescriptionSpelling.h"
#include "spelling/KnownWords.h"
#include "spelling/LanguageBalance.h"
#include "spelling/SpellingDictionaries.h"
#include "spelling/UnknownWords.h"
#include "support/EditorTesting.h"
#include "support/TempFolder.h"
#include "support/WindowActions.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTextBlock>
#include <QTextEdit>
#include <QContextMenuEvent>
#include <QTimer>
#include <QtTest>

// Spell checking with the platform's own dictionaries, the words every item knows, and the
// comparison window; the marks are checked where the user sees them, in the drawn window.
class TestSpelling : public QObject {
    Q_OBJECT
private slots:
    void init();
    void eachLanguageMarksOnlyTheMisspelledWord_data();
    void eachLanguageMarksOnlyTheMisspelledWord();
    void wordsNoWordListHoldsArePassedOver();
    void languagesOutOfStep_data();
    void languagesOutOfStep();
    void marksAreDrawnUnderTheWordOnly();
    void suggestionKeepsTheWordsFormat();
    void wordListOutlivesTheEditor();
    void checkingChangesNoByteAndNoStep();
    void missingDictionaryIsSaidAndNothingBreaks();
    void comparisonFollowsTheItem();
    void comparisonShowsTheDescriptionAsSavedAndClosesOnEscape();
    void checkingSwitchedOffStaysOffAfterARestart();
    void shortTextMenuOffersCorrectionsAboveItsOwnEntries();

private:
    QTemporaryDir data_;
};

namespace {

struct Sample {
    const char *language;
    const char *correct;
    const char *misspelled;  // the sentence with one word spelled wrong
    const char *wrongWord;
    const char *fileName;
    const char *button;
};

const Sample samples[] = {
    {"Dansk", "Programmet gør det nemt at holde styr på dine billeder.",
     "Programmet gør det nemt at holde styr på dine bilelder.", "bilelder", "DK.RTF", "BrugDansk"},
    {"Norsk", "Programmet gjør det enkelt å holde orden på bildene dine.",
     "Programmet gjør det enkelet å holde orden på bildene dine.", "enkelet", "No.RTF", "BrugNorsk"},
    {"Svensk", "Programmet gör det enkelt att hålla ordning på dina bilder.",
     "Programmet gör det enkelt att hålla ordnig på dina bilder.", "ordnig", "Sv.RTF", "BrugSvensk"},
    {"Finsk", "Ohjelma tekee kuvien järjestämisestä helppoa.", "Ohjelma tekee kuvien järjestämisestä helpooa.",
     "helpooa", "Fi.RTF", "BrugFinsk"},
};

QByteArray rtf(const QString &text)
{
    QByteArray escaped;
    for (QChar c : text)
        escaped += c.unicode() < 128 ? QByteArray(1, char(c.unicode())) : "\\u" + QByteArray::number(c.unicode()) + "?";
    return "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red255\\green0\\blue0;}\\f0\\fs20 " + escaped + "\\par}";
}

DescriptionSpelling &spellingOf(TMQVEdit &window)
{
    return *control<DescriptionSpelling>(&window, "DescriptionSpelling");
}

// An item named "Fotoblink" with its installer "FotoSetup.exe", in Danish.
void writeCatalogue(const TempFolder &folder, const QString &description, const QString &shortText = "Et godt program")
{
    folder.makeFolder("A");
    folder.writeFile("A/DK.RTF", rtf(description));
    folder.writeFile("Z.MQV", iniBytes({"[Z1]", "Titel=Fotoblink", "Folder=A", "Setup=FotoSetup.exe", "Global=" + shortText}));
}

void showWindow(TMQVEdit &window)
{
    window.resize(900, 700);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
}

// Where the word is drawn in the description's viewport, as the box of its letters.
QRect wordRect(TMQVEdit &window, const QString &word)
{
    const int start = int(window.Beskriv->toPlainText().indexOf(word));
    QTextCursor cursor(window.Beskriv->document());
    cursor.setPosition(start);
    const QRect first = window.Beskriv->cursorRect(cursor);
    cursor.setPosition(start + int(word.size()));
    return first.united(window.Beskriv->cursorRect(cursor));
}

int redPixelsBelow(const QImage &image, const QRect &word)
{
    return pixelsNear(image.copy(word.left() + 1, word.bottom() - 3, word.width() - 2, 7), QColor(255, 0, 0));
}

} // namespace

void TestSpelling::init()
{
    qputenv("XDG_DATA_HOME", data_.path().toUtf8());
    QFile::remove(KnownWords::wordListPath());
}

void TestSpelling::eachLanguageMarksOnlyTheMisspelledWord_data()
{
    QTest::addColumn<int>("sample");
    for (int i = 0; i < int(std::size(samples)); ++i)
        QTest::newRow(samples[i].language) << i;
}

// The dictionary of the language, both in the rules and in the window after its language button.
void TestSpelling::eachLanguageMarksOnlyTheMisspelledWord()
{
    QFETCH(int, sample);
    const Sample &s = samples[sample];
    SpellingDictionaries dictionaries;
    const Dictionary &dictionary = dictionaries.of(s.language);
    QVERIFY(dictionary.available());
    const KnownWords known;
    const QString correct = QString::fromUtf8(s.correct);
    const QString misspelled = QString::fromUtf8(s.misspelled);
    QCOMPARE(UnknownWords::in(correct, dictionary, known).size(), 0);
    QCOMPARE(UnknownWords::distinct(misspelled, UnknownWords::in(misspelled, dictionary, known)), QStringList{s.wrongWord});

    TempFolder folder;
    writeCatalogue(folder, "Fotoblink");
    folder.writeFile(QStringLiteral("A/") + s.fileName, rtf(misspelled + QStringLiteral(" Fotoblink FotoSetup")));
    TMQVEdit window;
    showWindow(window);
    clickToolButton(window, s.button);
    QTRY_COMPARE(spellingOf(window).markedDescriptionWords(), QStringList{s.wrongWord});
}

void TestSpelling::wordsNoWordListHoldsArePassedOver()
{
    const QString text = QStringLiteral("Se www.zcd.dk, skriv til info@zcd.dk, kør Setup.exe f.eks. med USB og MP3; "
                                        "cd-rom Windows' x");
    QStringList words;
    for (const WordSpan &span : WordSplitter::words(text))
        words.append(text.mid(span.start, span.length));
    QCOMPARE(words, (QStringList{"Se", "skriv", "til", "kør", "med", "og", "cd-rom", "Windows"}));
}

void TestSpelling::languagesOutOfStep_data()
{
    QTest::addColumn<QList<std::optional<int>>>("words");
    QTest::addColumn<QList<int>>("outOfStep");
    QTest::addColumn<QList<int>>("withoutText");
    QTest::newRow("in step") << QList<std::optional<int>>{100, 60, 51, 100} << QList<int>{} << QList<int>{};
    QTest::newRow("one empty, one short") << QList<std::optional<int>>{100, 0, 49, 90} << QList<int>{1, 2} << QList<int>{1};
    QTest::newRow("all empty") << QList<std::optional<int>>{0, 0, 0, 0} << QList<int>{} << QList<int>{};
    QTest::newRow("not looked at") << QList<std::optional<int>>{100, std::nullopt, std::nullopt, 10} << QList<int>{3}
                                   << QList<int>{};
}

void TestSpelling::languagesOutOfStep()
{
    QFETCH(QList<std::optional<int>>, words);
    QFETCH(QList<int>, outOfStep);
    QFETCH(QList<int>, withoutText);
    QList<int> found;
    QList<int> foundWithoutText;
    for (const LanguageBalance::OutOfStep &language : LanguageBalance::find(words)) {
        found.append(language.language);
        if (language.lag == LanguageBalance::Lag::NoText)
            foundWithoutText.append(language.language);
    }
    QCOMPARE(found, outOfStep);
    QCOMPARE(foundWithoutText, withoutText);
}

// The title and the installer's name are known; the line is drawn in red under the unknown word
// and nowhere under the others, in the description and in the short text.
void TestSpelling::marksAreDrawnUnderTheWordOnly()
{
    TempFolder folder;
    writeCatalogue(folder, "Fotoblink og FotoSetup holder styr på dine bilelder", "Et godt progam");
    TMQVEdit window;
    showWindow(window);
    QTRY_COMPARE(spellingOf(window).markedDescriptionWords(), QStringList{"bilelder"});
    QCOMPARE(spellingOf(window).markedShortTextWords(), QStringList{"progam"});
    const QImage drawn = window.Beskriv->grab().toImage();
    const QPoint viewport = window.Beskriv->viewport()->pos();
    QVERIFY(redPixelsBelow(drawn, wordRect(window, "bilelder").translated(viewport)) > 10);
    QCOMPARE(redPixelsBelow(drawn, wordRect(window, "Fotoblink").translated(viewport)), 0);
    QCOMPARE(redPixelsBelow(drawn, wordRect(window, "FotoSetup").translated(viewport)), 0);

    const QImage shortText = window.KortTekst->grab().toImage();
    const QFontMetrics metrics(window.KortTekst->font());
    const int wordLeft = window.KortTekst->inputMethodQuery(Qt::ImCursorRectangle).toRect().left();
    QVERIFY(pixelsNear(shortText.copy(wordLeft + metrics.horizontalAdvance("Et godt "), 0,
                                      metrics.horizontalAdvance("progam"), shortText.height()),
                       QColor(255, 0, 0)) > 5);
    QCOMPARE(pixelsNear(shortText.copy(wordLeft, 0, metrics.horizontalAdvance("Et godt"), shortText.height()), QColor(255, 0, 0)), 0);
}

void TestSpelling::suggestionKeepsTheWordsFormat()
{
    TempFolder folder;
    folder.makeFolder("A");
    folder.writeFile("A/DK.RTF", "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red255\\green0\\blue0;}"
                                 "\\f0 Dine {\\b\\cf1 bilelder}\\par}");
    folder.writeFile("Z.MQV", iniBytes({"[Z1]", "Titel=A", "Folder=A"}));
    TMQVEdit window;
    showWindow(window);
    QTRY_COMPARE(spellingOf(window).markedDescriptionWords(), QStringList{"bilelder"});
    const QStringList formattingEntries = [&] {
        QStringList names;
        for (const QAction *action : window.RTFMenu->actions())
            names.append(action->objectName());
        return names;
    }();
    emit window.Beskriv->customContextMenuRequested(wordRect(window, "bilelder").center());
    QTRY_VERIFY(window.RTFMenu->isVisible());
    QStringList shown;
    QAction *billeder = nullptr;
    for (QAction *action : window.RTFMenu->actions()) {
        shown.append(action->objectName());
        if (action->text() == "billeder")
            billeder = action;
    }
    QVERIFY(billeder);
    QVERIFY(shown.count("Forslag") <= 6);
    QCOMPARE(shown.mid(shown.indexOf("Ignorer"), 2), (QStringList{"Ignorer", "FoejTilOrdlisten"}));
    QCOMPARE(shown.mid(shown.size() - formattingEntries.size()), formattingEntries);
    window.RTFMenu->hide();
    billeder->trigger();
    QCOMPARE(window.Beskriv->toPlainText(), QStringLiteral("Dine billeder"));
    const QTextBlock block = window.Beskriv->document()->firstBlock();
    QTextCursor cursor(block);
    cursor.setPosition(block.position() + 9);
    QCOMPARE(cursor.charFormat().fontWeight(), int(QFont::Bold));
    QCOMPARE(cursor.charFormat().foreground().color(), QColor(255, 0, 0));
    QTRY_COMPARE(window.RTFMenu->actions().size(), formattingEntries.size());
    QTRY_VERIFY(spellingOf(window).markedDescriptionWords().isEmpty());
}

void TestSpelling::wordListOutlivesTheEditor()
{
    TempFolder folder;
    writeCatalogue(folder, "Dine bilelder og Zupix");
    {
        TMQVEdit window;
        showWindow(window);
        QTRY_COMPARE(spellingOf(window).markedDescriptionWords(), (QStringList{"bilelder", "Zupix"}));
        emit window.Beskriv->customContextMenuRequested(wordRect(window, "Zupix").center());
        QAction *add = control<QAction>(window.RTFMenu, "FoejTilOrdlisten");
        window.RTFMenu->hide();
        add->trigger();
        QCOMPARE(spellingOf(window).markedDescriptionWords(), QStringList{"bilelder"});
    }
    QFile list(KnownWords::wordListPath());
    QVERIFY(list.open(QIODevice::ReadOnly));
    QCOMPARE(list.readAll(), QByteArray("Zupix\n"));
    QVERIFY(!KnownWords::wordListPath().startsWith(folder.path()));
    list.close();
    TMQVEdit window;
    showWindow(window);
    QTRY_COMPARE(spellingOf(window).markedDescriptionWords(), QStringList{"bilelder"});

    // Taken into the list by mistake, the word comes out of it again where it stands; the other
    // lines of a shared list stay as they were.
    QVERIFY(list.open(QIODevice::WriteOnly | QIODevice::Append));
    list.write("Fotoblinks\r\n");
    list.close();
    emit window.Beskriv->customContextMenuRequested(wordRect(window, "Zupix").center());
    QAction *remove = control<QAction>(window.RTFMenu, "FjernFraOrdlisten");
    window.RTFMenu->hide();
    remove->trigger();
    QCOMPARE(spellingOf(window).markedDescriptionWords(), (QStringList{"bilelder", "Zupix"}));
    QVERIFY(list.open(QIODevice::ReadOnly));
    QCOMPARE(list.readAll(), QByteArray("Fotoblinks\r\n"));
}

// The marks are no edit: the description stays unmodified, the history takes no step, and an
// edit saves the same bytes whether checking is on or off.
void TestSpelling::checkingChangesNoByteAndNoStep()
{
    QByteArray saved[2];
    for (bool checking : {true, false}) {
        TempFolder folder;
        writeCatalogue(folder, "Dine bilelder");
        folder.makeFolder("B");
        folder.writeFile("Z.MQV", folder.readFile("Z.MQV") + iniBytes({"[Z2]", "Titel=B", "Folder=B"}));
        TMQVEdit window;
        showWindow(window);
        control<QAction>(&window, "Stavekontrol")->setChecked(checking);
        QTRY_COMPARE(spellingOf(window).markedDescriptionWords().size(), checking ? 1 : 0);
        QVERIFY(!window.Beskriv->document()->isModified());
        QVERIFY(!control<QAction>(&window, "Fortryd")->isEnabled());
        QCOMPARE(folder.readFile("A/DK.RTF"), rtf("Dine bilelder"));
        typeDescription(window, " og fotoz");
        clickToolButton(window, "ToolButton10");
        saved[checking] = folder.readFile("A/DK.RTF");
    }
    QVERIFY(saved[1].contains("fotoz"));
    QCOMPARE(saved[1], saved[0]);
}

void TestSpelling::missingDictionaryIsSaidAndNothingBreaks()
{
    TempFolder folder;
    writeCatalogue(folder, "Dine bilelder");
    folder.writeFile("A/No.RTF", rtf("Programmet gjør det enkelet"));
    TMQVEdit window;
    showWindow(window);
    QHash<QString, QString> tags = SpellingDictionaries::platformTags();
    tags.insert("Norsk", "xx_INGEN");
    spellingOf(window).useDictionaries(std::make_shared<SpellingDictionaries>(tags));
    clickToolButton(window, "BrugNorsk");
    auto *status = control<QLabel>(&window, "ZStatusPanel3");
    QTRY_COMPARE(status->text(), QStringLiteral("Ingen norsk ordbog"));
    QVERIFY(spellingOf(window).markedDescriptionWords().isEmpty());
    typeDescription(window, " tekst");
    QCOMPARE(shownDescription(window), QStringLiteral("Programmet gjør det enkelet tekst"));
    clickToolButton(window, "BrugDansk");
    QTRY_COMPARE(spellingOf(window).markedDescriptionWords(), QStringList{"bilelder"});
}

void TestSpelling::comparisonFollowsTheItem()
{
    TempFolder folder;
    folder.makeFolder("A");
    folder.makeFolder("B");
    for (const char *item : {"A", "B"}) {
        folder.writeFile(QStringLiteral("%1/DK.RTF").arg(item), rtf(QStringLiteral("Dansk %1").arg(item)));
        folder.writeFile(QStringLiteral("%1/No.RTF").arg(item), rtf(QStringLiteral("Norsk %1").arg(item)));
    }
    folder.writeFile("Z.MQV", iniBytes({"[Z1]", "Titel=A", "Folder=A", "[Z2]", "Titel=B", "Folder=B"}));
    const QByteArray catalogue = folder.readFile("Z.MQV");
    TMQVEdit window;
    showWindow(window);
    control<QAction>(&window, "VisSammenlign")->trigger();
    auto *comparison = control<QWidget>(&window, "Sammenlign");
    QVERIFY(comparison->isVisible());
    auto *text = control<QTextEdit>(comparison, "SammenlignTekst");
    QVERIFY(text->isReadOnly());
    QCOMPARE(text->toPlainText(), QStringLiteral("Norsk A"));
    clickToolButton(window, "ToolButton10");
    QCOMPARE(text->toPlainText(), QStringLiteral("Norsk B"));
    control<QComboBox>(comparison, "SammenlignSprog")->setCurrentText("Dansk");
    QCOMPARE(text->toPlainText(), QStringLiteral("Dansk B"));
    QCOMPARE(folder.readFile("A/No.RTF"), rtf("Norsk A"));
    QCOMPARE(folder.readFile("Z.MQV"), catalogue);
}

void TestSpelling::comparisonShowsTheDescriptionAsSavedAndClosesOnEscape()
{
    TempFolder folder;
    folder.writeFile("A/DK.RTF", rtf("Dansk"));
    folder.writeFile("A/No.RTF", rtf("Norsk"));
    folder.writeFile("Z.MQV", iniBytes({"[Z1]", "Titel=A", "Folder=A"}));
    TMQVEdit window;
    showWindow(window);
    control<QAction>(&window, "VisSammenlign")->trigger();
    auto *comparison = control<QWidget>(&window, "Sammenlign");
    auto *text = control<QTextEdit>(comparison, "SammenlignTekst");
    QCOMPARE(text->toPlainText(), QStringLiteral("Norsk"));
    clickToolButton(window, "BrugNorsk");
    typeDescription(window, " rettet");
    clickToolButton(window, "BrugDansk");
    QTRY_COMPARE(text->toPlainText(), QStringLiteral("Norsk rettet"));
    QTest::keyClick(comparison, Qt::Key_Escape);
    QVERIFY(!comparison->isVisible());
}

void TestSpelling::checkingSwitchedOffStaysOffAfterARestart()
{
    TempFolder folder;
    writeCatalogue(folder, "Dine bilelder");
    {
        TMQVEdit window;
        control<QAction>(&window, "Stavekontrol")->setChecked(false);
    }
    TMQVEdit window;
    showWindow(window);
    QVERIFY(!control<QAction>(&window, "Stavekontrol")->isChecked());
    QTest::qWait(200);
    QVERIFY(spellingOf(window).markedDescriptionWords().isEmpty());
}

void TestSpelling::shortTextMenuOffersCorrectionsAboveItsOwnEntries()
{
    TempFolder folder;
    writeCatalogue(folder, "Dine billeder", "Et godt progam");
    TMQVEdit window;
    showWindow(window);
    QTRY_COMPARE(spellingOf(window).markedShortTextWords(), QStringList{"progam"});
    const QFontMetrics metrics(window.KortTekst->font());
    const int wordLeft = window.KortTekst->inputMethodQuery(Qt::ImCursorRectangle).toRect().left();
    const QPoint onWord(wordLeft + metrics.horizontalAdvance("Et godt pr"), window.KortTekst->height() / 2);
    QStringList shown;
    QTimer::singleShot(100, this, [&] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        QVERIFY(menu);
        QAction *program = nullptr;
        for (QAction *action : menu->actions()) {
            shown.append(action->objectName());
            if (action->text() == "program")
                program = action;
        }
        menu->hide();
        QVERIFY(program);
        program->trigger();
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, onWord, window.KortTekst->mapToGlobal(onWord));
    QCoreApplication::sendEvent(window.KortTekst, &event);
    QVERIFY(shown.contains("FoejTilOrdlisten"));
    // Above a separator and the field's own entries (undo, cut, copy, paste, ...).
    QVERIFY(shown.indexOf("FoejTilOrdlisten") + 5 < shown.size());
    QCOMPARE(window.CatalogueFile->ReadString("Z1", "Global", ""), QString("Et godt program"));
}

QTEST_MAIN(TestSpelling)
#include "tst_spelling.moc"
