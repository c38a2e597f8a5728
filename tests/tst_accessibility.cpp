#include "app/EditMQV.h"
#include "app/WindowColours.h"
#include "support/EditorTesting.h"
#include "support/TempFolder.h"
#include "support/WindowActions.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QHash>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QtTest>

// The window as a screen reader and a dark desktop get it: every control named through Qt's
// accessibility interface, what a colour mark means said in words, and the marks legible on a
// dark palette while nothing changes on a light one. (That a status change reaches a reader is
// checked over the accessibility bus itself, by accessibility-tree.py: no event leaves the
// headless platform.)
class TestAccessibility : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void everyControlIsNamed_data();
    void everyControlIsNamed();
    void noInteractiveControlGoesUnnamed();
    void namesFollowLanguageAndPictures();
    void marksReadOnDarkPalettes_data();
    void marksReadOnDarkPalettes();
    void lightPaletteDrawsAsBefore();
    void addedMenusOpenFromTheKeyboard();

private:
    QPalette light_;
};

namespace {

// An item whose folder holds its setup, whose run file only the Danish edition has and whose
// extra file is missing; the window is opened in it.
struct MarkedItem {
    TempFolder root;
    MarkedItem(const QStringList &extra = {})
    {
        root.writeFile("Dansk/Prog/Dansk.exe", "x");
        root.writeFile("Udgaver/Norsk/Prog/Setup.exe", "x");
        root.writeFile("Udgaver/Norsk/Z.MQV",
                       iniBytes(QStringList{"[Z1]", "Titel=Kort", "Folder=Prog", "Setup=Setup.exe", "Run=Dansk.exe",
                                            "Ekstra=Ingen.exe", "Global=Kort tekst"} +
                                extra));
        QDir::setCurrent(root.filePath("Udgaver/Norsk"));
    }
};

QAccessibleInterface *accessible(QObject *object)
{
    QAccessibleInterface *interface = QAccessible::queryAccessibleInterface(object);
    if (!interface)
        throw std::runtime_error("no accessible interface");
    return interface;
}

QWidget *openedWindow(TMQVEdit &window, const QString &action, const QString &name)
{
    control<QAction>(&window, action)->trigger();
    auto *opened = control<QWidget>(&window, name);
    opened->show();
    return opened;
}

// The roles a user acts on; a reader must be able to say each of them.
bool isInteractive(QAccessible::Role role)
{
    static const QList<QAccessible::Role> roles = {
        QAccessible::PushButton, QAccessible::CheckBox,  QAccessible::RadioButton,  QAccessible::EditableText,
        QAccessible::SpinBox,    QAccessible::ComboBox,  QAccessible::ButtonMenu,   QAccessible::ButtonDropDown,
        QAccessible::PageTab,    QAccessible::Slider,    QAccessible::ScrollBar,    QAccessible::List,
        QAccessible::Tree,       QAccessible::Table,     QAccessible::MenuItem,     QAccessible::Link,
    };
    return roles.contains(role);
}

void collectUnnamed(QAccessibleInterface *node, QStringList &unnamed, int depth = 0)
{
    if (!node || depth > 30 || node->state().invisible)
        return;
    if (isInteractive(node->role()) && node->text(QAccessible::Name).trimmed().isEmpty())
        unnamed << (node->object() ? node->object()->objectName() : QString()) + "/" +
                QString::number(node->role());
    // The rows and cells of a list are named by their text; their headers by their captions.
    if (node->role() == QAccessible::Tree || node->role() == QAccessible::List || node->role() == QAccessible::Table)
        return;
    for (int i = 0; i < node->childCount(); ++i)
        collectUnnamed(node->child(i), unnamed, depth + 1);
}

QPalette darkPalette(const QColor &window, const QColor &base, const QColor &text)
{
    QPalette palette(window);
    for (QPalette::ColorRole role : {QPalette::Window, QPalette::Button})
        palette.setColor(role, window);
    palette.setColor(QPalette::Base, base);
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(role, text);
    return palette;
}

// The colour drawn most often: a field's background behind its text.
QColor background(const QImage &image)
{
    QHash<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            ++counts[image.pixel(x, y)];
    }
    QRgb most = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (it.value() > counts.value(most))
            most = it.key();
    }
    return QColor(most);
}

QImage drawn(QWidget *widget)
{
    // Of a group box only its caption: the controls inside it draw themselves.
    const QRect area = qobject_cast<QGroupBox *>(widget) ? QRect(0, 0, 60, 14) : widget->rect().adjusted(2, 2, -2, -2);
    return widget->grab(area).toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace

void TestAccessibility::initTestCase() { light_ = QApplication::palette(); }

void TestAccessibility::cleanup() { QApplication::setPalette(light_); }

void TestAccessibility::everyControlIsNamed_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("description");
    const QString none;
    auto row = [](const char *window, const char *control, const QString &name, const QString &description) {
        QTest::addRow("%s %s", window, control) << window << control << name << description;
    };
    // Fields by their labels, the short text and the description by purpose and language.
    row("", "TitelEdit", "Titel", none);
    row("", "FolderEdit", "Folder", none);
    row("", "SetupEdit", "Setup", none);
    row("", "RunEdit", "Run", "Findes kun i den danske udgave");
    row("", "EkstraEdit", "Ekstra", "Mangler i punktets mappe");
    row("", "InternetEdit", "Internet", none);
    row("", "Nummer", "Index", none);
    row("", "FlytteSpinner", "Flyt", none);
    row("", "KortTekst", "Kort tekst, norsk", none);
    row("", "Beskriv", "Beskrivelse, norsk", none);
    // Tool-bar buttons by their hint, or what they do.
    row("", "NytPunktButton", "Tilf\u00F8j punkt", "Tilf\u00F8j punkt");
    row("", "SletPunktButton", "Slet punkt", "Slet punkt");
    row("", "ToolButton8Button", "Forrige punkt", "Forrige punkt (Alt+Venstre eller Page Up)");
    row("", "ToolButton10Button", "N\u00E6ste punkt", "N\u00E6ste punkt (Alt+H\u00F8jre eller Page Down)");
    row("", "BrugDanskButton", "Skift til dansk", "Skift til dansk");
    row("", "BrugNorskButton", "Skift til norsk", "Skift til norsk");
    row("", "BrugSvenskButton", "Skift til svensk", "Skift til svensk");
    row("", "BrugFinskButton", "Skift til finsk", "Skift til finsk");
    row("", "SletRTFButton", "Slet denne RTF-fil!", "Slet denne RTF-fil!");
    row("", "SletButton", "Slet indhold", "Slet indhold");
    row("", "PasteButton", "Paste beskrivelse; fremad!", "Paste beskrivelse; fremad!");
    row("", "ToolButton2Button", "Kopier listen over alle titler", "Kopier listen over alle titler efter kategori");
    // Formatting buttons by their context-menu entry and its shortcut.
    row("", "Kursiv", "Kursiv", "Ctrl+K");
    row("", "Fed", "Fed", "Ctrl+F");
    row("", "Normal", "Plain", "Ctrl+P");
    row("", "Punkt12", "12 Pkt", "Ctrl+W");
    row("", "Punkt10", "10 Pkt", "Ctrl+Q");
    row("", "LMDButton3", "Gr\u00F8n", "Ctrl+G");
    row("", "LMDButton1", "R\u00F8d", "Ctrl+R");
    row("", "LMDButton2", "Bl\u00E5", "Ctrl+B");
    row("", "LMDButton4", "Sort", "Ctrl+S");
    row("", "Arial", "Normal", "Ctrl+N");
    // Captions that already say it.
    row("", "FuldVersion", "Fuldversion", none);
    row("", "Junior", "For b\u00F8rn", none);
    row("", "Registrering", "Skal registreres", none);
    row("", "KnapOp", "Op", none);
    row("", "OpretNavn", "Opret", none);
    row("", "Start", "Install\u00E9r", none);
    row("", "HentFast", "Hent fast", none);
    // The pictures by what they show; the marks without a control of their own by what they mean.
    row("", "Skud", "Intet sk\u00E6rmskud", none);
    row("", "Ikon", "Intet ikon", none);
    row("", "Kategorier", "Kategorier ", "Punktet er ikke i nogen kategori");
    // The windows the editor opens.
    row("Historik", "HistorikTrin", "Trin i historikken", none);
    row("Historik", "FortrydTilHer", "Fortryd til her", none);
    row("Historik", "LukHistorik", "Luk", none);
    row("Soegning", "SoegTekst", "S\u00F8g efter", "Titel, kort tekst eller beskrivelse");
    row("Soegning", "SoegKnap", "S\u00F8g", none);
    row("Soegning", "SoegResultater", "Fund", none);
    row("Sammenlign", "SammenlignSprog", "Dansk", "Sprog at sammenligne med");
    row("Sammenlign", "SammenlignTekst", "Beskrivelse at sammenligne med", none);
}

void TestAccessibility::everyControlIsNamed()
{
    QFETCH(QString, window);
    QFETCH(QString, control);
    QFETCH(QString, name);
    QFETCH(QString, description);
    MarkedItem item({"[Generelt]", "Sprog=Norsk"});
    TMQVEdit editor;
    const QHash<QString, QString> openedBy = {
        {"Historik", "VisHistorik"}, {"Soegning", "SoegIKataloget"}, {"Sammenlign", "VisSammenlign"}};
    QWidget *root = window.isEmpty() ? &editor : openedWindow(editor, openedBy.value(window), window);
    QAccessibleInterface *interface = accessible(::control<QWidget>(root, control));
    QCOMPARE(interface->text(QAccessible::Name), name);
    QCOMPARE(interface->text(QAccessible::Description), description);
}

void TestAccessibility::noInteractiveControlGoesUnnamed()
{
    MarkedItem item;
    TMQVEdit editor;
    editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));
    const QList<QWidget *> windows = {&editor, openedWindow(editor, "VisHistorik", "Historik"),
                                      openedWindow(editor, "SoegIKataloget", "Soegning"),
                                      openedWindow(editor, "VisSammenlign", "Sammenlign")};
    for (QWidget *window : windows) {
        QStringList unnamed;
        collectUnnamed(accessible(window), unnamed);
        QVERIFY2(unnamed.isEmpty(), qPrintable(window->objectName() + ": " + unnamed.join(", ")));
    }
}

void TestAccessibility::namesFollowLanguageAndPictures()
{
    MarkedItem item;
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    QVERIFY(picture.save(item.root.filePath("Udgaver/Norsk/Prog/Shot.jpg"), "JPG"));
    QVERIFY(picture.scaled(32, 32).save(item.root.filePath("Udgaver/Norsk/Prog/Ikon.bmp"), "BMP"));
    TMQVEdit editor;
    editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));
    QTRY_COMPARE(accessible(control<QWidget>(&editor, "Skud"))->text(QAccessible::Name), QString("Sk\u00E6rmskud"));
    QCOMPARE(accessible(control<QWidget>(&editor, "Ikon"))->text(QAccessible::Name), QString("Ikon"));

    clickToolButton(editor, "BrugSvensk");
    QCOMPARE(accessible(control<QWidget>(&editor, "Beskriv"))->text(QAccessible::Name), QString("Beskrivelse, svensk"));
    // The short text stays in the edition's language.
    QCOMPARE(accessible(control<QWidget>(&editor, "KortTekst"))->text(QAccessible::Name), QString("Kort tekst, dansk"));
    // The pressed language button is read out as pressed, the others not.
    QVERIFY(accessible(control<QWidget>(&editor, "BrugSvenskButton"))->state().checked);
    QVERIFY(!accessible(control<QWidget>(&editor, "BrugDanskButton"))->state().checked);
    // A mark's meaning follows its colour as the user types.
    typeInto(editor, "SetupEdit", "Ingen.exe");
    QCOMPARE(accessible(control<QWidget>(&editor, "SetupEdit"))->text(QAccessible::Description),
             QString("Mangler i punktets mappe"));
    typeInto(editor, "SetupEdit", "Setup.exe");
    QCOMPARE(accessible(control<QWidget>(&editor, "SetupEdit"))->text(QAccessible::Description), QString());
}

void TestAccessibility::marksReadOnDarkPalettes_data()
{
    QTest::addColumn<QPalette>("palette");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QColor>("mark");
    const std::pair<const char *, QPalette> palettes[] = {
        {"dark", darkPalette(QColor(0x31, 0x36, 0x3b), QColor(0x23, 0x26, 0x29), QColor(0xef, 0xf0, 0xf1))},
        {"high contrast", darkPalette(Qt::black, Qt::black, Qt::white)},
    };
    const std::pair<const char *, QColor> marks[] = {
        {"SetupEdit", WindowColours::black()}, {"RunEdit", WindowColours::blue()},
        {"EkstraEdit", WindowColours::red()},  {"TitelLabel", WindowColours::black()},
        {"KortTekst", WindowColours::black()}, {"Kategorier", WindowColours::red()},
        {"Normal", WindowColours::blue()},     {"LMDButton1", WindowColours::red()},
        {"LMDButton3", WindowColours::green()},
    };
    for (const auto &[paletteName, palette] : palettes) {
        for (const auto &[control, mark] : marks)
            QTest::addRow("%s %s", paletteName, control) << palette << control << mark;
    }
}

void TestAccessibility::marksReadOnDarkPalettes()
{
    QFETCH(QPalette, palette);
    QFETCH(QString, control);
    QFETCH(QColor, mark);
    QApplication::setPalette(palette);
    MarkedItem item;
    TMQVEdit editor;
    editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));
    const QImage image = drawn(::control<QWidget>(&editor, control));
    const QColor behind = background(image);
    QVERIFY2(WindowColours::contrast(mark, behind) >= 4.5,
             qPrintable(QString("%1 on %2: %3").arg(mark.name(), behind.name()).arg(WindowColours::contrast(mark, behind))));
    // The mark keeps its exact colour.
    QVERIFY2(pixelsNear(image, mark) > 10, qPrintable(control));
}

// On a light palette the marked fields draw exactly as a field with only its text coloured, also
// after the desktop went dark and light again while the window was open.
void TestAccessibility::lightPaletteDrawsAsBefore()
{
    MarkedItem item;
    TMQVEdit editor;
    editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));
    QApplication::setPalette(darkPalette(Qt::black, Qt::black, Qt::white));
    QCoreApplication::processEvents();
    QCOMPARE(background(drawn(control<QWidget>(&editor, "EkstraEdit"))), QColor(Qt::black));
    QApplication::setPalette(light_);
    QCoreApplication::processEvents();
    for (const char *name : {"SetupEdit", "RunEdit", "EkstraEdit"}) {
        auto *field = control<QLineEdit>(&editor, name);
        QLineEdit plain(field->text(), field->parentWidget());
        plain.setGeometry(field->geometry());
        QPalette textColour = plain.palette();
        textColour.setColor(QPalette::Text, WindowColours::fontColour(field));
        plain.setPalette(textColour);
        plain.setCursorPosition(field->cursorPosition());
        plain.show();
        QCOMPARE(drawn(field), drawn(&plain));
    }
}

// Alt and a letter no formatting button uses: Alt+R stays the red button's alone.
void TestAccessibility::addedMenusOpenFromTheKeyboard()
{
    MarkedItem item;
    TMQVEdit editor;
    editor.show();
    editor.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&editor));
    QSignalSpy red(control<QPushButton>(&editor, "LMDButton1"), &QPushButton::clicked);
    QTest::keyClick(&editor, Qt::Key_R, Qt::AltModifier);
    QTRY_COMPARE(red.count(), 1);
    for (const auto &[key, menu] : {std::pair{Qt::Key_E, "Rediger"}, std::pair{Qt::Key_I, "Filer"}}) {
        QTest::keyClick(&editor, key, Qt::AltModifier);
        auto *opened = control<QMenu>(&editor, menu);
        QTRY_VERIFY2(opened->isVisible(), menu);
        opened->close();
    }
}

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
