#include "cli/commandline.h"
#include "cli/commands.h"
#include "cli/wholist.h"
#include "net/messages.h"
#include "net/station.h"
#include "support/locallan.h"

#include <QBuffer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

namespace {

const QString kSep = QString(wire::kSeparator);

cli::Invocation parsed(const QStringList &words)
{
    const cli::Invocation invocation = cli::parse(QStringList{"quillet"} + words);
    if (invocation.command == cli::Command::Invalid)
        qFatal("refused: %s", qPrintable(invocation.error));
    return invocation;
}

} // namespace

// The commands on the in-process LAN: what say and message put on the wire,
// and nothing more; what who and listen make of what they hear.
class TestCommands final : public QObject
{
    Q_OBJECT
private slots:
    void sends_data();
    void sends();
    void refusesToSendAs_data();
    void refusesToSendAs();
    void whoLists_data();
    void whoLists();
    void whoListsLiveStations();
    void whoListIsBounded();
    void listenPrintsEveryDatagram();
    void listenJsonIsOneObjectPerLine();
};

void TestCommands::sends_data()
{
    QTest::addColumn<QStringList>("words");
    QTest::addColumn<QString>("pattern"); // the one datagram, decoded

    const QString time = QStringLiteral("[0-9][^\\]]*");
    QTest::newRow("say: the Work room") << QStringList{"say", "build", "finished"}
                                        << "1" + kSep + "\\[alice," + time + "\\]> build finished";
    QTest::newRow("say: the Tea room") << QStringList{"say", "--room", "tea", "cake"}
                                       << "2" + kSep + "\\[alice," + time + "\\]> cake";
    QTest::newRow("message") << QStringList{"message", "bob", "hi", "there"}
                             << "6" + kSep + "bob" + kSep + "alice" + kSep + "hi there";
    QTest::newRow("message: line breaks as CR LF, as the window sends them")
        << QStringList{"message", "bob", "one\ntwo\r\nthree"}
        << "6" + kSep + "bob" + kSep + "alice" + kSep + "one\r\ntwo\r\nthree";
}

void TestCommands::sends()
{
    QFETCH(QStringList, words);
    QFETCH(QString, pattern);
    LocalLan lan;
    QString error;
    QCOMPARE(cli::sendOne(*lan.attach(), parsed(words), QStringLiteral("alice"), error), cli::kExitOk);
    QCOMPARE(error, QString());
    // One datagram: no presence before it, no departure after it.
    QCOMPARE(lan.sent().size(), 1);
    const QString sent = *wire::decode(lan.sent().front());
    QVERIFY2(QRegularExpression(QRegularExpression::anchoredPattern(pattern)).match(sent).hasMatch(),
             qPrintable(sent));
    QVERIFY(wire::read(lan.sent().front()));
}

void TestCommands::refusesToSendAs_data()
{
    QTest::addColumn<QString>("userName");
    QTest::newRow("no user name") << QString();
    QTest::newRow("the separator in the user name") << "al" + kSep + "ice";
}

void TestCommands::refusesToSendAs()
{
    QFETCH(QString, userName);
    for (const QStringList &words : {QStringList{"say", "x"}, QStringList{"message", "bob", "x"}}) {
        LocalLan lan;
        QString error;
        QCOMPARE(cli::sendOne(*lan.attach(), parsed(words), userName, error), cli::kExitBadInput);
        QVERIFY(error.contains("USERNAME"));
        QVERIFY(lan.sent().isEmpty());
    }
}

void TestCommands::whoLists_data()
{
    QTest::addColumn<QStringList>("heard");
    QTest::addColumn<QStringList>("lines");

    auto presence = [](const char *name) { return wire::presence(name); };
    auto availability = [](const char *name, int index) { return wire::availability(name, index); };
    QTest::newRow("in order of first presence, available at first")
        << QStringList{presence("bob"), presence("alice"), presence("bob")}
        << QStringList{"bob\tAvailable", "alice\tAvailable"};
    QTest::newRow("availability follows the last one heard")
        << QStringList{presence("bob"), availability("bob", 1), presence("alice"), availability("alice", 1),
                       availability("alice", 0)}
        << QStringList{"bob\tNot Available", "alice\tAvailable"};
    QTest::newRow("availability before any presence is not a station")
        << QStringList{availability("ghost", 1), presence("bob")} << QStringList{"bob\tAvailable"};
    QTest::newRow("a departure takes the station off")
        << QStringList{presence("bob"), presence("carol"), wire::departure("bob")} << QStringList{"carol\tAvailable"};
    QTest::newRow("names compared exactly") << QStringList{presence("bob"), presence("Bob"), availability("BOB", 1)}
                                            << QStringList{"bob\tAvailable", "Bob\tAvailable"};
    QTest::newRow("a name's control characters shown, not run")
        << QStringList{presence("evil\x1b]0;owned\x07")} << QStringList{"evil\\x1b]0;owned\\x07\tAvailable"};
    QTest::newRow("chat, messages and malformed datagrams list nobody")
        << QStringList{wire::workLine("[x,1]> hi"), wire::privateMessage("", "x", "hi"), "3", "10" + kSep + "x",
                       wire::othelloAccept("", "mallory")}
        << QStringList{};
}

void TestCommands::whoLists()
{
    QFETCH(QStringList, heard);
    LocalLan lan;
    LanPort *peer = lan.attach();
    Station listener(*lan.attach());
    WhoList list(listener);
    for (const QString &message : heard)
        peer->send(wire::encode(message));
    const int sent = int(lan.sent().size());
    // Every datagram has arrived once a marker sent after them has.
    QSignalSpy arrived(peer, &DatagramLink::datagramReceived);
    peer->send("marker");
    QTRY_VERIFY(!arrived.isEmpty() && arrived.last().first().toByteArray() == "marker");
    QTEST(list.lines(), "lines");
    // Listening sends nothing, whatever it hears.
    QCOMPARE(lan.sent().size(), sent + 1);
}

void TestCommands::whoListsLiveStations()
{
    LocalLan lan;
    Station alice(*lan.attach());
    Station bob(*lan.attach());
    Station listener(*lan.attach());
    WhoList list(listener);
    alice.start("alice");
    bob.start("bob");
    bob.setAvailability(1);
    QTRY_COMPARE(list.lines(), (QStringList{"alice\tAvailable", "bob\tNot Available"}));
    bob.sendDeparture();
    QTRY_COMPARE(list.lines(), QStringList{"alice\tAvailable"});
}

void TestCommands::whoListIsBounded()
{
    LocalLan lan;
    LanPort *flooder = lan.attach();
    Station listener(*lan.attach());
    WhoList list(listener);
    const int names = WhoList::kMaxStations + 10;
    for (int n = 0; n < names; ++n)
        flooder->send(wire::encode(wire::presence(QStringLiteral("made-up-%1").arg(n))));
    QTRY_VERIFY(list.isFull());
    QTRY_COMPARE(list.lines().size(), WhoList::kMaxStations);
    QCOMPARE(list.lines().front(), QStringLiteral("made-up-0\tAvailable"));
    // A departure makes room again.
    flooder->send(wire::encode(wire::departure("made-up-0")));
    flooder->send(wire::encode(wire::presence("late")));
    QTRY_COMPARE(list.lines().back(), QStringLiteral("late\tAvailable"));
}

void TestCommands::listenPrintsEveryDatagram()
{
    LocalLan lan;
    LanPort *peer = lan.attach();
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    cli::DatagramPrinter printer(*lan.attach(), out, false);
    peer->send(wire::encode(wire::presence("alice")));
    peer->send(QByteArray("\xff\x00\x81", 3));
    peer->send(wire::encode(wire::privateMessage("bob", "alice", "a\r\nb")));
    QTRY_COMPARE(out.data().count('\n'), 3);
    const QStringList lines = QString::fromUtf8(out.data()).split('\n', Qt::SkipEmptyParts);
    const QString from = peer->address().toString();
    const QStringList expected{from + "\tPresence\talice\t", from + "\tUndecodable\tff0081",
                               from + "\tPrivateMessage\tbob\talice\ta\\r\\nb"};
    QCOMPARE(lines.size(), expected.size());
    for (int n = 0; n < lines.size(); ++n) {
        QVERIFY2(QRegularExpression("^\\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d\t").match(lines[n]).hasMatch(),
                 qPrintable(lines[n]));
        QCOMPARE(lines[n].section('\t', 1), expected[n]);
    }
}

void TestCommands::listenJsonIsOneObjectPerLine()
{
    LocalLan lan;
    LanPort *peer = lan.attach();
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    cli::DatagramPrinter printer(*lan.attach(), out, true);
    Station alice(*peer);
    alice.start("alice"); // presence and availability
    peer->send(QByteArray("14\xa7\n{\"", 6));
    QTRY_COMPARE(out.data().count('\n'), 3);
    QStringList names;
    for (const QByteArray &line : out.data().split('\n')) {
        if (line.isEmpty())
            continue;
        QJsonParseError error;
        const QJsonObject object = QJsonDocument::fromJson(line, &error).object();
        QCOMPARE(error.error, QJsonParseError::NoError);
        QCOMPARE(object.value("sender").toString(), peer->address().toString());
        names << object.value("name").toString();
    }
    QCOMPARE(names, (QStringList{"Presence", "Availability", "Undecodable"}));
}

QTEST_GUILESS_MAIN(TestCommands)
#include "test_commands.moc"
