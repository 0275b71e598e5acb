// A station without a window on the real UDP link, for the end-to-end
// scripts: it announces itself every period as any station does, prints one
// line per chat line it takes ("chat work <line>") and per change of whether
// anyone hears it ("hearing nobody", "hearing alone", "hearing heard"), and
// says each TEXT in the Work room AFTER_MS milliseconds from its start.
//   stationprobe NAME [AFTER_MS TEXT]...
#include "net/station.h"
#include "net/udplink.h"
#include "net/wire.h"

#include <QCoreApplication>
#include <QTextStream>
#include <QTimer>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2 || args.size() % 2 != 0) {
        std::fprintf(stderr, "usage: stationprobe NAME [AFTER_MS TEXT]...\n");
        return 64;
    }
    UdpLink link;
    if (!link.bind(wire::kPort)) {
        std::fprintf(stderr, "cannot listen: %s\n", qPrintable(link.errorString()));
        return 2;
    }
    Station station(link);
    QTextStream out(stdout);
    const auto print = [&out](const QString &line) { out << line << Qt::endl; };
    QObject::connect(&station, &Station::chatLineReceived, [&](Room room, const QString &line) {
        print(QStringLiteral("chat %1 %2").arg(room == Room::Work ? "work" : "tea", line));
    });
    QObject::connect(&station, &Station::hearingChanged, [&](HearingCheck::State state) {
        print(state == HearingCheck::State::NobodyHears ? QStringLiteral("hearing nobody")
              : state == HearingCheck::State::Alone     ? QStringLiteral("hearing alone")
                                                        : QStringLiteral("hearing heard"));
    });
    station.start(args.at(1));
    for (qsizetype n = 2; n + 1 < args.size(); n += 2) {
        const QString text = args.at(n + 1);
        QTimer::singleShot(args.at(n).toInt(), &station, [&station, text] { station.sendChatLine(Room::Work, text); });
    }
    return app.exec();
}
