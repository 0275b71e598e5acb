#include "cli/commandline.h"
#include "cli/datagramtext.h"
#include "wire/wire.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QString kSep = QString(wire::kSeparator);
const QString w400 = QString(400, u'w');
const QDateTime kTime(QDate(2024, 5, 6), QTime(14, 3, 27, 45));

// An invocation in a few words: the command, then only what differs from the defaults.
QString described(const cli::Invocation &invocation)
{
    if (invocation.command == cli::Command::Invalid)
        return u"refused: "_s + invocation.error;
    const char *names[] = {"Window", "Help", "Version", "Say", "Who", "Listen", "Message", "Bridge"};
    QString text = QLatin1String(names[int(invocation.command)]);
    if (invocation.command == cli::Command::Bridge)
        return text + u' ' + QStringList{invocation.broker, invocation.topic, invocation.brokerUser,
                                        invocation.passwordFile, invocation.caFile}.join(u' ').trimmed();
    if (invocation.room == Room::Tea)
        text += u" Tea"_s;
    if (!invocation.recipient.isEmpty())
        text += u" to="_s + invocation.recipient;
    if (invocation.waitMs != cli::kWhoDefaultWaitMs)
        text += u" wait="_s + QString::number(invocation.waitMs);
    if (invocation.addresses)
        text += u" addresses"_s;
    if (invocation.json)
        text += u" json"_s;
    return invocation.text.isEmpty() ? text : text + u" text="_s + invocation.text;
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
        QTest::newRow("--help") << QStringList{u"--help"_s} << "Help";
        QTest::newRow("--version") << QStringList{u"--version"_s} << "Version";
        QTest::newRow("a command's --help") << QStringList{u"say"_s, u"--help"_s} << "Help";
        QTest::newRow("say to the Tea room") << QStringList{u"say"_s, u"--room"_s, u"tea"_s, u"x"_s} << "Say Tea text=x";
        QTest::newRow("say: a dash word after --") << QStringList{u"say"_s, u"--"_s, u"-5"_s, u"degrees"_s} << "Say text=-5 degrees";
        QTest::newRow("message: a line break is allowed") << QStringList{u"message"_s, u"bob"_s, u"a\nb"_s}
                                                          << "Message to=bob text=a\nb";
        for (const QStringList &words : {QStringList{u"say"_s}, QStringList{u"message"_s, u"bob"_s}}) {
            const QByteArray name = words.join(u' ').toUtf8();
            const QString said = words.size() == 1 ? u"Say text="_s : u"Message to=bob text="_s;
            QTest::addRow("%s: 400 characters over two words", name.data())
                << words + QStringList{w400.left(200), w400.left(199)} << said + w400.left(200) + u' ' + w400.left(199);
            QTest::addRow("%s without TEXT", name.data()) << words << "refused: TEXT is missing";
            QTest::addRow("%s with an empty TEXT", name.data()) << words + QStringList{u""_s} << "refused: empty";
            QTest::addRow("%s: the separator", name.data()) << words + QStringList{u"a"_s + kSep + u"b"_s} << "refused: \u00a7";
            QTest::addRow("%s: 401 characters over two words", name.data())
                << words + QStringList{w400.left(200), w400.left(200)} << "refused: 401";
        }
        QTest::newRow("who: one period and a margin") << QStringList{u"who"_s} << "Who";
        QTest::newRow("who --wait 3600") << QStringList{u"who"_s, u"--wait=3600"_s} << "Who wait=3600000";
        QTest::newRow("who --addresses") << QStringList{u"who"_s, u"--addresses"_s} << "Who addresses";
        QTest::newRow("listen") << QStringList{u"listen"_s} << "Listen";
        QTest::newRow("listen --json") << QStringList{u"listen"_s, u"--json"_s} << "Listen json";

        QTest::newRow("an unknown option") << QStringList{u"--bogus"_s} << "refused: bogus";
        QTest::newRow("a command's option before the command") << QStringList{u"--room"_s, u"tea"_s, u"say"_s, u"x"_s}
                                                               << "refused: room";
        QTest::newRow("a mistyped command") << QStringList{u"sya"_s, u"hi"_s} << "refused: unknown command \"sya\"";
        QTest::newRow("say: a line break") << QStringList{u"say"_s, u"a\nforged line"_s} << "refused: line break";
        QTest::newRow("say: an unknown room") << QStringList{u"say"_s, u"--room"_s, u"kitchen"_s, u"x"_s} << "refused: kitchen";
        QTest::newRow("message without USER") << QStringList{u"message"_s} << "refused: USER";
        QTest::newRow("message: the separator in USER") << QStringList{u"message"_s, u"b"_s + kSep + u"ob"_s, u"hi"_s}
                                                        << "refused: \u00a7";
        for (const char *wait : {"0", "3601", "ten"})
            QTest::addRow("who --wait %s", wait) << QStringList{u"who"_s, u"--wait"_s, QLatin1String(wait)} << "refused: from 1 to 3600";
        QTest::newRow("who with a word") << QStringList{u"who"_s, u"alice"_s} << "refused: alice";

        QTest::newRow("bridge: the default topic") << QStringList{u"bridge"_s, u"mqtt://broker.lan"_s}
                                                   << "Bridge mqtt://broker.lan quillet";
        QTest::newRow("bridge: TLS, a password and a CA")
            << QStringList{u"bridge"_s, u"mqtts://10.0.0.1:9883"_s, u"--topic"_s, u"site/chat"_s, u"--user"_s, u"a"_s,
                           u"--password-file"_s, u"/p"_s, u"--cafile"_s, u"/ca"_s}
            << "Bridge mqtts://10.0.0.1:9883 site/chat a /p /ca";
        QTest::newRow("bridge without BROKER") << QStringList{u"bridge"_s} << "refused: BROKER is missing";
        for (const char *broker : {"http://b", "mqtt://", "broker.lan", "mqtt://u:p@b", "mqtt://b/path", "mqtt://b:99999"})
            QTest::addRow("bridge to %s", broker) << QStringList{u"bridge"_s, QLatin1String(broker)} << "refused: not a broker";
        for (const char *topic : {"", "a/#", "a/+/b", "a/", "$SYS"})
            QTest::addRow("bridge under the topic \"%s\"", topic)
                << QStringList{u"bridge"_s, u"mqtt://b"_s, u"--topic"_s, QLatin1String(topic)} << "refused: topic";
        QTest::newRow("bridge: a user without a password") << QStringList{u"bridge"_s, u"mqtt://b"_s, u"--user"_s, u"a"_s}
                                                           << "refused: go together";
        QTest::newRow("bridge: a CA without TLS") << QStringList{u"bridge"_s, u"mqtt://b"_s, u"--cafile"_s, u"/ca"_s}
                                                  << "refused: mqtts";
    }

    void parses()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, expected);
        const QString got = described(cli::parse(QStringList{u"quillet"_s} + arguments));
        if (expected.startsWith(u"refused: "_s))
            QVERIFY2(got.startsWith(u"refused: "_s) && got.contains(expected.mid(9)) && !got.contains(u'\n'), qPrintable(got));
        else
            QCOMPARE(got, expected);
    }

    void datagramLine_data()
    {
        QTest::addColumn<QByteArray>("datagram");
        QTest::addColumn<QString>("sender");
        QTest::addColumn<QString>("line"); // after the time and a tab

        QTest::newRow("presence, its trailing empty field kept")
            << wire::encode(u"3"_s + kSep + u"alice"_s + kSep) << "10.0.0.1" << "10.0.0.1\tPresence\talice\t";
        QTest::newRow("the Tea room, Windows-1252 text")
            << QByteArray("2\xa7[b\xe9" "a,1]> 5 \x80") << "10.0.0.2" << "10.0.0.2\tTeaLine\t[béa,1]> 5 €";
        QTest::newRow("a private message's line break escaped")
            << wire::encode(u"6"_s + kSep + u"bob"_s + kSep + u"alice"_s + kSep + u"a\r\nb"_s) << "10.0.0.1"
            << "10.0.0.1\tPrivateMessage\tbob\talice\ta\\r\\nb";
        QTest::newRow("a terminal escape sequence shown, not run")
            << wire::encode(u"1"_s + kSep + u"[x,1]> \x1b[2J\x07"_s) << "10.0.0.3" << "10.0.0.3\tWorkLine\t[x,1]> \\x1b[2J\\x07";
        QTest::newRow("a tab and a backslash") << wire::encode(u"7"_s + kSep + u"a\tb\\n"_s) << "10.0.0.3"
                                               << "10.0.0.3\tDeparture\ta\\tb\\\\n";
        QTest::newRow("an IPv4 sender seen through IPv6") << wire::encode(u"7"_s + kSep + u"bob"_s) << "::ffff:10.0.0.9"
                                                          << "10.0.0.9\tDeparture\tbob";
        QTest::newRow("a byte Windows-1252 leaves undefined") << QByteArray("1\xa7\x81") << "10.0.0.4"
                                                              << "10.0.0.4\tUndecodable\t31a781";
    }

    void datagramLine()
    {
        QFETCH(QByteArray, datagram);
        QFETCH(QString, sender);
        QFETCH(QString, line);
        QCOMPARE(cli::datagramLine(datagram, QHostAddress(sender), kTime), u"14:03:27.045\t"_s + line);
    }

    void datagramJson_data()
    {
        QTest::addColumn<QByteArray>("datagram");
        QTest::addColumn<QJsonObject>("expected"); // all but the time

        QTest::newRow("presence") << wire::encode(u"3"_s + kSep + u"alice"_s + kSep)
                                  << QJsonObject{{u"code"_s, 3}, {u"name"_s, u"Presence"_s}, {u"fields"_s, QJsonArray{u"alice"_s, u""_s}}};
        QTest::newRow("a chat line with control characters, kept exactly")
            << wire::encode(u"2"_s + kSep + u"[x,1]> \"q\"\x1b\n"_s)
            << QJsonObject{{u"code"_s, 2}, {u"name"_s, u"TeaLine"_s}, {u"fields"_s, QJsonArray{u"[x,1]> \"q\"\x1b\n"_s}}};
        QTest::newRow("undecodable") << QByteArray("\x00\xff\x81", 3)
                                     << QJsonObject{{u"name"_s, u"Undecodable"_s}, {u"hex"_s, u"00ff81"_s}};
    }

    void datagramJson()
    {
        QFETCH(QByteArray, datagram);
        QFETCH(QJsonObject, expected);
        const QByteArray json = cli::datagramJson(datagram, QHostAddress(u"192.0.2.7"_s), kTime);
        QVERIFY(!json.contains('\n'));
        QJsonParseError error;
        QJsonObject object = QJsonDocument::fromJson(json, &error).object();
        QCOMPARE(error.error, QJsonParseError::NoError);
        QCOMPARE(QDateTime::fromString(object.take(u"time"_s).toString(), Qt::ISODateWithMs), kTime);
        expected.insert(u"sender"_s, u"192.0.2.7"_s);
        QCOMPARE(object, expected);
    }
};

QTEST_APPLESS_MAIN(TestCommandLine)
#include "test_commandline.moc"
