#include "puissance4game.h"

#include <QTest>

using namespace puissance4;

namespace {

// Seven rows of '.', 'Y' and 'R' joined by '/', the top row first, written the
// way a received board is: every cell, then the levels; yellow to move when
// both have dropped as many discs.
Puissance4Game gameOf(const QString &picture)
{
    Puissance4Game game;
    const QString cells = QString(picture).remove(u'/');
    for (int k = 1; k <= kCells; ++k) // '.', 'Y', 'R' at kEmpty, kYellow, kRed
        game.FillBoard(Puissance4Game::ColumnOf(k), Puissance4Game::RowOf(k), QStringLiteral(".YR").indexOf(cells[k - 1]), false);
    game.SetLevel();
    game.setNumDiscs(qint16(cells.count(u'Y') + cells.count(u'R')));
    game.setColor(cells.count(u'Y') > cells.count(u'R') ? kRed : kYellow);
    return game;
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
        QTest::addColumn<int>("row"); // where the disc comes to rest; 0: refused
        QTest::addColumn<QString>("status");

        QTest::newRow("bottom row") << "......./......./......./......./......./......./......." << 4 << 7 << "Red to Play!";
        QTest::newRow("vertical to the top") << "......./......Y/......Y/......Y/......R/......Y/....RRR" << 7 << 1 << "Yellow Won!";
        QTest::newRow("horizontal") << "......./......./......./......./......./RRR..../YYY...." << 4 << 7 << "Yellow Won!";
        QTest::newRow("horizontal, right edge") << "......./......./......./......./.....YY/....RRR/...YYRY" << 4 << 6 << "Red Won!";
        QTest::newRow("rising to a corner") << "......./....RYR/....YRY/...YRYY/...YRYR/...RYYR/...RYRR" << 7 << 1 << "Yellow Won!";
        QTest::newRow("falling from a corner") << "......./RR...../YRR..../YYYR.../YYRY.../RRYR.../YYYRR.Y" << 1 << 1 << "Red Won!";
        QTest::newRow("five") << "......./......./......./......./......./...R.R./YY.YYRR" << 3 << 7 << "Yellow Won!";
        QTest::newRow("three, other, one") << "......./......./......./......./......./...Y.../RRRY.YY" << 5 << 7 << "Yellow to Play!";
        QTest::newRow("no run into next row") << "......./......./......./......./....RR./....YYY/.Y.YRRR" << 1 << 7 << "Red to Play!";
        QTest::newRow("49th, draw") << "RR.RRYY/YYYRYRR/RRYRYYY/YYRYRRY/RRRYRRR/YRRRYYY/YRYYYRY" << 3 << 1 << "Draw!";
        QTest::newRow("full column") << "...R.../...Y.../...R.../...Y.../...R.../...Y.../..RY..." << 4 << 0 << "Yellow To Play!";
        QTest::newRow("49th, win") << ".YRRYRY/YYRYRYY/YYRYRRR/YRYRYRY/RRYRYRR/RYRYRYR/YRYRYRY" << 1 << 1 << "Yellow Won!";
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
        if (row)
            after[(row - 1) * (kSize + 1) + column - 1] = mover == kYellow ? u'Y' : u'R';

        QCOMPARE(game.Drop(column), row);
        QCOMPARE(game.FillRC(), gameOf(after).FillRC());
        QCOMPARE(game.Level(column), gameOf(after).Level(column));
        QCOMPARE(game.status(), status);
        const bool won = status.endsWith(QLatin1String("Won!"));
        QCOMPARE(game.Result(), won);
        QCOMPARE(game.freeColumns().isEmpty(), won || status == kDraw);
    }

    void noDropOnReceivedEndStates()
    {
        // Received boards can carry states no drop makes: nobody to move, or 49 discs with room left.
        Puissance4Game nobody, full;
        nobody.setColor(kEmpty);
        full.setNumDiscs(kCells);
        QCOMPARE(nobody.Drop(1) + full.Drop(1), 0);
    }

    void setLevelAfterWrittenBoard()
    {
        // Column 2 has a disc over an empty cell, which drops never make; column 5 is full.
        const Puissance4Game game = gameOf("....R../....Y../....R../.Y..Y../....R../....Y../Y...R.R");
        QString levels;
        for (int i = 1; i <= kSize; ++i)
            levels += QString::number(game.Level(i));
        QCOMPARE(levels, QStringLiteral("6777076"));
    }
};

QTEST_APPLESS_MAIN(TestPuissance4Game)
#include "tst_puissance4game.moc"
