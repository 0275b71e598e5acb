#include "dialogs/messagewindow.h"
#include "dialogs/proposalwindow.h"
#include "games/gamewindow.h"
#include "look/gamenotice.h"
#include "look/turnmarker.h"
#include "games/boardcell.h"
#include "othello/othellowindow.h"
#include "puissance4/puissance4match.h"
#include "support/stations.h"

#include <QtTest>
#include <QtWidgets>

using namespace Qt::StringLiterals;

namespace {

constexpr Game kOthello = Game::Othello;
constexpr Game kPuissance4 = Game::Puissance4;

Game otherGame(Game game) { return game == kOthello ? kPuissance4 : kOthello; }

// One game as a station's windows show it; a window not built yet shows nothing.
struct View {
    GameWindow *window;
    bool open, playing;
    QString opponent;
    int discs;
    QString players; // the two name boxes
    ProposalWindow *offer; // the latest proposal window
    QString notice;        // what the game window says over its board
    QString turn;          // the status line under a turn marker; empty while no turn is shown
};

View view(MainWindow &s, Game game)
{
    GameWindow *w = s.gameWindow(game);
    const Match &match = s.station().match(game);
    const int discs = game == kOthello ? s.station().match<OthelloMatch>().game().discCount() : s.station().match<Puissance4Match>().game().discCount();
    View v{w, false, match.isPlaying(), match.opponent(), discs, {}, s.proposalWindow(game), {}, {}};
    if (!w)
        return v;
    v.open = w->isOpen() && w->isVisible();
    v.players = control<QLineEdit>(*w, "Text4")->text() + u'|' + control<QLineEdit>(*w, "Text5")->text();
    v.notice = w->notice();
    const QString status = control<QLineEdit>(*w, game == kOthello ? "Text3" : "Text1")->text();
    v.turn = (control<TurnMarker>(*w, "Shape1")->isHidden() ? QString() : u"marker "_s) + status;
    return v;
}

// Clicks a cell; a Puissance 4 cell drops into its column, Othello's cell 0 is its first legal move.
void click(MainWindow &s, Game game, int cell)
{
    if (!s.gameWindow(game))
        return;
    if (game == kOthello) {
        const OthelloGame &othello = s.station().match<OthelloMatch>().game();
        for (int index = 1; !cell && index <= OthelloGame::kCells; ++index)
            cell = othello.isLegal(OthelloGame::columnOf(index), OthelloGame::rowOf(index), othello.turnColour()) ? index : 0;
    }
    QTest::mouseClick(s.gameWindow(game)->cell(cell), Qt::LeftButton);
}

// Chooses a Tools item as a user does: opening the menu enables what applies. Returns whether it was enabled.
bool chooseTool(MainWindow &s, const char *item)
{
    auto *tools = control<QMenu>(s, "Tools");
    tools->popup(s.mapToGlobal(QPoint(0, 0)));
    QAction *action = control<QAction>(s, item);
    const bool enabled = action->isEnabled();
    action->trigger();
    tools->close();
    return enabled;
}

const char *showItem(Game game) { return game == kOthello ? "mnuShowOthello" : "mnuShowPuissance4"; }
const char *leaveItem(Game game) { return game == kOthello ? "mnuLeaveOthello" : "mnuLeavePuissance4"; }

// The proposer offers, the other accepts in the proposal window; the accept opens the proposer's window too.
bool startGame(Game game, MainWindow &proposer, MainWindow &accepter)
{
    proposer.station().proposeGame(game, accepter.station().userName());
    if (!QTest::qWaitFor([&] { return view(accepter, game).offer != nullptr; }))
        return false;
    QTest::mouseClick(control<QPushButton>(*view(accepter, game).offer, "Command1"), Qt::LeftButton);
    return QTest::qWaitFor([&] { return view(proposer, game).open; });
}

// Moves with the first legal cell or column 4; true once the other station shows the same board.
bool played(MainWindow &mover, MainWindow &other, Game game)
{
    const int before = view(other, game).discs;
    click(mover, game, game == kOthello ? 0 : 4);
    return QTest::qWaitFor([&] { return view(other, game).discs == before + 1; });
}

void gameRows()
{
    QTest::addColumn<Game>("game");
    QTest::newRow("othello") << kOthello;
    QTest::newRow("puissance 4") << kPuissance4;
}

} // namespace

// Proposals, acceptances and the games they start, between real stations.
class TestGames final : public QObject
{
    Q_OBJECT

    std::unique_ptr<LocalLan> m_lan;
    std::unique_ptr<MainWindow> m_alice, m_bob, m_carol;

private slots:
    void init()
    {
        m_lan = std::make_unique<LocalLan>();
        m_alice = startStation(*m_lan, u"alice"_s);
        m_bob = startStation(*m_lan, u"bob"_s);
        m_carol = startStation(*m_lan, u"carol"_s);
    }

    void cleanup()
    {
        m_carol.reset(), m_bob.reset(), m_alice.reset(), m_lan.reset();
        qDeleteAll(QApplication::topLevelWidgets()); // message and proposal windows left over
    }

    // From the user list to a game: the message window's button proposes, the
    // proposal window accepts, and each station builds only the window of the
    // game begun. Closing a window keeps the game: the opponent's board brings
    // it back, flashing; so does the Tools menu.
    void gameFromAMessageWindow_data() { gameRows(); }
    void gameFromAMessageWindow()
    {
        QFETCH(Game, game);
        auto *list = control<QListView>(*m_alice, "ListView1");
        QTRY_VERIFY(userEntry(*m_alice, u"bob"_s).isValid());
        const QPoint at = list->visualRect(userEntry(*m_alice, u"bob"_s)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at); // a double click's first press
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseClick(control<QPushButton>(*m_alice->messageWindow(), game == kOthello ? "Command3" : "Command4"), Qt::LeftButton);
        QVERIFY(!m_alice->gameWindow(kOthello) && !m_alice->gameWindow(kPuissance4));
        QVERIFY(!chooseTool(*m_alice, showItem(game)) && !chooseTool(*m_alice, leaveItem(game)));
        QTRY_VERIFY(view(*m_bob, game).offer);
        QTest::mouseClick(control<QPushButton>(*view(*m_bob, game).offer, "Command1"), Qt::LeftButton);
        QVERIFY(view(*m_bob, game).open && view(*m_bob, game).playing);
        QTRY_VERIFY(view(*m_alice, game).open && view(*m_alice, game).playing);
        QCOMPARE(view(*m_bob, game).opponent + view(*m_alice, game).opponent, u"alicebob"_s);
        // Both named from the start; the first move decides the colours.
        QCOMPARE(view(*m_bob, game).players + u' ' + view(*m_alice, game).players, u"bob ?|alice ? alice ?|bob ?"_s);
        QVERIFY(!m_alice->gameWindow(otherGame(game)) && !m_bob->gameWindow(otherGame(game)));

        // Alice moves first; bob closes his window and still plays.
        QVERIFY(played(*m_alice, *m_bob, game));
        QVERIFY(m_bob->gameWindow(game)->close());
        QVERIFY(!view(*m_bob, game).open && view(*m_bob, game).playing);
        QVERIFY(played(*m_bob, *m_alice, game)); // a closed window takes no click
        QVERIFY(m_bob->gameWindow(game)->close());
        auto *flash = control<QTimer>(*m_bob->gameWindow(game), "Timer1");
        QSignalSpy flashes(flash, &QTimer::timeout);
        QVERIFY(played(*m_alice, *m_bob, game));
        QVERIFY(view(*m_bob, game).open && flash->isActive());
        QTRY_VERIFY(!flash->isActive());
        QCOMPARE(flashes.count(), 2);
        QCOMPARE(view(*m_bob, game).players, view(*m_alice, game).players);
        // The mover closes his window and opens it again from the Tools menu.
        QVERIFY(m_alice->gameWindow(game)->close());
        QVERIFY(chooseTool(*m_alice, showItem(game)));
        QVERIFY(view(*m_alice, game).open);
        QVERIFY(!m_carol->gameWindow(kOthello) && !m_carol->gameWindow(kPuissance4)); // boards to others build nothing
    }

    // An accept that comes while a game of its kind is on starts nothing and is said.
    void acceptDuringAGameIsSaid()
    {
        QVERIFY(startGame(kOthello, *m_alice, *m_bob));
        QVERIFY(startGame(kOthello, *m_alice, *m_carol)); // carol's window opens; alice's shows bob's game
        QTRY_COMPARE(m_alice->notices().shown(), u"carol accepted Othello, but your game is on: propose again after it"_s);
        QCOMPARE(view(*m_alice, kOthello).opponent, u"bob"_s);
    }

    // Leaving ends the game here and says so; the opponent, who hears no
    // more boards, is told after the quiet periods.
    void leavingAGame_data() { gameRows(); }
    void leavingAGame()
    {
        QFETCH(Game, game);
        QVERIFY(startGame(game, *m_alice, *m_bob) && played(*m_alice, *m_bob, game));
        QVERIFY(chooseTool(*m_bob, leaveItem(game)));
        QVERIFY(!view(*m_bob, game).playing && !chooseTool(*m_bob, showItem(game)));
        QCOMPARE(view(*m_bob, game).notice, look::leftGameNotice());
        QCOMPARE(view(*m_bob, game).turn, QString()); // nobody is to move
        for (int period = 1; period < Match::kQuietPeriods; ++period)
            m_alice->station().broadcastPeriod();
        QVERIFY(view(*m_alice, game).notice.isEmpty()); // a board or two may be lost
        m_alice->station().broadcastPeriod();
        QCOMPARE(view(*m_alice, game).notice, look::opponentQuietNotice(u"bob"_s));
        QVERIFY(view(*m_alice, game).playing); // a silence may pass: alice can still play on
        // The notice offers the one action that ends the game.
        QTest::mouseClick(control<QPushButton>(*m_alice->gameWindow(game), "leaveGame"), Qt::LeftButton);
        QVERIFY(!view(*m_alice, game).playing && view(*m_alice, game).turn.isEmpty());
        QCOMPARE(view(*m_alice, game).notice, look::leftGameNotice());
        QVERIFY(control<QPushButton>(*m_alice->gameWindow(game), "leaveGame")->isHidden());
    }

    // A screen reader finds a name on everything in a game window; the board
    // is one stop in the tab order, its cursor cell, and keys play on it.
    void gameWindowsReadOut_data()
    {
        QTest::addColumn<Game>("game");
        QTest::addColumn<QString>("cursor"); // the cursor cell's name
        QTest::newRow("othello") << kOthello << "D4, white";
        QTest::newRow("puissance 4") << kPuissance4 << "Column 4, row 1: empty";
    }
    void gameWindowsReadOut()
    {
        QFETCH(Game, game);
        QVERIFY(startGame(game, *m_alice, *m_bob));
        GameWindow *window = m_alice->gameWindow(game);
        QStringList unnamed;
        const std::function<void(QAccessibleInterface *)> walk = [&](QAccessibleInterface *node) {
            for (int i = 0; i < node->childCount(); ++i) {
                QAccessibleInterface *child = node->child(i);
                if (!child->state().invisible && child->text(QAccessible::Name).isEmpty())
                    unnamed << child->object()->objectName();
                walk(child);
            }
        };
        walk(QAccessible::queryAccessibleInterface(window));
        QCOMPARE(unnamed, QStringList());
        QList<QWidget *> stops;
        for (QWidget *w = window->nextInFocusChain(); w != window; w = w->nextInFocusChain())
            if (w->isVisible() && (w->focusPolicy() & Qt::TabFocus))
                stops << w;
        QCOMPARE(stops, QList<QWidget *>{window->focusWidget()});
        QTEST(window->focusWidget()->accessibleName(), "cursor");
    }

};

QTEST_MAIN(TestGames)
#include "test_games.moc"
