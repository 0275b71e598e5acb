#include "form4.h"
#include "locallan.h"
#include "messages.h"
#include "puissance4cell.h"
#include "puissance4marker.h"
#include "station.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

using namespace puissance4;

namespace {

const QColor kCellBack{27, 27, 127};
const QColor kYellowDisc{255, 255, 0};
const QColor kRedDisc{255, 0, 0};

// A board as the opponent's station sends it; `picture` is seven rows of
// '.', 'Y' and 'R', row 1 first.
wire::Puissance4Board boardOf(const QStringList &picture, int color, int numDiscs, const QString &status)
{
    wire::Puissance4Board board;
    for (int k = 0; k < kCells; ++k) {
        const QChar cell = picture[k / kSize][k % kSize];
        board.cells[k] = cell == u'Y' ? kYellow : cell == u'R' ? kRed : kEmpty;
    }
    board.color = qint16(color);
    board.numDiscs = qint16(numDiscs);
    board.status = status;
    return board;
}

const QStringList kTwoDiscs{".......", ".......", ".......", ".......", ".......", ".......", "..YR..."};

} // namespace

class TestForm4 final : public QObject
{
    Q_OBJECT

    LocalLan *m_lan = nullptr;
    Station *m_station = nullptr;
    Form4 *m_form = nullptr;

    Puissance4Cell *cell(int k) const
    {
        return m_form->findChild<Puissance4Cell *>(QStringLiteral("Picture1_%1").arg(k));
    }
    QString text(const char *name) const
    {
        return m_form->findChild<QLineEdit *>(QLatin1String(name))->text();
    }
    Puissance4Marker *marker() const { return m_form->findChild<Puissance4Marker *>(QStringLiteral("Shape1")); }
    QColor discColour(int k) const
    {
        // The disc's centre, inside the cell's frame.
        return cell(k)->grab().toImage().pixelColor(9, 9);
    }

private slots:
    void init()
    {
        m_lan = new LocalLan;
        m_station = new Station(*m_lan->attach());
        m_station->sUserName = QStringLiteral("ann");
        m_station->st2P4UserName = QStringLiteral("bob");
        m_form = new Form4(*m_station);
    }

    void cleanup()
    {
        delete m_form;
        delete m_station;
        delete m_lan;
    }

    void openingState()
    {
        QVERIFY(!m_form->isLoaded());
        QVERIFY(!m_form->isVisible());
        m_form->Form_Load();
        QVERIFY(m_form->isLoaded());
        QVERIFY(m_form->isVisible());
        QVERIFY(m_form->isWindow());
        QCOMPARE(m_form->windowTitle(), QStringLiteral("Puissance 4"));
        QCOMPARE(m_form->size(), QSize(201, 239));
        QCOMPARE(m_form->minimumSize(), m_form->maximumSize());

        // Seven rows of seven on a 20-pixel pitch; the template stays hidden.
        QCOMPARE(cell(1)->geometry(), QRect(30, 63, 20, 20));
        QCOMPARE(cell(7)->pos(), QPoint(150, 63));
        QCOMPARE(cell(43)->pos(), QPoint(30, 183));
        QCOMPARE(cell(49)->pos(), QPoint(150, 183));
        QVERIFY(!cell(0)->isVisible());
        for (int k = 1; k <= kCells; ++k) {
            QVERIFY(cell(k)->isVisible());
            QCOMPARE(discColour(k), kCellBack);
        }

        QCOMPARE(text("Text4"), QString());
        QCOMPARE(text("Text5"), QString());
        QCOMPARE(text("Text1"), QStringLiteral("Yellow To Play!"));
        QCOMPARE(marker()->fill(), QColor(255, 255, 128));
        QCOMPARE(marker()->geometry(), QRect(48, 0, 9, 9));
        QVERIFY(!m_form->Timer1.isActive());
    }

    void clickDropsIntoTheColumn_data()
    {
        QTest::addColumn<int>("index");
        QTest::newRow("bottom left cell") << 43;
        QTest::newRow("top left cell") << 1;
        QTest::newRow("middle of the column") << 22;
    }

    void clickDropsIntoTheColumn()
    {
        QFETCH(int, index);
        m_form->Form_Load();
        QSignalSpy broadcasts(m_station, &Station::periodicBroadcast);

        QTest::mouseClick(cell(index), Qt::LeftButton);

        QCOMPARE(broadcasts.count(), 1);
        QCOMPARE(m_form->game().Board(1, 7), kYellow);
        QCOMPARE(m_form->NumDiscs(), qint16(1));
        QCOMPARE(m_form->Color(), kRed);
        QCOMPARE(discColour(43), kYellowDisc);
        QCOMPARE(text("Text4"), QStringLiteral("ann"));
        QCOMPARE(text("Text5"), QStringLiteral("bob"));
        QCOMPARE(text("Text1"), QStringLiteral("Red to Play!"));
        QCOMPARE(marker()->fill(), kRedDisc);
        QCOMPARE(marker()->x(), 144);

        // The same station may drop the first red disc too, and takes red.
        m_form->Picture1_Click(index);
        QCOMPARE(broadcasts.count(), 2);
        QCOMPARE(discColour(36), kRedDisc);
        QCOMPARE(text("Text4"), QStringLiteral("bob"));
        QCOMPARE(text("Text5"), QStringLiteral("ann"));
        QCOMPARE(text("Text1"), QStringLiteral("Yellow to Play!"));
        QCOMPARE(marker()->fill(), kYellowDisc);
        QCOMPARE(marker()->x(), 48);
    }

    void refusedClickChangesNothing_data()
    {
        QTest::addColumn<QStringList>("picture");
        QTest::addColumn<int>("color");
        QTest::addColumn<int>("numDiscs");
        QTest::addColumn<QString>("status");
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("refused");

        // A count of 1 keeps turn ownership out of the way where it is not the point.
        const QStringList columnFull{"R......", "Y......", "R......", "Y......", "R......", "Y......", "R.....Y"};
        QTest::newRow("full column") << columnFull << 1 << 1 << "Yellow to Play!" << 22 << true;
        QTest::newRow("control: free column") << columnFull << 1 << 1 << "Yellow to Play!" << 23 << false;
        QTest::newRow("game decided")
            << QStringList{".......", ".......", ".......", "R......", "R......", "R..Y...", "RYYY..."}
            << 1 << 1 << "Red Won!" << 49 << true;
        QTest::newRow("third disc, this station owns no colour")
            << kTwoDiscs << 1 << 2 << "Yellow to Play!" << 45 << true;
        QTest::newRow("template cell") << kTwoDiscs << 1 << 1 << "Yellow to Play!" << 0 << true;
        QTest::newRow("index past the board") << kTwoDiscs << 1 << 1 << "Yellow to Play!" << 50 << true;
        QTest::newRow("nobody to move") << kTwoDiscs << 0 << 1 << "Yellow to Play!" << 45 << true;
    }

    void refusedClickChangesNothing()
    {
        QFETCH(QStringList, picture);
        QFETCH(int, color);
        QFETCH(int, numDiscs);
        QFETCH(QString, status);
        QFETCH(int, index);
        QFETCH(bool, refused);

        m_form->Form_Load();
        QVERIFY(m_form->applyBoard(boardOf(picture, color, numDiscs, status)));
        const QString board = m_form->FillRC();
        const QColor markerFill = marker()->fill();
        QSignalSpy broadcasts(m_station, &Station::periodicBroadcast);

        m_form->Picture1_Click(index);

        if (!refused) {
            QCOMPARE(broadcasts.count(), 1);
            QVERIFY(m_form->FillRC() != board);
            return;
        }
        QCOMPARE(broadcasts.count(), 0);
        QCOMPARE(m_form->FillRC(), board);
        QCOMPARE(m_form->NumDiscs(), qint16(numDiscs));
        QCOMPARE(m_form->Color(), qint16(color));
        QCOMPARE(text("Text1"), status);
        QCOMPARE(text("Text4"), QString());
        QCOMPARE(marker()->fill(), markerFill);
    }

    void applyBoard_data()
    {
        QTest::addColumn<int>("localDiscs");
        QTest::addColumn<int>("numDiscs");
        QTest::addColumn<QString>("status");
        QTest::addColumn<bool>("applied");
        QTest::addColumn<bool>("result");
        QTest::addColumn<QColor>("markerFill");

        QTest::newRow("further on") << 1 << 2 << "Yellow to Play!" << true << false << kYellowDisc;
        QTest::newRow("same count") << 2 << 2 << "Yellow to Play!" << false << false << QColor(255, 0, 0);
        QTest::newRow("behind") << 3 << 2 << "Yellow to Play!" << false << false << QColor(255, 0, 0);
        QTest::newRow("red won") << 1 << 2 << "Red Won!" << true << true << QColor(255, 0, 0);
        QTest::newRow("yellow won") << 1 << 2 << "Yellow Won!" << true << true << QColor(255, 0, 0);
        QTest::newRow("draw leaves Result false") << 1 << 2 << "Draw!" << true << false << kYellowDisc;
        QTest::newRow("won in other letters is no win") << 1 << 2 << "red won!" << true << false << kYellowDisc;
        QTest::newRow("markup is shown as text") << 1 << 2 << "<b>Red</b> Won!" << true << false << kYellowDisc;
    }

    void applyBoard()
    {
        QFETCH(int, localDiscs);
        QFETCH(int, numDiscs);
        QFETCH(QString, status);
        QFETCH(bool, applied);
        QFETCH(bool, result);
        QFETCH(QColor, markerFill);

        m_form->Form_Load();
        m_form->Picture1_Click(1); // marker now red
        m_form->setNumDiscs(qint16(localDiscs));
        const QString before = m_form->FillRC();

        QCOMPARE(m_form->applyBoard(boardOf(kTwoDiscs, kYellow, numDiscs, status)), applied);

        QCOMPARE(m_form->Timer1.isActive(), applied);
        QCOMPARE(m_form->Result(), result);
        QCOMPARE(marker()->fill(), markerFill);
        if (!applied) {
            QCOMPARE(m_form->FillRC(), before);
            QCOMPARE(m_form->NumDiscs(), qint16(localDiscs));
            QCOMPARE(text("Text1"), QStringLiteral("Red to Play!"));
            return;
        }
        QCOMPARE(m_form->FillRC(), QStringLiteral("0§").repeated(44) + QStringLiteral("1§2§0§0§0§"));
        QCOMPARE(m_form->NumDiscs(), qint16(numDiscs));
        QCOMPARE(m_form->Color(), kYellow);
        QCOMPARE(text("Text1"), status);
        QCOMPARE(m_form->statusText(), status);
        // The received board is drawn, and the disc from the earlier local
        // drop that it does not hold is gone.
        QCOMPARE(discColour(45), kYellowDisc);
        QCOMPARE(discColour(46), kRedDisc);
        QCOMPARE(discColour(43), kCellBack);
        // Levels come from the received board: column 3 takes its next disc in row 6.
        QCOMPARE(m_form->game().Level(3), qint16(6));
    }

    void flashesTwiceThenStops()
    {
        m_form->Form_Load();
        QList<bool> looks;
        connect(&m_form->Timer1, &QTimer::timeout, this, [&] { looks.append(m_form->captionInverted()); });

        QVERIFY(m_form->applyBoard(boardOf(kTwoDiscs, kYellow, 2, QStringLiteral("Yellow to Play!"))));
        QCOMPARE(m_form->Timer1.interval(), 500);
        QTRY_VERIFY(!m_form->Timer1.isActive());
        QCOMPARE(looks, QList<bool>({true, false}));
        QVERIFY(!m_form->captionInverted());

        // The five-second repetition of the same board does not flash again.
        QVERIFY(!m_form->applyBoard(boardOf(kTwoDiscs, kYellow, 2, QStringLiteral("Yellow to Play!"))));
        QVERIFY(!m_form->Timer1.isActive());
    }

    void closeKeepsStateAndANewerBoardReopens()
    {
        m_form->Form_Load();
        m_station->bForm4Loaded = true;
        m_form->Picture1_Click(4);
        QSignalSpy broadcasts(m_station, &Station::periodicBroadcast);

        QVERIFY(m_form->close());
        QVERIFY(!m_form->isLoaded());
        QVERIFY(!m_form->isVisible());
        QVERIFY(!m_station->bForm4Loaded);
        QCOMPARE(broadcasts.count(), 0);
        QCOMPARE(m_form->NumDiscs(), qint16(1));
        QCOMPARE(m_form->game().Board(4, 7), kYellow);

        // Not further on than the kept count: stays closed.
        const QStringList answered{".......", ".......", ".......", ".......", ".......", ".......", "...YR.."};
        QVERIFY(!m_form->applyBoard(boardOf(answered, kYellow, 1, QStringLiteral("Red to Play!"))));
        QVERIFY(!m_form->isVisible());

        QVERIFY(m_form->applyBoard(boardOf(answered, kYellow, 2, QStringLiteral("Yellow to Play!"))));
        QVERIFY(m_form->isLoaded());
        QVERIFY(m_form->isVisible());
        QVERIFY(!m_station->bForm4Loaded);
        QCOMPARE(m_form->game().Board(4, 7), kYellow);
        QCOMPARE(m_form->game().Board(5, 7), kRed);
        QCOMPARE(text("Text4"), QString()); // a fresh window
        QCOMPARE(text("Text1"), QStringLiteral("Yellow to Play!"));
    }

    void neverOpenedWindowOpensForABoard()
    {
        QVERIFY(m_form->applyBoard(boardOf(kTwoDiscs, kYellow, 2, QStringLiteral("Yellow to Play!"))));
        QVERIFY(m_form->isVisible());
        QVERIFY(!m_station->bForm4Loaded);
        QCOMPARE(m_form->NumDiscs(), qint16(2));
    }

    void closingStopsTheFlash()
    {
        m_form->Form_Load();
        QVERIFY(m_form->applyBoard(boardOf(kTwoDiscs, kYellow, 2, QStringLiteral("Yellow to Play!"))));
        m_form->close();
        QVERIFY(!m_form->Timer1.isActive());
        QVERIFY(!m_form->captionInverted());
    }
};

QTEST_MAIN(TestForm4)
#include "tst_form4.moc"
