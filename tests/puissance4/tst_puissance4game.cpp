#include "puissance4game.h"

#include <QTest>

using namespace puissance4;

namespace {

// A board is seven rows of '.', 'Y' and 'R' joined by '/', row 1 (the top) first.
qint16 colourOf(QChar ch)
{
    return ch == u'Y' ? kYellow : ch == u'R' ? kRed : kEmpty;
}

// The position written the way a received board is: every cell, then the
// levels; yellow to move when both have dropped as many discs.
Puissance4Game gameOf(const QString &picture)
{
    Puissance4Game game;
    const QStringList rows = picture.split(u'/');
    int yellow = 0;
    int red = 0;
    for (int k = 1; k <= kCells; ++k) {
        const qint16 colour = colourOf(rows[Puissance4Game::RowOf(k) - 1][Puissance4Game::ColumnOf(k) - 1]);
        yellow += colour == kYellow;
        red += colour == kRed;
        game.FillBoard(Puissance4Game::ColumnOf(k), Puissance4Game::RowOf(k), colour, false);
    }
    game.SetLevel();
    game.setNumDiscs(qint16(yellow + red));
    game.setColor(yellow > red ? kRed : kYellow);
    return game;
}

QList<int> levelsOf(const Puissance4Game &game)
{
    QList<int> levels;
    for (int i = 1; i <= kSize; ++i)
        levels.append(game.Level(i));
    return levels;
}

} // namespace

class TestPuissance4Game final : public QObject
{
    Q_OBJECT

private slots:
    void drop_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("row"); // where the disc comes to rest
        QTest::addColumn<QString>("status");

        const QString empty = QStringLiteral("......./......./......./......./......./......./.......");
        QTest::newRow("first disc rests on the bottom row") << empty << 4 << 7 << "Red to Play!";
        QTest::newRow("last free cell of a column is row 1")
            << "......./Y....../R....../Y....../R....../Y....../R......" << 1 << 1 << "Red to Play!";
        QTest::newRow("vertical four, column 2 rows 4 to 7")
            << "......./......./......./......./.Y...../.Y....R/.Y...RR" << 2 << 4 << "Yellow Won!";
        QTest::newRow("vertical four reaching the top row")
            << "......./......Y/......Y/......Y/......R/......Y/....RRR" << 7 << 1 << "Yellow Won!";
        QTest::newRow("horizontal four, row 7 columns 1 to 4")
            << "......./......./......./......./......./RRR..../YYY...." << 4 << 7 << "Yellow Won!";
        QTest::newRow("horizontal four at the right edge, red")
            << "......./......./......./......./.....YY/....RRR/...YYRY" << 4 << 6 << "Red Won!";
        QTest::newRow("rising diagonal (1,7) to (4,4)")
            << "......./......./......./......./..YY.../.YRR.../YRYR.R." << 4 << 4 << "Yellow Won!";
        QTest::newRow("rising diagonal ending in the top right corner")
            << "......./....RYR/....YRY/...YRYY/...YRYR/...RYYR/...RYRR" << 7 << 1 << "Yellow Won!";
        QTest::newRow("falling diagonal (1,4) to (4,7), red")
            << "......./......./......./.Y...../YRR..../YYR..../YYRRR.Y" << 1 << 4 << "Red Won!";
        QTest::newRow("falling diagonal from the top left corner")
            << "......./RR...../YRR..../YYYR.../YYRY.../RRYR.../YYYRR.Y" << 1 << 1 << "Red Won!";
        QTest::newRow("five in a row, the gap filled in the middle")
            << "......./......./......./......./......./...R.R./YY.YYRR" << 3 << 7 << "Yellow Won!";
        QTest::newRow("three, the other colour, one more: no win")
            << "......./......./......./......./......./...Y.../RRRY.YY" << 5 << 7 << "Yellow to Play!";
        QTest::newRow("a row does not run on into the next one")
            << "......./......./......./......./....RR./....YYY/.Y.YRRR" << 1 << 7 << "Red to Play!";
        // 48 discs, no four anywhere; the last one fills the board.
        QTest::newRow("49th disc without four is a draw")
            << "RR.RRYY/YYYRYRR/RRYRYYY/YYRYRRY/RRRYRRR/YRRRYYY/YRYYYRY" << 3 << 1 << "Draw!";
        QTest::newRow("49th disc completing four wins")
            << ".YRRYRY/YYRYRYY/YYRYRRR/YRYRYRY/RRYRYRR/RYRYRYR/YRYRYRY" << 1 << 1 << "Yellow Won!";
    }

    void drop()
    {
        QFETCH(QString, before);
        QFETCH(int, column);
        QFETCH(int, row);
        QFETCH(QString, status);

        Puissance4Game game = gameOf(before);
        const qint16 mover = game.Color();
        QString after = before;
        after[(row - 1) * (kSize + 1) + column - 1] = mover == kYellow ? u'Y' : u'R';

        QCOMPARE(game.Drop(column), row);
        QCOMPARE(game.FillRC(), gameOf(after).FillRC());
        QCOMPARE(levelsOf(game), levelsOf(gameOf(after)));
        QCOMPARE(game.status(), status);
        const bool won = status.endsWith(QLatin1String("Won!"));
        QCOMPARE(game.Result(), won);
        QCOMPARE(game.Color(), qint16(3 - mover));
        QCOMPARE(game.freeColumns().isEmpty(), won || status == kDraw);
    }

    void refusedDropChangesNothing()
    {
        Puissance4Game game = gameOf(QStringLiteral("...R.../...Y.../...R.../...Y.../...R.../...Y.../..RY..."));
        const QString cells = game.FillRC();
        QCOMPARE(game.Drop(4), 0);
        QVERIFY(!game.freeColumns().contains(4));
        // Received boards can carry states no drop makes: nobody to move, or
        // a count of 49 with room left. Dropping on would send what no station reads.
        game.setColor(kEmpty);
        QCOMPARE(game.Drop(1), 0);
        game.setColor(kYellow);
        game.setNumDiscs(kCells);
        QCOMPARE(game.Drop(1), 0);
        QCOMPARE(game.FillRC(), cells);
        QCOMPARE(game.status(), QStringLiteral("Yellow To Play!"));
    }

    void setLevelAfterWrittenBoard()
    {
        // Column 2 has a disc over an empty cell, which drops never make;
        // column 5 is full. Writing cells alone leaves the levels alone.
        Puissance4Game game;
        QCOMPARE(game.FillRC(), QStringLiteral("0§").repeated(kCells));
        const Puissance4Game written = gameOf(QStringLiteral("....R../....Y../....R../.Y..Y../....R../....Y../Y...R.R"));
        for (int k = 1; k <= kCells; ++k) {
            const int i = Puissance4Game::ColumnOf(k);
            const int o = Puissance4Game::RowOf(k);
            game.FillBoard(i, o, written.Board(i, o), false);
        }
        QCOMPARE(levelsOf(game), QList<int>(kSize, 7));
        game.SetLevel();
        QCOMPARE(levelsOf(game), QList<int>({6, 7, 7, 7, 0, 7, 6}));
        QCOMPARE(game.FillRC().left(16), QStringLiteral("0§0§0§0§2§0§0§0§"));
    }
};

QTEST_APPLESS_MAIN(TestPuissance4Game)
#include "tst_puissance4game.moc"
