#include "games/boardcell.h"
#include "look/turnmarker.h"
#include "othello/othellowindow.h"
#include "station/station.h"
#include "support/locallan.h"
#include "wire/messages.h"

#include <QtTest>
#include <QtWidgets>
#include <functional>

using namespace Qt::StringLiterals;

// Play between stations is test_matches'; closing and reopening test_games'.
class TestOthelloWindow final : public QObject
{
    Q_OBJECT
    LocalLan m_lan;
    Station m_station{*m_lan.attach()};
    OthelloMatch &m_match = m_station.match<OthelloMatch>();
    OthelloWindow m_window{m_match};

    BoardCell *cellAt(int index) { return m_window.cell(index); }

    QString texts(const QStringList &names)
    {
        QStringList shown;
        for (const QString &name : names)
            shown << m_window.findChild<QLineEdit *>(name)->text();
        return shown.join(u'|');
    }

    // The opponent's next board: the one shown with these moves (x, y) made
    // on it, whichever player's they are.
    bool receive(std::initializer_list<std::pair<int, int>> moves)
    {
        OthelloGame game = m_window.game();
        for (const auto &[x, y] : moves)
            if (!game.playMove(x, y, game.turnColour(), u"bob"_s, u"alice"_s) && !game.playMove(x, y, game.turnColour(), u"alice"_s, u"bob"_s))
                return false;
        QSignalSpy taken(&m_match, &Match::boardReceived);
        m_match.takeBoard({u"alice"_s, game.cells(), game.turnColour(), game.discCount()});
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
        m_station.endGame(Game::Othello); // a new game, not the last row's going on
        m_station.startGame(Game::Othello, QStringLiteral("bob"));
    }

    void hover_data()
    {
        // Steps: hN the mouse over cell N, cN a click on it, o0 the mouse off the board, l0 the game ended
        // here; b0 a received board with black's move on D3.
        QTest::addColumn<QString>("steps");
        QTest::addColumn<int>("highlighted");
        QTest::newRow("follows the mouse") << "h1 h2 h10" << 10;
        QTest::newRow("gone when the mouse leaves for a disc") << "h1 h28" << 0;
        QTest::newRow("gone when the mouse leaves the board") << "h1 o0" << 0;
        QTest::newRow("a refused click clears it") << "h1 c1" << 0;
        QTest::newRow("not while the game is not on here") << "l0 h1" << 0;
        QTest::newRow("white to move") << "b0 h1" << 1;
        QTest::newRow("a received board clears it") << "h1 b0" << 0;
        QTest::newRow("never on the cell just played") << "h20 c20 h20 h21" << 21;
    }

    void hover()
    {
        QFETCH(QString, steps);
        QFETCH(int, highlighted);
        m_window.showGame();
        QTest::mouseMove(&m_window, QPoint(1, 1)); // off the board, wherever the last row left it
        for (const QString &step : steps.split(u' ')) {
            const int n = step.mid(1).toInt();
            const char kind = step.at(0).toLatin1();
            if (kind == 'h')
                QTest::mouseMove(cellAt(n), cellAt(n)->rect().center());
            else if (kind == 'c')
                QTest::mouseClick(cellAt(n), Qt::LeftButton);
            else if (kind == 'o')
                QTest::mouseMove(&m_window, QPoint(1, 1));
            else if (kind == 'l')
                m_station.endGame(Game::Othello);
            else
                QVERIFY(receive({{4, 3}}));
        }
        QCOMPARE(m_window.highlightedCell(), highlighted);
    }

    void clickPlays_data()
    {
        // D3 by mouse or by keys, given where a user's go: to the focused
        // cursor cell, which starts on D4.
        QTest::addColumn<QString>("keys");
        QTest::newRow("mouse") << "mouse";
        QTest::newRow("arrows, Enter") << "L U R Return";
        QTest::newRow("Space, the cursor stopped at the edges") << "U U U U L L L L Space R R R D D Enter";
    }

    void clickPlays()
    {
        QFETCH(QString, keys);
        m_window.showGame();
        QTest::mouseClick(cellAt(1), Qt::LeftButton); // not a legal move
        QCOMPARE(m_window.game(), OthelloGame::initial());
        const QHash<QString, Qt::Key> named{{u"L"_s, Qt::Key_Left}, {u"R"_s, Qt::Key_Right}, {u"U"_s, Qt::Key_Up}, {u"D"_s, Qt::Key_Down},
                                            {u"Return"_s, Qt::Key_Return}, {u"Enter"_s, Qt::Key_Enter}, {u"Space"_s, Qt::Key_Space}};
        if (keys == u"mouse"_s)
            QTest::mouseClick(cellAt(OthelloGame::indexOf(4, 3)), Qt::LeftButton);
        else
            for (const QString &key : keys.split(u' '))
                QTest::keyClick(m_window.focusWidget(), named.value(key));
        QCOMPARE(m_window.focusWidget(), cellAt(keys == u"mouse"_s ? OthelloGame::indexOf(4, 4) : OthelloGame::indexOf(4, 3)));
        OthelloGame expected = OthelloGame::initial();
        QVERIFY(expected.playMove(4, 3, OthelloGame::kBlack, QString(), QString()));
        QCOMPARE(m_match.boardMessage(), wire::othelloBoard({u"bob"_s, expected.cells(), OthelloGame::kWhite, 5}));
        QCOMPARE(texts({u"Text4"_s, u"Text5"_s, u"Text1"_s, u"Text2"_s, u"Text3"_s}), QStringLiteral("alice|bob|4|1|White To Play"));
    }

    // Flashing twice after the board is test_games'; closing stops it at once.
    void appliedBoardEndingTheGame()
    {
        m_window.showGame();
        auto *flash = m_window.findChild<QTimer *>(QStringLiteral("Timer1"));
        // The shortest game there is: black takes every disc at its ninth move.
        QVERIFY(receive({{4, 3}, {3, 3}, {2, 3}}));
        QVERIFY(receive({{4, 2}, {5, 1}, {4, 6}}));
        QVERIFY(receive({{4, 7}, {5, 3}, {6, 4}}));
        QCOMPARE(texts({u"Text1"_s, u"Text2"_s, u"Text3"_s}), QStringLiteral("13|0|Black Won!"));
        QVERIFY(flash->isActive());
        m_window.close();
        QVERIFY(!flash->isActive() && m_window.flashCount() == 0);
        QVERIFY(!m_match.isPlaying()); // a game that is over ends with its window
    }
};

QTEST_MAIN(TestOthelloWindow)
#include "test_othellowindow.moc"
