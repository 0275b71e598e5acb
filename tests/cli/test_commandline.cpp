#include "cli/commandline.h"
#include "cli/datagramtext.h"
#include "net/wire.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

using cli::Command;

Q_DECLARE_METATYPE(Command)
Q_DECLARE_METATYPE(Room)

namespace {

const QString kSep = QString(wire::kSeparator);

QByteArray bytes(const QString &text)
{
    return wire::encode(text);
}

} // namespace

// What each command line asks for, and every way it can be refused, without
// a socket; and how listen shows a datagram.
class TestCommandLine final : public QObject
{
    Q_OBJECT
private slots:
    void parses_data();
    void parses();
    void refuses_data();
    void refuses();
    void usageNamesEveryCommand();
    void datagramLine_data();
    void datagramLine();
    void datagramJson_data();
    void datagramJson();
};

void TestCommandLine::parses_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<Command>("command");
    QTest::addColumn<Room>("room");
    QTest::addColumn<QString>("recipient");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("waitMs");
    QTest::addColumn<bool>("json");

    const QString w400 = QString(400, u'w');
    const int period = cli::kWhoDefaultWaitMs;
    QTest::newRow("nothing: the window") << QStringList{} << Command::Window << Room::Work << "" << "" << period << false;
    QTest::newRow("--help") << QStringList{"--help"} << Command::Help << Room::Work << "" << "" << period << false;
    QTest::newRow("-h") << QStringList{"-h"} << Command::Help << Room::Work << "" << "" << period << false;
    QTest::newRow("--version") << QStringList{"--version"} << Command::Version << Room::Work << "" << "" << period << false;
    QTest::newRow("-v") << QStringList{"-v"} << Command::Version << Room::Work << "" << "" << period << false;
    QTest::newRow("--version before a command") << QStringList{"--version", "say", "x"} << Command::Version
                                                << Room::Work << "" << "" << period << false;
    QTest::newRow("a command's --help") << QStringList{"say", "--help"} << Command::Help << Room::Work << "" << ""
                                        << period << false;
    QTest::newRow("say: words joined by spaces") << QStringList{"say", "build", "finished"} << Command::Say
                                                 << Room::Work << "" << "build finished" << period << false;
    QTest::newRow("say to the Tea room") << QStringList{"say", "--room", "tea", "x"} << Command::Say << Room::Tea
                                         << "" << "x" << period << false;
    QTest::newRow("say --room=Work, any case") << QStringList{"say", "--room=Work", "x"} << Command::Say
                                               << Room::Work << "" << "x" << period << false;
    QTest::newRow("say: the room after the text") << QStringList{"say", "x", "--room", "tea"} << Command::Say
                                                  << Room::Tea << "" << "x" << period << false;
    QTest::newRow("say: a dash word after --") << QStringList{"say", "--", "-5", "degrees"} << Command::Say
                                               << Room::Work << "" << "-5 degrees" << period << false;
    QTest::newRow("say: 400 characters") << QStringList{"say", w400} << Command::Say << Room::Work << "" << w400
                                         << period << false;
    QTest::newRow("say: 400 characters over two words")
        << QStringList{"say", w400.left(200), w400.left(199)} << Command::Say << Room::Work << ""
        << w400.left(200) + ' ' + w400.left(199) << period << false;
    QTest::newRow("say: a character outside Windows-1252 goes as the window sends it")
        << QStringList{"say", "日本"} << Command::Say << Room::Work << "" << "日本" << period << false;
    QTest::newRow("message") << QStringList{"message", "bob", "hi", "there"} << Command::Message << Room::Work
                             << "bob" << "hi there" << period << false;
    QTest::newRow("message: a line break is allowed") << QStringList{"message", "bob", "a\nb"} << Command::Message
                                                      << Room::Work << "bob" << "a\nb" << period << false;
    QTest::newRow("message: 400 characters") << QStringList{"message", "bob", w400} << Command::Message
                                             << Room::Work << "bob" << w400 << period << false;
    QTest::newRow("who: one period and a margin") << QStringList{"who"} << Command::Who << Room::Work << "" << ""
                                                  << period << false;
    QTest::newRow("who --wait 2") << QStringList{"who", "--wait", "2"} << Command::Who << Room::Work << "" << ""
                                  << 2000 << false;
    QTest::newRow("who --wait 3600") << QStringList{"who", "--wait=3600"} << Command::Who << Room::Work << "" << ""
                                     << 3600000 << false;
    QTest::newRow("listen") << QStringList{"listen"} << Command::Listen << Room::Work << "" << "" << period << false;
    QTest::newRow("listen --json") << QStringList{"listen", "--json"} << Command::Listen << Room::Work << "" << ""
                                   << period << true;
}

void TestCommandLine::parses()
{
    QFETCH(QStringList, arguments);
    const cli::Invocation invocation = cli::parse(QStringList{"quillet"} + arguments);
    QCOMPARE(invocation.error, QString());
    QTEST(invocation.command, "command");
    QTEST(invocation.room, "room");
    QTEST(invocation.recipient, "recipient");
    QTEST(invocation.text, "text");
    QTEST(invocation.waitMs, "waitMs");
    QTEST(invocation.json, "json");
}

void TestCommandLine::refuses_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("said"); // a part of the error

    const QString w400 = QString(400, u'w');
    QTest::newRow("an unknown option") << QStringList{"--bogus"} << "bogus";
    QTest::newRow("an unknown short option") << QStringList{"-x"} << "'x'";
    QTest::newRow("a command's option before the command") << QStringList{"--room", "tea", "say", "x"} << "room";
    QTest::newRow("a mistyped command") << QStringList{"sya", "hi"} << "unknown command \"sya\"";
    QTest::newRow("a stray word") << QStringList{"hello"} << "unknown command \"hello\"";
    QTest::newRow("say without TEXT") << QStringList{"say"} << "TEXT is missing";
    QTest::newRow("say with an empty TEXT") << QStringList{"say", ""} << "empty";
    QTest::newRow("say: only a room") << QStringList{"say", "--room", "tea"} << "TEXT is missing";
    QTest::newRow("say: the separator") << QStringList{"say", "a" + kSep + "b"} << "\u00a7";
    QTest::newRow("say: 401 characters") << QStringList{"say", w400 + 'x'} << "401";
    QTest::newRow("say: 401 characters over two words") << QStringList{"say", w400.left(200), w400.left(200)}
                                                        << "401";
    QTest::newRow("say: a line break") << QStringList{"say", "a\nforged line"} << "line break";
    QTest::newRow("say: a carriage return") << QStringList{"say", "a\rb"} << "line break";
    QTest::newRow("say: an unknown room") << QStringList{"say", "--room", "kitchen", "x"} << "kitchen";
    QTest::newRow("say: --room without a room") << QStringList{"say", "--room"} << "room";
    QTest::newRow("say: an unknown option") << QStringList{"say", "--loud", "x"} << "loud";
    QTest::newRow("message without USER") << QStringList{"message"} << "USER";
    QTest::newRow("message without TEXT") << QStringList{"message", "bob"} << "TEXT is missing";
    QTest::newRow("message to an empty USER") << QStringList{"message", "", "hi"} << "empty";
    QTest::newRow("message: the separator in USER") << QStringList{"message", "b" + kSep + "ob", "hi"} << "\u00a7";
    QTest::newRow("message: the separator in TEXT") << QStringList{"message", "bob", kSep} << "\u00a7";
    QTest::newRow("message: 401 characters") << QStringList{"message", "bob", w400 + 'x'} << "401";
    QTest::newRow("who --wait 0") << QStringList{"who", "--wait", "0"} << "from 1 to 3600";
    QTest::newRow("who --wait 3601") << QStringList{"who", "--wait", "3601"} << "from 1 to 3600";
    QTest::newRow("who --wait in words") << QStringList{"who", "--wait", "ten"} << "from 1 to 3600";
    QTest::newRow("who --wait -5") << QStringList{"who", "--wait", "-5"} << "from 1 to 3600";
    QTest::newRow("who --wait without a value") << QStringList{"who", "--wait"} << "wait";
    QTest::newRow("who with a word") << QStringList{"who", "alice"} << "alice";
    QTest::newRow("listen with a word") << QStringList{"listen", "loudly"} << "loudly";
    QTest::newRow("listen --jsn") << QStringList{"listen", "--jsn"} << "jsn";
}

void TestCommandLine::refuses()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, said);
    const cli::Invocation invocation = cli::parse(QStringList{"quillet"} + arguments);
    QCOMPARE(invocation.command, Command::Invalid);
    QVERIFY2(invocation.error.contains(said), qPrintable(invocation.error));
    QVERIFY(!invocation.error.contains(u'\n'));
}

void TestCommandLine::usageNamesEveryCommand()
{
    const QString usage = cli::usage();
    for (const char *word : {"--help", "--version", "say [--room work|tea] TEXT...", "who [--wait SECONDS]",
                             "listen [--json]", "message USER TEXT..."})
        QVERIFY2(usage.contains(QLatin1String(word)), word);
    QCOMPARE(cli::versionText(), QStringLiteral("quillet 1.04\n"));
}

void TestCommandLine::datagramLine_data()
{
    QTest::addColumn<QByteArray>("datagram");
    QTest::addColumn<QString>("sender");
    QTest::addColumn<QString>("line"); // after the time and a tab

    QTest::newRow("presence, its trailing empty field kept")
        << bytes("3" + kSep + "alice" + kSep) << "10.0.0.1" << "10.0.0.1\tPresence\talice\t";
    QTest::newRow("a chat line") << bytes("1" + kSep + "[alice,12:00:00]> hello") << "10.0.0.1"
                                 << "10.0.0.1\tWorkLine\t[alice,12:00:00]> hello";
    QTest::newRow("the Tea room, Windows-1252 text")
        << QByteArray("2\xa7[b\xe9" "a,1]> 5 \x80") << "10.0.0.2" << "10.0.0.2\tTeaLine\t[béa,1]> 5 €";
    QTest::newRow("availability") << bytes("10" + kSep + "bob" + kSep + "1" + kSep) << "10.0.0.2"
                                  << "10.0.0.2\tAvailability\tbob\t1\t";
    QTest::newRow("a private message's line break escaped")
        << bytes("6" + kSep + "bob" + kSep + "alice" + kSep + "a\r\nb") << "10.0.0.1"
        << "10.0.0.1\tPrivateMessage\tbob\talice\ta\\r\\nb";
    QTest::newRow("a terminal escape sequence shown, not run")
        << bytes("1" + kSep + "[x,1]> \x1b[2J\x07") << "10.0.0.3" << "10.0.0.3\tWorkLine\t[x,1]> \\x1b[2J\\x07";
    QTest::newRow("a tab and a backslash") << bytes("7" + kSep + "a\tb\\n") << "10.0.0.3"
                                           << "10.0.0.3\tDeparture\ta\\tb\\\\n";
    QTest::newRow("an IPv4 sender seen through IPv6") << bytes("7" + kSep + "bob") << "::ffff:10.0.0.9"
                                                      << "10.0.0.9\tDeparture\tbob";
    QTest::newRow("an unknown code") << bytes("14" + kSep + "x") << "10.0.0.4" << "10.0.0.4\tUndecodable\t3134a778";
    QTest::newRow("a byte Windows-1252 leaves undefined") << QByteArray("1\xa7\x81") << "10.0.0.4"
                                                          << "10.0.0.4\tUndecodable\t31a781";
    QTest::newRow("availability out of range") << bytes("10" + kSep + "bob" + kSep + "2" + kSep) << "10.0.0.4"
                                               << "10.0.0.4\tUndecodable\t3130a7626f62a732a7";
    QTest::newRow("a field missing") << bytes("6" + kSep + "bob") << "10.0.0.4" << "10.0.0.4\tUndecodable\t36a7626f62";
    QTest::newRow("nothing at all") << QByteArray() << "10.0.0.4" << "10.0.0.4\tUndecodable\t";
}

void TestCommandLine::datagramLine()
{
    QFETCH(QByteArray, datagram);
    QFETCH(QString, sender);
    QFETCH(QString, line);
    const QDateTime time(QDate(2024, 5, 6), QTime(14, 3, 27, 45));
    QCOMPARE(cli::datagramLine(datagram, QHostAddress(sender), time), "14:03:27.045\t" + line);
}

void TestCommandLine::datagramJson_data()
{
    QTest::addColumn<QByteArray>("datagram");
    QTest::addColumn<int>("code");       // 0: undecodable
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QString>("hex");

    QTest::newRow("presence") << bytes("3" + kSep + "alice" + kSep) << 3 << "Presence" << QStringList{"alice", ""}
                              << "";
    QTest::newRow("a chat line with control characters, kept exactly")
        << bytes("2" + kSep + "[x,1]> \"q\"\x1b\n") << 2 << "TeaLine" << QStringList{"[x,1]> \"q\"\x1b\n"} << "";
    QTest::newRow("an Othello board") << bytes("13" + kSep + "bob" + kSep + QString("0" + kSep).repeated(64) + "1"
                                               + kSep + "4" + kSep)
                                      << 13 << "OthelloBoard"
                                      << QStringList{"bob"} + QStringList(64, "0") + QStringList{"1", "4", ""} << "";
    QTest::newRow("undecodable") << QByteArray("\x00\xff\x81", 3) << 0 << "Undecodable" << QStringList{}
                                 << "00ff81";
}

void TestCommandLine::datagramJson()
{
    QFETCH(QByteArray, datagram);
    QFETCH(int, code);
    QFETCH(QString, name);
    QFETCH(QStringList, fields);
    QFETCH(QString, hex);
    const QDateTime time(QDate(2024, 5, 6), QTime(14, 3, 27, 45));
    const QByteArray json = cli::datagramJson(datagram, QHostAddress("192.0.2.7"), time);
    QVERIFY(!json.contains('\n'));
    QJsonParseError error;
    const QJsonObject object = QJsonDocument::fromJson(json, &error).object();
    QCOMPARE(error.error, QJsonParseError::NoError);
    QCOMPARE(QDateTime::fromString(object.value("time").toString(), Qt::ISODateWithMs), time);
    QCOMPARE(object.value("sender").toString(), QStringLiteral("192.0.2.7"));
    QCOMPARE(object.value("name").toString(), name);
    if (code == 0) {
        QCOMPARE(object.value("hex").toString(), hex);
        QVERIFY(!object.contains("fields"));
    } else {
        QCOMPARE(object.value("code").toInt(), code);
        QCOMPARE(object.value("fields").toVariant().toStringList(), fields);
    }
}

QTEST_APPLESS_MAIN(TestCommandLine)
#include "test_commandline.moc"
