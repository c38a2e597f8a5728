#include "app/EditMQV.h"
#include "support/EditorTesting.h"
#include "support/TempFolder.h"
#include "support/WindowActions.h"

#include <QAction>
#include <QLineEdit>
#include <QTreeWidget>
#include <QtTest>

// Searching the whole catalogue from the window: titles, short texts and all four descriptions.
class TestSearch : public QObject {
    Q_OBJECT
private slots:
    void findsByItemAndLanguageAndShowsTheClickedItem();
    void findsUnsavedTextAndShowsTheHitInItsLanguage();
};

namespace {

QByteArray rtf(const QByteArray &text)
{
    return "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 " + text + "\\par}";
}

} // namespace

void TestSearch::findsByItemAndLanguageAndShowsTheClickedItem()
{
    TempFolder folder;
    folder.writeFile("Skak/DK.RTF", rtf("Et spil for hele familien."));
    folder.writeFile("Skak/no.rtf", rtf("Et spill for hele FAMILIEN."));
    folder.writeFile("Dam/Sv.RTF", rtf("Ett bra program."));
    folder.writeFile("Dam/Fi.RTF", "{\\rtf1{{{ familie");
    folder.writeFile("Z.MQV", iniBytes({"[Z1]", "Titel=Tegneprogram", "[Z3]", "Titel=Skak", "Folder=Skak", "[Z7]",
                                        "Titel=Familiedam", "Global=Dam for familien", "Folder=Dam"}));
    TMQVEdit window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    const QStringList before = filesAndTimes(folder.path());

    QCOMPARE(control<QAction>(&window, "SoegIKataloget")->shortcut(), QKeySequence("Ctrl+Shift+F"));
    QTest::keyClick(&window, Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
    auto *search = control<QWidget>(&window, "Soegning");
    QTRY_VERIFY(search->isVisible());
    auto *text = control<QLineEdit>(search, "SoegTekst");
    QTRY_COMPARE(QApplication::focusWidget(), text);
    QTest::keyClicks(text, "famil");
    QTest::keyClick(text, Qt::Key_Return);

    auto *results = control<QTreeWidget>(search, "SoegResultater");
    QStringList found;
    for (int row = 0; row < results->topLevelItemCount(); ++row) {
        const QTreeWidgetItem *item = results->topLevelItem(row);
        found << item->text(0) + " " + item->text(2) + ": " + item->text(3);
    }
    QCOMPARE(found, QStringList({"3 Dansk: Et spil for hele familien.", "3 Norsk: Et spill for hele FAMILIEN.",
                                 "7 Titel: Familiedam", "7 Kort tekst: Dam for familien", "7 Finsk: familie"}));
    QCOMPARE(results->topLevelItem(0)->text(1), QString("Skak"));
    if (const QByteArray shots = qgetenv("MQV_SCREENSHOTS"); !shots.isEmpty())
        search->grab().save(QString::fromLocal8Bit(shots) + "/search-results.png");

    const QRect third = results->visualItemRect(results->topLevelItem(2));
    QTest::mouseClick(results->viewport(), Qt::LeftButton, {}, third.center());
    QCOMPARE(window.CurrentItemNumber, 7);
    QCOMPARE(filesAndTimes(folder.path()), before);
}

void TestSearch::findsUnsavedTextAndShowsTheHitInItsLanguage()
{
    TempFolder folder;
    folder.writeFile("A/DK.RTF", rtf("Dansk tekst"));
    folder.writeFile("A/No.RTF", rtf("Norsk tekst"));
    folder.writeFile("Z.MQV", iniBytes({"[Generelt]", "Sprog=Norsk", "[Z1]", "Titel=A", "Folder=A"}));
    TMQVEdit window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    typeDescription(window, " blekksprut");
    control<QAction>(&window, "SoegIKataloget")->trigger();
    auto *search = control<QWidget>(&window, "Soegning");
    auto *text = control<QLineEdit>(search, "SoegTekst");
    auto *results = control<QTreeWidget>(search, "SoegResultater");
    const auto searchFor = [&](const QString &wanted) {
        text->setText(wanted);
        QTest::keyClick(text, Qt::Key_Return);
    };
    searchFor("blekksprut");
    QCOMPARE(results->topLevelItemCount(), 1);
    QCOMPARE(results->topLevelItem(0)->text(2), QString("Norsk"));
    searchFor("xyzzy");
    QCOMPARE(results->topLevelItemCount(), 1);
    QCOMPARE(results->topLevelItem(0)->text(0), QString("Ingen fund"));
    searchFor("dansk tekst");
    QTest::mouseClick(results->viewport(), Qt::LeftButton, {},
                      results->visualItemRect(results->topLevelItem(0)).center());
    QCOMPARE(window.CurrentLanguage, DescriptionLanguage::Dansk);
    QCOMPARE(shownDescription(window), QString("Dansk tekst"));
    QTest::keyClick(text, Qt::Key_Escape);
    QVERIFY(!search->isVisible());
}

QTEST_MAIN(TestSearch)
#include "tst_search.moc"
