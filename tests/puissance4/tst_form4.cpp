#include "form4.h"
#include "locallan.h"
#include "messages.h"
#include "puissance4cell.h"
#include "turnmarker.h"
#include "station.h"

#include <QTest>

// Play between stations, closing and reopening are tested in test_games.
class TestForm4 final : public QObject
{
    Q_OBJECT
    LocalLan m_lan;
    Station m_station{*m_lan.attach()};
    Form4 m_form{m_station};

    // The status, the turn marker's colour and left edge, and a cell as painted afresh.
    QString shown(int k)
    {
        const auto *marker = m_form.findChild<TurnMarker *>(QStringLiteral("Shape1"));
        auto *cell = m_form.findChild<Puissance4Cell *>(QStringLiteral("Picture1_%1").arg(k));
        return QStringLiteral("%1|%2@%3|%4").arg(m_form.statusText(), marker->FillColor().name()).arg(marker->x())
            .arg(cell->grab().toImage().pixelColor(9, 9).name());
    }

private slots:
    void openingState()
    {
        m_form.Form_Load();
        QVERIFY(m_form.isLoaded() && m_form.isVisible() && !m_station.bForm4Loaded);
        QCOMPARE(m_form.windowTitle(), QStringLiteral("Puissance 4"));
        QCOMPARE(m_form.maximumSize(), QSize(201, 239));
        QCOMPARE(m_form.findChild<Puissance4Cell *>(QStringLiteral("Picture1_49"))->geometry(), QRect(150, 183, 20, 20));
        QCOMPARE(shown(25), QStringLiteral("Yellow To Play!|#ffff80@48|#1b1b7f"));
    }

    void applyBoard_data()
    {
        // The window holds one yellow disc of its own in column 1, red to move.
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("shown"); // with cell 43, bottom left
        QTest::newRow("yellow to play") << "Yellow to Play!" << "Yellow to Play!|#ffff00@48|#1b1b7f";
        QTest::newRow("red won") << "Red Won!" << "Red Won!|#ff0000@144|#1b1b7f";
        QTest::newRow("draw") << "Draw!" << "Draw!|#ffff00@48|#1b1b7f";
        QTest::newRow("markup stays text") << "<b>Red Won!</b>" << "<b>Red Won!</b>|#ffff00@48|#1b1b7f";
    }

    void applyBoard()
    {
        QFETCH(QString, status);
        m_form.Form_Load();
        m_form.Picture1_Click(1);
        QCOMPARE(shown(43), QStringLiteral("Red to Play!|#ff0000@144|#ffff00"));
        Puissance4Game received;
        received.FillBoard(3, 7, puissance4::kYellow, false);
        received.FillBoard(4, 7, puissance4::kRed, false);
        const auto board = wire::read(wire::encode(wire::puissance4Board("ann", received.FillRC(), puissance4::kYellow, 2, status)));
        QVERIFY(m_form.applyBoard(board->puissance4));
        QTEST(shown(43), "shown");
        // A won game takes no more discs; otherwise the next lands on the received one.
        const bool won = status == puissance4::kRedWon;
        QCOMPARE(m_form.Result(), won);
        m_form.Picture1_Click(3);
        QCOMPARE(m_form.game().Board(3, 6), won ? puissance4::kEmpty : puissance4::kYellow);
    }
};

QTEST_MAIN(TestForm4)
#include "tst_form4.moc"
