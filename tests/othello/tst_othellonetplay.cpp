#include "form3.h"
#include "locallan.h"
#include "station.h"

#include <QLineEdit>
#include <QtTest>

namespace {

// A station reduced to what Othello play needs from the main window: its
// periodic broadcast carries the board while the window is loaded, and a
// board addressed to its user goes to the window.
struct Player {
    Player(LocalLan &lan, const QString &name, const QString &opponent)
        : station(*lan.attach())
        , form(station)
    {
        station.sUserName = name;
        station.st2OUserName = opponent;
        QObject::connect(&station, &Station::periodicBroadcast, &form, [this] {
            if (station.bForm3Loaded)
                station.send(wire::othelloBoard(station.st2OUserName, form.FillRC(), form.TurnColor(), form.NumDiscs()));
        });
        QObject::connect(&station.link(), &DatagramLink::datagramReceived, &form, [this](const QByteArray &datagram) {
            const auto message = wire::read(datagram);
            if (message && message->code == wire::Code::OthelloBoard && message->field(1) == station.sUserName)
                form.applyBoard(message->othello);
        });
    }

    void open()
    {
        station.bForm3Loaded = true;
        form.Form_Load();
    }

    int legalMove(bool last = false) const
    {
        int found = 0;
        for (int index = 1; index <= OthelloGame::kCells && !(found && !last); ++index) {
            if (form.game().isLegal(OthelloGame::ColumnOf(index), OthelloGame::RowOf(index), form.TurnColor()))
                found = index;
        }
        return found;
    }

    QString shown() const
    {
        QString text;
        for (const char *name : {"Text1", "Text2", "Text3", "Text4", "Text5"})
            text += form.findChild<QLineEdit *>(QLatin1String(name))->text() + u'|';
        return text;
    }

    Station station;
    Form3 form;
};

int boardsIn(const QList<QByteArray> &datagrams)
{
    return int(std::count_if(datagrams.begin(), datagrams.end(), [](const QByteArray &datagram) {
        return datagram.startsWith("13");
    }));
}

} // namespace

class TestOthelloNetPlay final : public QObject
{
    Q_OBJECT
private slots:
    void wholeGame();
    void ignoredBoards();
    void closedWindow();
};

void TestOthelloNetPlay::wholeGame()
{
    LocalLan lan;
    Player alice(lan, "alice", "bob");
    Player bob(lan, "bob", "alice");
    alice.open();
    bob.open();

    // Whoever makes the first black move plays black.
    int moves = 0;
    while (alice.form.TurnColor() != OthelloGame::kGameOver) {
        Player &mover = alice.form.TurnColor() == OthelloGame::kBlack ? alice : bob;
        Player &other = &mover == &alice ? bob : alice;
        const qint16 discs = mover.form.NumDiscs();
        mover.form.Picture1_Click(mover.legalMove());
        QCOMPARE(mover.form.NumDiscs(), qint16(discs + 1));
        QTRY_COMPARE(other.form.NumDiscs(), mover.form.NumDiscs());
        QVERIFY(other.form.Timer1.isActive());
        QCOMPARE(other.form.FillRC(), mover.form.FillRC());
        QVERIFY(++moves <= OthelloGame::kCells);
    }

    QCOMPARE(bob.form.TurnColor(), OthelloGame::kGameOver);
    QCOMPARE(bob.form.FillRC(), alice.form.FillRC());
    QCOMPARE(bob.shown(), alice.shown());
    QVERIFY(alice.shown().endsWith(QLatin1String("|alice|bob|")));
    const auto score = alice.form.game().CalculateScore();
    QVERIFY(alice.shown().startsWith(QStringLiteral("%1|%2|%3|").arg(score.black).arg(score.white).arg(score.status)));

    // After the end no click does anything.
    lan.clearSent();
    for (int index = 1; index <= OthelloGame::kCells; ++index)
        alice.form.Picture1_Click(index);
    QCOMPARE(boardsIn(lan.sent()), 0);
}

void TestOthelloNetPlay::ignoredBoards()
{
    LocalLan lan;
    Player alice(lan, "alice", "carol");
    Player bob(lan, "bob", "alice");
    alice.open();
    bob.open();
    QSignalSpy heard(&bob.station.link(), &DatagramLink::datagramReceived);

    // Addressed to carol: bob's window stays on the starting position.
    alice.form.Picture1_Click(alice.legalMove());
    QTRY_COMPARE(heard.count(), 1);
    QCOMPARE(bob.form.NumDiscs(), qint16(4));
    QVERIFY(!bob.form.Timer1.isActive());

    // The same board again, now addressed to bob, is taken once and no more.
    alice.station.st2OUserName = "bob";
    alice.station.Timer1_Timer();
    QTRY_COMPARE(bob.form.NumDiscs(), qint16(5));
    QTRY_VERIFY(!bob.form.Timer1.isActive());
    alice.station.Timer1_Timer();
    QTRY_COMPARE(heard.count(), 3);
    QVERIFY(!bob.form.Timer1.isActive());

    // Both move from the same position: neither takes the other's board.
    bob.form.Picture1_Click(bob.legalMove());
    alice.form.Picture1_Click(alice.legalMove(true));
    QTRY_COMPARE(heard.count(), 5);
    QCOMPARE(alice.form.NumDiscs(), bob.form.NumDiscs());
    QVERIFY(alice.form.FillRC() != bob.form.FillRC());
}

void TestOthelloNetPlay::closedWindow()
{
    LocalLan lan;
    Player alice(lan, "alice", "bob");
    Player bob(lan, "bob", "alice");
    alice.open();
    bob.open();
    alice.form.Picture1_Click(alice.legalMove());
    QTRY_COMPARE(bob.form.NumDiscs(), qint16(5));

    QVERIFY(bob.form.close());
    QVERIFY(!bob.station.bForm3Loaded);
    lan.clearSent();
    bob.station.Timer1_Timer();
    alice.station.Timer1_Timer();
    QCOMPARE(boardsIn(lan.sent()), 1);
    QVERIFY(lan.sent().front().startsWith("13\xa7" "bob\xa7"));

    // Bob's white move was never made: alice moves again for white from her
    // own station (no ownership check at 5 discs), and the newer board
    // reopens bob's window without setting its loaded flag.
    alice.form.Picture1_Click(alice.legalMove());
    QTRY_VERIFY(bob.form.isLoaded());
    QVERIFY(bob.form.isVisible());
    QVERIFY(!bob.station.bForm3Loaded);
    QCOMPARE(bob.form.NumDiscs(), qint16(6));
    QCOMPARE(bob.form.FillRC(), alice.form.FillRC());
}

QTEST_MAIN(TestOthelloNetPlay)
#include "tst_othellonetplay.moc"
