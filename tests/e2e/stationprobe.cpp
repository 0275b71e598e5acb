// A station without a window on the real UDP link, for the end-to-end
// scripts: it announces itself every period as any station does, prints one
// line per chat line it takes ("chat work <line>") and per change of whether
// anyone hears it ("hearing nobody", "hearing alone", "hearing heard"), and
// says each TEXT in the Work room AFTER_MS milliseconds from its start.
//   stationprobe [--propose AFTER_MS USER] [--accept] [--play] [--reply] [--leave AFTER_MS] NAME [AFTER_MS TEXT]...
// --propose proposes Othello to USER, --accept accepts every proposal,
// --play makes the first legal Othello move whenever it is its turn,
// --reply makes it whenever an Othello board is taken, and --leave
// announces the station's departure AFTER_MS milliseconds from its start.
// It also prints users gone ("gone bob"), proposals, games started, accepts
// refused, boards taken, private messages ("message bob hi", with
// " | from ADDRESS heard at ADDRESSES" when not from bob's station) and every change of a game
// ("match othello bob on 5": opponent, on or off, disc count).
#include "othello/othellomatch.h"
#include "puissance4/puissance4match.h"
#include "station/station.h"
#include "station/udplink.h"
#include "support/provenancefacts.h"
#include "wire/wire.h"

#include <QCoreApplication>
#include <QTextStream>
#include <QTimer>

#include <cstdio>

using namespace Qt::StringLiterals;

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments();
    QString proposeTo;
    int proposeAfter = 0, leaveAfter = -1;
    bool accept = false, play = false, reply = false;
    while (args.size() > 1 && args.at(1).startsWith(QLatin1String("--"))) {
        const QString option = args.takeAt(1);
        if (option == QLatin1String("--propose") && args.size() > 3) {
            proposeAfter = args.takeAt(1).toInt();
            proposeTo = args.takeAt(1);
        } else if (option == QLatin1String("--leave") && args.size() > 2) {
            leaveAfter = args.takeAt(1).toInt();
        } else if (option == QLatin1String("--accept") || option == QLatin1String("--play") || option == QLatin1String("--reply")) {
            (option == QLatin1String("--accept") ? accept : option == QLatin1String("--play") ? play : reply) = true;
        } else {
            args.clear();
        }
    }
    if (args.size() < 2 || args.size() % 2 != 0) {
        std::fprintf(stderr, "usage: stationprobe [--propose AFTER_MS USER] [--accept] [--play] [--reply] [--leave AFTER_MS] NAME [AFTER_MS TEXT]...\n");
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
    const auto gameName = [](Game game) { return game == Game::Othello ? u"othello"_s : u"puissance4"_s; };
    const auto marked = [](const Provenance &provenance) {
        return provenance.isEmpty() ? QString() : u" | "_s + provenanceFacts(provenance);
    };
    QObject::connect(&station, &Station::chatLineReceived, [&](Room room, const QString &line) {
        print(QStringLiteral("chat %1 %2").arg(room == Room::Work ? u"work"_s : u"tea"_s, line));
    });
    QObject::connect(&station, &Station::hearingChanged, [&](HearingCheck::State state) {
        print(state == HearingCheck::State::NobodyHears ? QStringLiteral("hearing nobody")
              : state == HearingCheck::State::Alone     ? QStringLiteral("hearing alone")
                                                        : QStringLiteral("hearing heard"));
    });
    QObject::connect(&station, &Station::userGone, [&](const QString &name) { print(u"gone "_s + name); });
    QObject::connect(&station, &Station::privateMessageReceived,
                     [&](const QString &sender, const QString &text, const Provenance &provenance) {
                         print(u"message "_s + sender + u' ' + text + marked(provenance));
                     });
    QObject::connect(&station, &Station::proposalReceived, [&](Game game, const QString &proposer, const Provenance &provenance) {
        print(u"proposal "_s + gameName(game) + u' ' + proposer + marked(provenance));
        if (accept)
            station.acceptProposal(game, proposer);
    });
    QObject::connect(&station, &Station::acceptRefused, [&](Game game, const QString &acceptor) {
        print(u"refused "_s + gameName(game) + u' ' + acceptor);
    });
    // The first legal move, when it is this station's turn; after what set it
    // off is handled, as a click would come.
    const auto playOthello = [&station] {
        QTimer::singleShot(0, &station, [&station] {
            const OthelloGame &board = station.match<OthelloMatch>().game();
            for (int cell = 1; cell <= OthelloGame::kCells; ++cell) {
                const int x = OthelloGame::columnOf(cell), y = OthelloGame::rowOf(cell);
                if (board.isLegal(x, y, board.turnColour()) && station.match<OthelloMatch>().play(x, y))
                    return;
            }
        });
    };
    QObject::connect(&station, &Station::gameStarted, [&](Game game, const QString &opponent) {
        print(u"started "_s + gameName(game) + u' ' + opponent);
        if (play && game == Game::Othello)
            playOthello();
    });
    if (reply)
        QObject::connect(&station.match<OthelloMatch>(), &Match::boardReceived, playOthello);
    for (const Game game : kGames) {
        const Match *match = &station.match(game);
        QObject::connect(match, &Match::changed, [&, game, match] {
            const int discs = game == Game::Othello ? station.match<OthelloMatch>().game().discCount()
                                                    : station.match<Puissance4Match>().game().discCount();
            print(QStringLiteral("match %1 %2 %3 %4")
                      .arg(gameName(game), match->opponent(), match->isPlaying() ? u"on"_s : u"off"_s).arg(discs));
        });
        QObject::connect(match, &Match::boardReceived, [&, game, match] {
            print(u"board "_s + gameName(game) + u' ' + match->opponent());
            if (play && game == Game::Othello)
                playOthello();
        });
    }
    station.start(args.at(1));
    if (!proposeTo.isEmpty())
        QTimer::singleShot(proposeAfter, &station, [&] { station.proposeGame(Game::Othello, proposeTo); });
    if (leaveAfter >= 0)
        QTimer::singleShot(leaveAfter, &station, [&] {
            station.sendDeparture();
            station.stop();
            print(QStringLiteral("left"));
        });
    for (qsizetype n = 2; n + 1 < args.size(); n += 2) {
        const QString text = args.at(n + 1);
        QTimer::singleShot(args.at(n).toInt(), &station, [&station, text] { station.sendChatLine(Room::Work, text); });
    }
    return app.exec();
}
