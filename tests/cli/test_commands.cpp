#include "cli/commandline.h"
#include "cli/commands.h"
#include "cli/wholist.h"
#include "station/station.h"
#include "support/heard.h"
#include "wire/messages.h"

#include <QRegularExpression>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
const QString kSep = QString(wire::kSeparator);
}

// The commands on the in-process LAN: what say and message put on the wire,
// and nothing more; what who makes of what it hears. How listen shows each
// datagram is test_commandline's, and that it shows all of them e2e-cli's.
class TestCommands final : public QObject
{
    Q_OBJECT
private slots:
    void sends_data()
    {
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<QString>("userName");
        QTest::addColumn<QString>("pattern"); // the one datagram, decoded; empty: refused, nothing sent

        const QString time = QStringLiteral("[0-9][^\\]]*");
        QTest::newRow("say: the Work room") << QStringList{u"say"_s, u"build"_s, u"finished"_s} << "alice"
                                            << u"1"_s + kSep + u"\\[alice,"_s + time + u"\\]> build finished"_s;
        QTest::newRow("say: the Tea room") << QStringList{u"say"_s, u"--room"_s, u"tea"_s, u"cake"_s} << "alice"
                                           << u"2"_s + kSep + u"\\[alice,"_s + time + u"\\]> cake"_s;
        QTest::newRow("message: line breaks as CR LF, as the window sends them")
            << QStringList{u"message"_s, u"bob"_s, u"one\ntwo\r\nthree"_s} << "alice"
            << u"6"_s + kSep + u"bob"_s + kSep + u"alice"_s + kSep + u"one\r\ntwo\r\nthree"_s;
        QTest::newRow("say: no user name") << QStringList{u"say"_s, u"x"_s} << QString() << QString();
        QTest::newRow("message: the separator in the user name") << QStringList{u"message"_s, u"bob"_s, u"x"_s}
                                                                 << u"al"_s + kSep + u"ice"_s << QString();
    }

    void sends()
    {
        QFETCH(QStringList, words);
        QFETCH(QString, userName);
        QFETCH(QString, pattern);
        LocalLan lan;
        QString error;
        const cli::Invocation invocation = cli::parse(QStringList{u"quillet"_s} + words);
        const int status = cli::sendOne(*lan.attach(), invocation, userName, error);
        if (pattern.isEmpty()) {
            QCOMPARE(status, cli::kExitBadInput);
            QVERIFY(error.contains(u"USERNAME"_s));
            QVERIFY(lan.sent().isEmpty());
            return;
        }
        QCOMPARE(status, cli::kExitOk);
        QCOMPARE(error, QString());
        // One datagram: no presence before it, no departure after it.
        QCOMPARE(lan.sent().size(), 1);
        const QString sent = *wire::decode(lan.sent().front());
        QVERIFY2(QRegularExpression(QRegularExpression::anchoredPattern(pattern)).match(sent).hasMatch(),
                 qPrintable(sent));
        QVERIFY(wire::read(lan.sent().front()));
    }

    void whoLists_data()
    {
        QTest::addColumn<QStringList>("heard");
        QTest::addColumn<QStringList>("lines");

        using namespace wire;
        QTest::newRow("in order of first presence, names compared exactly, available at first")
            << QStringList{presence(u"bob"_s), presence(u"Bob"_s), presence(u"bob"_s), availability(u"BOB"_s, 1)}
            << QStringList{u"bob\tAvailable"_s, u"Bob\tAvailable"_s};
        QTest::newRow("availability: the last one heard, none before a presence")
            << QStringList{availability(u"ghost"_s, 1), presence(u"bob"_s), availability(u"bob"_s, 1), presence(u"alice"_s),
                           availability(u"alice"_s, 1), availability(u"alice"_s, 0)}
            << QStringList{u"bob\tNot Available"_s, u"alice\tAvailable"_s};
        QTest::newRow("a name's control characters shown, not run")
            << QStringList{presence(u"evil\x1b]0;owned\x07"_s)} << QStringList{u"evil\\x1b]0;owned\\x07\tAvailable"_s};
        QTest::newRow("chat, messages and malformed datagrams list nobody")
            << QStringList{workLine(u"[x,1]> hi"_s), privateMessage(u""_s, u"x"_s, u"hi"_s), u"3"_s, u"10"_s + kSep + u"x"_s,
                           othelloAccept(u""_s, u"mallory"_s)}
            << QStringList{};
    }

    void whoLists()
    {
        QFETCH(QStringList, heard);
        LocalLan lan;
        LanPort *peer = lan.attach();
        Station listener(*lan.attach());
        WhoList list(listener);
        for (const QString &message : heard)
            peer->send(wire::encode(message));
        const int sent = int(lan.sent().size());
        sendFrom(*peer, "marker"); // every datagram has arrived once this one has
        QTEST(list.lines(), "lines");
        // With where each name is heard from: one address here, shared when it speaks for several names.
        const int names = listener.users().size();
        const QString heardFrom = peer->address().toString() + (names > 1 ? u" (for %1 names)"_s.arg(names) : u""_s);
        for (const QString &line : list.lines(true))
            QCOMPARE(line.section(u'\t', 2), heardFrom);
        // Listening sends nothing, whatever it hears.
        QCOMPARE(lan.sent().size(), sent + 1);
    }

    void whoListIsBounded()
    {
        LocalLan lan;
        // Several hosts, for one fills only its share of the station's roster.
        QList<LanPort *> flooders;
        Station listener(*lan.attach());
        WhoList list(listener);
        const int names = WhoList::kMaxStations + 10;
        while (flooders.size() * UserRoster::kMaxNamesPerAddress < names)
            flooders << lan.attach();
        LanPort *flooder = flooders.front();
        for (int n = 0; n < names; ++n)
            flooders[n / UserRoster::kMaxNamesPerAddress]->send(wire::encode(wire::presence(QStringLiteral("made-up-%1").arg(n))));
        QTRY_VERIFY(list.isFull());
        QTRY_COMPARE(list.lines().size(), WhoList::kMaxStations);
        QCOMPARE(list.lines().front(), QStringLiteral("made-up-0\tAvailable"));
        // A departure makes room again.
        flooder->send(wire::encode(wire::departure(u"made-up-0"_s)));
        flooder->send(wire::encode(wire::presence(u"late"_s)));
        QTRY_COMPARE(list.lines().back(), QStringLiteral("late\tAvailable"));
    }
};

QTEST_GUILESS_MAIN(TestCommands)
#include "test_commands.moc"
