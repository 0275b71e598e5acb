#include "games/boardcell.h"
#include "look/turnmarker.h"
#include "puissance4/puissance4window.h"
#include "station/station.h"
#include "support/locallan.h"
#include "wire/messages.h"

#include <QtTest>
#include <QtWidgets>

using namespace Qt::StringLiterals;
using namespace puissance4;

// Play between stations is test_matches'; closing and reopening test_games'.
class TestPuissance4Window final : public QObject
{
    Q_OBJECT
    LocalLan m_lan;
    Station m_station{*m_lan.attach()};
    Puissance4Match &m_match = m_station.match<Puissance4Match>();
    Puissance4Window m_window{m_match};

    BoardCell *cellAt(int k) { return m_window.cell(k); }

    // The status and the turn marker's colour.
    QString shown()
    {
        const auto *marker = m_window.findChild<TurnMarker *>(QStringLiteral("Shape1"));
        const auto *status = m_window.findChild<QLineEdit *>(QStringLiteral("Text1"));
        return status->text() + u'|' + marker->fillColour().name();
    }

    // A board from the opponent, as the station hands it to the match.
    bool receive(const Puissance4Game &game, qint16 colour, qint16 discs, const QString &status)
    {
        QSignalSpy taken(&m_match, &Match::boardReceived);
        m_match.takeBoard({u"alice"_s, game.cells(), colour, discs, status});
        return taken.count() == 1;
    }

private slots:
    void initTestCase()
    {
        m_station.start(QStringLiteral("alice"));
        m_station.stop(); // no periodic broadcast in the middle of a row
        connect(&m_match, &Match::boardReceived, &m_window, &GameWindow::boardArrived);
    }

    void init()
    {
        m_station.endGame(Game::Puissance4); // a new game, not the last row's going on
        m_station.startGame(Game::Puissance4, QStringLiteral("bob"));
    }

    void applyBoard_data()
    {
        // The window holds one yellow disc of its own in column 1, red to move.
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("shown");
        // The keys that drop the first disc; none: the mouse does. The window
        // keeps its cursor from row to row, as from game to game.
        QTest::addColumn<QString>("keys");
        // A board is taken only as the next legal one, so its status is the one the rules give.
        QTest::newRow("the mouse") << "Yellow to Play!" << "Yellow to Play!|#ffff00" << "";
        QTest::newRow("arrows and Enter") << "Yellow to Play!" << "Yellow to Play!|#ffff00" << "R L L L L L L Return";
        QTest::newRow("a number key") << "Yellow to Play!" << "Yellow to Play!|#ffff00" << "8 1";
    }

    void applyBoard()
    {
        QFETCH(QString, status);
        m_window.showGame();
        QCOMPARE(shown(), QStringLiteral("Yellow To Play!|#ffff80")); // light yellow before the first drop
        QSignalSpy sent(&m_lan, &LocalLan::datagramSent);
        // Into column 1 by the mouse or by keys given to the focused cursor
        // cell, which starts in column 4.
        QFETCH(QString, keys);
        const QHash<QString, Qt::Key> named{{u"L"_s, Qt::Key_Left}, {u"R"_s, Qt::Key_Right}, {u"1"_s, Qt::Key_1},
                                            {u"8"_s, Qt::Key_8}, {u"Return"_s, Qt::Key_Return}};
        if (keys.isEmpty())
            QTest::mouseClick(cellAt(1), Qt::LeftButton);
        for (const QString &key : keys.split(u' ', Qt::SkipEmptyParts))
            QTest::keyClick(m_window.focusWidget(), named.value(key));
        // The cursor stays in its column, now on the cell above the disc.
        QCOMPARE(m_window.focusWidget(), cellAt(keys.isEmpty() ? 46 : 36));
        QCOMPARE(sent.count(), 3); // one broadcast: presence, availability and the board
        QCOMPARE(shown(), QStringLiteral("Red to Play!|#ff0000"));
        Puissance4Game mine;
        mine.setCell(1, 7, kYellow, false);
        QCOMPARE(m_match.boardMessage(), wire::puissance4Board({u"bob"_s, mine.cells(), kRed, 1, kRedToPlay}));

        Puissance4Game received;
        received.setCell(3, 7, kYellow, false);
        received.setCell(4, 7, kRed, false);
        QVERIFY(receive(received, kYellow, 2, status));
        QTEST(shown(), "shown");
        // The status goes back out as it came, for the opponent compares it.
        QCOMPARE(m_match.boardMessage(), wire::puissance4Board({u"bob"_s, received.cells(), kYellow, 2, status}));
        // Bob dropped the last disc, red: alice plays yellow.
        QCOMPARE(m_window.findChild<QLineEdit *>(u"Text4"_s)->text() + u'|' + m_window.findChild<QLineEdit *>(u"Text5"_s)->text(), QStringLiteral("alice|bob"));
        // A won game takes no more discs; otherwise the next lands on the received one.
        const bool won = status == kRedWon;
        QCOMPARE(m_window.game().isDecided(), won);
        QCOMPARE(m_match.isRunning(), !won && status != kDraw);
        QTest::mouseClick(cellAt(3), Qt::LeftButton);
        QCOMPARE(m_window.game().cell(3, 6), won ? kEmpty : kYellow);
        QCOMPARE(sent.count(), won ? 3 : 6);
    }

};

QTEST_MAIN(TestPuissance4Window)
#include "test_puissance4window.moc"
