#include "cli/commandline.h"
#include "cli/datagramtext.h"
#include "wire/wire.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

namespace {

const QString kSep = QString(wire::kSeparator);
const QString w400 = QString(400, u'w');
const QDateTime kTime(QDate(2024, 5, 6), QTime(14, 3, 27, 45));

// An invocation in a few words: the command, then only what differs from the defaults.
QString described(const cli::Invocation &invocation)
{
    if (invocation.command == cli::Command::Invalid)
        return "refused: " + invocation.error;
    const char *names[] = {"Window", "Help", "Version", "Say", "Who", "Listen", "Message", "Bridge"};
    QString text = names[int(invocation.command)];
    if (invocation.command == cli::Command::Bridge)
        return text + ' ' + QStringList{invocation.broker, invocation.topic, invocation.brokerUser,
                                        invocation.passwordFile, invocation.caFile}.join(' ').trimmed();
    if (invocation.room == Room::Tea)
        text += " Tea";
    if (!invocation.recipient.isEmpty())
        text += " to=" + invocation.recipient;
    if (invocation.waitMs != cli::kWhoDefaultWaitMs)
        text += " wait=" + QString::number(invocation.waitMs);
    if (invocation.addresses)
        text += " addresses";
    if (invocation.json)
        text += " json";
    return invocation.text.isEmpty() ? text : text + " text=" + invocation.text;
}

} // namespace

// What each command line asks for, and every way it can be refused, without
// a socket; and how listen shows a datagram.
class TestCommandLine final : public QObject
{
    Q_OBJECT
private slots:
    void parses_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("expected"); // for a refusal, a part of the error

        QTest::newRow("nothing: the window") << QStringList{} << "Window";
        QTest::newRow("--help") << QStringList{"--help"} << "Help";
        QTest::newRow("--version") << QStringList{"--version"} << "Version";
        QTest::newRow("a command's --help") << QStringList{"say", "--help"} << "Help";
        QTest::newRow("say to the Tea room") << QStringList{"say", "--room", "tea", "x"} << "Say Tea text=x";
        QTest::newRow("say: a dash word after --") << QStringList{"say", "--", "-5", "degrees"} << "Say text=-5 degrees";
        QTest::newRow("message: a line break is allowed") << QStringList{"message", "bob", "a\nb"}
                                                          << "Message to=bob text=a\nb";
        for (const QStringList &words : {QStringList{"say"}, QStringList{"message", "bob"}}) {
            const QByteArray name = words.join(' ').toUtf8();
            const QString said = words.size() == 1 ? "Say text=" : "Message to=bob text=";
            QTest::addRow("%s: 400 characters over two words", name.data())
                << words + QStringList{w400.left(200), w400.left(199)} << said + w400.left(200) + ' ' + w400.left(199);
            QTest::addRow("%s without TEXT", name.data()) << words << "refused: TEXT is missing";
            QTest::addRow("%s with an empty TEXT", name.data()) << words + QStringList{""} << "refused: empty";
            QTest::addRow("%s: the separator", name.data()) << words + QStringList{"a" + kSep + "b"} << "refused: \u00a7";
            QTest::addRow("%s: 401 characters over two words", name.data())
                << words + QStringList{w400.left(200), w400.left(200)} << "refused: 401";
        }
        QTest::newRow("who: one period and a margin") << QStringList{"who"} << "Who";
        QTest::newRow("who --wait 3600") << QStringList{"who", "--wait=3600"} << "Who wait=3600000";
        QTest::newRow("who --addresses") << QStringList{"who", "--addresses"} << "Who addresses";
        QTest::newRow("listen") << QStringList{"listen"} << "Listen";
        QTest::newRow("listen --json") << QStringList{"listen", "--json"} << "Listen json";

        QTest::newRow("an unknown option") << QStringList{"--bogus"} << "refused: bogus";
        QTest::newRow("a command's option before the command") << QStringList{"--room", "tea", "say", "x"}
                                                               << "refused: room";
        QTest::newRow("a mistyped command") << QStringList{"sya", "hi"} << "refused: unknown command \"sya\"";
        QTest::newRow("say: a line break") << QStringList{"say", "a\nforged line"} << "refused: line break";
        QTest::newRow("say: an unknown room") << QStringList{"say", "--room", "kitchen", "x"} << "refused: kitchen";
        QTest::newRow("message without USER") << QStringList{"message"} << "refused: USER";
        QTest::newRow("message: the separator in USER") << QStringList{"message", "b" + kSep + "ob", "hi"}
                                                        << "refused: \u00a7";
        for (const char *wait : {"0", "3601", "ten"})
            QTest::addRow("who --wait %s", wait) << QStringList{"who", "--wait", wait} << "refused: from 1 to 3600";
        QTest::newRow("who with a word") << QStringList{"who", "alice"} << "refused: alice";

        QTest::newRow("bridge: the default topic") << QStringList{"bridge", "mqtt://broker.lan"}
                                                   << "Bridge mqtt://broker.lan quillet";
        QTest::newRow("bridge: TLS, a password and a CA")
            << QStringList{"bridge", "mqtts://10.0.0.1:9883", "--topic", "site/chat", "--user", "a",
                           "--password-file", "/p", "--cafile", "/ca"}
            << "Bridge mqtts://10.0.0.1:9883 site/chat a /p /ca";
        QTest::newRow("bridge without BROKER") << QStringList{"bridge"} << "refused: BROKER is missing";
        for (const char *broker : {"http://b", "mqtt://", "broker.lan", "mqtt://u:p@b", "mqtt://b/path", "mqtt://b:99999"})
            QTest::addRow("bridge to %s", broker) << QStringList{"bridge", broker} << "refused: not a broker";
        for (const char *topic : {"", "a/#", "a/+/b", "a/", "$SYS"})
            QTest::addRow("bridge under the topic \"%s\"", topic)
                << QStringList{"bridge", "mqtt://b", "--topic", topic} << "refused: topic";
        QTest::newRow("bridge: a user without a password") << QStringList{"bridge", "mqtt://b", "--user", "a"}
                                                           << "refused: go together";
        QTest::newRow("bridge: a CA without TLS") << QStringList{"bridge", "mqtt://b", "--cafile", "/ca"}
                                                  << "refused: mqtts";
    }

    void parses()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, expected);
        const QString got = described(cli::parse(QStringList{"quillet"} + arguments));
        if (expected.startsWith("refused: "))
            QVERIFY2(got.startsWith("refused: ") && got.contains(expected.mid(9)) && !got.contains(u'\n'), qPrintable(got));
        else
            QCOMPARE(got, expected);
    }

    void datagramLine_data()
    {
        QTest::addColumn<QByteArray>("datagram");
        QTest::addColumn<QString>("sender");
        QTest::addColumn<QString>("line"); // after the time and a tab

        QTest::newRow("presence, its trailing empty field kept")
            << wire::encode("3" + kSep + "alice" + kSep) << "10.0.0.1" << "10.0.0.1\tPresence\talice\t";
        QTest::newRow("the Tea room, Windows-1252 text")
            << QByteArray("2\xa7[b\xe9" "a,1]> 5 \x80") << "10.0.0.2" << "10.0.0.2\tTeaLine\t[béa,1]> 5 €";
        QTest::newRow("a private message's line break escaped")
            << wire::encode("6" + kSep + "bob" + kSep + "alice" + kSep + "a\r\nb") << "10.0.0.1"
            << "10.0.0.1\tPrivateMessage\tbob\talice\ta\\r\\nb";
        QTest::newRow("a terminal escape sequence shown, not run")
            << wire::encode("1" + kSep + "[x,1]> \x1b[2J\x07") << "10.0.0.3" << "10.0.0.3\tWorkLine\t[x,1]> \\x1b[2J\\x07";
        QTest::newRow("a tab and a backslash") << wire::encode("7" + kSep + "a\tb\\n") << "10.0.0.3"
                                               << "10.0.0.3\tDeparture\ta\\tb\\\\n";
        QTest::newRow("an IPv4 sender seen through IPv6") << wire::encode("7" + kSep + "bob") << "::ffff:10.0.0.9"
                                                          << "10.0.0.9\tDeparture\tbob";
        QTest::newRow("a byte Windows-1252 leaves undefined") << QByteArray("1\xa7\x81") << "10.0.0.4"
                                                              << "10.0.0.4\tUndecodable\t31a781";
    }

    void datagramLine()
    {
        QFETCH(QByteArray, datagram);
        QFETCH(QString, sender);
        QFETCH(QString, line);
        QCOMPARE(cli::datagramLine(datagram, QHostAddress(sender), kTime), "14:03:27.045\t" + line);
    }

    void datagramJson_data()
    {
        QTest::addColumn<QByteArray>("datagram");
        QTest::addColumn<QJsonObject>("expected"); // all but the time

        QTest::newRow("presence") << wire::encode("3" + kSep + "alice" + kSep)
                                  << QJsonObject{{"code", 3}, {"name", "Presence"}, {"fields", QJsonArray{"alice", ""}}};
        QTest::newRow("a chat line with control characters, kept exactly")
            << wire::encode("2" + kSep + "[x,1]> \"q\"\x1b\n")
            << QJsonObject{{"code", 2}, {"name", "TeaLine"}, {"fields", QJsonArray{"[x,1]> \"q\"\x1b\n"}}};
        QTest::newRow("undecodable") << QByteArray("\x00\xff\x81", 3)
                                     << QJsonObject{{"name", "Undecodable"}, {"hex", "00ff81"}};
    }

    void datagramJson()
    {
        QFETCH(QByteArray, datagram);
        QFETCH(QJsonObject, expected);
        const QByteArray json = cli::datagramJson(datagram, QHostAddress("192.0.2.7"), kTime);
        QVERIFY(!json.contains('\n'));
        QJsonParseError error;
        QJsonObject object = QJsonDocument::fromJson(json, &error).object();
        QCOMPARE(error.error, QJsonParseError::NoError);
        QCOMPARE(QDateTime::fromString(object.take("time").toString(), Qt::ISODateWithMs), kTime);
        expected.insert("sender", "192.0.2.7");
        QCOMPARE(object, expected);
    }
};

QTEST_APPLESS_MAIN(TestCommandLine)
#include "test_commandline.moc"
