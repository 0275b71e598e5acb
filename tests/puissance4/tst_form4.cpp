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

// Two-station play, closing and reopening are tested with the main window, in test_games.
class TestForm4 final : public QObject
{
    Q_OBJECT
    LocalLan m_lan;
    Station m_station{*m_lan.attach()};
    Form4 m_form{m_station};

    Puissance4Cell *cell(int k) { return m_form.findChild<Puissance4Cell *>(QStringLiteral("Picture1_%1").arg(k)); }
    // As painted afresh from the game, as after the window was covered.
    QColor disc(int k) { return cell(k)->grab().toImage().pixelColor(9, 9); }

    // The names of yellow and red, the status, and the turn marker's colour and left edge.
    QString shown()
    {
        QStringList texts;
        for (const char *name : {"Text4", "Text5", "Text1"})
            texts << m_form.findChild<QLineEdit *>(name)->text();
        const auto *marker = m_form.findChild<Puissance4Marker *>(QStringLiteral("Shape1"));
        return texts.join('|') + QStringLiteral("|%1@%2").arg(marker->fill().name()).arg(marker->x());
    }

private slots:
    void initTestCase()
    {
        m_station.sUserName = QStringLiteral("ann");
        m_station.st2P4UserName = QStringLiteral("bob");
    }

    void openingState()
    {
        QVERIFY(!m_form.isVisible());
        m_form.Form_Load();
        QVERIFY(m_form.isLoaded() && m_form.isVisible() && m_form.isWindow());
        QCOMPARE(m_form.windowTitle(), QStringLiteral("Puissance 4"));
        QCOMPARE(m_form.maximumSize(), QSize(201, 239));
        // Seven rows of seven on a 20-pixel pitch; the template stays hidden.
        QCOMPARE(cell(1)->geometry(), QRect(30, 63, 20, 20));
        QCOMPARE(cell(49)->geometry(), QRect(150, 183, 20, 20));
        QVERIFY(!cell(0)->isVisible());
        QCOMPARE(disc(25), QColor(27, 27, 127));
        QCOMPARE(shown(), QStringLiteral("||Yellow To Play!|#ffff80@48"));
    }

    void clicksDropIntoTheColumn()
    {
        m_form.Form_Load();
        QSignalSpy broadcasts(&m_station, &Station::periodicBroadcast);
        m_form.Picture1_Click(0); // the hidden template
        QTest::mouseClick(cell(43), Qt::LeftButton);
        QCOMPARE(broadcasts.count(), 1);
        QCOMPARE(disc(43), QColor(Qt::yellow));
        QCOMPARE(shown(), QStringLiteral("ann|bob|Red to Play!|#ff0000@144"));
        // The first red disc is free too; this station then holds red.
        QTest::mouseClick(cell(1), Qt::LeftButton);
        QCOMPARE(broadcasts.count(), 2);
        QCOMPARE(disc(36), QColor(Qt::red));
        QCOMPARE(shown(), QStringLiteral("bob|ann|Yellow to Play!|#ffff00@48"));
    }

    void applyBoard_data()
    {
        // The window holds one yellow disc of its own in column 1, red to move.
        QTest::addColumn<int>("numDiscs");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("shown"); // empty: not applied
        QTest::newRow("further on") << 2 << "Yellow to Play!" << "ann|bob|Yellow to Play!|#ffff00@48";
        QTest::newRow("same count") << 1 << "Yellow to Play!" << "";
        QTest::newRow("red won") << 2 << "Red Won!" << "ann|bob|Red Won!|#ff0000@144";
        QTest::newRow("draw") << 2 << "Draw!" << "ann|bob|Draw!|#ffff00@48";
        QTest::newRow("markup stays text") << 2 << "<b>Red Won!</b>" << "ann|bob|<b>Red Won!</b>|#ffff00@48";
    }

    void applyBoard()
    {
        QFETCH(int, numDiscs);
        QFETCH(QString, status);
        QFETCH(QString, shown);
        m_form.Form_Load();
        m_form.Picture1_Click(1);
        wire::Puissance4Board board;
        board.cells[44] = kYellow; // columns 3 and 4 of the bottom row
        board.cells[45] = kRed;
        board.color = kYellow;
        board.numDiscs = qint16(numDiscs);
        board.status = status;

        const bool applied = !shown.isEmpty();
        QCOMPARE(m_form.applyBoard(board), applied);
        QCOMPARE(this->shown(), applied ? shown : "ann|bob|Red to Play!|#ff0000@144");
        QCOMPARE(m_form.Timer1.isActive(), applied);
        QCOMPARE(disc(43), applied ? QColor(27, 27, 127) : QColor(Qt::yellow));
        QCOMPARE(m_form.game().Level(3), qint16(applied ? 6 : 7));
        // Only a won game refuses the next disc.
        const bool won = status == kRedWon;
        QCOMPARE(m_form.Result(), won);
        const int count = m_form.NumDiscs();
        m_form.Picture1_Click(2);
        QCOMPARE(m_form.NumDiscs(), qint16(won ? count : count + 1));
    }
};

QTEST_MAIN(TestForm4)
#include "tst_form4.moc"
