#include "form1.h"
#include "othellocell.h"
#include "stations.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace {

constexpr int kOthello = Form5::kOthello;
constexpr int kPuissance4 = Form5::kPuissance4;

// One game as a station has it.
struct View {
    QWidget &window;
    bool open, flag; // flag: the station's loaded flag, which drives its broadcasts
    QString opponent, board;
    qint16 discs;
    QString shown; // status, black or yellow player, white or red player
    QTimer &flash;
    QPointer<Form5> &offer; // the latest proposal window
};

View view(Form1 &s, int game)
{
    Station &st = s.station();
    Form3 &o = s.form3();
    Form4 &p = s.form4();
    QWidget &w = game == kOthello ? static_cast<QWidget &>(o) : p;
    const auto text = [&w](const char *name) { return w.findChild<QLineEdit *>(name)->text(); };
    const QString shown = text(game == kOthello ? "Text3" : "Text1") + '|' + text("Text4") + '|' + text("Text5");
    if (game == kOthello)
        return {o, o.isLoaded(), st.bForm3Loaded, st.st2OUserName, o.FillRC(), o.NumDiscs(), shown, o.Timer1, s.frmOthelloProposal};
    return {p, p.isLoaded(), st.bForm4Loaded, st.st2P4UserName, p.FillRC(), p.NumDiscs(), shown, p.Timer1, s.frmPuissance4Proposal};
}

// Clicks a cell; a Puissance 4 cell drops into its column, Othello's cell 0 is its first legal move.
void click(Form1 &s, int game, int cell)
{
    for (int index = 1; game == kOthello && !cell && index <= OthelloGame::kCells; ++index) {
        if (s.form3().game().isLegal(OthelloGame::ColumnOf(index), OthelloGame::RowOf(index), s.form3().TurnColor()))
            cell = index;
    }
    QWidget *target = game == kOthello ? static_cast<QWidget *>(s.form3().Picture1(cell))
                                       : s.form4().findChild<QWidget *>(QStringLiteral("Picture1_%1").arg(cell));
    if (target)
        QTest::mouseClick(target, Qt::LeftButton);
}

QString proposal(int game, const QString &to, const QString &from)
{
    return game == kOthello ? wire::othelloProposal(to, from) : wire::puissance4Proposal(to, from);
}

// The proposer offers a game, the other accepts it in the proposal window,
// and the accept opens the proposer's window too.
bool startGame(int game, Form1 &proposer, Form1 &accepter)
{
    proposer.station().send(proposal(game, accepter.station().sUserName, proposer.station().sUserName));
    if (!QTest::qWaitFor([&] { return !view(accepter, game).offer.isNull(); }))
        return false;
    view(accepter, game).offer->Command1_Click();
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
    QTest::addColumn<int>("game");
    QTest::newRow("othello") << kOthello;
    QTest::newRow("puissance 4") << kPuissance4;
}

} // namespace

// Proposals, acceptances and the games they start, between real stations.
class TestGames final : public QObject
{
    Q_OBJECT

    std::unique_ptr<LocalLan> m_lan;
    std::unique_ptr<Form1> m_alice, m_bob, m_carol;

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
        QTest::addColumn<int>("game");
        QTest::addColumn<QByteArray>("columns"); // Puissance 4 drops in turn; Othello plays its first legal move
        QTest::addColumn<QString>("shown");
        QTest::newRow("othello") << kOthello << QByteArray() << "White Won!|alice|bob";
        QTest::newRow("p4 win") << kPuissance4 << QByteArray("1212121") << "Yellow Won!|alice|bob";
        QTest::newRow("p4 draw") << kPuissance4 << QByteArray("1211111132422222535373343535464454546577767666677") << "Draw!|alice|bob";
    }

    void wholeGameFromAMessageWindow()
    {
        QFETCH(int, game);
        QFETCH(QByteArray, columns);
        QTRY_COMPARE(m_alice->ListView1->findItems("bob", Qt::MatchExactly).size(), 1);
        m_alice->ListView1->findItems("bob", Qt::MatchExactly).front()->setSelected(true);
        m_alice->ListView1_DblClick();
        QTest::mouseClick(m_alice->frmMessage->findChild<QPushButton *>(game == kOthello ? "Command3" : "Command4"), Qt::LeftButton);
        QTRY_VERIFY(view(*m_bob, game).offer);
        QTest::mouseClick(view(*m_bob, game).offer->Command1, Qt::LeftButton);
        QVERIFY(view(*m_bob, game).open && view(*m_bob, game).flag);
        QTRY_VERIFY(view(*m_alice, game).open && view(*m_alice, game).flag && view(*m_alice, game).window.isVisible());
        QCOMPARE(view(*m_bob, game).opponent + view(*m_alice, game).opponent, QString("alicebob"));
        QVERIFY(!view(*m_alice, kOthello + kPuissance4 - game).flag);

        for (int n = 0; game == kOthello ? m_alice->form3().TurnColor() != OthelloGame::kGameOver : n < columns.size(); ++n) {
            const bool alices = game == kOthello ? m_alice->form3().TurnColor() == OthelloGame::kBlack : n % 2 == 0;
            Form1 &mover = alices ? *m_alice : *m_bob;
            Form1 &other = alices ? *m_bob : *m_alice;
            const int cell = game == kOthello ? 0 : columns[n] - '0';
            const qint16 discs = view(other, game).discs;
            if (n >= 2) { // from the third move on, only the colour's owner moves
                click(other, game, cell);
                QCOMPARE(view(other, game).discs, discs);
            }
            click(mover, game, cell);
            QTRY_COMPARE(view(other, game).discs, qint16(discs + 1));
            QCOMPARE(view(other, game).board, view(mover, game).board);
        }
        QTEST(view(*m_alice, game).shown, "shown");
        QTEST(view(*m_bob, game).shown, "shown");
    }

    void boardsAreTakenOnlyWhenFurtherOn_data() { gameRows(); }
    void boardsAreTakenOnlyWhenFurtherOn()
    {
        QFETCH(int, game);
        QVERIFY(startGame(game, *m_alice, *m_bob));
        QSignalSpy heard(&m_alice->station().link(), &DatagramLink::datagramReceived);
        click(*m_alice, game, game == kOthello ? 20 : 1);
        click(*m_bob, game, game == kOthello ? 45 : 7);
        // Every station hears a datagram at once, so bob's board is the last to arrive anywhere.
        QTRY_VERIFY(heard.contains(QVariantList{m_lan->sent().last()}));
        // Both moved first: neither board is further on, each keeps its own.
        QVERIFY(view(*m_alice, game).board != view(*m_bob, game).board);
        QVERIFY(!view(*m_alice, game).flash.isActive() && !view(*m_bob, game).flash.isActive());

        // Alice's next move reopens bob's closed window as a new game, flashing twice.
        QVERIFY(view(*m_bob, game).window.close());
        QVERIFY(!view(*m_bob, game).open && !view(*m_bob, game).flag);
        QSignalSpy flashes(&view(*m_bob, game).flash, &QTimer::timeout);
        click(*m_alice, game, game == kOthello ? 0 : 4);
        QTRY_VERIFY(view(*m_bob, game).open);
        QVERIFY(view(*m_bob, game).window.isVisible() && !view(*m_bob, game).flag);
        QCOMPARE(view(*m_bob, game).board, view(*m_alice, game).board);
        QTRY_VERIFY(!view(*m_bob, game).flash.isActive());
        QCOMPARE(flashes.count(), 2);
        m_lan->clearSent(); // with the flag still down, bob's broadcast carries no board
        m_bob->station().Timer1_Timer();
        QCOMPARE(summary(m_lan->sent()), QStringList({"3§bob", "10§bob"}));
    }

    void acceptsDuringAGame_data() { gameRows(); }
    void acceptsDuringAGame()
    {
        QFETCH(int, game);
        QVERIFY(startGame(game, *m_alice, *m_bob));
        click(*m_alice, game, game == kOthello ? 0 : 4);
        QTRY_COMPARE(view(*m_bob, game).board, view(*m_alice, game).board);
        const QString before = view(*m_alice, game).board;

        // Accepting carol's proposal waits while that game is open.
        m_carol->station().send(proposal(game, "alice", "carol"));
        QTRY_VERIFY(view(*m_alice, game).offer && view(*m_alice, game).offer->DestUser == "carol");
        m_lan->clearSent();
        view(*m_alice, game).offer->Command1_Click();
        QVERIFY(m_lan->sent().isEmpty() && view(*m_alice, game).offer->isVisible());

        // Alice's own offer to carol, accepted now, only changes her opponent.
        QVERIFY(startGame(game, *m_alice, *m_carol));
        QTRY_COMPARE(view(*m_alice, game).opponent, QString("carol"));
        QVERIFY(view(*m_alice, game).open && view(*m_alice, game).flag);
        QCOMPARE(view(*m_alice, game).board, before);

        // Her next board goes to carol, who takes it; bob ignores a board addressed to another.
        click(*m_alice, game, game == kOthello ? 0 : 4);
        QTRY_COMPARE(view(*m_carol, game).board, view(*m_alice, game).board);
        QCOMPARE(view(*m_bob, game).board, before);
    }

    void bothGamesAtOnce_data()
    {
        QTest::addColumn<int>("first");
        QTest::newRow("othello accepted during p4") << kPuissance4;
        QTest::newRow("p4 accepted during othello") << kOthello;
    }

    void bothGamesAtOnce()
    {
        QFETCH(int, first);
        QVERIFY(startGame(first, *m_bob, *m_alice));
        QVERIFY(startGame(kOthello + kPuissance4 - first, *m_bob, *m_alice));
        m_lan->clearSent();
        m_alice->station().Timer1_Timer();
        QCOMPARE(summary(m_lan->sent()), QStringList({"3§alice", "10§alice", "13§bob", "12§bob"}));

        // Shutting down closes both windows; only the departure reaches bob, whose games stay open.
        m_lan->clearSent();
        QVERIFY(m_alice->close());
        QCOMPARE(summary(m_lan->sent()), QStringList{"7§alice"});
        QTRY_VERIFY(m_bob->ListView1->findItems("alice", Qt::MatchExactly).isEmpty());
        for (int game : {kOthello, kPuissance4}) {
            QVERIFY(!view(*m_alice, game).open && !view(*m_alice, game).flag && !view(*m_alice, game).window.isVisible());
            QVERIFY(view(*m_bob, game).open && view(*m_bob, game).flag && view(*m_bob, game).opponent == "alice");
        }
    }
};

QTEST_MAIN(TestGames)
#include "test_games.moc"
