#include "form4.h"
#include "locallan.h"
#include "messages.h"
#include "puissance4cell.h"
#include "puissance4marker.h"
#include "station.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using namespace puissance4;

namespace {

const QColor kCellBack{27, 27, 127};
const QColor kYellowDisc{255, 255, 0};
const QColor kRedDisc{255, 0, 0};

// Yellow in column 3 and red in column 4, on the bottom row.
wire::Puissance4Board twoDiscs(int numDiscs, const QString &status)
{
    wire::Puissance4Board board;
    board.cells[44] = kYellow;
    board.cells[45] = kRed;
    board.color = kYellow;
    board.numDiscs = qint16(numDiscs);
    board.status = status;
    return board;
}

} // namespace

class TestForm4 final : public QObject
{
    Q_OBJECT

    std::unique_ptr<LocalLan> m_lan;
    std::unique_ptr<Station> m_station;
    std::unique_ptr<Form4> m_form;

    Puissance4Cell *cell(int k) const
    {
        return m_form->findChild<Puissance4Cell *>(QStringLiteral("Picture1_%1").arg(k));
    }
    QString text(const char *name) const { return m_form->findChild<QLineEdit *>(QLatin1String(name))->text(); }
    Puissance4Marker *marker() const { return m_form->findChild<Puissance4Marker *>(QStringLiteral("Shape1")); }
    // Painted afresh from the game, as after the window was covered.
    QColor discColour(int k) const { return cell(k)->grab().toImage().pixelColor(9, 9); }

private slots:
    void init()
    {
        m_lan = std::make_unique<LocalLan>();
        m_station = std::make_unique<Station>(*m_lan->attach());
        m_station->sUserName = QStringLiteral("ann");
        m_station->st2P4UserName = QStringLiteral("bob");
        m_form = std::make_unique<Form4>(*m_station);
    }

    void cleanup()
    {
        m_form.reset();
        m_station.reset();
        m_lan.reset();
    }

    void openingState()
    {
        QVERIFY(!m_form->isVisible());
        m_form->Form_Load();
        QVERIFY(m_form->isLoaded() && m_form->isVisible() && m_form->isWindow());
        QCOMPARE(m_form->windowTitle(), QStringLiteral("Puissance 4"));
        QCOMPARE(m_form->maximumSize(), QSize(201, 239));
        // Seven rows of seven on a 20-pixel pitch; the template stays hidden.
        QCOMPARE(cell(1)->geometry(), QRect(30, 63, 20, 20));
        QCOMPARE(cell(49)->geometry(), QRect(150, 183, 20, 20));
        QVERIFY(!cell(0)->isVisible());
        QCOMPARE(discColour(25), kCellBack);
        QCOMPARE(text("Text4"), QString());
        QCOMPARE(text("Text5"), QString());
        QCOMPARE(text("Text1"), QStringLiteral("Yellow To Play!"));
        QCOMPARE(marker()->fill(), QColor(255, 255, 128));
        QCOMPARE(marker()->geometry(), QRect(48, 0, 9, 9));
    }

    void clicksDropIntoTheColumn()
    {
        m_form->Form_Load();
        QSignalSpy broadcasts(m_station.get(), &Station::periodicBroadcast);
        m_form->Picture1_Click(0); // the hidden template
        QCOMPARE(broadcasts.count(), 0);

        QTest::mouseClick(cell(43), Qt::LeftButton);
        QCOMPARE(broadcasts.count(), 1);
        QCOMPARE(discColour(43), kYellowDisc);
        QCOMPARE(text("Text4"), QStringLiteral("ann"));
        QCOMPARE(text("Text5"), QStringLiteral("bob"));
        QCOMPARE(text("Text1"), QStringLiteral("Red to Play!"));
        QCOMPARE(marker()->fill(), kRedDisc);
        QCOMPARE(marker()->x(), 144);

        // The first red disc is free too; this station then holds red.
        QTest::mouseClick(cell(1), Qt::LeftButton);
        QCOMPARE(broadcasts.count(), 2);
        QCOMPARE(discColour(36), kRedDisc);
        QCOMPARE(text("Text5"), QStringLiteral("ann"));
        QCOMPARE(marker()->fill(), kYellowDisc);
        QCOMPARE(marker()->x(), 48);
    }

    void applyBoard_data()
    {
        QTest::addColumn<int>("numDiscs");
        QTest::addColumn<QString>("status");
        QTest::addColumn<bool>("applied");
        QTest::addColumn<bool>("result");

        // The window holds one local disc of its own, with red to move.
        QTest::newRow("further on") << 2 << "Yellow to Play!" << true << false;
        QTest::newRow("same count") << 1 << "Yellow to Play!" << false << false;
        QTest::newRow("red won") << 2 << "Red Won!" << true << true;
        QTest::newRow("draw leaves Result false") << 2 << "Draw!" << true << false;
        QTest::newRow("markup stays text, no win") << 2 << "<b>Red Won!</b>" << true << false;
    }

    void applyBoard()
    {
        QFETCH(int, numDiscs);
        QFETCH(QString, status);
        QFETCH(bool, applied);
        QFETCH(bool, result);

        m_form->Form_Load();
        m_form->Picture1_Click(1);
        QCOMPARE(m_form->applyBoard(twoDiscs(numDiscs, status)), applied);
        QCOMPARE(m_form->Timer1.isActive(), applied);
        QCOMPARE(m_form->Result(), result);
        // A won game keeps its marker; otherwise it follows the received colour.
        QCOMPARE(marker()->fill(), applied && !result ? kYellowDisc : kRedDisc);
        QCOMPARE(text("Text1"), applied ? status : QStringLiteral("Red to Play!"));
        QCOMPARE(discColour(43), applied ? kCellBack : kYellowDisc);
        QCOMPARE(discColour(46), applied ? kRedDisc : kCellBack);
        QCOMPARE(m_form->game().Level(3), qint16(applied ? 6 : 7));

        // Only a won game refuses the next disc of the station that owns the turn.
        const qint16 count = m_form->NumDiscs();
        m_form->Picture1_Click(2);
        QCOMPARE(m_form->NumDiscs(), qint16(result ? count : count + 1));
    }

    void flashesTwiceThenStops()
    {
        m_form->Form_Load();
        QList<bool> looks;
        connect(&m_form->Timer1, &QTimer::timeout, this, [&] { looks.append(m_form->captionInverted()); });
        QVERIFY(m_form->applyBoard(twoDiscs(2, QStringLiteral("Yellow to Play!"))));
        QCOMPARE(m_form->Timer1.interval(), 500);
        QTRY_VERIFY(!m_form->Timer1.isActive());
        QCOMPARE(looks, QList<bool>({true, false}));
        QVERIFY(!m_form->captionInverted());
    }

    void closeKeepsTheGameAndANewerBoardReopens()
    {
        m_form->Form_Load();
        m_station->bForm4Loaded = true;
        m_form->Picture1_Click(4);
        QSignalSpy broadcasts(m_station.get(), &Station::periodicBroadcast);
        QVERIFY(m_form->close());
        QVERIFY(!m_form->isLoaded());
        QVERIFY(!m_station->bForm4Loaded);
        QCOMPARE(broadcasts.count(), 0);
        QCOMPARE(m_form->NumDiscs(), qint16(1));

        QVERIFY(!m_form->applyBoard(twoDiscs(1, QStringLiteral("Red to Play!"))));
        QVERIFY(!m_form->isVisible());
        QVERIFY(m_form->applyBoard(twoDiscs(2, QStringLiteral("Yellow to Play!"))));
        QVERIFY(m_form->isLoaded() && m_form->isVisible());
        QVERIFY(!m_station->bForm4Loaded);
        QCOMPARE(m_form->game().Board(4, 7), kRed);
        QCOMPARE(text("Text4"), QString()); // a fresh window under the board
    }
};

QTEST_MAIN(TestForm4)
#include "tst_form4.moc"
