#include "othellogame.h"

#include <QtTest>

// Boards are pictures, top row first, of as many rows as matter (the rest is
// empty): '.' empty, 'X' black, 'O' white, '*' where the mover plays, and
// 'o' / 'x' a white / black disc that the move must turn.
namespace {

OthelloGame fromPicture(const QString &rows, qint16 turnColor, bool after = false)
{
    if (rows.isEmpty())
        return OthelloGame::initial();
    const QString picture = rows.leftJustified(OthelloGame::kCells, u'.');
    OthelloGame game;
    for (int index = 1; index <= OthelloGame::kCells; ++index) {
        const QChar c = picture.at(index - 1);
        qint16 value = OthelloGame::kEmpty;
        if (c == u'X' || (c == u'x' && !after) || (c == u'o' && after))
            value = OthelloGame::kBlack;
        else if (c == u'O' || (c == u'o' && !after) || (c == u'x' && after))
            value = OthelloGame::kWhite;
        else if (c == u'*' && after)
            value = turnColor;
        game.FillBoard(OthelloGame::ColumnOf(index), OthelloGame::RowOf(index), value);
    }
    game.setTurnColor(turnColor);
    game.setNumDiscs(OthelloGame::kStartDiscs); // before the ownership check starts
    return game;
}

QList<int> legalMoves(const OthelloGame &game)
{
    QList<int> moves;
    for (int index = 1; index <= OthelloGame::kCells; ++index) {
        if (game.isLegal(OthelloGame::ColumnOf(index), OthelloGame::RowOf(index), game.TurnColor()))
            moves << index;
    }
    return moves;
}

} // namespace

class TestOthelloGame final : public QObject
{
    Q_OBJECT
private slots:
    void initialPosition();
    void move_data();
    void move();
    void refused_data();
    void refused();
    void discCountStaysInRange();
    void turnOwnership_data();
    void turnOwnership();
    void wholeGameFinishes();
};

void TestOthelloGame::initialPosition()
{
    const OthelloGame game = OthelloGame::initial();
    QCOMPARE(legalMoves(game), (QList<int>{20, 27, 38, 45})); // (4,3) (3,4) (6,5) (5,6)
    const QStringList cells = game.FillRC().split(u'\u00A7');
    QCOMPARE(cells.size(), 65);
    QCOMPARE(cells.count(QStringLiteral("0")), 60);
    QCOMPARE(cells[27] + cells[36] + cells[28] + cells[35], QStringLiteral("2211"));
    QCOMPARE(game.CalculateScore().status, QStringLiteral("Black To Play"));
}

void TestOthelloGame::move_data()
{
    QTest::addColumn<QString>("board");
    QTest::addColumn<int>("mover");
    QTest::addColumn<QString>("status"); // after the move; empty: not looked at

    QTest::newRow("up; a run to an empty cell stays") << ".X......"
                                                        ".o......"
                                                        ".*OO...." << 1 << "";
    QTest::newRow("up-right") << "...X...."
                                 "..o....."
                                 ".*......" << 1 << "";
    QTest::newRow("right across the row; a run to the edge stays") << "O......."
                                                                      "*ooooooX" << 1 << "";
    QTest::newRow("down-right from a corner") << "*O......"
                                                ".o......"
                                                "..X....." << 1 << "";
    QTest::newRow("down from a corner") << ".....OO*"
                                          ".......o"
                                          ".......X" << 1 << "";
    QTest::newRow("down-left; nothing wraps into the next row") << ".......*"
                                                                  "OX....o."
                                                                  ".....X.." << 1 << "";
    QTest::newRow("left, white moving") << "Oxxxxxx*" << 2 << "";
    QTest::newRow("up-left") << "X......."
                                ".o......"
                                "..*....." << 1 << "";
    QTest::newRow("seven directions at once") << "X..X..X."
                                                ".o.o.o.."
                                                "..ooo..."
                                                "Xoo*ooX."
                                                "..oOo..."
                                                ".o.O.o.."
                                                "X..O..X." << 1 << "";
    QTest::newRow("white must pass, black moves again") << "Xo*....."
                                                          "........"
                                                          "XO......" << 1 << "Black To Play";
    QTest::newRow("black takes the last white disc") << "Xo*....." << 1 << "Black Won!";
    QTest::newRow("white takes the last black disc") << "Ox*....." << 2 << "White Won!";
    QTest::newRow("neither can move, equal counts") << "Xo*....."
                                                      "........"
                                                      "OOO....." << 1 << "Tie!";
}

void TestOthelloGame::move()
{
    QFETCH(QString, board);
    QFETCH(int, mover);
    QFETCH(QString, status);
    OthelloGame game = fromPicture(board, qint16(mover));
    const int move = int(board.indexOf(u'*')) + 1;

    QVERIFY(game.PlayMove(OthelloGame::ColumnOf(move), OthelloGame::RowOf(move), mover, "a", "b"));
    QCOMPARE(game.FillRC(), fromPicture(board, qint16(mover), true).FillRC());
    QCOMPARE(game.NumDiscs(), qint16(OthelloGame::kStartDiscs + 1));
    if (!status.isEmpty()) {
        QCOMPARE(game.CalculateScore().status, status);
        QCOMPARE(game.TurnColor(), status.endsWith(u'!') ? OthelloGame::kGameOver : qint16(mover));
    }
}

void TestOthelloGame::refused_data()
{
    QTest::addColumn<QString>("board"); // empty: the starting position
    QTest::addColumn<int>("turnColor");
    QTest::addColumn<QPoint>("move");

    QTest::newRow("occupied cell") << "" << 1 << QPoint(4, 4);
    QTest::newRow("empty cell that captures nothing") << "" << 1 << QPoint(1, 1);
    QTest::newRow("game over") << "" << 0 << QPoint(4, 3);
    QTest::newRow("right edge does not wrap") << "........"
                                                "OX......" << 1 << QPoint(8, 1);
    QTest::newRow("left edge does not wrap") << "......XO" << 1 << QPoint(1, 2);
    QTest::newRow("diagonal does not wrap") << "......X."
                                              ".......O" << 1 << QPoint(1, 4);
    QTest::newRow("run ending at an empty cell") << ".OO.X..." << 1 << QPoint(1, 1);
    QTest::newRow("run reaching the edge") << ".OOOOOOO" << 1 << QPoint(1, 1);
}

void TestOthelloGame::refused()
{
    QFETCH(QString, board);
    QFETCH(int, turnColor);
    QFETCH(QPoint, move);
    OthelloGame game = fromPicture(board, qint16(turnColor));
    game.setTurnColor(qint16(turnColor));
    const OthelloGame before = game;

    QVERIFY(!game.PlayMove(move.x(), move.y(), turnColor, "a", "b"));
    QVERIFY(game == before);
}

void TestOthelloGame::discCountStaysInRange()
{
    // A peer's board may carry the largest count there is; a move must not wrap it.
    OthelloGame game = OthelloGame::initial();
    game.setNumDiscs(std::numeric_limits<qint16>::max());
    QVERIFY(game.PlayMove(4, 3, OthelloGame::kBlack, QString(), "bob")); // no names yet: "" owns black
    QCOMPARE(game.NumDiscs(), std::numeric_limits<qint16>::max());
}

void TestOthelloGame::turnOwnership_data()
{
    // Moves from the start, each the first legal one, as "user+" (accepted)
    // or "user-" (refused). The opponent is always the other of alice and bob.
    QTest::addColumn<QString>("moves");
    QTest::newRow("each plays their own colour") << "alice+ bob+ alice+ bob+ alice+";
    QTest::newRow("third move by the white player") << "alice+ bob+ bob- alice+";
    QTest::newRow("both first moves from one station") << "alice+ alice+ alice- bob+ alice+";
    QTest::newRow("names compare case-sensitively") << "alice+ bob+ Alice- alice+";
    QTest::newRow("whoever moves black first plays black") << "bob+ alice+ alice- bob+";
}

void TestOthelloGame::turnOwnership()
{
    QFETCH(QString, moves);
    OthelloGame game = OthelloGame::initial();
    for (const QString &step : moves.split(u' ')) {
        const QString user = step.chopped(1);
        const QString opponent = user == QLatin1String("bob") ? "alice" : "bob";
        const int index = legalMoves(game).value(0);
        const OthelloGame before = game;
        const bool accepted = game.PlayMove(OthelloGame::ColumnOf(index), OthelloGame::RowOf(index),
                                            game.TurnColor(), user, opponent);
        QVERIFY2(accepted == step.endsWith(u'+'), qPrintable(step));
        if (!accepted)
            QVERIFY(game == before);
    }
}

void TestOthelloGame::wholeGameFinishes()
{
    // One user playing both colours, always the first legal move, each on a copy.
    OthelloGame game = OthelloGame::initial();
    for (int moves = 0; game.TurnColor() != OthelloGame::kGameOver; ++moves) {
        QVERIFY(moves < OthelloGame::kCells);
        const int index = legalMoves(game).value(0);
        OthelloGame copy = game;
        QVERIFY(copy.PlayMove(OthelloGame::ColumnOf(index), OthelloGame::RowOf(index), copy.TurnColor(), "me", "me"));
        QCOMPARE(copy.NumDiscs(), qint16(game.NumDiscs() + 1));
        game = copy;
        const auto score = game.CalculateScore();
        QCOMPARE(score.black + score.white, int(game.NumDiscs()));
    }
    QVERIFY(!game.CanPlay(OthelloGame::kBlack) && !game.CanPlay(OthelloGame::kWhite));
    const auto score = game.CalculateScore();
    QCOMPARE(score.status, score.black > score.white   ? QStringLiteral("Black Won!")
                           : score.white > score.black ? QStringLiteral("White Won!")
                                                       : QStringLiteral("Tie!"));
}

QTEST_APPLESS_MAIN(TestOthelloGame)
#include "tst_othellogame.moc"
