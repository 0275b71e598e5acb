#include "othello/othellogame.h"

#include <QtTest>

using namespace Qt::StringLiterals;

// Boards are rows joined by '/', top first, as many as matter: '.' empty, 'X' black, 'O' white, '*' where the
// mover plays, '@' a black disc the mover tries to play on, 'o' / 'x' a white / black disc the move must turn.
namespace {

OthelloGame fromPicture(QString rows, qint16 turnColour, bool after = false)
{
    const QString picture = rows.remove(u'/').leftJustified(OthelloGame::kCells, u'.');
    OthelloGame game;
    for (int index = 1; index <= OthelloGame::kCells; ++index) {
        const QChar c = picture.at(index - 1);
        const qint16 value = QStringLiteral("X@").append(after ? u'o' : u'x').contains(c) ? OthelloGame::kBlack
                             : QStringLiteral("O").append(after ? u'x' : u'o').contains(c) ? OthelloGame::kWhite
                             : c == u'*' && after ? turnColour : OthelloGame::kEmpty;
        game.setCell(OthelloGame::columnOf(index), OthelloGame::rowOf(index), value);
    }
    game.setTurnColour(turnColour);
    game.setDiscCount(OthelloGame::kStartDiscs); // before turn ownership counts
    return game;
}

bool playFirstLegal(OthelloGame &game, const QString &user, const QString &opponent)
{
    for (int index = 1; index <= OthelloGame::kCells; ++index)
        if (game.isLegal(OthelloGame::columnOf(index), OthelloGame::rowOf(index), game.turnColour()))
            return game.playMove(OthelloGame::columnOf(index), OthelloGame::rowOf(index), game.turnColour(), user, opponent);
    return false;
}

} // namespace

class TestOthelloGame final : public QObject
{
    Q_OBJECT
private slots:
    void move_data()
    {
        QTest::addColumn<QString>("board");
        QTest::addColumn<int>("mover");
        QTest::addColumn<QString>("status"); // afterwards; "-" refused

        QTest::newRow("eight directions") << "X..X..X./.o.o.o../..ooo.../Xoo*ooX./..ooo.../.o.o.o../X..X..X." << 1 << "Black Won!";
        QTest::newRow("runs to the edge stay") << "O......./*ooooooX" << 1 << "White To Play";
        QTest::newRow("corner; run to empty stays") << "*O....../.o....../..X....." << 1 << "White To Play";
        QTest::newRow("no wrap into next row") << ".......*/OX....o./.....X.." << 1 << "White To Play";
        QTest::newRow("white moving") << "Oxxxxxx*" << 2 << "White Won!";
        QTest::newRow("white passes") << "Xo*...../......../XO......" << 1 << "Black To Play";
        QTest::newRow("black won") << "Xo*....." << 1 << "Black Won!";
        QTest::newRow("white won") << "Ox*....." << 2 << "White Won!";
        QTest::newRow("tie") << "Xo*...../......../OOO....." << 1 << "Tie!";

        QTest::newRow("occupied") << "@OX....." << 1 << "-";
        QTest::newRow("captures nothing") << "*......." << 1 << "-";
        QTest::newRow("game over") << "*OX....." << 0 << "-";
        QTest::newRow("right edge") << ".......*/OX......" << 1 << "-";
        QTest::newRow("left edge") << "......XO/*......." << 1 << "-";
        QTest::newRow("diagonal") << "......X./.......O/......../*......." << 1 << "-";
    }

    void move()
    {
        QFETCH(QString, board);
        QFETCH(int, mover);
        QFETCH(QString, status);
        OthelloGame game = fromPicture(board, qint16(mover));
        const int index = int(QString(board).remove(u'/').indexOf(QRegularExpression(u"[*@]"_s))) + 1;
        const bool accepted = status != u"-"_s;

        QCOMPARE(game.playMove(OthelloGame::columnOf(index), OthelloGame::rowOf(index), mover, u"a"_s, u"b"_s), accepted);
        QVERIFY(game.cells() == fromPicture(board, qint16(mover), accepted).cells());
        QCOMPARE(game.discCount(), qint16(OthelloGame::kStartDiscs + accepted));
        // The statuses a move can leave, in GameStatus's order.
        const char *const said[] = {"", "Black To Play", "White To Play", "Black Won!", "White Won!", "Tie!"};
        if (accepted)
            QCOMPARE(QString::fromLatin1(said[int(game.score().status)]), status);
    }

    void turnOwnership_data()
    {
        // First legal moves as "user+" (accepted) or "user-" (refused), against the other of alice and bob.
        QTest::addColumn<QString>("moves");
        QTest::newRow("third by white") << "alice+ bob+ bob- alice+ bob+";
        QTest::newRow("both firsts by one") << "alice+ alice+ alice- bob+ alice+";
        QTest::newRow("case-sensitive") << "alice+ bob+ Alice- alice+";
        QTest::newRow("bob first is black") << "bob+ alice+ alice- bob+";
    }

    void turnOwnership()
    {
        QFETCH(QString, moves);
        OthelloGame game = OthelloGame::initial();
        for (const QString &step : moves.split(u' ')) {
            const OthelloGame before = game;
            const QString user = step.chopped(1);
            QCOMPARE(playFirstLegal(game, user, user == u"bob"_s ? u"alice"_s : u"bob"_s), step.endsWith(u'+'));
            QVERIFY(step.endsWith(u'+') || game == before);
        }
    }

    void colourThatMoved_data()
    {
        // The opponent's board against "XO" shown (pictures as above), and its colour to move.
        QTest::addColumn<QString>("received");
        QTest::addColumn<int>("turnAfter");
        QTest::addColumn<int>("moved");
        QTest::newRow("black, then white to move") << "XOX" << 2 << 1;
        QTest::newRow("white, then black to move") << "XOO" << 1 << 2;
        QTest::newRow("white passes: black again") << "XXX" << 1 << 1;
        QTest::newRow("black's last move") << "XXX" << 0 << 1;
        QTest::newRow("two moves missed, both colours") << "XOXO" << 1 << 2;
        QTest::newRow("boards apart, nothing new") << "OX" << 2 << 1;
        QTest::newRow("nothing tells") << "OX" << 0 << 0;
    }

    void colourThatMoved()
    {
        QFETCH(QString, received);
        QFETCH(int, turnAfter);
        const OthelloGame after = fromPicture(received, qint16(turnAfter));
        std::array<qint16, OthelloGame::kCells> cells{};
        for (int index = 1; index <= OthelloGame::kCells; ++index)
            cells[std::size_t(index - 1)] = after.cell(OthelloGame::columnOf(index), OthelloGame::rowOf(index));
        OthelloGame shown = fromPicture(u"XO"_s, OthelloGame::kBlack);
        shown.claimColour(OthelloGame::kBlack, u"ann"_s, QString());
        const qint16 moved = shown.colourThatMoved(cells, qint16(turnAfter));
        QTEST(int(moved), "moved");
        shown.claimColour(moved, u"bob"_s, u"alice"_s);
        // The colour that moved is claimed for the board's sender, bob; none leaves ann's claim as it was.
        QCOMPARE(shown.blackPlayer() + u'|' + shown.whitePlayer(), moved == 1 ? u"bob|alice"_s : moved == 2 ? u"alice|bob"_s : u"ann|"_s);
    }

    // A peer's board after the one here: "N moves" played on from here, then
    // what a forger changes: "count+K", "count=K", "start" (the cells of the
    // starting position), "white" (every cell white), "corner" (a black disc
    // in a corner it captures nothing from), "turn=K".
    void leadsTo_data()
    {
        QTest::addColumn<QString>("later");
        QTest::addColumn<bool>("follows");
        QTest::newRow("the next move") << "1 moves" << true;
        QTest::newRow("a lost board between") << "2 moves" << true;
        QTest::newRow("two lost boards between") << "3 moves" << true;
        QTest::newRow("too many moves skipped") << "4 moves" << false;
        QTest::newRow("the same board") << "0 moves" << false;
        QTest::newRow("the same cells, one more counted") << "0 moves count+1" << false;
        QTest::newRow("the next move, inflated count") << "1 moves count=32767" << false;
        QTest::newRow("the next move, a count its discs do not have") << "1 moves count+1" << false;
        QTest::newRow("reset to the start") << "0 moves start count+1" << false;
        QTest::newRow("every cell white") << "0 moves white count=64" << false;
        QTest::newRow("a disc that captures nothing") << "0 moves corner count+1 turn=2" << false;
        QTest::newRow("the next move, the wrong colour to move") << "1 moves turn=1" << false;
        QTest::newRow("the next move, said to be the end") << "1 moves turn=0" << false;
    }

    void leadsTo()
    {
        QFETCH(QString, later);
        OthelloGame here = OthelloGame::initial();
        const auto play = [](OthelloGame &game, int moves) {
            for (int n = 0; n < moves; ++n)
                QVERIFY(playFirstLegal(game, game.turnColour() == OthelloGame::kBlack ? u"b"_s : u"w"_s,
                                       game.turnColour() == OthelloGame::kBlack ? u"w"_s : u"b"_s));
        };
        play(here, 2);
        OthelloGame board = here;
        const QStringList words = later.split(u' ');
        play(board, words[0].toInt());
        for (const QString &word : words.mid(2)) {
            if (word.startsWith(u"count+"_s))
                board.setDiscCount(qint16(board.discCount() + word.mid(6).toInt()));
            else if (word.startsWith(u"count="_s))
                board.setDiscCount(qint16(word.mid(6).toInt()));
            else if (word.startsWith(u"turn="_s))
                board.setTurnColour(qint16(word.mid(5).toInt()));
            else if (word == u"start"_s)
                board.setCells(OthelloGame::initial().cells());
            else if (word == u"corner"_s)
                board.setCell(1, 1, OthelloGame::kBlack);
            else if (word == u"white"_s)
                board.setCells([] { std::array<qint16, OthelloGame::kCells> all; all.fill(OthelloGame::kWhite); return all; }());
        }
        QTEST(here.leadsTo(board.cells(), board.turnColour(), board.discCount()), "follows");
    }

    void discCountStaysInRange()
    {
        // A peer's board may carry the largest count there is; a move must not wrap it.
        OthelloGame game = OthelloGame::initial();
        game.setDiscCount(std::numeric_limits<qint16>::max());
        QVERIFY(playFirstLegal(game, QString(), u"bob"_s)); // no names yet: u""_s owns black
        QCOMPARE(game.discCount(), std::numeric_limits<qint16>::max());
    }
};

QTEST_APPLESS_MAIN(TestOthelloGame)
#include "test_othellogame.moc"
