#include "app/EditMQV.h"
#include "app/WindowColours.h"
#include "support/EditorTesting.h"
#include "support/SmallDisk.h"
#include "support/TempFolder.h"
#include "support/WindowActions.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QScopeGuard>
#include <QSpinBox>
#include <QTextEdit>
#include <QtTest>

// Showing an item: every control filled from the catalogue, the colour marks, the pictures,
// the description, the counter and the application title, and exactly the write-backs the
// field handlers make while the controls are filled.
class TestItemDisplay : public QObject {
    Q_OBJECT
private slots:
    void tickRuleAndCategoryColour_data();
    void tickRuleAndCategoryColour();
    void categoryColourFollowsTheSteppedItem();
    void fileFieldColours_data();
    void truncatedScreenshotShowsItsTopPart();
    void fileFieldColours();
    void titleLabelTurnsRedWhenWiderThanItsBox();
    void counterAndApplicationTitle();
    void screenshotAndIcon();
    void screenshotThatIsNoJpegIsShownOrCalledUnreadable_data();
    void screenshotThatIsNoJpegIsShownOrCalledUnreadable();
    void descriptionOfTheCurrentLanguage();
    void filesChangedAfterReadingAheadAreShownAsTheyAreNow();
    void largeScreenshotIsDecodedBesideTheWindow();
    void browsingLeavesTheCatalogueAsItWas();
    void showingAgainWritesNothing();
    void emptyItemShowsEmptyFields();
    void readOnlyCatalogueStaysBrowsable();
    void catalogueTurningReadOnlyIsReportedOnce_data();
    void catalogueTurningReadOnlyIsReportedOnce();
    void failedWriteIsReportedOnceAndShowsWhatIsStored();
};

namespace {

void showItemNumber(TMQVEdit &window, int number)
{
    control<QSpinBox>(&window, "Nummer")->setValue(number);
}

class PaletteChanges : public QObject {
public:
    explicit PaletteChanges(QWidget *widget) { widget->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        count += event->type() == QEvent::PaletteChange;
        return false;
    }
};

QImage testPicture(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(200, 30, 30));
    return image;
}

// Takes the owner's write permission away (which counts even for root), or marks the file
// immutable; false when this machine cannot.
bool protect(const QString &path, bool immutable, bool on)
{
    if (immutable)
        return QProcess::execute("chattr", {on ? "+i" : "-i", path}) == 0;
    const QFile::Permissions readable = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
    return QFile::setPermissions(path, on ? readable : readable | QFile::WriteOwner);
}

} // namespace

void TestItemDisplay::tickRuleAndCategoryColour_data()
{
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<bool>("spil");
    QTest::addColumn<bool>("categoryBlack");
    QTest::newRow("no categories") << QStringList{} << false << false;
    QTest::newRow("Spil ja") << QStringList{"Spil=ja"} << true << true;
    QTest::newRow("Spil jA") << QStringList{"Spil=jA"} << true << true;
    QTest::newRow("Spil Nej") << QStringList{"Spil=Nej"} << false << false;
    QTest::newRow("Spil empty") << QStringList{"Spil="} << false << false;
    QTest::newRow("full version alone") << QStringList{"Fuldversion=Ja"} << false << false;
    QTest::newRow("Tilbehoer") << QStringList{"Tilbeh\u00F8r=Ja"} << false << true;
}

void TestItemDisplay::tickRuleAndCategoryColour()
{
    QFETCH(QStringList, keys);
    QFETCH(bool, spil);
    QFETCH(bool, categoryBlack);
    TempFolder folder;
    folder.writeFile("Z.MQV", iniBytes(QStringList{"[Z1]", "Titel=A"} + keys));
    TMQVEdit window;
    QCOMPARE(control<QCheckBox>(&window, "Spil")->isChecked(), spil);
    QCOMPARE(WindowColours::fontColour(control<QGroupBox>(&window, "Kategorier")),
             categoryBlack ? WindowColours::black() : WindowColours::red());
    QCOMPARE(WindowColours::fontColour(control<QCheckBox>(&window, "Spil")),
             categoryBlack ? WindowColours::black() : WindowColours::red());
}

// Stepping ticks the boxes one by one. The group takes the colour of the item shown, once: a box on
// the way that leaves no category ticked does not turn it red and back, repainting the whole group.
void TestItemDisplay::categoryColourFollowsTheSteppedItem()
{
    TempFolder folder;
    folder.writeFile("Z.MQV", iniBytes({"[Z1]", "Titel=A", "Spil=Ja", "[Z2]", "Titel=B", "Software=Ja", "[Z3]",
                                        "Titel=C", "[Z4]", "Titel=D", "ZProgram=Ja"}));
    TMQVEdit window;
    auto *group = control<QGroupBox>(&window, "Kategorier");
    const PaletteChanges changes(group);
    const struct {
        QColor colour;
        int changes;
    } steps[] = {{WindowColours::black(), 0}, {WindowColours::red(), 1}, {WindowColours::black(), 2}};
    for (const auto &step : steps) {
        stepForward(window);
        QCOMPARE(WindowColours::fontColour(group), step.colour);
        QCOMPARE(changes.count, step.changes);
    }
}

void TestItemDisplay::fileFieldColours_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("in the item folder and the Danish edition") << "Both.exe" << WindowColours::black();
    QTest::newRow("in the item folder in other case") << "SETUP.EXE" << WindowColours::black();
    QTest::newRow("only in the Danish edition") << "Dansk.exe" << WindowColours::blue();
    QTest::newRow("nowhere") << "Ingen.exe" << WindowColours::red();
    QTest::newRow("a folder of that name") << "Mappe.exe" << WindowColours::red();
}

void TestItemDisplay::fileFieldColours()
{
    QFETCH(QString, setup);
    QFETCH(QColor, colour);
    TempFolder root;
    root.writeFile("Dansk/Prog/Spil/both.exe", "x");
    root.writeFile("Dansk/Prog/Spil/DANSK.EXE", "x");
    root.writeFile("Udgaver/Norsk/Prog/Spil/Both.exe", "x");
    root.writeFile("Udgaver/Norsk/Prog/Spil/setup.exe", "x");
    root.makeFolder("Udgaver/Norsk/Prog/Spil/Mappe.exe");
    root.writeFile("Udgaver/Norsk/Z.MQV", iniBytes({"[Z1]", "Titel=A", "Folder=prog\\spil", "Setup=" + setup,
                                                    "Run=" + setup, "Ekstra=" + setup}));
    QDir::setCurrent(root.filePath("Udgaver/Norsk"));
    TMQVEdit window;
    for (const QString &field : {"SetupEdit", "RunEdit", "EkstraEdit"}) {
        QCOMPARE(control<QLineEdit>(&window, field)->text(), setup);
        QCOMPARE(WindowColours::fontColour(control<QLineEdit>(&window, field)), colour);
    }
    QCOMPARE(WindowColours::fontColour(control<QLineEdit>(&window, "FolderEdit")), WindowColours::black());
}

void TestItemDisplay::titleLabelTurnsRedWhenWiderThanItsBox()
{
    TempFolder folder;
    folder.writeFile("Z.MQV", iniBytes({"[Z1]", "Titel=A"}));
    TMQVEdit window;
    auto *label = control<QLabel>(&window, "TitelLabel");
    const QFontMetrics metrics(label->font());
    // Build a title exactly 250 pixels wide from wide and narrow letters.
    QString exact;
    for (int wide = 0; wide < 40 && exact.isEmpty(); ++wide) {
        for (int narrow = 0; narrow < 80; ++narrow) {
            const QString candidate = QString(wide, 'W') + QString(narrow, 'i');
            if (metrics.horizontalAdvance(candidate) == 250) {
                exact = candidate;
                break;
            }
        }
    }
    if (exact.isEmpty())
        QSKIP("no title of exactly 250 pixels in this font");
    auto *title = control<QLineEdit>(&window, "TitelEdit");
    title->setText(exact);
    QCOMPARE(WindowColours::fontColour(label), WindowColours::black());
    title->setText(exact + "i");
    QCOMPARE(WindowColours::fontColour(label), WindowColours::red());
    QCOMPARE(label->text(), exact + "i");
    title->setText(QString());
    QCOMPARE(WindowColours::fontColour(label), WindowColours::black());
}

void TestItemDisplay::counterAndApplicationTitle()
{
    TempFolder folder;
    folder.writeFile("Z.MQV", iniBytes({"[Z1]", "Titel=F\u00F8rste", "[Z3]", "Titel=", "[Z41]", "Titel=Sidste"}));
    TMQVEdit window;
    QCOMPARE(control<QLabel>(&window, "ZStatusPanel2")->text(), QString("Punkt 1 af 41"));
    QCOMPARE(window.ApplicationTitle, QString("R-Irad: F\u00F8rste"));
    QCOMPARE(window.windowTitle(), "Z-CD editor \u2014 R-Irad: F\u00F8rste \u2014 " + folder.path());
    showItemNumber(window, 3);
    QCOMPARE(control<QLabel>(&window, "ZStatusPanel2")->text(), QString("Punkt 3 af 41"));
    QCOMPARE(window.ApplicationTitle, QString("R-Irad: "));
    QCOMPARE(window.windowTitle(), "Z-CD editor \u2014 R-Irad:  \u2014 " + folder.path());
}

void TestItemDisplay::screenshotAndIcon()
{
    TempFolder folder;
    QDir().mkpath("Med");
    QDir().mkpath("Brudt");
    QVERIFY(testPicture(QSize(1024, 768)).save(folder.filePath("Med/SHOT.JPG"), "JPG"));
    QVERIFY(testPicture(QSize(16, 16)).save(folder.filePath("Med/ikon.bmp"), "BMP"));
    const QByteArray jpeg = folder.readFile("Med/SHOT.JPG");
    folder.writeFile("Brudt/Shot.jpg", jpeg.left(200));
    folder.writeFile("Brudt/Ikon.bmp", "BM garbage");
    folder.writeFile("Z.MQV", iniBytes({"[Z1]", "Titel=A", "Folder=Med", "[Z2]", "Titel=B", "Folder=Brudt", "[Z3]",
                                        "Titel=C", "Folder=Med"}));
    TMQVEdit window;
    auto *skud = control<QLabel>(&window, "Skud");
    auto *grafik = control<QGroupBox>(&window, "Grafik");
    auto *ikon = control<QLabel>(&window, "Ikon");
    // At start-up the screenshot follows in the next turn of the event loop.
    QTRY_COMPARE(grafik->title(), QString("Sk\u00E6rmskud: Jpeg"));
    QCOMPARE(skud->pixmap().size(), QSize(300, 225));
    QVERIFY(!ikon->pixmap().isNull());

    showItemNumber(window, 2);
    QCOMPARE(grafik->title(), QString("Sk\u00E6rmskud: kan ikke l\u00E6ses"));
    QVERIFY(skud->pixmap().isNull());
    QVERIFY(ikon->pixmap().isNull());

    showItemNumber(window, 3);
    QCOMPARE(grafik->title(), QString("Sk\u00E6rmskud: Jpeg"));
}

void TestItemDisplay::screenshotThatIsNoJpegIsShownOrCalledUnreadable_data()
{
    QTest::addColumn<QByteArray>("format");
    QTest::addColumn<QString>("title");
    QTest::newRow("PNG") << QByteArray("PNG") << "Sk\u00E6rmskud: PNG, ikke Jpeg";
    QTest::newRow("BMP") << QByteArray("BMP") << "Sk\u00E6rmskud: BMP, ikke Jpeg";
    QTest::newRow("JPEG declaring 65000 x 65000") << QByteArray("JPG") << "Sk\u00E6rmskud: kan ikke l\u00E6ses";
}

void TestItemDisplay::screenshotThatIsNoJpegIsShownOrCalledUnreadable()
{
    QFETCH(QByteArray, format);
    QFETCH(QString, title);
    TempFolder folder;
    folder.makeFolder("P");
    QVERIFY(testPicture(QSize(64, 48)).save(folder.filePath("P/Shot.jpg"), format));
    if (format == "JPG") {
        QByteArray jpeg = folder.readFile("P/Shot.jpg");
        const qsizetype frame = jpeg.indexOf("\xFF\xC0");
        jpeg.replace(frame + 5, 4, QByteArray("\xFD\xE8\xFD\xE8", 4));
        folder.writeFile("P/Shot.jpg", jpeg);
    }
    folder.writeFile("Z.MQV", iniBytes({"[Z1]", "Titel=A", "[Z2]", "Titel=B", "Folder=P"}));
    TMQVEdit window;
    showItemNumber(window, 2);
    QCOMPARE(control<QGroupBox>(&window, "Grafik")->title(), title);
    QCOMPARE(control<QLabel>(&window, "Skud")->pixmap().isNull(), format == "JPG");
}

// A file cut off in transfer: its top half decodes, as other viewers show it.
void TestItemDisplay::truncatedScreenshotShowsItsTopPart()
{
    TempFolder folder;
    QImage picture(640, 480, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, qRgb(180 + ((x * 7) ^ (y * 13)) % 60, 20, 20));
    }
    QVERIFY(picture.save(folder.filePath("Skud.jpg"), "JPG"));
    const QByteArray jpeg = folder.readFile("Skud.jpg");
    folder.writeFile("P/Shot.jpg", jpeg.left(jpeg.size() / 2));
    folder.writeFile("Z.MQV", iniBytes({"[Z1]", "Titel=A", "[Z2]", "Titel=B", "Folder=P"}));
    TMQVEdit window;
    window.show();
    showItemNumber(window, 2);
    auto *skud = control<QLabel>(&window, "Skud");
    QCOMPARE(control<QGroupBox>(&window, "Grafik")->title(), QString("Sk\u00E6rmskud: Jpeg (beskadiget)"));
    const QSize shown = skud->pixmap().size();
    QCOMPARE(shown.width(), 300);
    QVERIFY2(shown.height() > 60 && shown.height() < 180, qPrintable(QString::number(shown.height())));
    const QImage drawn = skud->grab().toImage();
    const QPoint top = skud->contentsRect().center() - QPoint(0, shown.height() / 2 - 5);
    QVERIFY(qRed(drawn.pixel(top)) > 150 && qGreen(drawn.pixel(top)) < 70);
}

void TestItemDisplay::descriptionOfTheCurrentLanguage()
{
    TempFolder folder;
    folder.writeFile("Prog/nO.rtf", "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0 Norsk tekst\\par}");
    folder.writeFile("Tom/DK.RTF", "{\\rtf1 Dansk\\par}");
    folder.writeFile("Z.MQV", iniBytes({"[Generelt]", "Sprog=Norsk", "[Z1]", "Titel=A", "Folder=Prog", "[Z2]",
                                        "Titel=B", "Folder=Tom"}));
    TMQVEdit window;
    auto *description = control<QTextEdit>(&window, "Beskriv");
    QVERIFY(description->toPlainText().contains("Norsk tekst"));
    showItemNumber(window, 2);
    QCOMPARE(description->toPlainText(), QString());
}

// The next item's screenshot and description are read ahead while the user looks at this one;
// files that changed since are shown as they are on disk now.
void TestItemDisplay::filesChangedAfterReadingAheadAreShownAsTheyAreNow()
{
    TempFolder folder;
    folder.writeFile("B/DK.RTF", "{\\rtf1 Gammel tekst\\par}");
    folder.writeFile("C/DK.RTF", "{\\rtf1 Tekst C\\par}");
    QVERIFY(testPicture(QSize(640, 480)).save(folder.filePath("B/Shot.jpg"), "JPG"));
    QVERIFY(testPicture(QSize(640, 480)).save(folder.filePath("C/Shot.jpg"), "JPG"));
    folder.writeFile("Z.MQV", iniBytes({"[Z1]", "Titel=A", "[Z2]", "Titel=B", "Folder=B", "[Z3]", "Titel=C",
                                        "Folder=C"}));
    TMQVEdit window;
    auto *grafik = control<QGroupBox>(&window, "Grafik");
    auto *description = control<QTextEdit>(&window, "Beskriv");
    QTest::qWait(300);
    folder.writeFile("B/DK.RTF", "{\\rtf1 Ny tekst\\par}");
    folder.writeFile("B/Shot.jpg", "broken");
    showItemNumber(window, 2);
    QCOMPARE(description->toPlainText(), QString("Ny tekst"));
    QCOMPARE(grafik->title(), QString("Sk\u00E6rmskud: kan ikke l\u00E6ses"));
    QTest::qWait(300);
    showItemNumber(window, 3);
    QCOMPARE(description->toPlainText(), QString("Tekst C"));
    QCOMPARE(grafik->title(), QString("Sk\u00E6rmskud: Jpeg"));
}

// A screenshot too large to decode within a turn of the event loop is shown once it is decoded
// beside it; one the user stepped away from meanwhile never turns up.
void TestItemDisplay::largeScreenshotIsDecodedBesideTheWindow()
{
    TempFolder folder;
    folder.makeFolder("Stor");
    QVERIFY(testPicture(QSize(2400, 1800)).save(folder.filePath("Stor/Shot.jpg"), "JPG"));
    folder.writeFile("Z.MQV", iniBytes({"[Z1]", "Titel=A", "[Z2]", "Titel=B", "Folder=Stor"}));
    TMQVEdit window;
    auto *grafik = control<QGroupBox>(&window, "Grafik");
    auto *skud = control<QLabel>(&window, "Skud");

    // Before the window's first turn of its event loop, so nothing was read ahead.
    showItemNumber(window, 2);
    QCOMPARE(grafik->title(), QString("Skærmskud: læses…"));
    showItemNumber(window, 1);
    QTest::qWait(500);
    QCOMPARE(grafik->title(), QString("Intet"));
    QVERIFY(skud->pixmap().isNull());

    showItemNumber(window, 2);
    QTRY_COMPARE(grafik->title(), QString("Skærmskud: Jpeg"));
    QCOMPARE(skud->pixmap().size(), QSize(300, 225));
}

void TestItemDisplay::browsingLeavesTheCatalogueAsItWas()
{
    TempFolder folder;
    folder.makeFolder("P");
    folder.writeFile("P/Setup.exe", "x");
    // Missing keys, a flag written "ja" and one that reads unset, each shown after an item that differs.
    const QByteArray catalogue = iniBytes({"[Z1]", "Titel=A", "Spil=Ja", "Setup=Setup.exe", "Folder=P", "Global=g",
                                           "Webside=w", "[Z2]", "Spil=Nej", "Titel=B", "[Z3]", "Spil=ja", "Titel=C"});
    folder.writeFile("Z.MQV", catalogue);
    TMQVEdit window;
    showItemNumber(window, 2);
    showItemNumber(window, 3);
    showItemNumber(window, 1);
    QCOMPARE(folder.readFile("Z.MQV"), catalogue);
}

void TestItemDisplay::showingAgainWritesNothing()
{
    TempFolder folder;
    folder.makeFolder("P");
    const QByteArray catalogue = iniBytes({"[Z1]", "Titel=A", "Spil=Ja", "Folder=P", "Setup=", "Run=", "Ekstra=",
                                           "Global=", "Webside="});
    folder.writeFile("Z.MQV", catalogue);
    TMQVEdit window;
    window.ShowItem();
    window.ShowItem();
    QCOMPARE(folder.readFile("Z.MQV"), catalogue);
}

void TestItemDisplay::emptyItemShowsEmptyFields()
{
    TempFolder folder;
    folder.writeFile("Z.MQV", iniBytes({"[Z1]", "Titel=A", "Spil=Ja", "Global=g", "Folder=Mangler", "[Z2]", "Global="}));
    TMQVEdit window;
    QCOMPARE(WindowColours::fontColour(control<QLineEdit>(&window, "FolderEdit")), WindowColours::red());
    showItemNumber(window, 2);
    for (const QString &field : {"TitelEdit", "FolderEdit", "SetupEdit", "KortTekst", "InternetEdit"})
        QCOMPARE(control<QLineEdit>(&window, field)->text(), QString());
    QVERIFY(!control<QCheckBox>(&window, "Spil")->isChecked());
    // An empty folder name is never stored, and empty fields add no keys.
    QCOMPARE(folder.readFile("Z.MQV"), iniBytes({"[Z1]", "Titel=A", "Spil=Ja", "Global=g", "Folder=Mangler", "[Z2]",
                                                 "Global="}));
}

void TestItemDisplay::readOnlyCatalogueStaysBrowsable()
{
    TempFolder folder;
    const QByteArray catalogue = iniBytes({"[Z1]", "Titel=A", "Global=g", "Webside=", "[Z2]", "Titel=B", "Global=",
                                           "Webside=", "[Z3]", "Titel=C"});
    folder.writeFile("Z.MQV", catalogue);
    QFile::setPermissions(folder.filePath("Z.MQV"), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    TMQVEdit window;
    MessageBoxAnswer answer(QMessageBox::Ok);
    showItemNumber(window, 2);
    QCOMPARE(answer.count(), 0);
    QCOMPARE(control<QLineEdit>(&window, "TitelEdit")->text(), QString("B"));
    // Showing item 3 would write back an empty "Global" and "Webside": on a read-only catalogue
    // that is not even tried, and the display completes.
    showItemNumber(window, 1);
    showItemNumber(window, 3);
    QCOMPARE(answer.count(), 0);
    QCOMPARE(control<QLineEdit>(&window, "TitelEdit")->text(), QString("C"));
    QCOMPARE(control<QLabel>(&window, "ZStatusPanel2")->text(), QString("Punkt 3 af 3"));
    QCOMPARE(control<QLabel>(&window, "ZStatusPanel3")->text(), QString("Skrivebeskyttet"));
    QVERIFY(control<QLineEdit>(&window, "KortTekst")->isReadOnly());
    QCOMPARE(folder.readFile("Z.MQV"), catalogue);
}

void TestItemDisplay::catalogueTurningReadOnlyIsReportedOnce_data()
{
    QTest::addColumn<bool>("immutable");
    QTest::newRow("no write permission") << false;
    QTest::newRow("immutable") << true;
}

void TestItemDisplay::catalogueTurningReadOnlyIsReportedOnce()
{
    QFETCH(bool, immutable);
    TempFolder folder;
    folder.makeFolder("A");
    // Showing item 2 would write back "Ja" for "ja" and an empty "Global"; item 3 would lose "Spil".
    folder.writeFile("Z.MQV", iniBytes({"[Z1]", "Titel=Et", "Global=g", "Folder=A", "[Z2]", "Titel=To", "Spil=ja",
                                        "[Z3]", "Titel=Tre", "Global=t", "Folder=A"}));
    TMQVEdit window;
    const QString path = folder.filePath("Z.MQV");
    const QByteArray opened = folder.readFile("Z.MQV");
    if (!protect(path, immutable, true))
        QSKIP("this file system or user cannot mark files immutable");
    auto release = qScopeGuard([&] { protect(path, immutable, false); });
    auto *status = control<QLabel>(&window, "ZStatusPanel3");

    MessageBoxAnswer answer(QMessageBox::Ok);
    typeInto(window, "TitelEdit", "Nyt navn");
    QCOMPARE(answer.count(), 1);
    QCOMPARE(answer.text(), QString("Unable to write to .\\Z.MQV."));
    // The window shows what is stored, not the keystroke that could not be.
    QCOMPARE(control<QLineEdit>(&window, "TitelEdit")->text(), QString("Et"));
    QCOMPARE(status->text(), QString("Skrivebeskyttet"));
    QVERIFY(!control<QCheckBox>(&window, "Spil")->isEnabled());
    QVERIFY(!control<QAction>(&window, "NytPunkt")->isEnabled());
    // The description is not locked with the fields: its folder can be written.
    QVERIFY(!control<QTextEdit>(&window, "Beskriv")->isReadOnly());
    QTest::keyClicks(control<QTextEdit>(&window, "Beskriv"), "Fra disken");
    for (int item = 0; item < 3; ++item)
        stepForward(window);
    control<QAction>(&window, "S2")->trigger();
    QCOMPARE(control<QLineEdit>(&window, "TitelEdit")->text(), QString("To"));
    QCOMPARE(answer.count(), 1);
    QCOMPARE(folder.readFile("Z.MQV"), opened);
    QVERIFY(folder.readFile("A/DK.RTF").contains("Fra disken"));

    release.dismiss();
    QVERIFY(protect(path, immutable, false));
    stepForward(window);
    QCOMPARE(status->text(), QString("Status"));
    typeInto(window, "TitelEdit", "Nyt");
    QCOMPARE(window.CatalogueFile->ReadString("Z3", "Titel", ""), QString("Nyt"));
    QCOMPARE(answer.count(), 1);
}

// On a full disk the keys typed at the end of a title are not stored: one report, and the field
// shows the title the file holds until another item is shown or the user clicks into a field.
void TestItemDisplay::failedWriteIsReportedOnceAndShowsWhatIsStored()
{
    TempFolder folder;
    folder.makeFolder("disk");
    SmallDisk disk(folder.filePath("disk"));
    if (!disk.isMounted())
        QSKIP("no permission to mount a small file system");
    QDir::setCurrent(folder.filePath("disk"));
    auto leaveDisk = qScopeGuard([&] { QDir::setCurrent(folder.path()); });
    const QByteArray catalogue = iniBytes({"[Z1]", "Titel=Skakmester Deluxe", "Folder=A", "[Z2]", "Titel=To"});
    folder.writeFile("disk/Z.MQV", catalogue);
    folder.makeFolder("disk/A");
    TMQVEdit window;
    disk.fill("fyld");
    auto *title = control<QLineEdit>(&window, "TitelEdit");
    auto *status = control<QLabel>(&window, "ZStatusPanel3");
    title->setFocus();
    title->end(false);

    MessageBoxAnswer answer(QMessageBox::Ok);
    QTest::keyClicks(title, "Zap");
    QCOMPARE(answer.count(), 1);
    QCOMPARE(answer.text(), QString("Unable to write to .\\Z.MQV."));
    QCOMPARE(title->text(), QString("Skakmester Deluxe"));
    QCOMPARE(status->text(), QString("Kan ikke gemmes: klik i et felt for at pr\u00F8ve igen"));
    QCOMPARE(folder.readFile("disk/Z.MQV"), catalogue);
    // A click into the field tries again: on the full disk that fails once more.
    QTest::mouseClick(title, Qt::LeftButton);
    QTest::keyClicks(title, "Y");
    QCOMPARE(answer.count(), 2);
    QCOMPARE(title->text(), QString("Skakmester Deluxe"));

    // With room again, the user types on in the same item after a click, or in it shown anew.
    QFile::remove(folder.filePath("disk/fyld"));
    QTest::mouseClick(title, Qt::LeftButton);
    title->end(false);
    QTest::keyClicks(title, "X");
    QCOMPARE(window.CatalogueFile->ReadString("Z1", "Titel", ""), QString("Skakmester DeluxeX"));
    QCOMPARE(status->text(), QString("Status"));
    stepForward(window);
    stepBack(window);
    title->end(false);
    QTest::keyClicks(title, "Z");
    QCOMPARE(window.CatalogueFile->ReadString("Z1", "Titel", ""), QString("Skakmester DeluxeXZ"));
    QCOMPARE(answer.count(), 2);
}

QTEST_MAIN(TestItemDisplay)
#include "tst_itemdisplay.moc"
