#include "form3.h"
#include "locallan.h"
#include "look.h"
#include "othellocell.h"
#include "station.h"
#include "turnmarker.h"

#include <QLineEdit>
#include <QtTest>

namespace {

QString text(const Form3 &form, const char *name)
{
    return form.findChild<QLineEdit *>(QLatin1String(name))->text();
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

} // namespace

class TestForm3 final : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void openingState();
    void hover_data();
    void hover();
    void click_data();
    void click();
    void applyBoard_data();
    void applyBoard();
    void closedWindowKeepsStateAndReopens();

private:
    LocalLan *m_lan = nullptr;
    Station *m_station = nullptr;
    Form3 *m_form = nullptr;
};

void TestForm3::init()
{
    m_lan = new LocalLan;
    m_station = new Station(*m_lan->attach());
    m_station->sUserName = QStringLiteral("alice");
    m_station->st2OUserName = QStringLiteral("bob");
    m_form = new Form3(*m_station);
}

void TestForm3::cleanup()
{
    delete m_form;
    delete m_station;
    delete m_lan;
}

void TestForm3::openingState()
{
    Form3 &form = *m_form;
    QVERIFY(!form.isLoaded());
    QCOMPARE(form.NumDiscs(), qint16(0));
    form.Form_Load();

    QVERIFY(form.isLoaded() && form.isVisible() && !form.parent());
    QVERIFY(!m_station->bForm3Loaded);
    QCOMPARE(form.windowTitle(), QStringLiteral("Othello Table"));
    QCOMPARE(form.size(), QSize(201, 272));
    QCOMPARE(text(form, "Text1") + text(form, "Text2"), QStringLiteral("22"));
    QCOMPARE(text(form, "Text3"), QStringLiteral("Black To Play"));
    QVERIFY(text(form, "Text4").isEmpty() && text(form, "Text5").isEmpty());
    const auto *marker = form.findChild<TurnMarker *>(QStringLiteral("Shape1"));
    QCOMPARE(marker->x(), look::px(720));
    QCOMPARE(marker->FillColor(), QColor(Qt::black));
    QCOMPARE(form.SaveLastMove(), qint16(0));
    QCOMPARE(form.findChildren<OthelloCell *>(QStringLiteral("Picture1")).size(), 64);
    QCOMPARE(form.Picture1(64)->geometry(), look::twips(300 + 7 * 300, 1150 + 7 * 300, 295, 295));

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
    QTest::addColumn<int>("onceShowedDisc"); // a cell given a disc and emptied again
    QTest::addColumn<QList<int>>("moves");
    QTest::addColumn<int>("highlighted");

    QTest::newRow("follows the mouse over empty cells") << 1 << 0 << QList<int>{1, 2, 10} << 10;
    QTest::newRow("stays when the mouse reaches a disc") << 1 << 0 << QList<int>{1, 28} << 1;
    QTest::newRow("in the colour of white to move") << 2 << 0 << QList<int>{1} << 1;
    QTest::newRow("never on a cell that once showed a disc") << 1 << 2 << QList<int>{1, 2} << 1;
    QTest::newRow("none when the game is over") << 0 << 0 << QList<int>{1, 2} << 0;
    QTest::newRow("ignores cells off the board") << 1 << 0 << QList<int>{3, 0, 65} << 3;
}

void TestForm3::hover()
{
    QFETCH(int, turnColor);
    QFETCH(int, onceShowedDisc);
    QFETCH(QList<int>, moves);
    QFETCH(int, highlighted);
    Form3 &form = *m_form;
    form.Form_Load();
    form.setTurnColor(qint16(turnColor));
    if (onceShowedDisc) {
        const int x = OthelloGame::ColumnOf(onceShowedDisc), y = OthelloGame::RowOf(onceShowedDisc);
        form.FillBoard(x, y, OthelloGame::kWhite);
        form.FillBoard(x, y, OthelloGame::kEmpty);
    }

    for (int index : moves)
        form.Picture1_MouseMove(index);

    QCOMPARE(form.SaveLastMove(), qint16(highlighted));
    for (int index = 1; index <= OthelloGame::kCells; ++index) {
        const QColor expected = index == highlighted ? (turnColor == 1 ? QColor(Qt::black) : QColor(Qt::white))
                                                     : OthelloCell::kGreen;
        QCOMPARE(form.Picture1(index)->BackColor(), expected);
    }
    QVERIFY(form.Picture1(28)->hasDisc());
}

void TestForm3::click_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("legal move") << 20 << true;
    QTest::newRow("occupied cell") << 28 << false;
    QTest::newRow("cell capturing nothing") << 1 << false;
}

void TestForm3::click()
{
    QFETCH(int, index);
    QFETCH(bool, accepted);
    Form3 &form = *m_form;
    form.Form_Load();
    const QString before = form.FillRC();
    QSignalSpy broadcasts(m_station, &Station::periodicBroadcast);
    form.Picture1_MouseMove(index);
    QTest::mouseClick(form.Picture1(index), Qt::LeftButton);

    QCOMPARE(broadcasts.count(), accepted ? 1 : 0);
    QVERIFY(m_station->Timer1.isActive());
    QCOMPARE(form.SaveLastMove(), qint16(0));
    QCOMPARE(form.FillRC() != before, accepted);
    QCOMPARE(form.NumDiscs(), qint16(accepted ? 5 : 4));
    QCOMPARE(text(form, "Text3"), accepted ? QStringLiteral("White To Play") : QStringLiteral("Black To Play"));
    QCOMPARE(text(form, "Text4") + text(form, "Text5"), accepted ? QStringLiteral("alicebob") : QString());
    QCOMPARE(text(form, "Text1") + text(form, "Text2"), accepted ? QStringLiteral("41") : QStringLiteral("22"));
    QCOMPARE(form.findChild<TurnMarker *>(QStringLiteral("Shape1"))->x(), look::px(accepted ? 2160 : 720));
    if (accepted) {
        QCOMPARE(form.Picture1(index)->BackColor(), OthelloCell::kGreen);
        QCOMPARE(centrePixel(form.Picture1(28)), QColor(Qt::black)); // turned
    }
}

void TestForm3::applyBoard_data()
{
    QTest::addColumn<int>("localDiscs");
    QTest::addColumn<int>("receivedDiscs");
    QTest::addColumn<int>("turnColor");
    QTest::addColumn<int>("badCell"); // a value outside 0..2 put into the board, 0 for none
    QTest::addColumn<QString>("status"); // empty: not applied

    QTest::newRow("one disc further on") << 9 << 10 << 2 << 0 << "White To Play";
    QTest::newRow("game over elsewhere") << 9 << 10 << 0 << 0 << "Tie!";
    QTest::newRow("same count, other cells") << 10 << 10 << 2 << 0 << "";
    QTest::newRow("older") << 11 << 10 << 2 << 0 << "";
    QTest::newRow("cell out of range") << 9 << 10 << 2 << 3 << "";
}

void TestForm3::applyBoard()
{
    QFETCH(int, localDiscs);
    QFETCH(int, receivedDiscs);
    QFETCH(int, turnColor);
    QFETCH(int, badCell);
    QFETCH(QString, status);
    Form3 &form = *m_form;
    form.Form_Load();
    form.setNumDiscs(qint16(localDiscs));
    form.Picture1_MouseMove(1);
    const QString before = form.FillRC();

    OthelloGame received = OthelloGame::initial();
    received.PlayMove(4, 3, OthelloGame::kBlack, "bob", "alice");
    received.setTurnColor(qint16(turnColor));
    wire::OthelloBoard board = boardOf(received, qint16(receivedDiscs));
    if (badCell)
        board.cells[0] = qint16(badCell);
    if (turnColor == 0) { // back to two of each colour, so the counts tie
        board.cells[19] = OthelloGame::kEmpty;
        board.cells[27] = OthelloGame::kWhite;
    }

    QSignalSpy flashes(&form.Timer1, &QTimer::timeout);
    const bool applied = form.applyBoard(board);

    QCOMPARE(applied, !status.isEmpty());
    QCOMPARE(form.Timer1.isActive(), applied);
    if (!applied) {
        QCOMPARE(form.FillRC(), before);
        QCOMPARE(form.NumDiscs(), qint16(localDiscs));
        QCOMPARE(form.SaveLastMove(), qint16(1));
        return;
    }
    QCOMPARE(text(form, "Text3"), status);
    QCOMPARE(form.NumDiscs(), qint16(receivedDiscs));
    QCOMPARE(form.TurnColor(), qint16(turnColor));
    QCOMPARE(form.SaveLastMove(), qint16(0));
    QCOMPARE(form.Picture1(1)->BackColor(), OthelloCell::kGreen);
    for (int index = 1; index <= OthelloGame::kCells; ++index) {
        const qint16 value = board.cells[std::size_t(index - 1)];
        QCOMPARE(form.game().Board(OthelloGame::ColumnOf(index), OthelloGame::RowOf(index)), value);
        QCOMPARE(form.Picture1(index)->hasDisc(), value != 0);
    }

    QTRY_VERIFY(!form.Timer1.isActive());
    QCOMPARE(flashes.count(), 2);
    QCOMPARE(form.flashCount(), qint16(0));
}

void TestForm3::closedWindowKeepsStateAndReopens()
{
    Form3 &form = *m_form;
    // Never opened: counts as 0 discs.
    QVERIFY(!form.applyBoard(boardOf(OthelloGame::initial(), 0)));
    QVERIFY(!form.isLoaded());

    form.Form_Load();
    m_station->bForm3Loaded = true;
    form.Picture1_Click(20);
    const QString played = form.FillRC();
    QVERIFY(form.close());
    QVERIFY(!form.isLoaded() && !form.isVisible());
    QVERIFY(!m_station->bForm3Loaded);
    QCOMPARE(form.NumDiscs(), qint16(5));
    QCOMPARE(form.FillRC(), played);

    QVERIFY(!form.applyBoard(boardOf(OthelloGame::initial(), 5)));
    QVERIFY(!form.isLoaded());

    OthelloGame newer = OthelloGame::initial();
    newer.PlayMove(3, 4, OthelloGame::kBlack, "bob", "alice");
    newer.PlayMove(3, 3, OthelloGame::kWhite, "bob", "alice");
    QVERIFY(form.applyBoard(boardOf(newer, 6)));
    QVERIFY(form.isLoaded() && form.isVisible());
    QVERIFY(!m_station->bForm3Loaded);
    QCOMPARE(form.FillRC(), newer.FillRC());
    QCOMPARE(text(form, "Text4"), QString()); // names come back with this station's own moves
}

QTEST_MAIN(TestForm3)
#include "tst_form3.moc"
