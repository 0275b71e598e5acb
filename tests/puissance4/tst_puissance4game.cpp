#include "puissance4game.h"

#include <QRandomGenerator>
#include <QTest>

using namespace puissance4;

namespace {

// Boards are seven rows of seven characters, row 1 on top:
// '.' empty, 'Y' yellow, 'R' red.
using Picture = QStringList;

qint16 colourOf(QChar ch)
{
    return ch == u'Y' ? kYellow : ch == u'R' ? kRed : kEmpty;
}

// A game in the given position, written the way a received board is: every
// cell, then the levels, with yellow to move when both have dropped as many.
Puissance4Game gameOf(const Picture &picture)
{
    Puissance4Game game;
    int yellow = 0;
    int red = 0;
    for (int o = 1; o <= kSize; ++o) {
        for (int i = 1; i <= kSize; ++i) {
            const qint16 colour = colourOf(picture[o - 1][i - 1]);
            yellow += colour == kYellow;
            red += colour == kRed;
            game.FillBoard(i, o, colour, false);
        }
    }
    game.SetLevel();
    game.setNumDiscs(qint16(yellow + red));
    game.setColor(yellow > red ? kRed : kYellow);
    return game;
}

Picture pictureOf(const Puissance4Game &game)
{
    Picture picture;
    for (int o = 1; o <= kSize; ++o) {
        QString row;
        for (int i = 1; i <= kSize; ++i)
            row += QLatin1String(".YR").at(game.Board(i, o));
        picture.append(row);
    }
    return picture;
}

QList<int> levelsOf(const Puissance4Game &game)
{
    QList<int> levels;
    for (int i = 1; i <= kSize; ++i)
        levels.append(game.Level(i));
    return levels;
}

const Picture kEmptyBoard{".......", ".......", ".......", ".......", ".......", ".......", "......."};

// Full, without four in a row anywhere; yellow has 25 discs.
const Picture kDrawnBoard{
    "RRYRRYY",
    "YYYRYRR",
    "RRYRYYY",
    "YYRYRRY",
    "RRRYRRR",
    "YRRRYYY",
    "YRYYYRY",
};

} // namespace

class TestPuissance4Game final : public QObject
{
    Q_OBJECT

private slots:
    void newGame()
    {
        const Puissance4Game game;
        QCOMPARE(levelsOf(game), QList<int>(kSize, kSize));
        QCOMPARE(game.FillRC(), QString(QStringLiteral("0§")).repeated(kCells));
        QCOMPARE(game.status(), QStringLiteral("Yellow To Play!"));
        QCOMPARE(game.Color(), kYellow);
        QCOMPARE(game.NumDiscs(), qint16(0));
        QVERIFY(!game.Result());
        QCOMPARE(game.marker(), Puissance4Game::Marker::Start);
        QCOMPARE(game.freeColumns(), QList<int>({1, 2, 3, 4, 5, 6, 7}));
    }

    void drop_data()
    {
        QTest::addColumn<Picture>("before");
        QTest::addColumn<int>("column");
        QTest::addColumn<Picture>("after");
        QTest::addColumn<QString>("status");

        QTest::newRow("first disc rests on the bottom row")
            << kEmptyBoard << 4
            << Picture{".......", ".......", ".......", ".......", ".......", ".......", "...Y..."}
            << "Red to Play!";
        QTest::newRow("disc lands on the column's top disc")
            << Picture{".......", ".......", ".......", ".......", ".......", ".......", "...Y..."} << 4
            << Picture{".......", ".......", ".......", ".......", ".......", "...R...", "...Y..."}
            << "Yellow to Play!";
        QTest::newRow("last free cell of a column is row 1")
            << Picture{".......", "Y......", "R......", "Y......", "R......", "Y......", "R......"} << 1
            << Picture{"Y......", "Y......", "R......", "Y......", "R......", "Y......", "R......"}
            << "Red to Play!";
        QTest::newRow("vertical four, column 2 rows 4 to 7")
            << Picture{".......", ".......", ".......", ".......", ".Y.....", ".Y....R", ".Y...RR"} << 2
            << Picture{".......", ".......", ".......", ".Y.....", ".Y.....", ".Y....R", ".Y...RR"}
            << "Yellow Won!";
        QTest::newRow("vertical four reaching the top row")
            << Picture{".......", "......Y", "......Y", "......Y", "......R", "......Y", "....RRR"} << 7
            << Picture{"......Y", "......Y", "......Y", "......Y", "......R", "......Y", "....RRR"}
            << "Yellow Won!";
        QTest::newRow("horizontal four, row 7 columns 1 to 4")
            << Picture{".......", ".......", ".......", ".......", ".......", "RRR....", "YYY...."} << 4
            << Picture{".......", ".......", ".......", ".......", ".......", "RRR....", "YYYY..."}
            << "Yellow Won!";
        QTest::newRow("horizontal four at the right edge, red")
            << Picture{".......", ".......", ".......", ".......", ".....YY", "....RRR", "...YYRY"} << 4
            << Picture{".......", ".......", ".......", ".......", ".....YY", "...RRRR", "...YYRY"}
            << "Red Won!";
        QTest::newRow("rising diagonal (1,7) to (4,4)")
            << Picture{".......", ".......", ".......", ".......", "..YY...", ".YRR...", "YRYR.R."} << 4
            << Picture{".......", ".......", ".......", "...Y...", "..YY...", ".YRR...", "YRYR.R."}
            << "Yellow Won!";
        QTest::newRow("rising diagonal ending in the top right corner")
            << Picture{".......", "....RYR", "....YRY", "...YRYY", "...YRYR", "...RYYR", "...RYRR"} << 7
            << Picture{"......Y", "....RYR", "....YRY", "...YRYY", "...YRYR", "...RYYR", "...RYRR"}
            << "Yellow Won!";
        QTest::newRow("falling diagonal (1,4) to (4,7), red")
            << Picture{".......", ".......", ".......", ".Y.....", "YRR....", "YYR....", "YYRRR.Y"} << 1
            << Picture{".......", ".......", ".......", "RY.....", "YRR....", "YYR....", "YYRRR.Y"}
            << "Red Won!";
        QTest::newRow("falling diagonal from the top row to the right edge")
            << Picture{".......", "...RYR.", "...RYY.", "...YYRY", "...RRYR", "...YRRR", "...YRYY"} << 4
            << Picture{"...Y...", "...RYR.", "...RYY.", "...YYRY", "...RRYR", "...YRRR", "...YRYY"}
            << "Yellow Won!";
        QTest::newRow("falling diagonal from the top left corner")
            << Picture{".......", "RR.....", "YRR....", "YYYR...", "YYRY...", "RRYR...", "YYYRR.Y"} << 1
            << Picture{"R......", "RR.....", "YRR....", "YYYR...", "YYRY...", "RRYR...", "YYYRR.Y"}
            << "Red Won!";
        QTest::newRow("five in a row, the gap filled in the middle")
            << Picture{".......", ".......", ".......", ".......", ".......", "...R.R.", "YY.YYRR"} << 3
            << Picture{".......", ".......", ".......", ".......", ".......", "...R.R.", "YYYYYRR"}
            << "Yellow Won!";
        QTest::newRow("three, the other colour, one more: no win")
            << Picture{".......", ".......", ".......", ".......", ".......", "...Y...", "RRRY.YY"} << 5
            << Picture{".......", ".......", ".......", ".......", ".......", "...Y...", "RRRYRYY"}
            << "Yellow to Play!";
        QTest::newRow("a row does not run on into the next one")
            << Picture{".......", ".......", ".......", ".......", "....RR.", "....YYY", ".Y.YRRR"} << 1
            << Picture{".......", ".......", ".......", ".......", "....RR.", "....YYY", "YY.YRRR"}
            << "Red to Play!";
    }

    void drop()
    {
        QFETCH(Picture, before);
        QFETCH(int, column);
        QFETCH(Picture, after);
        QFETCH(QString, status);

        Puissance4Game game = gameOf(before);
        const qint16 mover = game.Color();
        const qint16 discs = game.NumDiscs();
        QVERIFY(game.Drop(column) > 0);

        QCOMPARE(pictureOf(game), after);
        QCOMPARE(game.status(), status);
        QCOMPARE(game.Result(), status.endsWith(QLatin1String("Won!")));
        QCOMPARE(game.NumDiscs(), qint16(discs + 1));
        QCOMPARE(game.Color(), qint16(3 - mover));
        // Drops keep each column's empty cells at rows 1..Level.
        QCOMPARE(levelsOf(game), levelsOf(gameOf(after)));
        if (game.Result())
            QVERIFY(game.freeColumns().isEmpty());
    }

    void markerFollowsTheMover()
    {
        Puissance4Game game;
        game.Drop(1);
        QCOMPARE(game.marker(), Puissance4Game::Marker::Red);
        game.Drop(1);
        QCOMPARE(game.marker(), Puissance4Game::Marker::Yellow);

        // A won game keeps its marker, whatever Arrange is asked.
        game = gameOf({".......", ".......", ".......", ".......", "R......", "R......", "RYYY..."});
        game.Arrange();
        QCOMPARE(game.marker(), Puissance4Game::Marker::Yellow);
        game.Drop(5);
        QCOMPARE(game.status(), QStringLiteral("Yellow Won!"));
        QCOMPARE(game.Color(), kRed);
        game.Arrange();
        QCOMPARE(game.marker(), Puissance4Game::Marker::Yellow);
    }

    void fullColumnTakesNothing()
    {
        const Picture full{"...R...", "...Y...", "...R...", "...Y...", "...R...", "...Y...", "..RY..."};
        Puissance4Game game = gameOf(full);
        const QString statusBefore = game.status();
        QCOMPARE(game.Level(4), qint16(0));
        QCOMPARE(game.Drop(4), 0);
        QCOMPARE(pictureOf(game), full);
        QCOMPARE(game.NumDiscs(), qint16(8));
        QCOMPARE(game.Color(), kYellow);
        QCOMPARE(game.status(), statusBefore);
        QCOMPARE(game.freeColumns(), QList<int>({1, 2, 3, 5, 6, 7}));
    }

    void lastDisc_data()
    {
        QTest::addColumn<Picture>("before");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("status");

        Picture almostDrawn = kDrawnBoard;
        almostDrawn[0][2] = u'.';
        QTest::newRow("49th disc without four is a draw") << almostDrawn << 3 << "Draw!";
        QTest::newRow("49th disc completing four wins")
            << Picture{".YRRYRY", "YYRYRYY", "YYRYRRR", "YRYRYRY", "RRYRYRR", "RYRYRYR", "YRYRYRY"}
            << 1 << "Yellow Won!";
    }

    void lastDisc()
    {
        QFETCH(Picture, before);
        QFETCH(int, column);
        QFETCH(QString, status);

        Puissance4Game game = gameOf(before);
        QCOMPARE(game.NumDiscs(), qint16(48));
        QVERIFY(game.Drop(column) > 0);
        QCOMPARE(game.NumDiscs(), qint16(49));
        QCOMPARE(game.status(), status);
        QCOMPARE(game.Result(), status != kDraw);
        QCOMPARE(levelsOf(game), QList<int>(kSize, 0));
        QVERIFY(game.freeColumns().isEmpty());
    }

    void setLevelAfterWrittenBoard()
    {
        // Not a position drops make: a disc hangs over an empty cell in
        // column 2, and column 5 is full.
        const Picture written{"....R..", "....Y..", "....R..", ".Y..Y..", "....R..", "....Y..", "Y...R.R"};
        Puissance4Game game;
        for (int k = 1; k <= kCells; ++k) {
            game.FillBoard(Puissance4Game::ColumnOf(k), Puissance4Game::RowOf(k),
                           colourOf(written[Puissance4Game::RowOf(k) - 1][Puissance4Game::ColumnOf(k) - 1]),
                           false);
        }
        QCOMPARE(levelsOf(game), QList<int>(kSize, kSize));
        QCOMPARE(pictureOf(game), written);

        game.SetLevel();
        QCOMPARE(levelsOf(game), QList<int>({6, 7, 7, 7, 0, 7, 6}));
        QCOMPARE(game.FillRC().left(16), QStringLiteral("0§0§0§0§2§0§0§0§"));
    }

    void ownsTurn_data()
    {
        QTest::addColumn<int>("numDiscs");
        QTest::addColumn<int>("color");
        QTest::addColumn<QString>("user");
        QTest::addColumn<bool>("owns");

        // Yellow is "ann", red is "bob" throughout.
        QTest::newRow("first yellow disc is anyone's") << 0 << 1 << "bob" << true;
        QTest::newRow("first red disc is anyone's") << 1 << 2 << "ann" << true;
        QTest::newRow("third disc: yellow's own") << 2 << 1 << "ann" << true;
        QTest::newRow("third disc: not red's") << 2 << 1 << "bob" << false;
        QTest::newRow("red to move: red's own") << 3 << 2 << "bob" << true;
        QTest::newRow("red to move: not yellow's") << 3 << 2 << "ann" << false;
        QTest::newRow("names compare case-sensitively") << 3 << 2 << "Bob" << false;
    }

    void ownsTurn()
    {
        QFETCH(int, numDiscs);
        QFETCH(int, color);
        QFETCH(QString, user);
        QFETCH(bool, owns);

        Puissance4Game game;
        game.setNumDiscs(qint16(numDiscs));
        game.setColor(qint16(color));
        QCOMPARE(game.ownsTurn(user, QStringLiteral("ann"), QStringLiteral("bob")), owns);
    }

    void refusesDropsInStatesNoDropReaches_data()
    {
        QTest::addColumn<int>("color");
        QTest::addColumn<int>("numDiscs");
        QTest::addColumn<bool>("result");

        QTest::newRow("nobody to move") << 0 << 4 << false;
        QTest::newRow("count already at 49") << 1 << 49 << false;
        QTest::newRow("decided") << 2 << 5 << true;
    }

    void refusesDropsInStatesNoDropReaches()
    {
        QFETCH(int, color);
        QFETCH(int, numDiscs);
        QFETCH(bool, result);

        Puissance4Game game;
        game.setColor(qint16(color));
        game.setNumDiscs(qint16(numDiscs));
        game.setResult(result);
        QVERIFY(game.freeColumns().isEmpty());
        QCOMPARE(game.Drop(4), 0);
        QCOMPARE(game.FillRC(), Puissance4Game().FillRC());
        QCOMPARE(game.NumDiscs(), qint16(numDiscs));
    }

    // Random games through the public operations alone always end, in a win
    // for the colour that dropped last or in a full-board draw.
    void randomGamesEnd()
    {
        QRandomGenerator random(4);
        for (int round = 0; round < 300; ++round) {
            Puissance4Game game;
            for (QList<int> columns = game.freeColumns(); !columns.isEmpty(); columns = game.freeColumns()) {
                const int column = columns[random.bounded(int(columns.size()))];
                const qint16 mover = game.Color();
                const int level = game.Level(column);
                QCOMPARE(game.Drop(column), level);
                QCOMPARE(game.Board(column, level), mover);
                if (game.Result())
                    QCOMPARE(game.status(), mover == kYellow ? kYellowWon : kRedWon);
            }
            QVERIFY(game.Result() || game.status() == kDraw);
            QVERIFY(game.NumDiscs() <= kCells);
        }
    }
};

QTEST_APPLESS_MAIN(TestPuissance4Game)
#include "tst_puissance4game.moc"
