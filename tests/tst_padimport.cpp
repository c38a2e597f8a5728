#include "app/EditMQV.h"
#include "catalogue/Catalogue.h"
#include "editor/PadImportDialog.h"
#include "editor/Question.h"
#include "pad/ProducerNotes.h"
#include "support/EditorTesting.h"
#include "support/TempFolder.h"
#include "support/WindowActions.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QFileDialog>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

#include <functional>

// A program description file taken into the catalogue through the window: chosen in "Filer" or
// dropped on the window, shown line by line, and written only when the user says so, as one step.
class TestPadImport : public QObject {
    Q_OBJECT
private slots:
    void nothingIsWrittenBeforeTheUserConfirms();
    void emptyShownItemIsFilledAndTheStepUndoesExactly();
    void linesChangedOrLeftOutAreWrittenSo();
    void anEditedDescriptionKeepsItsParagraphs();
    void droppedFileStartsTheImport();
    void picturesAreFetchedOrNothingIsWritten();
};

namespace {

using Tree = QMap<QString, QByteArray>;

const QString skak = QStringLiteral(MQV_SOURCE_DIR "/tests/data/pad/skak.xml");

// Answers the file dialog with the file, then lets decide act in the PadImport dialog. The file's
// name is typed into the dialog's name field, as selectFile leaves that field alone once it has the
// focus, which a loaded machine gives it before the first answer. A dialog still open after its
// answer (a failed check in decide) is cancelled, so the test fails instead of waiting for ever.
class PadDialogs : public QObject {
public:
    PadDialogs(const QString &file, std::function<void(PadImportDialog &)> decide)
        : file_(file), decide_(std::move(decide))
    {
        connect(&timer_, &QTimer::timeout, this, [this] {
            QWidget *modal = QApplication::activeModalWidget();
            if (auto *files = qobject_cast<QFileDialog *>(modal); files && files->isVisible()) {
                files->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(file_);
                static_cast<QDialog *>(files)->accept();
                if (files->isVisible())
                    files->reject();
            } else if (auto *import = qobject_cast<PadImportDialog *>(modal); import && !seen_) {
                seen_ = true;
                decide_(*import);
                if (import->isVisible())
                    import->reject();
            }
        });
        timer_.start(10);
    }
    bool seen() const { return seen_; }

private:
    QString file_;
    std::function<void(PadImportDialog &)> decide_;
    QTimer timer_;
    bool seen_ = false;
};

// The user presses Return or Escape, as the dialog's buttons are reached from the keyboard.
void press(PadImportDialog &dialog, Qt::Key key) { QTest::keyClick(&dialog, key); }

QStringList shownLines(PadImportDialog &dialog)
{
    auto *table = control<QTableWidget>(&dialog, "PadLinjer");
    QStringList lines;
    for (int row = 0; row < table->rowCount(); ++row)
        lines << table->item(row, 1)->text() + '=' + table->item(row, 2)->text();
    return lines;
}

QTableWidgetItem *cell(PadImportDialog &dialog, const QString &caption, int column)
{
    auto *table = control<QTableWidget>(&dialog, "PadLinjer");
    const QList<QTableWidgetItem *> found = table->findItems(caption, Qt::MatchExactly);
    if (found.isEmpty())
        throw std::runtime_error(("no line " + caption).toStdString());
    return table->item(found.first()->row(), column);
}

// A web server on the loopback address with two pictures, answering each request and closing.
class PictureServer : public QTcpServer {
public:
    PictureServer()
    {
        connect(this, &QTcpServer::newConnection, this, [this] {
            QTcpSocket *socket = nextPendingConnection();
            connect(socket, &QTcpSocket::readyRead, socket, [socket] {
                const QByteArray request = socket->readAll();
                QImage image(request.contains("/icon.png") ? QSize(48, 48) : QSize(64, 40), QImage::Format_ARGB32);
                image.fill(request.contains("/icon.png") ? Qt::red : Qt::blue);
                QByteArray body;
                QBuffer buffer(&body);
                buffer.open(QIODevice::WriteOnly);
                image.save(&buffer, "PNG");
                socket->write("HTTP/1.1 200 OK\r\nContent-Type: image/png\r\nConnection: close\r\nContent-Length: " +
                              QByteArray::number(body.size()) + "\r\n\r\n" + body);
                socket->disconnectFromHost();
            });
        });
        listen(QHostAddress::LocalHost);
    }
    QString url(const char *path) const { return QStringLiteral("http://127.0.0.1:%1%2").arg(serverPort()).arg(path); }
};

void importFromMenu(TMQVEdit &window)
{
    control<QAction>(&window, "HentPAD")->trigger();
}

void prepareCatalogue(const TempFolder &folder, const QByteArray &firstItem)
{
    folder.writeFile("Programmer/Skak/SkakSetup.exe", "MZ");
    folder.writeFile("Programmer/Skak/DK.RTF", "{\\rtf1\\ansi Vores egen tekst.\\par}");
    folder.writeFile("Z.MQV", iniBytes({"[Generelt]", "Sprog=Dansk", "[Z1]", firstItem, "Folder=Programmer\\Skak",
                                        "[Z2]", "Titel=Tegn", "Barn=Ja"}));
}

} // namespace

void TestPadImport::nothingIsWrittenBeforeTheUserConfirms()
{
    TempFolder folder;
    prepareCatalogue(folder, "Titel=Skak");
    TMQVEdit window;
    const Tree before = folder.tree();
    QStringList lines;
    PadDialogs dialogs(skak, [&](PadImportDialog &dialog) {
        lines = shownLines(dialog);
        QCOMPARE(folder.tree(), before);
        QVERIFY(control<QPlainTextEdit>(&dialog, "PadTilladelser")->toPlainText().contains("cover-cd'er"));
        press(dialog, Qt::Key_Escape);
    });
    importFromMenu(window);
    QVERIFY(dialogs.seen());
    QCOMPARE(lines.mid(0, 4), (QStringList{"Titel=Skakmester 2.1", "Kort tekst=Skak for børn",
                                           "Webside=https://skak.example.org/", "Mappe=Skakmester"}));
    QCOMPARE(folder.tree(), before);
    QVERIFY(!control<QAction>(&window, "Fortryd")->isEnabled());
}

// The shown item holds only its folder: it is filled, the setup found in its folder is named, and
// the Danish description already there stays as the user answers.
void TestPadImport::emptyShownItemIsFilledAndTheStepUndoesExactly()
{
    TempFolder folder;
    prepareCatalogue(folder, "Global=");
    TMQVEdit window;
    const Tree before = folder.tree();
    PadDialogs dialogs(skak, [](PadImportDialog &dialog) {
        Questions::setNextAnswer(1); // "Behold den på disken"
        press(dialog, Qt::Key_Return);
    });
    importFromMenu(window);
    QCOMPARE(Questions::lastAsked().text, QStringLiteral("Punktet har allerede en beskrivelse på dansk."));
    QCOMPARE(folder.readFile("Z.MQV"),
             iniBytes({"[Generelt]", "Sprog=Dansk", "[Z1]", "Global=Skak for børn", "Folder=Programmer\\Skak",
                       "Titel=Skakmester 2.1", "Webside=https://skak.example.org/", "Setup=SkakSetup.exe", "Spil=Ja",
                       "Barn=Ja", "[Z2]", "Titel=Tegn", "Barn=Ja"}));
    QCOMPARE(folder.readFile("Programmer/Skak/DK.RTF"), before.value("Programmer/Skak/DK.RTF"));
    QVERIFY(folder.readFile("Programmer/Skak/No.RTF").contains("Sjakk for barn med en vennlig l\\'e6rer."));
    QVERIFY(!QFile::exists(folder.filePath("Programmer/Skak/Sv.RTF")));
    QCOMPARE(control<QLineEdit>(&window, "TitelEdit")->text(), QStringLiteral("Skakmester 2.1"));
    QCOMPARE(ProducerNotes::read(Catalogue::localPath(), "PROGRAMMER/skak").eula, QStringLiteral("Brug på eget ansvar."));

    control<QAction>(&window, "Fortryd")->trigger();
    QCOMPARE(folder.tree(), before);
}

void TestPadImport::linesChangedOrLeftOutAreWrittenSo()
{
    TempFolder folder;
    prepareCatalogue(folder, "Titel=Skak");
    TMQVEdit window;
    PadDialogs dialogs(skak, [](PadImportDialog &dialog) {
        cell(dialog, "Titel", 2)->setText("Skakmester");
        cell(dialog, "Webside", 0)->setCheckState(Qt::Unchecked);
        cell(dialog, "Beskrivelse, finsk", 0)->setCheckState(Qt::Checked); // in English, to be translated
        QTest::mouseClick(control<QPushButton>(&dialog, "PadHent"), Qt::LeftButton);
    });
    importFromMenu(window);
    QVERIFY(folder.readFile("Z.MQV").endsWith(iniBytes({"[Z3]", "Titel=Skakmester", "Global=Skak for børn",
                                                        "Folder=Skakmester", "Spil=Ja", "Barn=Ja"})));
    QVERIFY(folder.readFile("Skakmester/Fi.RTF").contains("[Overs\\'e6t] Chess for children."));
    QVERIFY(folder.readFile("Skakmester/DK.RTF").contains("viser bedre."));
    QCOMPARE(control<QLineEdit>(&window, "TitelEdit")->text(), QStringLiteral("Skakmester"));
}

// Enter in a description's value starts a new line; Enter elsewhere takes the import, with the
// value as typed so far.
void TestPadImport::anEditedDescriptionKeepsItsParagraphs()
{
    TempFolder folder;
    prepareCatalogue(folder, "Titel=Skak");
    TMQVEdit window;
    PadDialogs dialogs(skak, [](PadImportDialog &dialog) {
        auto *table = control<QTableWidget>(&dialog, "PadLinjer");
        table->setCurrentItem(cell(dialog, "Beskrivelse, dansk", 2));
        table->editItem(table->currentItem());
        auto *editor = control<QPlainTextEdit>(&dialog, "FlerlinjetCelle");
        editor->clear();
        QTest::keyClicks(editor, "Linje et");
        QTest::keyClick(editor, Qt::Key_Return);
        QTest::keyClicks(editor, "Linje to");
        press(dialog, Qt::Key_Return);
    });
    importFromMenu(window);
    const QByteArray rtf = folder.readFile("Skakmester/DK.RTF");
    QVERIFY2(rtf.contains("Linje et\\par\r\nLinje to\\par"), rtf.constData());
}

void TestPadImport::droppedFileStartsTheImport()
{
    TempFolder folder;
    prepareCatalogue(folder, "Titel=Skak");
    TMQVEdit window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(skak)});
    const QPoint middle = window.rect().center();
    QDragEnterEvent enter(middle, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &enter);
    QVERIFY(enter.isAccepted());
    PadDialogs dialogs(skak, [](PadImportDialog &dialog) { press(dialog, Qt::Key_Return); });
    QDropEvent drop(middle, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &drop);
    QVERIFY(drop.isAccepted());
    QTRY_VERIFY(dialogs.seen());
    QTRY_COMPARE(control<QLineEdit>(&window, "TitelEdit")->text(), QStringLiteral("Skakmester 2.1"));
}

void TestPadImport::picturesAreFetchedOrNothingIsWritten()
{
    TempFolder folder;
    prepareCatalogue(folder, "Global=");
    TMQVEdit window;
    PictureServer server;
    const auto askFor = [&](const QString &shot, const QString &icon) {
        return [shot, icon](PadImportDialog &dialog) {
            cell(dialog, "Skærmskud", 2)->setText(shot);
            cell(dialog, "Skærmskud", 0)->setCheckState(Qt::Checked);
            cell(dialog, "Ikon", 2)->setText(icon);
            cell(dialog, "Ikon", 0)->setCheckState(Qt::Checked);
            Questions::setNextAnswer(0); // the Danish description there is overwritten
            press(dialog, Qt::Key_Return);
        };
    };
    {
        PadDialogs dialogs(skak, askFor(server.url("/shot.png"), server.url("/icon.png")));
        importFromMenu(window);
    }
    const QImage shot = QImage::fromData(folder.readFile("Programmer/Skak/Shot.jpg"), "JPG");
    QCOMPARE(shot.size(), QSize(64, 40));
    QVERIFY(qBlue(shot.pixel(10, 10)) > 200);
    const QImage icon = QImage::fromData(folder.readFile("Programmer/Skak/Ikon.bmp"), "BMP");
    QCOMPARE(icon.size(), QSize(32, 32));
    QCOMPARE(icon.pixel(16, 16), qRgb(255, 0, 0));

    // Offline: the address answers no more; the user is told, and nothing of the import is written.
    folder.writeFile("Z.MQV", iniBytes({"[Z1]", "Global="}));
    const Tree before = folder.tree();
    const QString gone = server.url("/shot.png");
    server.close();
    MessageBoxAnswer told(QMessageBox::Ok);
    {
        PadDialogs dialogs(skak, askFor(gone, gone));
        importFromMenu(window);
    }
    QCOMPARE(told.count(), 1);
    QVERIFY2(told.text().startsWith("Kan ikke hente skærmskuddet fra " + gone), qPrintable(told.text()));
    QVERIFY(told.text().endsWith("Intet er skrevet."));
    QCOMPARE(folder.tree(), before);
}

QTEST_MAIN(TestPadImport)
#include "tst_padimport.moc"
