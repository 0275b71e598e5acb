#include "look/names.h"
#include "station/userroster.h"
#include "wire/wire.h"

#include <QTest>

// The roster's rules for silence, its bound and how names are shown; that
// names are looked up exactly is test_mainwindow's, through a whole station.
class TestUserRoster final : public QObject
{
    Q_OBJECT
private slots:
    // Silence past the bound drops a user once; a presence renews him (that
    // availability does too is test_station's); a departure is final.
    void silence()
    {
        UserRoster roster;
        for (const char *name : {"bob", "carol", "dave"})
            roster.hearPresence(name, 0);
        roster.remove("dave");
        roster.hearPresence("carol", 5000);
        QCOMPARE(roster.dropSilent(30000, 30000), QStringList());
        QCOMPARE(roster.dropSilent(30001, 30000), QStringList{"bob"});
        QCOMPARE(roster.dropSilent(35001, 30000), QStringList{"carol"});
        QCOMPARE(roster.dropSilent(99999, 30000), QStringList());
    }

    void boundRefusesOnlyNewNames()
    {
        UserRoster roster;
        for (int n = 0; n < UserRoster::kMaxUsers; ++n)
            QCOMPARE(roster.hearPresence(QString::number(n), n < 10 ? 0 : 1000), UserRoster::Heard::New);
        QCOMPARE(roster.hearPresence("carol", 1000), UserRoster::Heard::Refused);
        QVERIFY(!roster.contains("carol"));
        QCOMPARE(roster.size(), UserRoster::kMaxUsers);
        // Room comes back by departure or silence; that listed users stay up to
        // date while full is test_station's.
        QVERIFY(roster.remove("20"));
        QCOMPARE(roster.hearPresence("carol", 2000), UserRoster::Heard::New);
        QCOMPARE(roster.hearPresence("dave", 2000), UserRoster::Heard::Refused);
        QCOMPARE(roster.dropSilent(1500, 1000).size(), 10); // 0..9, silent since 0
        QCOMPARE(roster.hearPresence("dave", 2000), UserRoster::Heard::New);
    }

    void shownName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("shown");
        const QString nbsp(QChar::Nbsp);
        QTest::newRow("inner space, case and accents kept") << "Zoë ÇA" << "Zoë ÇA";
        QTest::newRow("spaces at both ends, a control before the last") << "  al ice\t " << "\u2423\u2423al ice\uFFFD\u2423";
        QTest::newRow("only spaces") << "   " << "\u2423\u2423\u2423";
        QTest::newRow("no-break spaces inside and at the end") << "al" + nbsp + "ice" + nbsp << "al\u237Dice\u237D";
        QTest::newRow("line break, tab, nul, escape, line feed at the end")
            << QString("a\r\n\tb") + QChar(0) + "\x1b[31mc\n" << "a\uFFFD\uFFFD\uFFFDb\uFFFD\uFFFD[31mc\uFFFD";
        QTest::newRow("delete, soft hyphen, line separator") << "a\x7f b\u00AD c\u2028d" << "a\uFFFD b\uFFFD c\uFFFDd";
    }

    void shownName()
    {
        QFETCH(QString, name);
        QTEST(look::shownUserName(name), "shown");
    }

    // Look-alike names are shown apart by the markers the rows above pin; no
    // marker is a character a peer can send, so none can be imitated.
    void markersCannotBeSent()
    {
        for (const QChar marker : {QChar(0x2423), QChar(0x237D), QChar(0xFFFD)})
            QVERIFY(wire::decode(wire::encode(QString(marker))) != QString(marker));
    }
};

QTEST_APPLESS_MAIN(TestUserRoster)
#include "test_userroster.moc"
