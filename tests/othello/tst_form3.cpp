#include "form3.h"
#include "locallan.h"
#include "look.h"
#include "othellocell.h"
#include "station.h"
#include "turnmarker.h"

#include <QLineEdit>
#include <QtTest>

// Two-station play, closing and reopening are tested with the main window, in test_games.
namespace {

QColor centrePixel(OthelloCell *cell)
{
    const QImage image = cell->grab().toImage();
    return image.pixelColor(image.width() / 2 - 1, image.height() / 2 - 1);
}

} // namespace

class TestForm3 final : public QObject
{
    Q_OBJECT
    LocalLan m_lan;
    Station m_station{*m_lan.attach()};

private slots:
    void openingState()
    {
        Form3 form(m_station);
        QVERIFY(!form.isLoaded());
        form.Form_Load();
        QVERIFY(form.isLoaded() && form.isVisible() && !m_station.bForm3Loaded);
        QCOMPARE(form.windowTitle(), QStringLiteral("Othello Table"));
        QCOMPARE(form.size(), QSize(201, 272));
        QCOMPARE(form.Picture1(64)->geometry(), look::twips(300 + 7 * 300, 1150 + 7 * 300, 295, 295));
        const auto *marker = form.findChild<TurnMarker *>(QStringLiteral("Shape1"));
        QCOMPARE(marker->x(), look::px(720));
        QCOMPARE(marker->FillColor(), QColor(Qt::black));
        // Discs are painted from the cells' own state, also after the window was hidden.
        form.hide();
        form.show();
        QCOMPARE(centrePixel(form.Picture1(28)), QColor(Qt::white));
        QCOMPARE(centrePixel(form.Picture1(29)), QColor(Qt::black));
        QCOMPARE(centrePixel(form.Picture1(1)), OthelloCell::kGreen);
    }

    void hover_data()
    {
        QTest::addColumn<int>("turnColor");
        QTest::addColumn<QList<int>>("moves"); // a negative one puts a white disc on that cell, or takes it off
        QTest::addColumn<int>("highlighted");
        QTest::newRow("follows the mouse") << 1 << QList<int>{1, 2, 10} << 10;
        QTest::newRow("stays over a disc") << 1 << QList<int>{1, 28} << 1;
        QTest::newRow("white to move") << 2 << QList<int>{1} << 1;
        QTest::newRow("never where a disc was") << 1 << QList<int>{-2, -2, 1, 2} << 1;
        QTest::newRow("game over") << 0 << QList<int>{1, 2} << 0;
        QTest::newRow("off the board") << 1 << QList<int>{3, 0, 65} << 3;
        QTest::newRow("disc under it survives") << 1 << QList<int>{1, -1, 2} << 2;
    }

    void hover()
    {
        QFETCH(int, turnColor);
        QFETCH(QList<int>, moves);
        QFETCH(int, highlighted);
        Form3 form(m_station);
        form.Form_Load();
        form.setTurnColor(qint16(turnColor));
        for (int index : moves) {
            const int x = OthelloGame::ColumnOf(-index), y = OthelloGame::RowOf(-index);
            if (index < 0)
                form.FillBoard(x, y, form.game().Board(x, y) ? OthelloGame::kEmpty : OthelloGame::kWhite);
            else
                form.Picture1_MouseMove(index);
        }

        QCOMPARE(form.SaveLastMove(), qint16(highlighted));
        for (int index = 1; index <= OthelloGame::kCells; ++index) {
            OthelloCell *cell = form.Picture1(index);
            QCOMPARE(cell->BackColor(), index != highlighted ? OthelloCell::kGreen : turnColor == 1 ? Qt::black : Qt::white);
            QCOMPARE(cell->hasDisc(), form.game().Board(OthelloGame::ColumnOf(index), OthelloGame::RowOf(index)) != 0);
        }
    }

    void applyBoard_data()
    {
        // The window shows the starting position (4 discs) with cell 1 highlighted.
        QTest::addColumn<int>("numDiscs");
        QTest::addColumn<int>("turnColor");
        QTest::addColumn<QString>("shown"); // counts and status; empty: not applied
        QTest::newRow("further on") << 5 << 2 << "4|1|White To Play";
        QTest::newRow("game over") << 5 << 0 << "4|1|Black Won!";
        QTest::newRow("same count") << 4 << 2 << "";
        QTest::newRow("older") << 3 << 2 << "";
        QTest::newRow("no such colour") << 5 << 3 << "";
    }

    void applyBoard()
    {
        QFETCH(int, numDiscs);
        QFETCH(int, turnColor);
        QFETCH(QString, shown);
        Form3 form(m_station);
        form.Form_Load();
        form.Picture1_MouseMove(1);
        const QString before = form.FillRC();
        OthelloGame received = OthelloGame::initial();
        received.PlayMove(4, 3, OthelloGame::kBlack, "bob", "alice");
        wire::OthelloBoard board;
        for (int index = 1; index <= OthelloGame::kCells; ++index)
            board.cells[std::size_t(index - 1)] = received.Board(OthelloGame::ColumnOf(index), OthelloGame::RowOf(index));
        board.turnColor = qint16(turnColor);
        board.numDiscs = qint16(numDiscs);

        const bool applied = !shown.isEmpty();
        QCOMPARE(form.applyBoard(board), applied);
        QCOMPARE(form.FillRC(), applied ? received.FillRC() : before);
        QCOMPARE(form.NumDiscs(), qint16(applied ? numDiscs : 4));
        QCOMPARE(form.SaveLastMove(), qint16(applied ? 0 : 1));
        QCOMPARE(form.Picture1(1)->BackColor(), applied ? OthelloCell::kGreen : QColor(Qt::black));
        QCOMPARE(centrePixel(form.Picture1(28)), applied ? QColor(Qt::black) : QColor(Qt::white));
        QCOMPARE(form.Timer1.isActive(), applied);
        QStringList texts;
        for (const char *name : {"Text1", "Text2", "Text3"})
            texts << form.findChild<QLineEdit *>(name)->text();
        QCOMPARE(texts.join('|'), applied ? shown : "2|2|Black To Play");
    }
};

QTEST_MAIN(TestForm3)
#include "tst_form3.moc"
