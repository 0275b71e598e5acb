#include "dialogs/messagewindow.h"
#include "dialogs/proposalwindow.h"
#include "othello/othellocell.h"
#include "othello/othellowindow.h"
#include "puissance4/puissance4window.h"
#include "support/stations.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

namespace {

constexpr Game kOthello = Game::Othello;
constexpr Game kPuissance4 = Game::Puissance4;

Game otherGame(Game game)
{
    return game == kOthello ? kPuissance4 : kOthello;
}

// One game as a station has it.
struct View {
    QWidget &window;
    bool open, playing; // playing: the station's own view, which drives its broadcasts
    QString opponent, board;
    qint16 discs;
    QString shown; // status, black or yellow player, white or red player
    QTimer &flash;
    ProposalWindow *offer; // the latest proposal window
};

View view(MainWindow &s, Game game)
{
    Station &st = s.station();
    OthelloWindow &o = s.othelloWindow();
    Puissance4Window &p = s.puissance4Window();
    QWidget &w = game == kOthello ? static_cast<QWidget &>(o) : p;
    const auto text = [&w](const char *name) { return control<QLineEdit>(w, name)->text(); };
    const QString shown = text(game == kOthello ? "Text3" : "Text1") + '|' + text("Text4") + '|' + text("Text5");
    const QString board = game == kOthello ? o.game().cellFields() : p.game().cellFields();
    const qint16 discs = game == kOthello ? o.game().discCount() : p.game().discCount();
    return {w,     game == kOthello ? o.isOpen() : p.isOpen(), st.isPlaying(game), st.opponent(game), board, discs,
            shown, *control<QTimer>(w, "Timer1"), s.proposalWindow(game)};
}

// Clicks a cell; a Puissance 4 cell drops into its column, Othello's cell 0 is its first legal move.
void click(MainWindow &s, Game game, int cell)
{
    const OthelloGame &othello = s.othelloWindow().game();
    for (int index = 1; game == kOthello && !cell && index <= OthelloGame::kCells; ++index) {
        if (othello.isLegal(OthelloGame::columnOf(index), OthelloGame::rowOf(index), othello.turnColour()))
            cell = index;
    }
    QWidget *target = game == kOthello ? static_cast<QWidget *>(s.othelloWindow().cell(cell))
                                       : s.puissance4Window().findChild<QWidget *>(QStringLiteral("Picture1_%1").arg(cell));
    if (target)
        QTest::mouseClick(target, Qt::LeftButton);
}

// The proposer offers a game, the other accepts it in the proposal window,
// and the accept opens the proposer's window too.
bool startGame(Game game, MainWindow &proposer, MainWindow &accepter)
{
    proposer.station().proposeGame(game, accepter.station().userName());
    if (!QTest::qWaitFor([&] { return view(accepter, game).offer != nullptr; }))
        return false;
    QTest::mouseClick(control<QPushButton>(*view(accepter, game).offer, "Command1"), Qt::LeftButton);
    return QTest::qWaitFor([&] { return view(proposer, game).open; });
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
        for (auto *station : {&m_carol, &m_bob, &m_alice})
            station->reset();
        m_lan.reset();
        qDeleteAll(QApplication::topLevelWidgets()); // message and proposal windows left over
    }

    void wholeGameFromAMessageWindow_data()
    {
        QTest::addColumn<Game>("game");
        QTest::addColumn<QByteArray>("columns"); // Puissance 4 drops in turn; Othello plays its first legal move
        QTest::addColumn<bool>("lossy");
        QTest::addColumn<QString>("shown");
        for (const bool lossy : {false, true}) {
            const char *lan = lossy ? "lossy LAN" : "clean LAN";
            QTest::addRow("othello, %s", lan) << kOthello << QByteArray() << lossy << "White Won!|alice|bob";
            QTest::addRow("p4 win, %s", lan) << kPuissance4 << QByteArray("1212121") << lossy << "Yellow Won!|alice|bob";
            QTest::addRow("p4 draw, %s", lan)
                << kPuissance4 << QByteArray("1211111132422222535373343535464454546577767666677") << lossy
                << "Draw!|alice|bob";
        }
    }

    void wholeGameFromAMessageWindow()
    {
        QFETCH(Game, game);
        QFETCH(QByteArray, columns);
        QFETCH(bool, lossy);
        auto *list = control<QListWidget>(*m_alice, "ListView1");
        QTRY_COMPARE(list->findItems("bob", Qt::MatchExactly).size(), 1);
        QListWidgetItem *bob = list->findItems("bob", Qt::MatchExactly).front();
        const QPoint at = list->visualItemRect(bob).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at); // a double click's first press
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseClick(control<QPushButton>(*m_alice->messageWindow(), game == kOthello ? "Command3" : "Command4"),
                          Qt::LeftButton);
        QTRY_VERIFY(view(*m_bob, game).offer);
        QTest::mouseClick(control<QPushButton>(*view(*m_bob, game).offer, "Command1"), Qt::LeftButton);
        QVERIFY(view(*m_bob, game).open && view(*m_bob, game).playing);
        QTRY_VERIFY(view(*m_alice, game).open && view(*m_alice, game).playing && view(*m_alice, game).window.isVisible());
        QCOMPARE(view(*m_bob, game).opponent + view(*m_alice, game).opponent, QString("alicebob"));
        QVERIFY(!view(*m_alice, otherGame(game)).playing);

        if (lossy) { // from here on datagrams are lost, repeated and swapped
            m_lan->setDropEvery(3);
            m_lan->setDuplicateEvery(4);
            m_lan->setReorder(true);
        }
        const OthelloGame &othello = m_alice->othelloWindow().game();
        for (int n = 0; game == kOthello ? othello.turnColour() != OthelloGame::kGameOver : n < columns.size(); ++n) {
            const bool alices = game == kOthello ? othello.turnColour() == OthelloGame::kBlack : n % 2 == 0;
            MainWindow &mover = alices ? *m_alice : *m_bob;
            MainWindow &other = alices ? *m_bob : *m_alice;
            const int cell = game == kOthello ? 0 : columns[n] - '0';
            const qint16 discs = view(other, game).discs;
            if (n >= 2) { // from the third move on, only the colour's owner moves
                click(other, game, cell);
                QCOMPARE(view(other, game).discs, discs);
            }
            click(mover, game, cell);
            // A lost board is sent again by the next periodic broadcast, run here at once.
            while (!QTest::qWaitFor([&] { return view(other, game).discs == discs + 1; }, lossy ? 50 : 5000)) {
                QVERIFY(lossy);
                mover.station().broadcastPresence();
            }
            QCOMPARE(view(other, game).board, view(mover, game).board);
        }
        QTEST(view(*m_alice, game).shown, "shown");
        QTEST(view(*m_bob, game).shown, "shown");
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
        const QByteArray last = m_lan->sent().last();
        QTRY_VERIFY(std::any_of(heard.cbegin(), heard.cend(), [&](const QVariantList &args) { return args.at(0) == last; }));
        // Both moved first: neither board is further on, each keeps its own.
        QVERIFY(view(*m_alice, game).board != view(*m_bob, game).board);
        QVERIFY(!view(*m_alice, game).flash.isActive() && !view(*m_bob, game).flash.isActive());

        // Alice's next move reopens bob's closed window as a new game, flashing twice.
        QVERIFY(view(*m_bob, game).window.close());
        QVERIFY(!view(*m_bob, game).open && !view(*m_bob, game).playing);
        QSignalSpy flashes(&view(*m_bob, game).flash, &QTimer::timeout);
        click(*m_alice, game, game == kOthello ? 0 : 4);
        QTRY_VERIFY(view(*m_bob, game).open);
        QVERIFY(view(*m_bob, game).window.isVisible() && !view(*m_bob, game).playing);
        QCOMPARE(view(*m_bob, game).board, view(*m_alice, game).board);
        QTRY_VERIFY(!view(*m_bob, game).flash.isActive());
        QCOMPARE(flashes.count(), 2);
        m_lan->clearSent(); // bob is not playing, so his broadcast carries no board
        m_bob->station().broadcastPresence();
        QCOMPARE(summary(m_lan->sent()), QStringList({"3§bob", "10§bob"}));
    }

    void acceptsDuringAGame_data() { gameRows(); }
    void acceptsDuringAGame()
    {
        QFETCH(Game, game);
        QVERIFY(startGame(game, *m_alice, *m_bob));
        click(*m_alice, game, game == kOthello ? 0 : 4);
        QTRY_COMPARE(view(*m_bob, game).board, view(*m_alice, game).board);
        const QString before = view(*m_alice, game).board;

        // Accepting carol's proposal waits while that game is open.
        m_carol->station().proposeGame(game, "alice");
        QTRY_VERIFY(view(*m_alice, game).offer && view(*m_alice, game).offer->proposer() == "carol");
        m_lan->clearSent();
        QTest::mouseClick(control<QPushButton>(*view(*m_alice, game).offer, "Command1"), Qt::LeftButton);
        QVERIFY(m_lan->sent().isEmpty() && view(*m_alice, game).offer->isVisible());

        // Alice's own offer to carol, accepted now, only changes her opponent.
        QVERIFY(startGame(game, *m_alice, *m_carol));
        QTRY_COMPARE(view(*m_alice, game).opponent, QString("carol"));
        QVERIFY(view(*m_alice, game).open && view(*m_alice, game).playing);
        QCOMPARE(view(*m_alice, game).board, before);

        // Her next board goes to carol, who takes it; bob ignores a board addressed to another.
        click(*m_alice, game, game == kOthello ? 0 : 4);
        QTRY_COMPARE(view(*m_carol, game).board, view(*m_alice, game).board);
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
        QVERIFY(startGame(first, *m_bob, *m_alice));
        QVERIFY(startGame(otherGame(first), *m_bob, *m_alice));
        m_lan->clearSent();
        m_alice->station().broadcastPresence();
        QCOMPARE(summary(m_lan->sent()), QStringList({"3§alice", "10§alice", "13§bob", "12§bob"}));

        // Shutting down closes both windows; only the departure reaches bob, whose games stay open.
        m_lan->clearSent();
        QVERIFY(m_alice->close());
        QCOMPARE(summary(m_lan->sent()), QStringList{"7§alice"});
        QTRY_VERIFY(control<QListWidget>(*m_bob, "ListView1")->findItems("alice", Qt::MatchExactly).isEmpty());
        for (const Game game : {kOthello, kPuissance4}) {
            QVERIFY(!view(*m_alice, game).open && !view(*m_alice, game).playing && !view(*m_alice, game).window.isVisible());
            QVERIFY(view(*m_bob, game).open && view(*m_bob, game).playing && view(*m_bob, game).opponent == "alice");
        }
    }
};

QTEST_MAIN(TestGames)
#include "test_games.moc"
