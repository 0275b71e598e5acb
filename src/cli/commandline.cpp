#include "cli/commandline.h"

#include "bridge/brokeraddress.h"
#include "wire/typedtext.h"
#include "wire/wire.h"

#include <QCommandLineParser>

namespace cli {
namespace {

const QString kProgram = QStringLiteral("quillet");

Invocation invalid(const QString &error)
{
    Invocation invocation;
    invocation.command = Command::Invalid;
    invocation.error = error;
    return invocation;
}

Invocation ofCommand(Command command)
{
    Invocation invocation;
    invocation.command = command;
    return invocation;
}

QCommandLineOption helpOption()
{
    return QCommandLineOption(QStringList{QStringLiteral("h"), QStringLiteral("help")});
}

// Parses one command's words; the parser's errors (unknown option, missing
// value) come back as an Invalid invocation.
std::optional<Invocation> parseInto(QCommandLineParser &parser, const QString &command,
                                    const QStringList &words)
{
    parser.addOption(helpOption());
    if (!parser.parse(QStringList{kProgram + u' ' + command} + words))
        return invalid(command + QStringLiteral(": ") + parser.errorText());
    if (parser.isSet(QStringLiteral("help")))
        return ofCommand(Command::Help);
    return std::nullopt;
}

Invocation parseSay(const QStringList &words)
{
    const QString command = QStringLiteral("say");
    QCommandLineParser parser;
    const QCommandLineOption room(QStringLiteral("room"), QString(), QStringLiteral("room"));
    parser.addOption(room);
    if (auto early = parseInto(parser, command, words))
        return *early;
    Invocation invocation = ofCommand(Command::Say);
    if (parser.isSet(room)) {
        const QString name = parser.value(room).toLower();
        if (name == QLatin1String("work"))
            invocation.room = Room::Work;
        else if (name == QLatin1String("tea"))
            invocation.room = Room::Tea;
        else
            return invalid(QStringLiteral("say: unknown room \"%1\": the rooms are work and tea")
                               .arg(parser.value(room)));
    }
    if (parser.positionalArguments().isEmpty())
        return invalid(QStringLiteral("say: TEXT is missing"));
    invocation.text = parser.positionalArguments().join(u' ');
    if (const QString error = chatTextError(invocation.text); !error.isEmpty())
        return invalid(QStringLiteral("say: ") + error);
    return invocation;
}

Invocation parseMessage(const QStringList &words)
{
    const QString command = QStringLiteral("message");
    QCommandLineParser parser;
    if (auto early = parseInto(parser, command, words))
        return *early;
    QStringList positional = parser.positionalArguments();
    if (positional.isEmpty())
        return invalid(QStringLiteral("message: USER and TEXT are missing"));
    Invocation invocation = ofCommand(Command::Message);
    invocation.recipient = positional.takeFirst();
    if (const QString error = userNameError(invocation.recipient); !error.isEmpty())
        return invalid(QStringLiteral("message: USER: ") + error);
    if (positional.isEmpty())
        return invalid(QStringLiteral("message: TEXT is missing"));
    invocation.text = positional.join(u' ');
    if (const QString error = messageTextError(invocation.text); !error.isEmpty())
        return invalid(QStringLiteral("message: ") + error);
    return invocation;
}

Invocation parseWho(const QStringList &words)
{
    const QString command = QStringLiteral("who");
    QCommandLineParser parser;
    const QCommandLineOption wait(QStringLiteral("wait"), QString(), QStringLiteral("seconds"));
    const QCommandLineOption addresses(QStringLiteral("addresses"));
    parser.addOption(wait);
    parser.addOption(addresses);
    if (auto early = parseInto(parser, command, words))
        return *early;
    if (!parser.positionalArguments().isEmpty())
        return invalid(QStringLiteral("who: unexpected \"%1\"").arg(parser.positionalArguments().constFirst()));
    Invocation invocation = ofCommand(Command::Who);
    invocation.addresses = parser.isSet(addresses);
    if (parser.isSet(wait)) {
        bool ok = false;
        const int seconds = parser.value(wait).toInt(&ok);
        if (!ok || seconds < 1 || seconds > kWhoMaxWaitSeconds)
            return invalid(QStringLiteral("who: --wait takes a whole number of seconds from 1 to %1")
                               .arg(kWhoMaxWaitSeconds));
        invocation.waitMs = seconds * 1000;
    }
    return invocation;
}

Invocation parseListen(const QStringList &words)
{
    const QString command = QStringLiteral("listen");
    QCommandLineParser parser;
    const QCommandLineOption json(QStringLiteral("json"));
    parser.addOption(json);
    if (auto early = parseInto(parser, command, words))
        return *early;
    if (!parser.positionalArguments().isEmpty())
        return invalid(QStringLiteral("listen: unexpected \"%1\"").arg(parser.positionalArguments().constFirst()));
    Invocation invocation = ofCommand(Command::Listen);
    invocation.json = parser.isSet(json);
    return invocation;
}

Invocation parseBridge(const QStringList &words)
{
    const QString command = QStringLiteral("bridge");
    QCommandLineParser parser;
    const QCommandLineOption topic(QStringLiteral("topic"), QString(), QStringLiteral("name"));
    const QCommandLineOption user(QStringLiteral("user"), QString(), QStringLiteral("name"));
    const QCommandLineOption passwordFile(QStringLiteral("password-file"), QString(), QStringLiteral("file"));
    const QCommandLineOption caFile(QStringLiteral("cafile"), QString(), QStringLiteral("file"));
    parser.addOptions({topic, user, passwordFile, caFile});
    if (auto early = parseInto(parser, command, words))
        return *early;
    const QStringList positional = parser.positionalArguments();
    if (positional.isEmpty())
        return invalid(QStringLiteral("bridge: BROKER is missing"));
    if (positional.size() > 1)
        return invalid(QStringLiteral("bridge: unexpected \"%1\"").arg(positional.at(1)));
    const auto address = BrokerAddress::parse(positional.constFirst());
    if (!address)
        return invalid(QStringLiteral("bridge: \"%1\" is not a broker: write mqtt://HOST[:PORT] or mqtts://HOST[:PORT]")
                           .arg(positional.constFirst()));
    Invocation invocation = ofCommand(Command::Bridge);
    invocation.broker = positional.constFirst();
    invocation.topic = parser.isSet(topic) ? parser.value(topic) : QStringLiteral("quillet");
    if (!isBridgeTopic(invocation.topic))
        return invalid(QStringLiteral("bridge: the topic \"%1\" may not be empty, hold + or #, start with $ or end with /")
                           .arg(invocation.topic));
    if (parser.isSet(user) != parser.isSet(passwordFile))
        return invalid(QStringLiteral("bridge: --user and --password-file go together"));
    invocation.brokerUser = parser.value(user);
    invocation.passwordFile = parser.value(passwordFile);
    if (parser.isSet(caFile) && !address->tls)
        return invalid(QStringLiteral("bridge: --cafile is for an mqtts:// broker"));
    invocation.caFile = parser.value(caFile);
    return invocation;
}

QString typedTextError(const QString &text, wire::Lines lines)
{
    switch (wire::typedTextFault(text, lines)) {
    case wire::TypedTextFault::None:
        break;
    case wire::TypedTextFault::Empty:
        return QStringLiteral("the text is empty");
    case wire::TypedTextFault::LineBreak:
        return QStringLiteral("a chat line may not hold a line break");
    case wire::TypedTextFault::Separator:
        return QStringLiteral("the character \u00a7 is not allowed");
    case wire::TypedTextFault::TooLong:
        return QStringLiteral("the text has %1 characters, more than the %2 allowed")
            .arg(text.size())
            .arg(wire::kMaxTypedText);
    }
    return {};
}

} // namespace

Invocation parse(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.addOption(helpOption());
    parser.addOption(QCommandLineOption(QStringList{QStringLiteral("v"), QStringLiteral("version")}));
    // Everything after the command is the command's own.
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    if (!parser.parse(arguments.isEmpty() ? QStringList{kProgram} : arguments))
        return invalid(parser.errorText());
    if (parser.isSet(QStringLiteral("help")))
        return ofCommand(Command::Help);
    if (parser.isSet(QStringLiteral("version")))
        return ofCommand(Command::Version);

    QStringList words = parser.positionalArguments();
    if (words.isEmpty())
        return ofCommand(Command::Window);
    const QString command = words.takeFirst();
    if (command == QLatin1String("say"))
        return parseSay(words);
    if (command == QLatin1String("who"))
        return parseWho(words);
    if (command == QLatin1String("listen"))
        return parseListen(words);
    if (command == QLatin1String("message"))
        return parseMessage(words);
    if (command == QLatin1String("bridge"))
        return parseBridge(words);
    return invalid(QStringLiteral("unknown command \"%1\"").arg(command));
}

QString chatTextError(const QString &text)
{
    return typedTextError(text, wire::Lines::One);
}

QString messageTextError(const QString &text)
{
    return typedTextError(text, wire::Lines::Many);
}

QString userNameError(const QString &name)
{
    if (name.isEmpty())
        return QStringLiteral("the user name is empty");
    if (name.contains(wire::kSeparator))
        return QStringLiteral("the character \u00a7 is not allowed in a user name");
    return {};
}

QString usage()
{
    return QStringLiteral(
        "Usage: quillet [--help | --version]\n"
        "       quillet say [--room work|tea] TEXT...\n"
        "       quillet who [--wait SECONDS] [--addresses]\n"
        "       quillet listen [--json]\n"
        "       quillet message USER TEXT...\n"
        "       quillet bridge BROKER [--topic NAME] [--user NAME --password-file FILE]\n"
        "                             [--cafile FILE]\n"
        "\n"
        "Without a command, quillet opens the station's window and announces you on\n"
        "the local network. The commands need no display and announce nothing:\n"
        "  say      send one chat line to the Work room, or to the one --room names\n"
        "  who      list the stations heard, with their availability; listens %1 s,\n"
        "           or SECONDS; --addresses: and the addresses each is heard from\n"
        "  listen   print every datagram heard, one per line, until interrupted;\n"
        "           --json: one JSON object per line\n"
        "  message  send a private message to USER\n"
        "  bridge   join this segment to others through the MQTT broker BROKER\n"
        "           (mqtt://HOST[:PORT] or mqtts://HOST[:PORT]), under the topic NAME\n"
        "           (default quillet), until stopped\n"
        "\n"
        "Options:\n"
        "  -h, --help     print this help and exit\n"
        "  -v, --version  print the version and exit\n")
        .arg(kWhoDefaultWaitMs / 1000);
}

QString versionText()
{
    return kProgram + u' ' + QStringLiteral(QUILLET_VERSION) + u'\n';
}

} // namespace cli
