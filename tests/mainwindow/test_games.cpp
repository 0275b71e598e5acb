#include "dialogs/messagewindow.h"
#include "dialogs/proposalwindow.h"
#include "look/gamenotice.h"
#include "othello/othellocell.h"
#include "othello/othellowindow.h"
#include "puissance4/puissance4window.h"
#include "support/stations.h"

#include <QtTest>
#include <QtWidgets>

namespace {

constexpr Game kOthello = Game::Othello;
constexpr Game kPuissance4 = Game::Puissance4;

Game otherGame(Game game) { return game == kOthello ? kPuissance4 : kOthello; }

// One game as a station has it; a window not built yet shows nothing.
struct View {
    QWidget *window;
    bool open, playing; // playing: the station's own view, which drives its broadcasts
    QString opponent, board;
    qint16 discs;
    QString shown; // status, black or yellow player, white or red player
    QTimer *flash;
    ProposalWindow *offer; // the latest proposal window
    QString notice;        // what the game window says over its board

    QString players() const { return shown.section(u'|', 1); }
};

View view(MainWindow &s, Game game)
{
    OthelloWindow *o = s.othelloWindow();
    Puissance4Window *p = s.puissance4Window();
    QWidget *w = game == kOthello ? static_cast<QWidget *>(o) : p;
    View v{w, false, s.station().isPlaying(game), s.station().opponent(game), {}, 0, {}, nullptr, s.proposalWindow(game), {}};
    if (!w)
        return v;
    const auto text = [w](const char *name) { return control<QLineEdit>(*w, name)->text(); };
    v.open = game == kOthello ? o->isOpen() : p->isOpen();
    v.board = game == kOthello ? o->game().cellFields() : p->game().cellFields();
    v.discs = game == kOthello ? o->game().discCount() : p->game().discCount();
    v.shown = text(game == kOthello ? "Text3" : "Text1") + '|' + text("Text4") + '|' + text("Text5");
    v.flash = control<QTimer>(*w, "Timer1");
    v.notice = game == kOthello ? o->notice() : p->notice();
    return v;
}

// Clicks a cell; a Puissance 4 cell drops into its column, Othello's cell 0 is its first legal move.
void click(MainWindow &s, Game game, int cell)
{
    QWidget *target = nullptr;
    if (game == kOthello && s.othelloWindow()) {
        const OthelloGame &othello = s.othelloWindow()->game();
        for (int index = 1; !cell && index <= OthelloGame::kCells; ++index)
            cell = othello.isLegal(OthelloGame::columnOf(index), OthelloGame::rowOf(index), othello.turnColour()) ? index : 0;
        target = s.othelloWindow()->cell(cell);
    } else if (game == kPuissance4 && s.puissance4Window()) {
        target = s.puissance4Window()->findChild<QWidget *>(QStringLiteral("Picture1_%1").arg(cell));
    }
    if (target)
        QTest::mouseClick(target, Qt::LeftButton);
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
    click(mover, game, game == kOthello ? 0 : 4);
    return QTest::qWaitFor([&] { return view(other, game).board == view(mover, game).board; });
}

// Waits until the spied station has heard the latest datagram on the LAN.
bool heardLast(const QSignalSpy &heard, const LocalLan &lan)
{
    const QByteArray last = lan.sent().last();
    return QTest::qWaitFor([&] { return std::any_of(heard.cbegin(), heard.cend(), [&](const QVariantList &args) { return args.at(0) == last; }); });
}

// Code and first field of every datagram: "13§bob".
QStringList summary(const QList<QByteArray> &datagrams)
{
    QStringList lines;
    for (const QByteArray &datagram : datagrams)
        lines << QString::fromLatin1(datagram).section(wire::kSeparator, 0, 1);
    return lines;
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
    qint64 m_aliceClock = 0;

private slots:
    void init()
    {
        m_lan = std::make_unique<LocalLan>();
        m_alice = startStation(*m_lan, "alice");
        m_bob = startStation(*m_lan, "bob");
        m_carol = startStation(*m_lan, "carol");
    }

    void cleanup()
    {
        m_carol.reset(), m_bob.reset(), m_alice.reset(), m_lan.reset();
        qDeleteAll(QApplication::topLevelWidgets()); // message and proposal windows left over
    }

    void wholeGameFromAMessageWindow_data()
    {
        QTest::addColumn<Game>("game");
        QTest::addColumn<QByteArray>("columns"); // Puissance 4 drops in turn; Othello plays its first legal move
        QTest::addColumn<bool>("lossy");
        // Before move closeAt a player closes a game window: "board" the one waiting, whom the mover's
        // board opens it again; "menu" the one who just moved, who opens it again from the Tools menu.
        QTest::addColumn<int>("closeAt");
        QTest::addColumn<QString>("reopen");
        QTest::addColumn<QString>("shown");
        for (const bool lossy : {false, true}) {
            const char *lan = lossy ? "lossy LAN" : "clean LAN";
            const QByteArray draw = "1211111132422222535373343535464454546577767666677", win = "1212121";
            QTest::addRow("othello, closed before 30, %s", lan) << kOthello << QByteArray() << lossy << 30 << "board" << "White Won!|alice|bob";
            QTest::addRow("othello, closed before 31, %s", lan) << kOthello << QByteArray() << lossy << 31 << "board" << "White Won!|alice|bob";
            QTest::addRow("othello, menu, %s", lan) << kOthello << QByteArray() << lossy << 31 << "menu" << "White Won!|alice|bob";
            QTest::addRow("p4 win, alice closes, %s", lan) << kPuissance4 << win << lossy << 3 << "board" << "Yellow Won!|alice|bob";
            QTest::addRow("p4 win, bob closes, %s", lan) << kPuissance4 << win << lossy << 4 << "board" << "Yellow Won!|alice|bob";
            QTest::addRow("p4 win, menu, %s", lan) << kPuissance4 << win << lossy << 3 << "menu" << "Yellow Won!|alice|bob";
            QTest::addRow("p4 draw, menu, %s", lan) << kPuissance4 << draw << lossy << 24 << "menu" << "Draw!|alice|bob";
        }
    }

    void wholeGameFromAMessageWindow()
    {
        QFETCH(Game, game);
        QFETCH(QByteArray, columns);
        QFETCH(int, closeAt);
        QFETCH(QString, reopen);
        auto *list = control<QListView>(*m_alice, "ListView1");
        QTRY_VERIFY(userEntry(*m_alice, "bob").isValid());
        const QPoint at = list->visualRect(userEntry(*m_alice, "bob")).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at); // a double click's first press
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseClick(control<QPushButton>(*m_alice->messageWindow(), game == kOthello ? "Command3" : "Command4"), Qt::LeftButton);
        // Game windows are built when first opened, one on each of the two stations.
        QVERIFY(!m_alice->othelloWindow() && !m_alice->puissance4Window());
        QVERIFY(!chooseTool(*m_alice, showItem(game)) && !chooseTool(*m_alice, leaveItem(game)));
        QTRY_VERIFY(view(*m_bob, game).offer);
        QTest::mouseClick(control<QPushButton>(*view(*m_bob, game).offer, "Command1"), Qt::LeftButton);
        QVERIFY(view(*m_bob, game).open && view(*m_bob, game).playing);
        QTRY_VERIFY(view(*m_alice, game).open && view(*m_alice, game).playing && view(*m_alice, game).window->isVisible());
        QCOMPARE(view(*m_bob, game).opponent + view(*m_alice, game).opponent, QString("alicebob"));
        QVERIFY(!view(*m_alice, otherGame(game)).playing && !view(*m_alice, otherGame(game)).window);
        QCOMPARE(view(*m_bob, game).shown + view(*m_alice, game).shown, game == kOthello ? "Black To Play||Black To Play||" : "Yellow To Play!||Yellow To Play!||");
        const auto built = [](const char *name) {
            const QWidgetList windows = QApplication::topLevelWidgets();
            return int(std::count_if(windows.cbegin(), windows.cend(), [name](const QWidget *w) { return w->objectName() == name; }));
        };
        QCOMPARE(built("Form3") * 10 + built("Form4"), game == kOthello ? 20 : 2);

        QFETCH(bool, lossy);
        if (lossy) { // from here on datagrams are lost, repeated and swapped
            m_lan->setDropEvery(3);
            m_lan->setDuplicateEvery(4);
            m_lan->setReorder(true);
        }
        const auto othello = [this]() -> const OthelloGame & { return m_alice->othelloWindow()->game(); };
        for (int n = 0; game == kOthello ? othello().turnColour() != OthelloGame::kGameOver : n < columns.size(); ++n) {
            const bool alices = game == kOthello ? othello().turnColour() == OthelloGame::kBlack : n % 2 == 0;
            MainWindow &mover = alices ? *m_alice : *m_bob, &other = alices ? *m_bob : *m_alice;
            const int cell = game == kOthello ? 0 : columns[n] - '0';
            const qint16 discs = view(other, game).discs;
            if (n >= 2) { // from the third move on, only the colour's owner moves
                click(other, game, cell);
                QCOMPARE(view(other, game).discs, discs);
            }
            if (n == closeAt && reopen == "board") { // the waiting player closes the window; the game goes on
                QVERIFY(view(other, game).window->close());
                QVERIFY(!view(other, game).open && !view(other, game).window->isVisible() && view(other, game).playing);
            }
            click(mover, game, cell);
            // A lost board is sent again by the next periodic broadcast, run here at once.
            while (!QTest::qWaitFor([&] { return view(other, game).discs == discs + 1; }, lossy ? 50 : 5000)) {
                QVERIFY(lossy);
                mover.station().broadcastPresence();
            }
            const View seen = view(other, game);
            QCOMPARE(seen.board + seen.players(), view(mover, game).board + view(mover, game).players());
            // Both stations show both players from the first move on.
            QVERIFY(!seen.players().startsWith(u'|') && !seen.players().endsWith(u'|'));
            QVERIFY(seen.open && seen.window->isVisible());
            if (n == closeAt && reopen == "menu") { // the mover closes the window, then opens it again
                const QString before = view(mover, game).shown;
                QVERIFY(view(mover, game).window->close());
                QVERIFY(!view(mover, game).open && view(mover, game).playing);
                QVERIFY(chooseTool(mover, showItem(game)));
                QVERIFY(view(mover, game).open && view(mover, game).window->isVisible());
                QCOMPARE(view(mover, game).shown + view(mover, game).board, before + seen.board);
            }
        }
        QVERIFY(!m_carol->othelloWindow() && !m_carol->puissance4Window()); // boards to others build nothing
        for (MainWindow *station : {m_alice.get(), m_bob.get()}) {
            QTEST(view(*station, game).shown, "shown");
            QVERIFY(view(*station, game).notice.isEmpty());
            // Over: it holds up no new game, and ends when its window closes.
            QVERIFY(!station->station().isRunning(game) && station->station().isPlaying(game));
            QVERIFY(view(*station, game).window->close());
            QVERIFY(!station->station().isPlaying(game));
        }
    }

    void boardsAreTakenOnlyWhenFurtherOn_data() { gameRows(); }
    void boardsAreTakenOnlyWhenFurtherOn()
    {
        QFETCH(Game, game);
        QVERIFY(startGame(game, *m_alice, *m_bob));
        QSignalSpy heard(&m_alice->station().link(), &DatagramLink::datagramReceived);
        click(*m_alice, game, game == kOthello ? 20 : 1);
        click(*m_bob, game, game == kOthello ? 45 : 7);
        // Every station hears a datagram at once, so bob's board is the last to arrive anywhere.
        QVERIFY(heardLast(heard, *m_lan));
        // Both moved first: neither board is further on, each keeps its own.
        QVERIFY(view(*m_alice, game).board != view(*m_bob, game).board);
        QVERIFY(!view(*m_alice, game).flash->isActive() && !view(*m_bob, game).flash->isActive());

        // Bob closes his window and still plays; alice's next move opens it again, flashing twice.
        QVERIFY(view(*m_bob, game).window->close());
        QSignalSpy flashes(view(*m_bob, game).flash, &QTimer::timeout);
        QVERIFY(played(*m_alice, *m_bob, game) && view(*m_bob, game).open);
        QTRY_VERIFY(!view(*m_bob, game).flash->isActive());
        QCOMPARE(flashes.count(), 2);
        m_lan->clearSent(); // his broadcast carries his board
        m_bob->station().broadcastPresence();
        QCOMPARE(summary(m_lan->sent()), QStringList({"3§bob", "10§bob", game == kOthello ? "13§alice" : "12§alice"}));
    }

    void acceptsDuringAGame_data() { gameRows(); }
    void acceptsDuringAGame()
    {
        QFETCH(Game, game);
        QVERIFY(startGame(game, *m_alice, *m_bob) && played(*m_alice, *m_bob, game));
        const QString before = view(*m_alice, game).board;

        // Accepting carol's proposal waits while that game is open; the window says why, without a box.
        m_carol->station().proposeGame(game, "alice");
        QTRY_VERIFY(view(*m_alice, game).offer && view(*m_alice, game).offer->proposer() == "carol");
        ProposalWindow *offer = view(*m_alice, game).offer;
        m_lan->clearSent();
        QVERIFY(offer->refusal().isEmpty());
        QTest::mouseClick(control<QPushButton>(*offer, "Command1"), Qt::LeftButton);
        QVERIFY(m_lan->sent().isEmpty() && offer->isVisible());
        const QString why = offer->refusal();
        QVERIFY2(why.contains("already playing") && why.contains("with bob") && why.contains("Finish or leave"), qPrintable(why));
        QVERIFY(!QApplication::activeModalWidget() && !offer->findChild<QMessageBox *>());

        // Alice's own offer to carol, accepted now, only changes her opponent.
        QVERIFY(startGame(game, *m_alice, *m_carol));
        QTRY_COMPARE(view(*m_alice, game).opponent, QString("carol"));
        QVERIFY(view(*m_alice, game).open && view(*m_alice, game).playing && view(*m_alice, game).board == before);
        // Her next board goes to carol; bob ignores a board addressed to another.
        QVERIFY(played(*m_alice, *m_carol, game));
        QCOMPARE(view(*m_bob, game).board, before);
    }

    void bothGamesAtOnce_data()
    {
        QTest::addColumn<Game>("first");
        QTest::newRow("othello accepted during p4") << kPuissance4;
        QTest::newRow("p4 accepted during othello") << kOthello;
    }

    void bothGamesAtOnce()
    {
        QFETCH(Game, first);
        QVERIFY(startGame(first, *m_bob, *m_alice) && startGame(otherGame(first), *m_bob, *m_alice));
        // Shutting down closes both windows; only the departure reaches bob, whose games stay open.
        m_lan->clearSent();
        QVERIFY(m_alice->close());
        QCOMPARE(summary(m_lan->sent()), QStringList{"7§alice"});
        QTRY_VERIFY(!userEntry(*m_bob, "alice").isValid());
        for (const Game game : {kOthello, kPuissance4}) {
            QVERIFY(!view(*m_alice, game).open && !view(*m_alice, game).playing && !view(*m_alice, game).window->isVisible());
            QVERIFY(view(*m_bob, game).open && view(*m_bob, game).playing && view(*m_bob, game).opponent == "alice");
        }
    }

    // A forgotten second proposal of a game already on with its proposer is declined without
    // a word to the proposer; once that game is over, a decline goes out again.
    void declineAfterItsGameBegan_data() { gameRows(); }
    void declineAfterItsGameBegan()
    {
        QFETCH(Game, game);
        const auto offerFromBob = [&] {
            m_bob->station().proposeGame(game, "alice");
            return QTest::qWaitFor([&] { return view(*m_alice, game).offer; }) ? QPointer(view(*m_alice, game).offer) : nullptr;
        };
        QPointer<ProposalWindow> forgotten = offerFromBob();
        QVERIFY(forgotten && startGame(game, *m_alice, *m_bob)); // the game begins the other way round
        m_lan->clearSent();
        QTest::mouseClick(control<QPushButton>(*forgotten, "Command2"), Qt::LeftButton);
        QVERIFY(m_lan->sent().isEmpty());
        QTRY_VERIFY(!forgotten);

        m_alice->station().forgetRecentDatagrams(); // bob asks again, later than a repeat
        QPointer<ProposalWindow> later = offerFromBob();
        QVERIFY(later);
        m_lan->clearSent();
        m_alice->station().finishGame(game);
        QTest::mouseClick(control<QPushButton>(*later, "Command2"), Qt::LeftButton);
        QCOMPARE(summary(m_lan->sent()).filter("11§"), QStringList{"11§bob"});
        QTRY_VERIFY(m_bob->findChild<QMessageBox *>("Declined"));
    }

    // Leaving ends the game on this station and says so; the opponent, who
    // hears no more boards, is told within a few periods, and not before.
    void leavingAGame_data() { gameRows(); }
    void leavingAGame()
    {
        QFETCH(Game, game);
        QVERIFY(startGame(game, *m_alice, *m_bob) && played(*m_alice, *m_bob, game));
        QSignalSpy heard(&m_alice->station().link(), &DatagramLink::datagramReceived);
        // Periods pass on alice's clock, so bob's board sent again is not taken for a repeat.
        m_aliceClock = QDeadlineTimer::current().deadline();
        m_alice->station().setClock([this] { return m_aliceClock; });
        for (int period = 0; period < Station::kQuietPeriods; ++period) { // bob's boards keep coming
            m_aliceClock += Station::kBroadcastMs;
            m_alice->station().broadcastPeriod();
            m_bob->station().broadcastPresence();
            QVERIFY(heardLast(heard, *m_lan));
            heard.clear();
        }
        QVERIFY(view(*m_alice, game).notice.isEmpty());

        QVERIFY(chooseTool(*m_bob, leaveItem(game)));
        QVERIFY(!view(*m_bob, game).playing && !chooseTool(*m_bob, showItem(game)));
        QCOMPARE(view(*m_bob, game).notice, look::leftGameNotice());
        const QString board = view(*m_bob, game).board; // his window takes no move now
        click(*m_bob, game, game == kOthello ? 0 : 5);
        QCOMPARE(view(*m_bob, game).board, board);

        for (int period = 1; period < Station::kQuietPeriods; ++period)
            m_alice->station().broadcastPeriod();
        QVERIFY(view(*m_alice, game).notice.isEmpty());
        m_alice->station().broadcastPeriod();
        QCOMPARE(view(*m_alice, game).notice, look::opponentQuietNotice("bob"));
        QVERIFY(view(*m_alice, game).playing); // a silence may pass: alice can still play on
    }

    // A station that leaves the network takes its games with it.
    void opponentLeavesTheNetwork_data() { gameRows(); }
    void opponentLeavesTheNetwork()
    {
        QFETCH(Game, game);
        QVERIFY(startGame(game, *m_alice, *m_bob));
        QVERIFY(startGame(otherGame(game), *m_alice, *m_carol));
        QVERIFY(m_bob->close());
        QTRY_COMPARE(view(*m_alice, game).notice, look::opponentGoneNotice("bob"));
        QVERIFY(!view(*m_alice, game).playing && view(*m_alice, game).window->isVisible());
        // The game with carol goes on untouched.
        QVERIFY(view(*m_alice, otherGame(game)).playing && view(*m_alice, otherGame(game)).notice.isEmpty());
        // A new proposal can be accepted at once.
        QVERIFY(startGame(game, *m_carol, *m_alice));
        QVERIFY(view(*m_alice, game).playing && view(*m_alice, game).notice.isEmpty());
    }
};

QTEST_MAIN(TestGames)
#include "test_games.moc"
