#include "cli/bridgecommand.h"

#include "bridge/bridge.h"
#include "bridge/brokerclient.h"
#include "station/quitsignals.h"
#include "station/udplink.h"
#include "wire/wire.h"

#include <QCoreApplication>
#include <QFile>
#include <QRandomGenerator>
#include <QTimer>

#include <cstdio>

namespace cli {
namespace {

// The counts are said at most this often, and only when they changed, so a
// journal holds a line a minute at most on a busy segment.
constexpr int kCountsEveryMs = 60000;
// A password is a line; anything longer is not a password file.
constexpr qint64 kMaxPasswordFileBytes = 4096;

void say(FILE *stream, const QString &line)
{
    const QByteArray bytes = (QStringLiteral("quillet bridge: ") + line + u'\n').toLocal8Bit();
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stream);
    std::fflush(stream);
}

QString countsLine(const Bridge::Counts &counts)
{
    return QStringLiteral("published %1, broadcast %2; dropped: %3 not of the wire, %4 repeats, %5 over the rate, "
                          "%6 unsent")
        .arg(counts.published)
        .arg(counts.broadcast)
        .arg(counts.notWire)
        .arg(counts.repeats)
        .arg(counts.overRate)
        .arg(counts.unsent);
}

// The first line of the file, or an error in words.
bool readPassword(const QString &path, QString &password, QString &error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("cannot read the password file %1: %2").arg(path, file.errorString());
        return false;
    }
    const QByteArray bytes = file.read(kMaxPasswordFileBytes + 1);
    if (bytes.size() > kMaxPasswordFileBytes) {
        error = QStringLiteral("the password file %1 is longer than a password").arg(path);
        return false;
    }
    password = QString::fromUtf8(bytes.left(bytes.indexOf('\n'))).remove(u'\r');
    if (password.isEmpty()) {
        error = QStringLiteral("the password file %1 holds no password on its first line").arg(path);
        return false;
    }
    return true;
}

} // namespace

int runBridge(const Invocation &invocation)
{
    BrokerClient::Settings settings;
    settings.address = *BrokerAddress::parse(invocation.broker);
    settings.user = invocation.brokerUser;
    settings.caFile = invocation.caFile;
    QString error;
    if (!invocation.passwordFile.isEmpty() && !readPassword(invocation.passwordFile, settings.password, error)) {
        say(stderr, error);
        return kExitBadInput;
    }
    if (!settings.caFile.isEmpty() && !QFile(settings.caFile).open(QIODevice::ReadOnly)) {
        say(stderr, QStringLiteral("cannot read the certificate file %1").arg(settings.caFile));
        return kExitBadInput;
    }

    UdpLink link;
    if (!link.bind(wire::kPort)) {
        say(stderr, QStringLiteral("cannot listen on UDP port %1: %2").arg(wire::kPort).arg(link.errorString()));
        return kExitFailed;
    }
    // Per run, so two bridges never share an id, even on one computer.
    const QString id = QString::number(QRandomGenerator::system()->generate64(), 16).rightJustified(16, u'0');
    settings.clientId = QStringLiteral("qb-") + id;
    settings.subscription = invocation.topic + QStringLiteral("/+");
    BrokerClient broker(settings);
    Bridge bridge(link, broker, invocation.topic, id);
    const QString where = settings.address.toString();

    Bridge::Counts said;
    const auto sayCounts = [&] {
        if (bridge.counts() == said)
            return;
        said = bridge.counts();
        say(stdout, countsLine(said));
    };
    QObject::connect(&broker, &BrokerClient::connected, [&] {
        say(stdout, QStringLiteral("connected to %1, relaying under %2").arg(where, bridge.publishTopic()));
    });
    QObject::connect(&broker, &BrokerClient::disconnected, [&] {
        say(stdout, QStringLiteral("lost %1").arg(where));
        sayCounts();
    });
    QObject::connect(&broker, &BrokerClient::failed, [&](const QString &reason) {
        // libmosquitto's reasons are sentences; the line goes on after them.
        const QString cause = reason.endsWith(u'.') ? reason.chopped(1) : reason;
        say(stderr, QStringLiteral("%1: %2; trying again").arg(where, cause));
    });
    QObject::connect(&bridge, &Bridge::standingByChanged, [&](bool standingBy, const QString &peer) {
        say(stdout, standingBy ? QStringLiteral("standing by: bridge %1 relays this segment").arg(peer)
                               : QStringLiteral("relaying again: no other bridge relays this segment"));
    });
    QTimer counts;
    QObject::connect(&counts, &QTimer::timeout, sayCounts);
    counts.start(kCountsEveryMs);
    QuitSignals quitSignals;
    QObject::connect(&quitSignals, &QuitSignals::quitRequested, qApp, &QCoreApplication::quit);

    say(stdout, QStringLiteral("bridge %1 for UDP port %2, broker %3").arg(id).arg(wire::kPort).arg(where));
    broker.start();
    QCoreApplication::exec();
    sayCounts();
    say(stdout, QStringLiteral("stopped"));
    return kExitOk;
}

} // namespace cli
