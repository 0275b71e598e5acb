#include "puissance4/puissance4game.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace puissance4;

namespace {

// Seven rows of '.', 'Y' and 'R' joined by '/', top first, written as a received board is:
// every cell, then the levels; yellow to move when both have dropped as many discs.
Puissance4Game gameOf(const QString &picture)
{
    Puissance4Game game;
    const QString cells = QString(picture).remove(u'/');
    for (int k = 1; k <= kCells; ++k)
        game.setCell(Puissance4Game::columnOf(k), Puissance4Game::rowOf(k), QStringLiteral(".YR").indexOf(cells[k - 1]), false);
    game.recomputeLevels();
    game.setDiscCount(qint16(cells.count(u'Y') + cells.count(u'R')));
    game.setColour(cells.count(u'Y') > cells.count(u'R') ? kRed : kYellow);
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
        // Received boards may hold a disc over a gap, which drops never make: the level is the lowest gap.
        QTest::newRow("written board, disc over a gap") << "....R../....Y../....R../.Y..Y../....R../....Y../Y...R.R" << 2 << 7 << "Red to Play!";
    }

    void drop()
    {
        QFETCH(QString, before);
        QFETCH(int, column);
        QFETCH(int, row);
        QFETCH(QString, status);
        Puissance4Game game = gameOf(before);
        QString after = before;
        if (row)
            after[(row - 1) * (kSize + 1) + column - 1] = game.colour() == kYellow ? u'Y' : u'R';
        QCOMPARE(game.drop(column, QString(), u"bob"_s), row); // no names yet: u""_s owns both colours
        QVERIFY(game.cells() == gameOf(after).cells());
        QCOMPARE(game.level(column), gameOf(after).level(column));
        QCOMPARE(game.statusLine(), status);
        const bool won = status.endsWith(QLatin1String("Won!"));
        QCOMPARE(game.isDecided(), won);
        QCOMPARE(game.freeColumns().isEmpty(), won || status == kDraw);
    }

    // A peer's board after the one here (a yellow and a red disc in column 4):
    // drops into the columns listed, then what a forger changes: "count+K",
    // "count=K", "empty" (every cell), "float" (a yellow disc in the air),
    // "recolour" (the bottom disc turned), "won" (a result the cells do not
    // show), "colour=K".
    void leadsTo_data()
    {
        QTest::addColumn<QString>("later");
        QTest::addColumn<bool>("follows");
        QTest::newRow("the next drop") << "1" << true;
        QTest::newRow("a lost board between") << "12" << true;
        QTest::newRow("two lost boards between") << "123" << true;
        QTest::newRow("too many drops skipped") << "1234" << false;
        QTest::newRow("the next drop, inflated count") << "1 count=32767" << false;
        QTest::newRow("the next drop, a count its discs do not have") << "1 count+1" << false;
        QTest::newRow("the same cells, one more counted") << "- count+1" << false;
        QTest::newRow("reset to an empty board") << "- empty count+1" << false;
        QTest::newRow("a disc in the air") << "- float count+1 colour=2" << false;
        QTest::newRow("a dropped disc turned") << "1 recolour" << false;
        QTest::newRow("the next drop, said to be won") << "1 won" << false;
        QTest::newRow("the next drop, the wrong colour to move") << "1 colour=1" << false;
    }

    void leadsTo()
    {
        QFETCH(QString, later);
        Puissance4Game here;
        for (const int column : {4, 4})
            here.drop(column, here.colour() == kYellow ? u"y"_s : u"r"_s, here.colour() == kYellow ? u"r"_s : u"y"_s);
        Puissance4Game board = here;
        const QStringList words = later.split(u' ');
        for (const QChar column : words[0])
            if (column != u'-')
                QVERIFY(board.drop(column.digitValue(), board.colour() == kYellow ? u"y"_s : u"r"_s, board.colour() == kYellow ? u"r"_s : u"y"_s) > 0);
        for (const QString &word : words.mid(1)) {
            if (word.startsWith(u"count+"_s))
                board.setDiscCount(qint16(board.discCount() + word.mid(6).toInt()));
            else if (word.startsWith(u"count="_s))
                board.setDiscCount(qint16(word.mid(6).toInt()));
            else if (word.startsWith(u"colour="_s))
                board.setColour(qint16(word.mid(7).toInt()));
            else if (word == u"empty"_s)
                board = [&] { Puissance4Game empty; empty.setDiscCount(board.discCount()); return empty; }();
            else if (word == u"float"_s)
                board.setCell(7, 1, kYellow, false);
            else if (word == u"recolour"_s)
                board.setCell(4, kSize, kRed, false);
            else if (word == u"won"_s)
                board.setStatusLine(kYellowWon);
        }
        QTEST(here.leadsTo(board.cells(), board.colour(), board.discCount(), board.statusLine()), "follows");
    }

    void noDropOnReceivedEndStates()
    {
        Puissance4Game nobody, full; // states no drop makes: nobody to move, 49 discs with room left

        nobody.setColour(kEmpty);
        full.setDiscCount(kCells);
        QCOMPARE(nobody.drop(1, u"alice"_s, u"bob"_s) + full.drop(1, u"alice"_s, u"bob"_s), 0);
    }

    void turnOwnership_data()
    {
        // Drops into column 1 as "user+" (accepted) or "user-" (refused), against the other of alice and bob.
        QTest::addColumn<QString>("drops");
        QTest::addColumn<QString>("players"); // yellow|red
        QTest::newRow("third by yellow") << "alice+ bob+ bob- alice+ bob+" << "alice|bob";
        QTest::newRow("both firsts by one") << "alice+ alice+ alice- bob+ alice+" << "bob|alice";
        QTest::newRow("case-sensitive") << "alice+ bob+ Alice- alice+" << "alice|bob";
        QTest::newRow("bob first is yellow") << "bob+ alice+ alice- bob+" << "bob|alice";
    }

    void turnOwnership()
    {
        QFETCH(QString, drops);
        Puissance4Game game;
        for (const QString &step : drops.split(u' ')) {
            const auto before = std::tuple(game.cells(), game.yellowPlayer(), game.redPlayer());
            const QString user = step.chopped(1);
            const bool accepted = step.endsWith(u'+');
            QCOMPARE(game.drop(1, user, user == u"bob"_s ? u"alice"_s : u"bob"_s) != 0, accepted);
            QVERIFY(accepted || std::tuple(game.cells(), game.yellowPlayer(), game.redPlayer()) == before);
        }
        QTEST(game.yellowPlayer() + u'|' + game.redPlayer(), "players");
    }
};

QTEST_APPLESS_MAIN(TestPuissance4Game)
#include "test_puissance4game.moc"
