#include "form1.h"
#include "form3.h"
#include "look.h"
#include "othellocell.h"
#include "stations.h"
#include "turnmarker.h"

#include <QLineEdit>
#include <QtTest>

namespace {

// An accept from the opponent arrives and opens the station's Othello window.
bool acceptArrives(LocalLan &lan, Form1 &station, const QString &opponent)
{
    lan.attach()->send(wire::encode(wire::othelloAccept(station.station().sUserName, opponent)));
    return QTest::qWaitFor([&] { return station.form3().isLoaded(); });
}

// The proposer offers a game and the other accepts it in the proposal window.
bool startGame(Form1 &proposer, Form1 &accepter)
{
    proposer.station().send(wire::othelloProposal(accepter.station().sUserName, proposer.station().sUserName));
    if (!QTest::qWaitFor([&] { return !accepter.frmOthelloProposal.isNull(); }))
        return false;
    accepter.frmOthelloProposal->Command1_Click();
    return accepter.form3().isLoaded() && QTest::qWaitFor([&] { return proposer.form3().isLoaded(); });
}

int legalMove(const Form3 &form)
{
    for (int index = 1; index <= OthelloGame::kCells; ++index) {
        if (form.game().isLegal(OthelloGame::ColumnOf(index), OthelloGame::RowOf(index), form.TurnColor()))
            return index;
    }
    return 0;
}

QString shown(const Form3 &form)
{
    QStringList texts;
    for (const char *name : {"Text1", "Text2", "Text3", "Text4", "Text5"})
        texts << form.findChild<QLineEdit *>(QLatin1String(name))->text();
    return texts.join(u'|');
}

bool caught(const QSignalSpy &heard, const QByteArray &datagram)
{
    return heard.contains(QVariantList{datagram});
}

wire::OthelloBoard boardOf(const OthelloGame &game, qint16 numDiscs)
{
    wire::OthelloBoard board;
    for (int index = 1; index <= OthelloGame::kCells; ++index)
        board.cells[std::size_t(index - 1)] = game.Board(OthelloGame::ColumnOf(index), OthelloGame::RowOf(index));
    board.turnColor = game.TurnColor();
    board.numDiscs = numDiscs;
    return board;
}

QColor centrePixel(OthelloCell *cell)
{
    const QImage image = cell->grab().toImage();
    return image.pixelColor(image.width() / 2 - 1, image.height() / 2 - 1);
}

int boardsIn(const QList<QByteArray> &datagrams)
{
    return int(std::count_if(datagrams.begin(), datagrams.end(), [](const QByteArray &d) { return d.startsWith("13"); }));
}

} // namespace

class TestForm3 final : public QObject
{
    Q_OBJECT
private slots:
    void openingState();
    void hover_data();
    void hover();
    void click_data();
    void click();
    void applyBoard_data();
    void applyBoard();
    void wholeGameBetweenTwoStations();
    void ignoredBoardsAndClosedWindow();
};

void TestForm3::openingState()
{
    LocalLan lan;
    auto alice = startStation(lan, "alice");
    Form3 &form = alice->form3();
    QVERIFY(!form.isLoaded());
    QCOMPARE(form.NumDiscs(), qint16(0));
    form.Form_Load();

    QVERIFY(form.isLoaded() && form.isVisible() && !form.parent());
    QVERIFY(!alice->station().bForm3Loaded);
    QCOMPARE(form.windowTitle(), QStringLiteral("Othello Table"));
    QCOMPARE(form.size(), QSize(201, 272));
    QCOMPARE(form.Picture1(64)->geometry(), look::twips(300 + 7 * 300, 1150 + 7 * 300, 295, 295));
    const auto *marker = form.findChild<TurnMarker *>(QStringLiteral("Shape1"));
    QCOMPARE(marker->x(), look::px(720));
    QCOMPARE(marker->FillColor(), QColor(Qt::black));

    // Discs are painted from the cells' own state, also after the window has been hidden.
    form.hide();
    form.show();
    QCOMPARE(centrePixel(form.Picture1(28)), QColor(Qt::white)); // (4, 4)
    QCOMPARE(centrePixel(form.Picture1(29)), QColor(Qt::black)); // (5, 4)
    QCOMPARE(centrePixel(form.Picture1(1)), OthelloCell::kGreen);
}

void TestForm3::hover_data()
{
    QTest::addColumn<int>("turnColor");
    QTest::addColumn<QList<int>>("moves"); // a negative one puts a white disc on that cell, or takes it off
    QTest::addColumn<int>("highlighted");

    QTest::newRow("follows the mouse over empty cells") << 1 << QList<int>{1, 2, 10} << 10;
    QTest::newRow("stays when the mouse reaches a disc") << 1 << QList<int>{1, 28} << 1;
    QTest::newRow("in the colour of white to move") << 2 << QList<int>{1} << 1;
    QTest::newRow("never on a cell that once showed a disc") << 1 << QList<int>{-2, -2, 1, 2} << 1;
    QTest::newRow("none when the game is over") << 0 << QList<int>{1, 2} << 0;
    QTest::newRow("ignores cells off the board") << 1 << QList<int>{3, 0, 65} << 3;
    QTest::newRow("a disc put under the highlight survives") << 1 << QList<int>{1, -1, 2} << 2;
}

void TestForm3::hover()
{
    QFETCH(int, turnColor);
    QFETCH(QList<int>, moves);
    QFETCH(int, highlighted);
    LocalLan lan;
    auto alice = startStation(lan, "alice");
    QVERIFY(acceptArrives(lan, *alice, "bob"));
    Form3 &form = alice->form3();
    form.setTurnColor(qint16(turnColor));

    for (int index : moves) {
        const int x = OthelloGame::ColumnOf(-index), y = OthelloGame::RowOf(-index);
        if (index < 0)
            form.FillBoard(x, y, form.game().Board(x, y) ? OthelloGame::kEmpty : OthelloGame::kWhite);
        else
            form.Picture1_MouseMove(index);
    }

    QCOMPARE(form.SaveLastMove(), qint16(highlighted));
    const QColor lit = turnColor == 1 ? QColor(Qt::black) : QColor(Qt::white);
    for (int index = 1; index <= OthelloGame::kCells; ++index) {
        OthelloCell *cell = form.Picture1(index);
        QCOMPARE(cell->BackColor(), index == highlighted ? lit : OthelloCell::kGreen);
        QCOMPARE(cell->hasDisc(), form.game().Board(OthelloGame::ColumnOf(index), OthelloGame::RowOf(index)) != 0);
    }
}

void TestForm3::click_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("texts"); // counts, status and names afterwards
    QTest::newRow("legal move") << 20 << "4|1|White To Play|alice|bob";
    QTest::newRow("occupied cell") << 28 << "2|2|Black To Play||";
    QTest::newRow("cell capturing nothing") << 1 << "2|2|Black To Play||";
}

void TestForm3::click()
{
    QFETCH(int, index);
    QFETCH(QString, texts);
    LocalLan lan;
    auto alice = startStation(lan, "alice");
    QVERIFY(acceptArrives(lan, *alice, "bob"));
    Form3 &form = alice->form3();
    const bool accepted = texts.startsWith(u'4');
    QVERIFY(alice->station().bForm3Loaded);
    form.Picture1_MouseMove(index);
    QTest::mouseClick(form.Picture1(index), Qt::LeftButton);

    QCOMPARE(shown(form), texts);
    // The move goes out at once, to the opponent who accepted.
    QCOMPARE(timesSent(lan, wire::othelloBoard("bob", form.FillRC(), form.TurnColor(), form.NumDiscs())),
             accepted ? 1 : 0);
    QVERIFY(alice->station().Timer1.isActive());
    QCOMPARE(form.SaveLastMove(), qint16(0));
    QCOMPARE(form.NumDiscs(), qint16(accepted ? 5 : 4));
    QCOMPARE(form.findChild<TurnMarker *>(QStringLiteral("Shape1"))->x(), look::px(accepted ? 2160 : 720));
    QCOMPARE(centrePixel(form.Picture1(28)), accepted ? QColor(Qt::black) : QColor(Qt::white));
}

void TestForm3::applyBoard_data()
{
    QTest::addColumn<int>("localDiscs");
    QTest::addColumn<int>("receivedDiscs");
    QTest::addColumn<int>("turnColor");
    QTest::addColumn<QString>("status"); // empty: not applied

    QTest::newRow("one disc further on") << 9 << 10 << 2 << "White To Play";
    QTest::newRow("game over elsewhere") << 9 << 10 << 0 << "Black Won!";
    QTest::newRow("same count, other cells") << 10 << 10 << 2 << "";
    QTest::newRow("older") << 11 << 10 << 2 << "";
}

void TestForm3::applyBoard()
{
    QFETCH(int, localDiscs);
    QFETCH(int, receivedDiscs);
    QFETCH(int, turnColor);
    QFETCH(QString, status);
    LocalLan lan;
    auto alice = startStation(lan, "alice");
    QVERIFY(acceptArrives(lan, *alice, "bob"));
    Form3 &form = alice->form3();
    form.setNumDiscs(qint16(localDiscs));
    form.Picture1_MouseMove(1);
    const QString before = form.FillRC();

    OthelloGame received = OthelloGame::initial();
    received.PlayMove(4, 3, OthelloGame::kBlack, "bob", "alice");
    received.setTurnColor(qint16(turnColor));
    wire::OthelloBoard board = boardOf(received, qint16(receivedDiscs));
    QSignalSpy flashes(&form.Timer1, &QTimer::timeout);
    board.cells[0] = 3; // out of range: refused whole
    QVERIFY(!form.applyBoard(board));
    board.cells[0] = 0;

    QCOMPARE(form.applyBoard(board), !status.isEmpty());
    if (status.isEmpty()) {
        QVERIFY(!form.Timer1.isActive());
        QCOMPARE(form.FillRC(), before);
        QCOMPARE(form.NumDiscs(), qint16(localDiscs));
        QCOMPARE(form.SaveLastMove(), qint16(1));
        return;
    }
    QCOMPARE(shown(form), QStringLiteral("4|1|%1||").arg(status));
    QCOMPARE(form.FillRC(), received.FillRC());
    QCOMPARE(form.NumDiscs(), qint16(receivedDiscs));
    QCOMPARE(form.SaveLastMove(), qint16(0));
    QCOMPARE(form.Picture1(1)->BackColor(), OthelloCell::kGreen);
    QCOMPARE(centrePixel(form.Picture1(28)), QColor(Qt::black));

    QTRY_VERIFY(!form.Timer1.isActive());
    QCOMPARE(flashes.count(), 2);
    QCOMPARE(form.flashCount(), qint16(0));
}

void TestForm3::wholeGameBetweenTwoStations()
{
    LocalLan lan;
    auto alice = startStation(lan, "alice");
    auto bob = startStation(lan, "bob");
    QVERIFY(startGame(*bob, *alice));

    // Whoever makes the first black move plays black.
    for (int moves = 0; alice->form3().TurnColor() != OthelloGame::kGameOver; ++moves) {
        QVERIFY(moves < OthelloGame::kCells);
        Form3 &mover = (alice->form3().TurnColor() == OthelloGame::kBlack ? alice : bob)->form3();
        Form3 &other = &mover == &alice->form3() ? bob->form3() : alice->form3();
        mover.Picture1_Click(legalMove(mover));
        QTRY_COMPARE(other.NumDiscs(), mover.NumDiscs());
        QCOMPARE(other.FillRC(), mover.FillRC());
        QVERIFY(other.Timer1.isActive());
    }

    QCOMPARE(bob->form3().TurnColor(), OthelloGame::kGameOver);
    QCOMPARE(shown(bob->form3()), shown(alice->form3()));
    const auto score = alice->form3().game().CalculateScore();
    QCOMPARE(shown(alice->form3()),
             QStringLiteral("%1|%2|%3|alice|bob").arg(score.black).arg(score.white).arg(score.status));

    lan.clearSent();
    for (int index = 1; index <= OthelloGame::kCells; ++index)
        alice->form3().Picture1_Click(index);
    QCOMPARE(boardsIn(lan.sent()), 0);
}

void TestForm3::ignoredBoardsAndClosedWindow()
{
    LocalLan lan;
    LanPort *late = lan.attach();
    auto alice = startStation(lan, "alice");
    auto bob = startStation(lan, "bob");
    QVERIFY(startGame(*bob, *alice));
    Form3 &a = alice->form3();
    Form3 &b = bob->form3();
    QSignalSpy heard(&bob->station().link(), &DatagramLink::datagramReceived);

    // A late accept from carol makes her alice's opponent: bob ignores the board.
    late->send(wire::encode(wire::othelloAccept("alice", "carol")));
    QTRY_COMPARE(alice->station().st2OUserName, QStringLiteral("carol"));
    a.Picture1_Click(legalMove(a));
    QTRY_VERIFY(caught(heard, wire::encode(wire::othelloBoard("carol", a.FillRC(), a.TurnColor(), a.NumDiscs()))));
    QCOMPARE(b.NumDiscs(), qint16(4));

    // The same board addressed to bob is taken once, not again when repeated.
    late->send(wire::encode(wire::othelloAccept("alice", "bob")));
    QTRY_COMPARE(alice->station().st2OUserName, QStringLiteral("bob"));
    alice->station().Timer1_Timer();
    QTRY_COMPARE(b.NumDiscs(), qint16(5));
    QTRY_VERIFY(!b.Timer1.isActive());
    heard.clear();
    alice->station().Timer1_Timer();
    QTRY_VERIFY(caught(heard, lan.sent().last()));
    QVERIFY(!b.Timer1.isActive());

    // A closed window keeps its board and stops its broadcasts.
    const QString kept = b.FillRC();
    QVERIFY(b.close());
    QVERIFY(!b.isLoaded() && !bob->station().bForm3Loaded);
    QCOMPARE(b.FillRC(), kept);
    lan.clearSent();
    bob->station().Timer1_Timer();
    QCOMPARE(boardsIn(lan.sent()), 0);

    // Alice may make the first white move too; the newer board reopens bob's
    // window through a new game and leaves its loaded flag, and so his
    // broadcasts, alone.
    a.Picture1_Click(legalMove(a));
    QTRY_VERIFY(b.isLoaded());
    QVERIFY(b.isVisible() && !bob->station().bForm3Loaded);
    QCOMPARE(b.FillRC(), a.FillRC());
    QCOMPARE(b.NumDiscs(), qint16(6));
    lan.clearSent();
    bob->station().Timer1_Timer();
    QCOMPARE(boardsIn(lan.sent()), 0);
}

QTEST_MAIN(TestForm3)
#include "tst_form3.moc"
