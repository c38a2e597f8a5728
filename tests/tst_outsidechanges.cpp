#include "app/DescriptionEdit.h"
#include "app/HandlerGuard.h"
#include "catalogue/ProfileFile.h"
#include "editor/EditorContext.h"
#include "editor/OutsideChangeController.h"
#include "editor/Question.h"
#include "editor/StatusNotices.h"
#include "support/IniBytes.h"
#include "support/TempFolder.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>

#include <map>

// A colleague changes the catalogue while the editor shows item 1, seen by the controller through
// a small stand-in for the window: what it asks, what it shows anew and what the status bar says.
class TestOutsideChanges : public QObject {
    Q_OBJECT
private slots:
    void changeMadeOutside_data();
    void changeMadeOutside();
};

namespace {

class FakeContext : public EditorContext {
public:
    FakeContext()
        : catalogue_(".\\Z.MQV")
        , notices_(panel_, nullptr)
    {
        for (TextKey key : CatalogueKeys::importTextKeys)
            fields_[key] = new QLineEdit(&window_);
    }

    ProfileFile &catalogue() override { return catalogue_; }
    int shownItem() const override { return 1; }
    int highestItem() const override { return 2; }
    DescriptionLanguage shownLanguage() const override { return DescriptionLanguage::Dansk; }
    QString shownTitle() const override { return "Skak"; }
    DescriptionEdit &descriptionEditor() override { return description_; }
    QString descriptionFileName() const override { return "DK.RTF"; }
    void saveDescription() override {}
    bool catalogueWritable() const override { return true; }
    QLineEdit &field(TextKey key) override { return *fields_.at(key); }
    void showItem(int) override {}
    void showLanguage(DescriptionLanguage) override {}
    void showStoredItem() override { shown << "item anew"; }
    void showStoredValues(std::optional<TextKey> typing) override
    {
        shown << (typing ? "values but " + CatalogueKeys::name(*typing) : QString("values"));
    }
    StatusNotices &statusNotices() override { return notices_; }
    int ask(const Question &question) override
    {
        asked << question.text;
        return answer;
    }
    QWidget &window() override { return window_; }
    void runAction(const QString &, const std::function<void()> &action) override { action(); }
    void runUnrecorded(const std::function<void()> &action) override { action(); }

    QStringList shown;
    QStringList asked;
    int answer = 0;
    QLabel panel_;

private:
    ProfileFile catalogue_;
    QWidget window_;
    DescriptionEdit description_;
    std::map<TextKey, QLineEdit *> fields_;
    StatusNotices notices_;
};

} // namespace

void TestOutsideChanges::changeMadeOutside_data()
{
    QTest::addColumn<QStringList>("colleague"); // section, key, value; no key erases the section
    QTest::addColumn<bool>("typingTitle");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("goesOn");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QString>("asked");
    QTest::addColumn<QString>("status");
    QTest::addColumn<int>("stepsBack");
    QTest::newRow("their title") << QStringList{"Z1", "Titel", "Skak Pro"} << true << 1 << false << QStringList{"values"} << "Titlen er ændret i en anden editor: »Skak Pro«." << "Ændret i en anden editor: Titel" << 0;
    QTest::newRow("my title") << QStringList{"Z1", "Titel", "Skak Pro"} << true << 0 << true << QStringList{"values but Titel"} << "Titlen er ændret i en anden editor: »Skak Pro«." << "Ændret i en anden editor: Titel" << 0;
    QTest::newRow("another key") << QStringList{"Z1", "Global", "Ny"} << true << 0 << true << QStringList{"values but Titel"} << "" << "Ændret i en anden editor: Global" << 0;
    QTest::newRow("new folder") << QStringList{"Z1", "Folder", "Tegn"} << false << 0 << true << QStringList{"item anew"} << "" << "Ændret i en anden editor: Folder" << 0;
    QTest::newRow("another item") << QStringList{"Z2", "Titel", "Maling"} << false << 0 << true << QStringList{"values"} << "" << "Ændret i en anden editor: andre punkter" << 0;
    QTest::newRow("item deleted") << QStringList{"Z1"} << false << 0 << false << QStringList{} << "Punkt 1 »Skak« er slettet i en anden editor." << "Status" << 1;
}

void TestOutsideChanges::changeMadeOutside()
{
    QFETCH(QStringList, colleague);
    QFETCH(bool, typingTitle);
    QFETCH(QString, asked);
    TempFolder folder;
    folder.makeFolder("Skak");
    folder.makeFolder("Tegn");
    folder.writeFile("Z.MQV", iniBytes({"[Z1]", "Titel=Skak", "Folder=Skak", "[Z2]", "Titel=Tegn", "Folder=Tegn"}));
    FakeContext context;
    QFETCH(int, answer);
    context.answer = answer;
    HandlerGuard guard([](const QString &message) { QFAIL(qPrintable(message)); });
    QAction previous;
    int stepsBack = 0;
    connect(&previous, &QAction::triggered, [&stepsBack] { ++stepsBack; });
    OutsideChangeController controller(context, guard, previous, [] {}, [](TextKey) {});
    controller.openCatalogueWatch();
    if (typingTitle)
        context.field(TextKey::Titel).setText("Skak Mine");

    ProfileFile outside(".\\Z.MQV");
    if (colleague.size() == 1)
        outside.EraseSection(colleague.at(0));
    else
        outside.WriteString(colleague.at(0), colleague.at(1), colleague.at(2));
    const std::optional<TextKey> typing = typingTitle ? std::optional(TextKey::Titel) : std::nullopt;

    QTEST(controller.takeInOutsideChanges(typing), "goesOn");
    QTEST(context.shown, "shown");
    QCOMPARE(context.asked.value(0), asked);
    QTEST(context.panel_.text(), "status");
    QTEST(stepsBack, "stepsBack");
    // Seen once: the next action finds nothing new.
    QVERIFY(controller.takeInOutsideChanges(typing));
    QCOMPARE(context.asked.size(), asked.isEmpty() ? 0 : 1);
}

QTEST_MAIN(TestOutsideChanges)
#include "tst_outsidechanges.moc"
