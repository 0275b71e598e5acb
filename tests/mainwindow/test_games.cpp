#include "form1.h"
#include "messages.h"
#include "stations.h"

#include <QApplication>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

namespace {

constexpr int kOthello = Form5::kOthello;
constexpr int kPuissance4 = Form5::kPuissance4;

int otherGame(int game)
{
    return game == kOthello ? kPuissance4 : kOthello;
}

QWidget &window(Form1 &station, int game)
{
    return game == kOthello ? static_cast<QWidget &>(station.form3()) : station.form4();
}

bool isOpen(Form1 &station, int game)
{
    return game == kOthello ? station.form3().isLoaded() : station.form4().isLoaded();
}

bool loadedFlag(Form1 &station, int game)
{
    return game == kOthello ? station.station().bForm3Loaded : station.station().bForm4Loaded;
}

QString opponent(Form1 &station, int game)
{
    return game == kOthello ? station.station().st2OUserName : station.station().st2P4UserName;
}

qint16 discs(Form1 &station, int game)
{
    return game == kOthello ? station.form3().NumDiscs() : station.form4().NumDiscs();
}

QString board(Form1 &station, int game)
{
    return game == kOthello ? station.form3().FillRC() : station.form4().FillRC();
}

QPointer<Form5> &latestProposal(Form1 &station, int game)
{
    return game == kOthello ? station.frmOthelloProposal : station.frmPuissance4Proposal;
}

QString proposal(int game, const QString &to, const QString &from)
{
    return game == kOthello ? wire::othelloProposal(to, from) : wire::puissance4Proposal(to, from);
}

// The first legal Othello move, or a Puissance 4 disc in the middle column.
void move(Form1 &station, int game)
{
    if (game == kPuissance4) {
        station.form4().Picture1_Click(4);
        return;
    }
    Form3 &form = station.form3();
    for (int index = 1; index <= OthelloGame::kCells; ++index) {
        if (form.game().isLegal(OthelloGame::ColumnOf(index), OthelloGame::RowOf(index), form.TurnColor())) {
            form.Picture1_Click(index);
            return;
        }
    }
}

// The proposer offers a game, the other accepts it in the proposal window,
// and the accept opens the proposer's window too.
bool startGame(int game, Form1 &proposer, Form1 &accepter)
{
    proposer.station().send(proposal(game, accepter.station().sUserName, proposer.station().sUserName));
    QPointer<Form5> &offer = latestProposal(accepter, game);
    if (!QTest::qWaitFor([&] { return !offer.isNull(); }))
        return false;
    offer->Command1_Click();
    return QTest::qWaitFor([&] { return isOpen(proposer, game); });
}

// Code and addressee (or sender) of every datagram, as "code|name".
QStringList summary(const QList<QByteArray> &datagrams)
{
    QStringList lines;
    for (const QByteArray &datagram : datagrams) {
        const auto message = wire::read(datagram);
        lines << (message ? QStringLiteral("%1|%2").arg(int(message->code)).arg(message->field(1)) : "?");
    }
    return lines;
}

} // namespace

// Proposals, acceptances and the games they start, between real stations.
class TestGames final : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void proposalFromAMessageWindowStartsAGame_data();
    void proposalFromAMessageWindowStartsAGame();
    void secondAcceptWaitsForTheOpenGame_data();
    void secondAcceptWaitsForTheOpenGame();
    void otherGameCanBeAccepted_data();
    void otherGameCanBeAccepted();
    void acceptDuringAGameOnlyChangesTheOpponent_data();
    void acceptDuringAGameOnlyChangesTheOpponent();
    void periodicBroadcastCarriesOpenBoards_data();
    void periodicBroadcastCarriesOpenBoards();
    void shutDownClosesBothGameWindows();

private:
    std::unique_ptr<LocalLan> m_lan;
    std::unique_ptr<Form1> m_alice, m_bob, m_carol;
};

void TestGames::init()
{
    m_lan = std::make_unique<LocalLan>();
    m_alice = startStation(*m_lan, "alice");
    m_bob = startStation(*m_lan, "bob");
    m_carol = startStation(*m_lan, "carol");
}

void TestGames::cleanup()
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (qobject_cast<Form2 *>(widget) || qobject_cast<Form5 *>(widget) || qobject_cast<QMessageBox *>(widget))
            delete widget;
    }
    m_alice.reset();
    m_bob.reset();
    m_carol.reset();
    m_lan.reset();
}

void TestGames::proposalFromAMessageWindowStartsAGame_data()
{
    QTest::addColumn<int>("game");
    QTest::addColumn<QString>("button");
    QTest::newRow("othello") << kOthello << "Command3";
    QTest::newRow("puissance 4") << kPuissance4 << "Command4";
}

void TestGames::proposalFromAMessageWindowStartsAGame()
{
    QFETCH(int, game);
    QFETCH(QString, button);
    QTRY_VERIFY(!m_alice->ListView1->findItems("bob", Qt::MatchExactly | Qt::MatchCaseSensitive).isEmpty());
    m_alice->ListView1->findItems("bob", Qt::MatchExactly | Qt::MatchCaseSensitive).front()->setSelected(true);
    m_alice->ListView1_DblClick();
    QVERIFY(m_alice->frmMessage);
    QTest::mouseClick(m_alice->frmMessage->findChild<QPushButton *>(button), Qt::LeftButton);

    QTRY_VERIFY(latestProposal(*m_bob, game));
    QPointer<Form5> offer = latestProposal(*m_bob, game);
    QCOMPARE(offer->DestUser, QString("alice"));
    QCOMPARE(offer->Game, qint16(game));
    QVERIFY(!isOpen(*m_bob, game));
    QTest::mouseClick(offer->Command1, Qt::LeftButton);

    // The accepter's window opens through the proposal window, the proposer's through the accept.
    QVERIFY(isOpen(*m_bob, game) && loadedFlag(*m_bob, game));
    QCOMPARE(opponent(*m_bob, game), QString("alice"));
    QTRY_VERIFY(isOpen(*m_alice, game));
    QVERIFY(loadedFlag(*m_alice, game) && window(*m_alice, game).isVisible());
    QCOMPARE(opponent(*m_alice, game), QString("bob"));
    QTRY_VERIFY(offer.isNull());
    QVERIFY(!isOpen(*m_carol, game));
    for (Form1 *station : {m_alice.get(), m_bob.get()})
        QVERIFY(!isOpen(*station, otherGame(game)) && !loadedFlag(*station, otherGame(game)));

    for (int turn = 0; turn < 4; ++turn) {
        Form1 &mover = turn % 2 == 0 ? *m_alice : *m_bob;
        Form1 &other = turn % 2 == 0 ? *m_bob : *m_alice;
        const qint16 before = discs(mover, game);
        move(mover, game);
        QVERIFY(discs(mover, game) > before);
        QTRY_COMPARE(discs(other, game), discs(mover, game));
        QCOMPARE(board(other, game), board(mover, game));
    }
}

void TestGames::secondAcceptWaitsForTheOpenGame_data()
{
    QTest::addColumn<int>("game");
    QTest::newRow("othello") << kOthello;
    QTest::newRow("puissance 4") << kPuissance4;
}

void TestGames::secondAcceptWaitsForTheOpenGame()
{
    QFETCH(int, game);
    QPointer<Form5> &latest = latestProposal(*m_alice, game);
    m_bob->station().send(proposal(game, "alice", "bob"));
    QTRY_VERIFY(latest);
    QPointer<Form5> fromBob = latest;
    m_carol->station().send(proposal(game, "alice", "carol"));
    QTRY_VERIFY(latest != fromBob);
    QPointer<Form5> fromCarol = latest;

    fromBob->Command1_Click();
    QTRY_VERIFY(isOpen(*m_bob, game));
    m_lan->clearSent();
    fromCarol->Command1_Click();
    QVERIFY(m_lan->sent().isEmpty());
    QVERIFY(fromCarol && fromCarol->isVisible());
    QCOMPARE(opponent(*m_alice, game), QString("bob"));

    // Once that game's window is closed, the waiting proposal can be accepted.
    QVERIFY(window(*m_alice, game).close());
    fromCarol->Command1_Click();
    QVERIFY(isOpen(*m_alice, game) && loadedFlag(*m_alice, game));
    QCOMPARE(opponent(*m_alice, game), QString("carol"));
    QTRY_VERIFY(isOpen(*m_carol, game));
    QTRY_VERIFY(fromCarol.isNull());
}

void TestGames::otherGameCanBeAccepted_data()
{
    QTest::addColumn<int>("open");
    QTest::newRow("othello while puissance 4 is open") << kPuissance4;
    QTest::newRow("puissance 4 while othello is open") << kOthello;
}

void TestGames::otherGameCanBeAccepted()
{
    QFETCH(int, open);
    QVERIFY(startGame(open, *m_bob, *m_alice));
    const QString openBoard = board(*m_alice, open);
    QVERIFY(startGame(otherGame(open), *m_bob, *m_alice));

    for (int game : {kOthello, kPuissance4}) {
        QVERIFY(isOpen(*m_alice, game) && loadedFlag(*m_alice, game));
        QVERIFY(isOpen(*m_bob, game) && loadedFlag(*m_bob, game));
        QCOMPARE(opponent(*m_alice, game), QString("bob"));
        QCOMPARE(opponent(*m_bob, game), QString("alice"));
    }
    QCOMPARE(board(*m_alice, open), openBoard);
}

void TestGames::acceptDuringAGameOnlyChangesTheOpponent_data()
{
    secondAcceptWaitsForTheOpenGame_data();
}

void TestGames::acceptDuringAGameOnlyChangesTheOpponent()
{
    QFETCH(int, game);
    QVERIFY(startGame(game, *m_alice, *m_bob));
    move(*m_alice, game);
    const qint16 played = discs(*m_alice, game);
    QTRY_COMPARE(discs(*m_bob, game), played);
    const QString before = board(*m_alice, game);

    // Alice's earlier offer to carol is accepted while her game with bob runs.
    QVERIFY(startGame(game, *m_alice, *m_carol));
    QTRY_COMPARE(opponent(*m_alice, game), QString("carol"));
    QVERIFY(isOpen(*m_alice, game) && loadedFlag(*m_alice, game));
    QCOMPARE(board(*m_alice, game), before);
    QCOMPARE(discs(*m_alice, game), played);

    // Her next board goes to carol, who takes it; bob no longer hears from her.
    move(*m_alice, game);
    QTRY_COMPARE(discs(*m_carol, game), discs(*m_alice, game));
    QCOMPARE(board(*m_carol, game), board(*m_alice, game));
    QCOMPARE(discs(*m_bob, game), played);
}

void TestGames::periodicBroadcastCarriesOpenBoards_data()
{
    QTest::addColumn<bool>("closeOthello");
    QTest::addColumn<bool>("closePuissance4");
    QTest::addColumn<QStringList>("sent");
    QTest::newRow("both open, othello first")
        << false << false << QStringList{"3|alice", "10|alice", "13|bob", "12|bob"};
    QTest::newRow("othello closed") << true << false << QStringList{"3|alice", "10|alice", "12|bob"};
    QTest::newRow("puissance 4 closed") << false << true << QStringList{"3|alice", "10|alice", "13|bob"};
    QTest::newRow("both closed") << true << true << QStringList{"3|alice", "10|alice"};
}

void TestGames::periodicBroadcastCarriesOpenBoards()
{
    QFETCH(bool, closeOthello);
    QFETCH(bool, closePuissance4);
    QVERIFY(startGame(kPuissance4, *m_bob, *m_alice));
    QVERIFY(startGame(kOthello, *m_bob, *m_alice));
    if (closeOthello)
        QVERIFY(m_alice->form3().close());
    if (closePuissance4)
        QVERIFY(m_alice->form4().close());

    m_lan->clearSent();
    m_alice->station().Timer1_Timer();
    QTEST(summary(m_lan->sent()), "sent");
}

void TestGames::shutDownClosesBothGameWindows()
{
    QVERIFY(startGame(kOthello, *m_alice, *m_bob));
    QVERIFY(startGame(kPuissance4, *m_alice, *m_bob));
    m_lan->clearSent();
    QVERIFY(m_alice->close());
    QCOMPARE(summary(m_lan->sent()), QStringList{"7|alice"});

    for (int game : {kOthello, kPuissance4}) {
        QVERIFY(!isOpen(*m_alice, game) && !loadedFlag(*m_alice, game));
        QVERIFY(!window(*m_alice, game).isVisible());
    }
    // Only the departure reaches the opponent, whose games stay open.
    QTRY_VERIFY(m_bob->ListView1->findItems("alice", Qt::MatchExactly | Qt::MatchCaseSensitive).isEmpty());
    for (int game : {kOthello, kPuissance4})
        QVERIFY(isOpen(*m_bob, game) && loadedFlag(*m_bob, game));
}

QTEST_MAIN(TestGames)
#include "test_games.moc"
