#include "catalogue/ProfileText.h"

#include <QtTest>

namespace {

const QByteArray text = "Titel=before any section\r\n"
                        "[Z1]\r\n"
                        "; Titel=a comment\r\n"
                        "  TITEL =  \"Skak\"  \r\n"
                        "Titel=second, not read\r\n"
                        "no equals sign\r\n"
                        "Spil=\n"
                        "[z1]\r\n"
                        "Global=duplicate section, not read\r\n"
                        "[Z2]\r"
                        "Folder=Programmer\\Skak\r";

} // namespace

class ProfileTextTest : public QObject {
    Q_OBJECT
private slots:
    void readsAsWindowsDoes_data();
    void readsAsWindowsDoes();
    void editsKeepEveryOtherByte_data();
    void editsKeepEveryOtherByte();
    void anEditThatChangesNothingGivesNothing();
};

void ProfileTextTest::readsAsWindowsDoes_data()
{
    QTest::addColumn<QByteArray>("section");
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QByteArray>("value");
    QTest::newRow("trimmed, unquoted, any case, first key") << QByteArray("z1") << QByteArray("titel") << true << QByteArray("Skak");
    QTest::newRow("empty value") << QByteArray("Z1") << QByteArray("Spil") << true << QByteArray();
    QTest::newRow("second section of a name") << QByteArray("Z1") << QByteArray("Global") << false << QByteArray();
    QTest::newRow("lone CR line ends") << QByteArray("Z2") << QByteArray("Folder") << true << QByteArray("Programmer\\Skak");
    QTest::newRow("missing section") << QByteArray("Z3") << QByteArray("Titel") << false << QByteArray();
}

void ProfileTextTest::readsAsWindowsDoes()
{
    QFETCH(QByteArray, section);
    QFETCH(QByteArray, key);
    QFETCH(bool, found);
    QFETCH(QByteArray, value);
    const std::optional<QByteArrayView> read = ProfileText(text).value(section, key);
    QCOMPARE(read.has_value(), found);
    if (found)
        QCOMPARE(read->toByteArray(), value);
    QCOMPARE(ProfileText(text).keyNames("Z1"), (QList<QByteArray>{"TITEL", "Titel", "Spil"}));
}

void ProfileTextTest::editsKeepEveryOtherByte_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("after");
    const QByteArray start = "[Z1]\r\nTitel = Old\r\n; note\n[Z2]\rRun=a.exe\r";
    QTest::addColumn<int>("edit");
    QTest::newRow("value replaced in its line") << start << QByteArray("[Z1]\r\nTitel = New\r\n; note\n[Z2]\rRun=a.exe\r") << 0;
    QTest::newRow("new key after the last key") << start << QByteArray("[Z1]\r\nTitel = Old\r\nSpil=Ja\r\n; note\n[Z2]\rRun=a.exe\r") << 1;
    QTest::newRow("new section at the end") << start << QByteArray("[Z1]\r\nTitel = Old\r\n; note\n[Z2]\rRun=a.exe\r[Z3]\r\nTitel=T\r\n") << 2;
    QTest::newRow("key removed") << start << QByteArray("[Z1]\r\nTitel = Old\r\n; note\n[Z2]\r") << 3;
    QTest::newRow("section removed, comment kept") << start << QByteArray("; note\n[Z2]\rRun=a.exe\r") << 4;
}

void ProfileTextTest::editsKeepEveryOtherByte()
{
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);
    QFETCH(int, edit);
    const ProfileText profile(before);
    const std::optional<QByteArray> edited = edit == 0 ? profile.withValue("Z1", "titel", "New")
        : edit == 1 ? profile.withValue("Z1", "Spil", "Ja")
        : edit == 2 ? profile.withValue("Z3", "Titel", "T")
        : edit == 3 ? profile.withoutKey("Z2", "Run")
                    : profile.withoutSection("Z1");
    QVERIFY(edited);
    QCOMPARE(*edited, after);
}

void ProfileTextTest::anEditThatChangesNothingGivesNothing()
{
    const ProfileText profile(text);
    QVERIFY(!profile.withValue("Z1", "Spil", ""));
    QVERIFY(!profile.withoutKey("Z1", "Run"));
    QVERIFY(!profile.withoutSection("Z3"));
}

QTEST_GUILESS_MAIN(ProfileTextTest)
#include "tst_profiletext.moc"
