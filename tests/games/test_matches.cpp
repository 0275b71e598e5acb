#include "othello/othellomatch.h"
#include "puissance4/puissance4match.h"
#include "station/station.h"
#include "support/heard.h"
#include "wire/messages.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Two stations and a third on one in-process LAN, playing through their
// matches alone: no window takes part.
struct Lan {
    LocalLan lan;
    Station alice{*lan.attach()}, bob{*lan.attach()}, carol{*lan.attach()};
    Lan()
    {
        for (auto [station, name] : {std::pair{&alice, u"alice"_s}, {&bob, u"bob"_s}, {&carol, u"carol"_s}}) {
            station->start(name);
            station->stop(); // the tests run the periods themselves
        }
    }
};

LanPort &port(Station &station) { return static_cast<LanPort &>(station.link()); }

// The board as both stations must end up showing it: cells, disc count,
// status and players.
QString shown(Station &station, Game game)
{
    QString text;
    const auto add = [&text](const auto &cells, int discs, GameStatus status, const QString &first, const QString &second) {
        for (const qint16 cell : cells)
            text += QString::number(cell);
        text += QStringLiteral(" %1 %2 %3|%4").arg(discs).arg(int(status)).arg(first, second);
    };
    if (game == Game::Othello) {
        const OthelloGame &g = station.match<OthelloMatch>().game();
        add(g.cells(), g.discCount(), g.score().status, g.blackPlayer(), g.whitePlayer());
    } else {
        const Puissance4Game &g = station.match<Puissance4Match>().game();
        add(g.cells(), g.discCount(), g.status(), g.yellowPlayer(), g.redPlayer());
    }
    return text;
}

int discs(Station &station, Game game)
{
    return game == Game::Othello ? station.match<OthelloMatch>().game().discCount() : station.match<Puissance4Match>().game().discCount();
}

// Othello's first legal move for the colour to move, or a drop into the column.
bool move(Station &station, Game game, int column)
{
    if (game == Game::Puissance4)
        return station.match<Puissance4Match>().drop(column);
    const OthelloGame &g = station.match<OthelloMatch>().game();
    for (int index = 1; index <= OthelloGame::kCells; ++index) {
        const int x = OthelloGame::columnOf(index), y = OthelloGame::rowOf(index);
        if (g.isLegal(x, y, g.turnColour()))
            return station.match<OthelloMatch>().play(x, y);
    }
    return false;
}

// The proposer proposes, the acceptor accepts; true once the proposer plays too.
bool started(Game game, Station &proposer, Station &acceptor)
{
    proposer.proposeGame(game, acceptor.userName());
    return acceptor.acceptProposal(game, proposer.userName())
        && QTest::qWaitFor([&] { return proposer.match(game).isPlaying() && proposer.match(game).opponent() == acceptor.userName(); });
}

// The mover moves; true once the other shows the same board.
bool played(Station &mover, Station &other, Game game, int column = 4)
{
    return move(mover, game, column) && QTest::qWaitFor([&] { return shown(other, game) == shown(mover, game); });
}

// The board a station shows after this many moves from the start, addressed to
// alice: Othello's first legal moves, or drops into columns 1 and 2 in turn
// (yellow wins at the seventh).
QByteArray boardAfter(Game game, int moves)
{
    if (game == Game::Othello) {
        OthelloGame g = OthelloGame::initial();
        for (int n = 0; n < moves; ++n) {
            for (int index = 1; index <= OthelloGame::kCells; ++index) {
                const bool black = g.turnColour() == OthelloGame::kBlack;
                if (g.playMove(OthelloGame::columnOf(index), OthelloGame::rowOf(index), g.turnColour(), black ? u"b"_s : u"w"_s, black ? u"w"_s : u"b"_s))
                    break;
            }
        }
        return wire::encode(wire::othelloBoard({u"alice"_s, g.cells(), g.turnColour(), g.discCount()}));
    }
    Puissance4Game g;
    for (int n = 0; n < moves; ++n)
        g.drop(1 + n % 2, g.colour() == puissance4::kYellow ? u"y"_s : u"r"_s, g.colour() == puissance4::kYellow ? u"r"_s : u"y"_s);
    return wire::encode(wire::puissance4Board({u"alice"_s, g.cells(), g.colour(), g.discCount(), g.statusLine()}));
}

void gameRows()
{
    QTest::addColumn<Game>("game");
    QTest::newRow("othello") << Game::Othello;
    QTest::newRow("puissance 4") << Game::Puissance4;
}

} // namespace

class TestMatches final : public QObject
{
    Q_OBJECT
private slots:
    void wholeGame_data()
    {
        QTest::addColumn<Game>("game");
        QTest::addColumn<QByteArray>("columns"); // Puissance 4 drops in turn; Othello plays its first legal move
        QTest::addColumn<bool>("lossy");
        QTest::addColumn<GameStatus>("result");
        for (const bool lossy : {false, true}) {
            const char *lan = lossy ? "lossy LAN" : "clean LAN";
            QTest::addRow("othello, %s", lan) << Game::Othello << QByteArray() << lossy << GameStatus::WhiteWon;
            QTest::addRow("p4 win, %s", lan) << Game::Puissance4 << QByteArray("1212121") << lossy << GameStatus::YellowWon;
            QTest::addRow("p4 draw, %s", lan) << Game::Puissance4 << QByteArray("1211111132422222535373343535464454546577767666677")
                                               << lossy << GameStatus::Draw;
        }
    }

    // Alice proposed, bob accepted: alice moves first. Both end on the same
    // board with both players named, however the LAN treats the boards.
    void wholeGame()
    {
        QFETCH(Game, game);
        QFETCH(QByteArray, columns);
        QFETCH(bool, lossy);
        Lan l;
        QVERIFY(started(game, l.alice, l.bob));
        if (lossy) { // from here on datagrams are lost, repeated and swapped
            l.lan.setDropEvery(3);
            l.lan.setDuplicateEvery(4);
            l.lan.setReorder(true);
        }
        for (int n = 0; !l.alice.match(game).isOver() && (game == Game::Othello || n < columns.size()); ++n) {
            const bool alices = game == Game::Othello ? l.alice.match<OthelloMatch>().game().turnColour() == OthelloGame::kBlack : n % 2 == 0;
            Station &mover = alices ? l.alice : l.bob, &other = alices ? l.bob : l.alice;
            const int column = game == Game::Othello ? 0 : columns[n] - '0';
            const int before = discs(other, game);
            // From the third move on only the owner of the colour moves.
            if (n >= 2)
                QVERIFY(!move(other, game, column));
            l.lan.clearSent();
            QVERIFY(move(mover, game, column));
            // The move goes out at once, in the broadcast the move itself sends.
            QCOMPARE(l.lan.sent().last(), wire::encode(mover.match(game).boardMessage()));
            // A lost board is sent again by the next periodic broadcast, run here at once.
            while (!QTest::qWaitFor([&] { return discs(other, game) == before + 1; }, lossy ? 50 : 5000)) {
                QVERIFY(lossy);
                mover.broadcastPresence();
            }
            QCOMPARE(shown(other, game), shown(mover, game));
            QVERIFY(!shown(other, game).endsWith(u'|') && !shown(other, game).contains(u" |"_s));
        }
        QFETCH(GameStatus, result);
        for (Station *station : {&l.alice, &l.bob}) {
            QVERIFY(shown(*station, game).contains(QStringLiteral(" %1 alice|bob").arg(int(result))));
            // Over: it holds up no new game, but its board still goes out.
            QVERIFY(!station->match(game).isRunning() && station->match(game).isPlaying());
        }
        QCOMPARE(discs(l.carol, game), 0); // boards to others change nothing
    }

    void boardsAreTakenOnlyWhenFurtherOn_data() { gameRows(); }
    void boardsAreTakenOnlyWhenFurtherOn()
    {
        QFETCH(Game, game);
        Lan l;
        QVERIFY(started(game, l.alice, l.bob));
        QSignalSpy taken(&l.alice.match(game), &Match::boardReceived);
        QVERIFY(move(l.alice, game, 1) && move(l.bob, game, 7));
        QTRY_COMPARE(discs(l.carol, game), 0); // let both boards cross
        sendFrom(port(l.carol), "sync");
        // Both moved first: neither board is further on, each keeps its own.
        QVERIFY(shown(l.alice, game) != shown(l.bob, game));
        QCOMPARE(taken.count(), 0);
        QVERIFY(played(l.alice, l.bob, game));
        // A board no further on that says the game is over there: bob plays no
        // more, and alice is told at once.
        const QString over = game == Game::Othello
            ? wire::othelloBoard({u"alice"_s, l.alice.match<OthelloMatch>().game().cells(), OthelloGame::kGameOver, qint16(discs(l.alice, game))})
            : wire::puissance4Board({u"alice"_s, l.alice.match<Puissance4Match>().game().cells(), puissance4::kRed, qint16(discs(l.alice, game)), puissance4::kYellowWon});
        QVERIFY(!l.alice.match(game).isOpponentQuiet());
        sendFrom(port(l.bob), wire::encode(over));
        QVERIFY(l.alice.match(game).isOpponentQuiet() && !l.alice.match(game).isOver());
    }

    // A board changes only the game on with its sender, and only as its next
    // move; none opens a window for a game not on here.
    void boardsAgainstMatches_data()
    {
        QTest::addColumn<Game>("game");
        QTest::addColumn<QString>("alices");  // alice's game: "bob", "none", or "bob left"
        QTest::addColumn<QString>("from");    // who sends the board: bob or carol
        QTest::addColumn<int>("moves");       // the board's moves from the start
        QTest::addColumn<bool>("taken");      // and the window opens
        for (const Game game : kGames) {
            const char *name = game == Game::Othello ? "othello" : "p4";
            QTest::addRow("%s, the game on, bob's next board", name) << game << "bob" << "bob" << 1 << true;
            QTest::addRow("%s, the game on, bob's board a lost one later", name) << game << "bob" << "bob" << 2 << true;
            QTest::addRow("%s, the game on, bob's earlier game", name) << game << "bob" << "bob" << 7 << false;
            QTest::addRow("%s, the game on, carol's finished game", name) << game << "bob" << "carol" << 7 << false;
            QTest::addRow("%s, the game on, carol's next board", name) << game << "bob" << "carol" << 1 << false;
            QTest::addRow("%s, no game on, bob's board", name) << game << "none" << "bob" << 1 << false;
            QTest::addRow("%s, bob left, carol's finished game", name) << game << "bob left" << "carol" << 7 << false;
            QTest::addRow("%s, bob left, his last board", name) << game << "bob left" << "bob" << 1 << false;
        }
    }

    void boardsAgainstMatches()
    {
        QFETCH(Game, game);
        QFETCH(QString, alices);
        QFETCH(QString, from);
        QFETCH(int, moves);
        Lan l;
        if (alices != u"none"_s)
            QVERIFY(started(game, l.alice, l.bob));
        if (alices == u"bob left"_s) {
            l.bob.sendDeparture();
            QTRY_VERIFY(!l.alice.match(game).isPlaying());
            sendFrom(port(l.bob), wire::encode(wire::presence(u"bob"_s))); // a second station under his name
        }
        QSignalSpy window(&l.alice.match(game), &Match::boardReceived);
        const QString before = shown(l.alice, game);
        sendFrom(port(from == u"bob"_s ? l.bob : l.carol), boardAfter(game, moves));
        QFETCH(bool, taken);
        QCOMPARE(shown(l.alice, game) != before, taken);
        QCOMPARE(window.count(), taken ? 1 : 0);
    }

    // A board that says the game is over there changes the opponent's
    // standing at once: the window redraws once.
    void oneChangePerBoard_data() { gameRows(); }
    void oneChangePerBoard()
    {
        QFETCH(Game, game);
        Lan l;
        QVERIFY(started(game, l.alice, l.bob));
        QSignalSpy changed(&l.alice.match(game), &Match::changed);
        const QString over = game == Game::Othello
            ? wire::othelloBoard({u"alice"_s, OthelloGame::initial().cells(), OthelloGame::kGameOver, 4})
            : wire::puissance4Board({u"alice"_s, {}, puissance4::kRed, 0, puissance4::kYellowWon});
        sendFrom(port(l.bob), wire::encode(over));
        QCOMPARE(changed.count(), 1);
    }

    // An accept of a second proposal never replaces the game that is on:
    // the proposer is told and plays on with the board it had.
    void acceptDuringAGame_data() { gameRows(); }
    void acceptDuringAGame()
    {
        QFETCH(Game, game);
        Lan l;
        QVERIFY(started(game, l.alice, l.bob) && played(l.alice, l.bob, game));
        const QString before = shown(l.alice, game);
        QVERIFY(!l.bob.acceptProposal(game, u"carol"_s)); // bob's game is on: refused, nothing sent
        QSignalSpy refused(&l.alice, &Station::acceptRefused);
        l.alice.proposeGame(game, u"carol"_s);
        QVERIFY(l.carol.acceptProposal(game, u"alice"_s));
        QTRY_COMPARE(refused.count(), 1);
        QCOMPARE(l.alice.match(game).opponent() + shown(l.alice, game), u"bob"_s + before);
        QVERIFY(played(l.bob, l.alice, game, 5));
    }

    void endings_data()
    {
        QTest::addColumn<Game>("game");
        QTest::addColumn<QString>("how");
        QTest::addColumn<Match::Notice>("notice"); // alice's
        for (const Game game : kGames) {
            const char *name = game == Game::Othello ? "othello" : "p4";
            QTest::addRow("%s, alice leaves", name) << game << "leave" << Match::Notice::Left;
            QTest::addRow("%s, bob leaves the network", name) << game << "departure" << Match::Notice::OpponentGone;
            QTest::addRow("%s, bob falls silent", name) << game << "silence" << Match::Notice::OpponentGone;
            QTest::addRow("%s, station stops", name) << game << "stop" << Match::Notice::None;
            QTest::addRow("%s, bob's boards stop following", name) << game << "out of step" << Match::Notice::OutOfStep;
        }
    }

    // However a game ends, it takes no more moves, sends no more boards and
    // says why; the other game goes on.
    void endings()
    {
        QFETCH(Game, game);
        QFETCH(QString, how);
        const Game other = game == Game::Othello ? Game::Puissance4 : Game::Othello;
        Lan l;
        qint64 now = 0;
        l.alice.setClock([&now] { return now; });
        QVERIFY(started(game, l.alice, l.bob) && played(l.alice, l.bob, game));
        QVERIFY(started(other, l.alice, l.carol));
        if (how == u"leave"_s) {
            l.alice.match(game).leave();
        } else if (how == u"departure"_s) {
            l.bob.sendDeparture();
        } else if (how == u"silence"_s) {
            now += Station::kSilenceMs + 1;
            sendFrom(port(l.carol), wire::encode(wire::presence(u"carol"_s))); // carol is still heard
            l.alice.dropSilentUsers();
        } else if (how == u"out of step"_s) {
            // A board that skips the moves between is refused each period; the game stops at the last.
            for (int period = 0; period < Match::kQuietPeriods; ++period) {
                QVERIFY(l.alice.match(game).isPlaying());
                sendFrom(port(l.bob), boardAfter(game, 7));
                l.alice.match(game).periodPassed();
            }
        } else {
            l.alice.endGame(game);
        }
        QTRY_VERIFY(!l.alice.match(game).isPlaying());
        QFETCH(Match::Notice, notice);
        QCOMPARE(l.alice.match(game).notice(), notice);
        QVERIFY(!move(l.alice, game, 3));
        l.lan.clearSent();
        l.alice.broadcastPresence();
        QCOMPARE(l.lan.sent().size(), 3); // presence, availability, and the other game's board
        QVERIFY(l.alice.match(other).isPlaying() && l.alice.match(other).notice() == Match::Notice::None);
        // A new game starts afresh.
        QVERIFY(started(game, l.carol, l.alice));
        QCOMPARE(l.alice.match(game).notice(), Match::Notice::None);
        QCOMPARE(discs(l.alice, game), game == Game::Othello ? OthelloGame::kStartDiscs : 0);
    }

};

QTEST_GUILESS_MAIN(TestMatches)
#include "test_matches.moc"
