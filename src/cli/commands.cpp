#include "cli/commands.h"

#include "cli/bridgecommand.h"
#include "cli/datagramtext.h"
#include "cli/wholist.h"
#include "station/quitsignals.h"
#include "station/station.h"
#include "station/udplink.h"
#include "wire/typedtext.h"
#include "wire/wire.h"
#include "settings/preferences.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QTimer>

#include <cstdio>
#include <unistd.h>

namespace cli {
namespace {

void write(FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stream);
    std::fflush(stream);
}

void complain(const QString &text)
{
    write(stderr, QStringLiteral("quillet: ") + text + u'\n');
}

// Binds the chat port shared, as a station does, so a running window station
// on the same computer keeps hearing everything.
bool listenOn(UdpLink &link)
{
    if (link.bind(wire::kPort))
        return true;
    complain(QStringLiteral("cannot listen on UDP port %1: %2").arg(wire::kPort).arg(link.errorString()));
    return false;
}

int send(const Invocation &invocation)
{
    UdpLink link;
    // Sending needs no receiving socket: say and message work even where
    // another program holds the chat port.
    link.setPort(wire::kPort);
    QString error;
    const int status = sendOne(link, invocation, stationUserName(Preferences::load().name), error);
    if (status != kExitOk) {
        complain(error);
        return status;
    }
    // The link has said why on the standard error.
    return link.lastSendOk() ? kExitOk : kExitFailed;
}

int who(const Invocation &invocation)
{
    UdpLink link;
    if (!listenOn(link))
        return kExitFailed;
    Station station(link);
    WhoList list(station);
    QuitSignals quitSignals;
    QObject::connect(&quitSignals, &QuitSignals::quitRequested, qApp, &QCoreApplication::quit);
    QTimer::singleShot(invocation.waitMs, qApp, &QCoreApplication::quit);
    QCoreApplication::exec();
    for (const QString &line : list.lines(invocation.addresses))
        write(stdout, line + u'\n');
    if (list.isFull())
        complain(QStringLiteral("more stations were heard than the %1 listed").arg(WhoList::kMaxStations));
    return kExitOk;
}

int listen(const Invocation &invocation)
{
    UdpLink link;
    if (!listenOn(link))
        return kExitFailed;
    // On the descriptor, not the C stream: each line goes out as it is
    // written, so a pipe or a file sees it at once.
    QFile out;
    if (!out.open(STDOUT_FILENO, QIODevice::WriteOnly | QIODevice::Unbuffered))
        return kExitFailed;
    DatagramPrinter printer(link, out, invocation.json);
    QuitSignals quitSignals;
    QObject::connect(&quitSignals, &QuitSignals::quitRequested, qApp, &QCoreApplication::quit);
    QCoreApplication::exec();
    return kExitOk;
}

} // namespace

int run(const Invocation &invocation)
{
    switch (invocation.command) {
    case Command::Window:
        break;
    case Command::Help:
        write(stdout, usage());
        return kExitOk;
    case Command::Version:
        write(stdout, versionText());
        return kExitOk;
    case Command::Invalid:
        complain(invocation.error);
        write(stderr, u'\n' + usage());
        return kExitBadInput;
    case Command::Say:
    case Command::Message:
        return send(invocation);
    case Command::Who:
        return who(invocation);
    case Command::Listen:
        return listen(invocation);
    case Command::Bridge:
        return runBridge(invocation);
    }
    return kExitBadInput;
}

int sendOne(DatagramLink &link, const Invocation &invocation, const QString &userName, QString &error)
{
    if (const QString problem = userNameError(userName); !problem.isEmpty()) {
        error = QStringLiteral("cannot send as \"%1\": %2 (choose a name in Tools > Preferences, or set USERNAME)")
                    .arg(userName, problem);
        return kExitBadInput;
    }
    Station station(link);
    station.setUserName(userName);
    if (invocation.command == Command::Say)
        station.sendChatLine(invocation.room, invocation.text);
    else if (invocation.command == Command::Message)
        station.sendPrivateMessage(invocation.recipient, wire::messageAsSent(invocation.text));
    else
        return kExitBadInput;
    return kExitOk;
}

DatagramPrinter::DatagramPrinter(DatagramLink &link, QIODevice &out, bool json, QObject *parent)
    : QObject(parent)
    , m_out(out)
    , m_json(json)
{
    connect(&link, &DatagramLink::datagramReceived, this, &DatagramPrinter::print);
}

void DatagramPrinter::print(const QByteArray &datagram, const QHostAddress &sender)
{
    const QDateTime now = QDateTime::currentDateTime();
    QByteArray line = m_json ? datagramJson(datagram, sender, now) : datagramLine(datagram, sender, now).toUtf8();
    line += '\n';
    m_out.write(line);
}

} // namespace cli
