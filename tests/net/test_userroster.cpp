#include "look/names.h"
#include "station/userroster.h"
#include "wire/wire.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {
constexpr qint64 kLiveMs = 30000;
QHostAddress host(int n) { return QHostAddress(QStringLiteral("192.0.2.%1").arg(n)); }
} // namespace

// The roster's rules for silence, its bounds, binding and how names are
// shown; that names are looked up exactly is test_mainwindow's, through a
// whole station.
class TestUserRoster final : public QObject
{
    Q_OBJECT
private slots:
    // Silence past the bound drops a user once; a presence renews him (that
    // availability does too is test_station's); a departure is final.
    void silence()
    {
        UserRoster roster{kLiveMs};
        for (const QString &name : {u"bob"_s, u"carol"_s, u"dave"_s})
            roster.hearPresence(name, 0);
        roster.remove(u"dave"_s);
        roster.hearPresence(u"carol"_s, 5000);
        QCOMPARE(roster.dropSilent(30000, 30000), QStringList());
        QCOMPARE(roster.dropSilent(30001, 30000), QStringList{u"bob"_s});
        QCOMPARE(roster.dropSilent(35001, 30000), QStringList{u"carol"_s});
        QCOMPARE(roster.dropSilent(99999, 30000), QStringList());
    }

    void boundRefusesOnlyNewNames()
    {
        UserRoster roster{kLiveMs};
        for (int n = 0; n < UserRoster::kMaxUsers; ++n)
            QCOMPARE(roster.hearPresence(QString::number(n), n < 10 ? 0 : 1000), UserRoster::Heard::New);
        QCOMPARE(roster.hearPresence(u"carol"_s, 1000), UserRoster::Heard::Refused);
        QVERIFY(!roster.contains(u"carol"_s));
        QCOMPARE(roster.size(), UserRoster::kMaxUsers);
        // Room comes back by departure or silence; that listed users stay up to
        // date while full is test_station's.
        QVERIFY(roster.remove(u"20"_s));
        QCOMPARE(roster.hearPresence(u"carol"_s, 2000), UserRoster::Heard::New);
        QCOMPARE(roster.hearPresence(u"dave"_s, 2000), UserRoster::Heard::Refused);
        QCOMPARE(roster.dropSilent(1500, 1000).size(), 10); // 0..9, silent since 0
        QCOMPARE(roster.hearPresence(u"dave"_s, 2000), UserRoster::Heard::New);
    }

    // "host@second" presences of bob in turn; the last one's answer, the
    // addresses bob is bound to then, and whether he is contested.
    void binding_data()
    {
        QTest::addColumn<QString>("presences");
        QTest::addColumn<UserRoster::Heard>("last");
        QTest::addColumn<QString>("bound");
        QTest::addColumn<bool>("contested");
        QTest::newRow("four cards") << "1@0 2@0 3@0 4@1" << UserRoster::Heard::Known << "1 2 3 4" << false;
        QTest::newRow("a fifth host while all four are live is refused")
            << "1@0 2@0 3@0 4@0 5@30" << UserRoster::Heard::Refused << "1 2 3 4" << true;
        QTest::newRow("the address heard least recently goes once silent")
            << "1@0 2@0 3@0 4@0 2@20 1@25 3@26 4@27 5@51" << UserRoster::Heard::Known << "1 5 3 4" << false;
        QTest::newRow("a host pushing in keeps the real one only while all are live")
            << "1@0 2@1 3@1 4@1 5@2 1@5 6@31" << UserRoster::Heard::Refused << "1 2 3 4" << true;
        QTest::newRow("contested no more a live period later")
            << "1@0 2@0 3@0 4@0 5@1 1@32" << UserRoster::Heard::Known << "1 2 3 4" << false;
    }

    void binding()
    {
        QFETCH(QString, presences);
        UserRoster roster{kLiveMs};
        UserRoster::Heard heard = UserRoster::Heard::Refused;
        qint64 now = 0;
        for (const QString &presence : presences.split(u' ')) {
            now = presence.section(u'@', 1).toLongLong() * 1000;
            heard = roster.hearPresence(u"bob"_s, now, host(presence.section(u'@', 0, 0).toInt()));
        }
        QTEST(heard, "last");
        QStringList bound;
        for (const QHostAddress &address : roster.addresses(u"bob"_s))
            bound << QString::number(address.toIPv4Address() & 0xFF);
        QTEST(bound.join(u' '), "bound");
        QTEST(roster.isContested(u"bob"_s, now), "contested");
        // An availability binds nothing, whoever sends it.
        roster.hearAvailability(u"bob"_s, false, now, host(9));
        QVERIFY(!roster.addresses(u"bob"_s).contains(host(9)));
    }

    // One host fills only its own share of the list.
    void namesPerAddress()
    {
        UserRoster roster{kLiveMs};
        for (int n = 0; n < UserRoster::kMaxNamesPerAddress; ++n)
            QCOMPARE(roster.hearPresence(QString::number(n), 0, host(66)), UserRoster::Heard::New);
        QCOMPARE(roster.hearPresence(u"one more"_s, 0, host(66)), UserRoster::Heard::Refused);
        QCOMPARE(roster.hearPresence(u"carol"_s, 0, host(3)), UserRoster::Heard::New);
        QVERIFY(roster.remove(u"7"_s));
        QCOMPARE(roster.hearPresence(u"one more"_s, 0, host(66)), UserRoster::Heard::New);
        QCOMPARE(roster.dropSilent(kLiveMs + 1, kLiveMs).size(), UserRoster::kMaxNamesPerAddress + 1);
        QCOMPARE(roster.hearPresence(u"again"_s, kLiveMs + 1, host(66)), UserRoster::Heard::New);
    }

    void lookAlikes_data()
    {
        QTest::addColumn<QString>("other"); // listed besides bob
        QTest::addColumn<bool>("lookAlike");
        QTest::newRow("no-break space at the end") << "bob\u00A0" << true;
        QTest::newRow("soft hyphen inside") << "b\u00ADob" << true;
        QTest::newRow("space at the start") << " bob" << true;
        QTest::newRow("control character") << "bob\x7f" << true;
        QTest::newRow("curly apostrophe, none straight listed") << "o\u2019bob" << false;
        QTest::newRow("other case") << "Bob" << false;
        QTest::newRow("another name") << "bobby" << false;
    }

    void lookAlikes()
    {
        QFETCH(QString, other);
        QFETCH(bool, lookAlike);
        UserRoster roster{kLiveMs};
        roster.hearPresence(u"bob"_s, 0);
        QVERIFY(!roster.isLookAlike(u"bob"_s));
        // A name not listed is judged against the list as well: a message under it.
        QCOMPARE(roster.isLookAlike(other), lookAlike);
        roster.hearPresence(other, 0);
        QCOMPARE(roster.isLookAlike(u"bob"_s) && roster.isLookAlike(other), lookAlike);
        roster.remove(other);
        QVERIFY(!roster.isLookAlike(u"bob"_s));
    }

    void shownName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("shown");
        const QString nbsp(QChar::Nbsp);
        QTest::newRow("inner space, case and accents kept") << "Zoë ÇA" << "Zoë ÇA";
        QTest::newRow("spaces at both ends, a control before the last") << "  al ice\t " << "\u2423\u2423al ice\uFFFD\u2423";
        QTest::newRow("only spaces") << "   " << "\u2423\u2423\u2423";
        QTest::newRow("no-break spaces inside and at the end") << u"al"_s + nbsp + u"ice"_s + nbsp << "al\u237Dice\u237D";
        QTest::newRow("line break, tab, nul, escape, line feed at the end")
            << u"a\r\n\tb"_s + QChar(0) + u"\x1b[31mc\n"_s << "a\uFFFD\uFFFD\uFFFDb\uFFFD\uFFFD[31mc\uFFFD";
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
