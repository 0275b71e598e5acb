#include "net/userroster.h"
#include "net/wire.h"

#include <QRegularExpression>
#include <QTest>

static const QStringList kLookAlikes{"alice", "Alice", "alice ", " alice", QString("alice") + QChar::Nbsp, "ALICE"};

class TestUserRoster final : public QObject
{
    Q_OBJECT
private slots:
    void lookUpIsExact_data()
    {
        QTest::addColumn<QString>("probe");
        QTest::addColumn<bool>("listed");
        QTest::newRow("plain") << "alice" << true;
        QTest::newRow("capital") << "Alice" << true;
        QTest::newRow("trailing space") << "alice " << true;
        QTest::newRow("no-break space") << QString("alice") + QChar::Nbsp << true;
        QTest::newRow("two trailing spaces") << "alice  " << false;
        QTest::newRow("prefix") << "alic" << false;
        QTest::newRow("other case mix") << "aLice" << false;
        QTest::newRow("tab instead of space") << "alice\t" << false;
        QTest::newRow("empty") << "" << false;
    }

    void lookUpIsExact()
    {
        QFETCH(QString, probe);
        QFETCH(bool, listed);
        UserRoster roster;
        for (const QString &name : kLookAlikes)
            QCOMPARE(roster.hearPresence(name, 0), UserRoster::Heard::New);
        QCOMPARE(roster.contains(probe), listed);
        // Availability and departure reach the exact name and no other; the
        // same availability again is no change.
        using A = UserRoster::Availability;
        QCOMPARE(roster.hearAvailability(probe, false, 1), listed ? A::Changed : A::Unlisted);
        QCOMPARE(roster.hearAvailability(probe, false, 1), listed ? A::Same : A::Unlisted);
        for (const QString &name : kLookAlikes)
            QCOMPARE(roster.isAvailable(name), name != probe);
        QCOMPARE(roster.hearPresence(probe, 2), listed ? UserRoster::Heard::Known : UserRoster::Heard::New);
        QVERIFY(roster.remove(probe));
        QCOMPARE(roster.size(), kLookAlikes.size() - (listed ? 1 : 0));
        QVERIFY(!roster.contains(probe));
    }

    void silence_data()
    {
        // Events in time order: "p<ms>" presence, "a<ms>" availability,
        // "d<ms>" departure, "c<ms>" the check with a 30,000 ms bound.
        QTest::addColumn<QString>("events");
        QTest::addColumn<QString>("dropped"); // at each check, "-" for none
        QTest::newRow("silent past the bound") << "p0 c30000 c30001" << "- bob";
        QTest::newRow("availability renews") << "p0 a20000 c45000 c50001" << "- bob";
        QTest::newRow("availability of an unlisted user lists nobody") << "a0 c1 p10 c40000" << "- bob";
        QTest::newRow("back at the next presence") << "p0 c30001 a31000 c31001 p35000 c60000" << "bob - -";
        QTest::newRow("departed users are not dropped again") << "p0 d10 c40000" << "-";
        QTest::newRow("a late check drops once") << "p0 c100000 c200000" << "bob -";
        QString steady;
        for (int at = 0; at <= 300000; at += 5000)
            steady += QString(" p%1 c%2").arg(at + 2500).arg(at + 5000);
        QTest::newRow("steady announcer never dropped") << steady.trimmed() << QString("- ").repeated(61).trimmed();
    }

    void silence()
    {
        QFETCH(QString, events);
        UserRoster roster;
        QStringList dropped;
        for (const QString &event : events.split(' ')) {
            const qint64 at = event.mid(1).toLongLong();
            switch (event[0].toLatin1()) {
            case 'p': roster.hearPresence("bob", at); break;
            case 'a': roster.hearAvailability("bob", true, at); break;
            case 'd': roster.remove("bob"); break;
            case 'c': dropped << roster.dropSilent(at, 30000).join(','); break;
            }
        }
        QTEST(dropped.replaceInStrings(QRegularExpression("^$"), "-").join(' '), "dropped");
    }

    void boundRefusesOnlyNewNames()
    {
        UserRoster roster;
        for (int n = 0; n < UserRoster::kMaxUsers; ++n)
            QCOMPARE(roster.hearPresence(QString::number(n), n < 10 ? 0 : 1000), UserRoster::Heard::New);
        QCOMPARE(roster.hearPresence("carol", 1000), UserRoster::Heard::Refused);
        QVERIFY(!roster.contains("carol"));
        QCOMPARE(roster.size(), UserRoster::kMaxUsers);
        // Listed users are kept up to date while the roster is full.
        QCOMPARE(roster.hearPresence("5", 2000), UserRoster::Heard::Known);
        QCOMPARE(roster.hearAvailability("7", false, 2000), UserRoster::Availability::Changed);
        QVERIFY(!roster.isAvailable("7"));
        // Room comes back by departure or silence.
        QVERIFY(roster.remove("20"));
        QCOMPARE(roster.hearPresence("carol", 2000), UserRoster::Heard::New);
        QCOMPARE(roster.hearPresence("dave", 2000), UserRoster::Heard::Refused);
        QCOMPARE(roster.dropSilent(1500, 1000).size(), 8); // 0..9 less the renewed 5 and 7
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
        QTest::newRow("empty") << "" << "";
    }

    void shownName()
    {
        QFETCH(QString, name);
        QTEST(shownUserName(name), "shown");
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
