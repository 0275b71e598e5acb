#include "othellogame.h"

#include <QtTest>

// Boards are pictures of 8 rows, top row first: '.' empty, 'X' black,
// 'O' white, '*' the cell the mover plays, 'o' / 'x' a white / black disc
// that the move must turn.
namespace {

OthelloGame fromPicture(const QString &picture, qint16 turnColor, bool after = false)
{
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

QString picture(const OthelloGame &game)
{
    QString text;
    for (int y = 1; y <= OthelloGame::kSize; ++y) {
        for (int x = 1; x <= OthelloGame::kSize; ++x)
            text += QStringLiteral(".XO").at(game.Board(x, y));
        text += u'\n';
    }
    return text;
}

int discsOnBoard(const OthelloGame &game)
{
    const auto score = game.CalculateScore();
    return score.black + score.white;
}

} // namespace

class TestOthelloGame final : public QObject
{
    Q_OBJECT
private slots:
    void initialPosition();
    void capture_data();
    void capture();
    void refused_data();
    void refused();
    void forcedPass();
    void gameOver_data();
    void gameOver();
    void turnOwnership_data();
    void turnOwnership();
    void wholeGameFinishes_data();
    void wholeGameFinishes();
};

void TestOthelloGame::initialPosition()
{
    const OthelloGame game = OthelloGame::initial();
    QList<QPoint> moves;
    for (int index = 1; index <= OthelloGame::kCells; ++index) {
        const int x = OthelloGame::ColumnOf(index), y = OthelloGame::RowOf(index);
        if (game.isLegal(x, y, OthelloGame::kBlack))
            moves << QPoint(x, y);
    }
    QCOMPARE(moves, (QList<QPoint>{{4, 3}, {3, 4}, {6, 5}, {5, 6}}));

    const QStringList cells = game.FillRC().split(u'\u00A7');
    QCOMPARE(cells.size(), 65);
    QCOMPARE(cells.last(), QString());
    QCOMPARE(cells.count(QStringLiteral("0")), 60);
    QCOMPARE(cells[27] + cells[36] + cells[28] + cells[35], QStringLiteral("2211"));
    QCOMPARE(game.CalculateScore().status, QStringLiteral("Black To Play"));
}

void TestOthelloGame::capture_data()
{
    QTest::addColumn<QString>("board");
    QTest::addColumn<int>("mover");
    const int black = OthelloGame::kBlack;

    QTest::newRow("up; run to the edge stays") << "........"
                                                 "...X...."
                                                 "...o...."
                                                 "...o...."
                                                 "...o...."
                                                 "...*...."
                                                 "..O....."
                                                 ".O......" << black;
    QTest::newRow("up-right; run to an empty cell stays") << "........"
                                                            "......X."
                                                            ".....o.."
                                                            "....o..."
                                                            "...o...."
                                                            "..o....."
                                                            ".*OO...."
                                                            "........" << black;
    QTest::newRow("right across the row") << "O......."
                                            "O......."
                                            "O......."
                                            "*ooooooX"
                                            "........"
                                            "........"
                                            "........"
                                            "........" << black;
    QTest::newRow("down-right from a corner") << "*O......"
                                                ".o......"
                                                "..o....."
                                                "...X...."
                                                "........"
                                                "........"
                                                "........"
                                                "........" << black;
    QTest::newRow("down from a corner") << ".....OO*"
                                          ".......o"
                                          ".......X"
                                          "........"
                                          "........"
                                          "........"
                                          "........"
                                          "........" << black;
    QTest::newRow("down-left; nothing wraps into the next row") << "........"
                                                                  ".......*"
                                                                  "OX....o."
                                                                  ".....o.."
                                                                  "....X..."
                                                                  "........"
                                                                  "........"
                                                                  "........" << black;
    QTest::newRow("left, white moving") << "........"
                                          "........"
                                          "........"
                                          "........"
                                          "........"
                                          "........"
                                          "........"
                                          "Oxxxxxx*" << int(OthelloGame::kWhite);
    QTest::newRow("up-left; run to the corner stays") << "........"
                                                        "........"
                                                        "........"
                                                        "...X...."
                                                        "....o..."
                                                        ".....*.."
                                                        "......O."
                                                        ".......O" << black;
    QTest::newRow("seven directions at once") << "X..X..X."
                                                ".o.o.o.."
                                                "..ooo..."
                                                "Xoo*ooX."
                                                "..oOo..."
                                                ".o.O.o.."
                                                "X..O..X."
                                                "........" << black;
}

void TestOthelloGame::capture()
{
    QFETCH(QString, board);
    QFETCH(int, mover);
    OthelloGame game = fromPicture(board, qint16(mover));
    const OthelloGame expected = fromPicture(board, qint16(mover), true);
    const int move = int(board.indexOf(u'*')) + 1;

    QVERIFY(game.PlayMove(OthelloGame::ColumnOf(move), OthelloGame::RowOf(move), mover, "a", "b"));
    QCOMPARE(picture(game), picture(expected));
    QCOMPARE(game.NumDiscs(), qint16(OthelloGame::kStartDiscs + 1));
}

void TestOthelloGame::refused_data()
{
    QTest::addColumn<QString>("board");
    QTest::addColumn<int>("turnColor");
    QTest::addColumn<QPoint>("move");
    const QString start = "........"
                          "........"
                          "........"
                          "...OX..."
                          "...XO..."
                          "........"
                          "........"
                          "........";
    const int black = OthelloGame::kBlack;

    QTest::newRow("occupied cell") << start << black << QPoint(4, 4);
    QTest::newRow("empty cell that captures nothing") << start << black << QPoint(1, 1);
    QTest::newRow("game over") << start << int(OthelloGame::kGameOver) << QPoint(4, 3);
    QTest::newRow("right edge does not wrap") << "........"
                                                "........"
                                                "OX......"
                                                "........"
                                                "........"
                                                "........"
                                                "........"
                                                "........" << black << QPoint(8, 2);
    QTest::newRow("left edge does not wrap") << "........"
                                               "......XO"
                                               "........"
                                               "........"
                                               "........"
                                               "........"
                                               "........"
                                               "........" << black << QPoint(1, 3);
    QTest::newRow("corner diagonal does not wrap") << "........"
                                                     "........"
                                                     "........"
                                                     "........"
                                                     "......X."
                                                     ".......O"
                                                     "........"
                                                     "........" << black << QPoint(1, 8);
    QTest::newRow("run ending at an empty cell") << ".OO.X..."
                                                   "........"
                                                   "........"
                                                   "........"
                                                   "........"
                                                   "........"
                                                   "........"
                                                   "........" << black << QPoint(1, 1);
    QTest::newRow("run reaching the edge") << ".OOOOOOO"
                                             "........"
                                             "........"
                                             "........"
                                             "........"
                                             "........"
                                             "........"
                                             "........" << black << QPoint(1, 1);
}

void TestOthelloGame::refused()
{
    QFETCH(QString, board);
    QFETCH(int, turnColor);
    QFETCH(QPoint, move);
    OthelloGame game = fromPicture(board, qint16(turnColor));
    const OthelloGame before = game;

    QVERIFY(!game.PlayMove(move.x(), move.y(), turnColor, "a", "b"));
    QVERIFY(game == before);
    QVERIFY(game.blackPlayer().isEmpty());
}

void TestOthelloGame::forcedPass()
{
    // White's only disc in the corner cannot bracket anything once its
    // neighbour at the top is gone, so black moves twice.
    OthelloGame game = fromPicture("XO......"
                                   "........"
                                   "........"
                                   "........"
                                   "........"
                                   "........"
                                   "........"
                                   "XO......", OthelloGame::kBlack);
    QVERIFY(game.PlayMove(3, 1, OthelloGame::kBlack, "a", "b"));
    QCOMPARE(game.TurnColor(), OthelloGame::kBlack);
    QCOMPARE(game.NumDiscs(), qint16(5));
    QCOMPARE(game.CalculateScore().status, QStringLiteral("Black To Play"));

    QVERIFY(game.PlayMove(3, 8, OthelloGame::kBlack, "a", "b"));
    QCOMPARE(game.TurnColor(), OthelloGame::kGameOver);
}

void TestOthelloGame::gameOver_data()
{
    QTest::addColumn<QString>("board");
    QTest::addColumn<int>("mover");
    QTest::addColumn<QString>("result");

    QTest::newRow("black takes the last white disc") << "Xo*....."
                                                       "........"
                                                       "........"
                                                       "........"
                                                       "........"
                                                       "........"
                                                       "........"
                                                       "........" << 1 << "Black Won!";
    QTest::newRow("white takes the last black disc") << "Ox*....."
                                                       "........"
                                                       "........"
                                                       "........"
                                                       "........"
                                                       "........"
                                                       "........"
                                                       "........" << 2 << "White Won!";
    QTest::newRow("stuck with equal counts") << "Xo*....."
                                               "........"
                                               "........"
                                               "........"
                                               "........"
                                               "........"
                                               "........"
                                               "OOO....." << 1 << "Tie!";
    QTest::newRow("board filled by white") << "XXXXXXXX"
                                             "XXXXXXXX"
                                             "XXXXXXXX"
                                             "XXXXXXXX"
                                             "XXXXXXXX"
                                             "XXXXXXXX"
                                             "XXXXXXXX"
                                             "XXXXOxx*" << 2 << "Black Won!";
}

void TestOthelloGame::gameOver()
{
    QFETCH(QString, board);
    QFETCH(int, mover);
    QFETCH(QString, result);
    OthelloGame game = fromPicture(board, qint16(mover));
    const int move = int(board.indexOf(u'*')) + 1;

    QVERIFY(game.PlayMove(OthelloGame::ColumnOf(move), OthelloGame::RowOf(move), mover, "a", "b"));
    QCOMPARE(game.TurnColor(), OthelloGame::kGameOver);
    QCOMPARE(game.CalculateScore().status, result);
    QCOMPARE(picture(game), picture(fromPicture(board, qint16(mover), true)));
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
        int index = 1;
        while (!game.isLegal(OthelloGame::ColumnOf(index), OthelloGame::RowOf(index), game.TurnColor()))
            ++index;
        const OthelloGame before = game;
        const bool accepted = game.PlayMove(OthelloGame::ColumnOf(index), OthelloGame::RowOf(index),
                                            game.TurnColor(), user, opponent);
        QVERIFY2(accepted == step.endsWith(u'+'), qPrintable(step));
        if (!accepted)
            QVERIFY(game == before);
    }
}

void TestOthelloGame::wholeGameFinishes_data()
{
    QTest::addColumn<bool>("firstMove");
    QTest::newRow("always the first legal move") << true;
    QTest::newRow("always the last legal move") << false;
}

void TestOthelloGame::wholeGameFinishes()
{
    QFETCH(bool, firstMove);
    OthelloGame game = OthelloGame::initial();
    int moves = 0;
    while (game.TurnColor() != OthelloGame::kGameOver) {
        QVERIFY(moves < OthelloGame::kCells);
        QList<int> legal;
        for (int index = 1; index <= OthelloGame::kCells; ++index) {
            if (game.isLegal(OthelloGame::ColumnOf(index), OthelloGame::RowOf(index), game.TurnColor()))
                legal << index;
        }
        QVERIFY(!legal.isEmpty());
        const int index = firstMove ? legal.first() : legal.last();

        OthelloGame copy = game;
        QVERIFY(copy.PlayMove(OthelloGame::ColumnOf(index), OthelloGame::RowOf(index), copy.TurnColor(), "me", "me"));
        QVERIFY(copy != game);
        game = copy;
        ++moves;
        QCOMPARE(discsOnBoard(game), int(game.NumDiscs()));
    }
    QCOMPARE(int(game.NumDiscs()), OthelloGame::kStartDiscs + moves);
    QVERIFY(!game.CanPlay(OthelloGame::kBlack) && !game.CanPlay(OthelloGame::kWhite));
    const auto score = game.CalculateScore();
    QCOMPARE(score.status, score.black > score.white   ? QStringLiteral("Black Won!")
                           : score.white > score.black ? QStringLiteral("White Won!")
                                                       : QStringLiteral("Tie!"));
}

QTEST_APPLESS_MAIN(TestOthelloGame)
#include "tst_othellogame.moc"
