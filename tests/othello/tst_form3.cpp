#include "form3.h"
#include "locallan.h"
#include "othellocell.h"
#include "station.h"
#include "turnmarker.h"

#include <QLineEdit>
#include <QtTest>

// Play between stations, boards not further on, closing and reopening are tested in test_games.
class TestForm3 final : public QObject
{
    Q_OBJECT
    LocalLan m_lan;
    Station m_station{*m_lan.attach()};
    Form3 m_form{m_station};

    // The disc as painted afresh from the cell's own state.
    QColor disc(int index)
    {
        const QImage image = m_form.Picture1(index)->grab().toImage();
        return image.pixelColor(image.width() / 2 - 1, image.height() / 2 - 1);
    }

private slots:
    void openingState()
    {
        m_form.Form_Load();
        QVERIFY(m_form.isLoaded() && m_form.isVisible() && !m_station.bForm3Loaded);
        QCOMPARE(m_form.windowTitle(), QStringLiteral("Othello Table"));
        QCOMPARE(m_form.size(), QSize(201, 272));
        QCOMPARE(m_form.findChild<TurnMarker *>(QStringLiteral("Shape1"))->FillColor(), QColor(Qt::black));
        QCOMPARE(disc(28), QColor(Qt::white));
        QCOMPARE(disc(1), OthelloCell::kGreen);
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
        m_form.Form_Load();
        m_form.setTurnColor(qint16(turnColor));
        for (int index : moves) {
            const int x = OthelloGame::ColumnOf(-index), y = OthelloGame::RowOf(-index);
            if (index < 0)
                m_form.FillBoard(x, y, m_form.game().Board(x, y) ? OthelloGame::kEmpty : OthelloGame::kWhite);
            else
                m_form.Picture1_MouseMove(index);
        }
        QCOMPARE(m_form.SaveLastMove(), qint16(highlighted));
        for (int index = 1; index <= OthelloGame::kCells; ++index) {
            const OthelloCell *cell = m_form.Picture1(index);
            QCOMPARE(cell->BackColor(), index != highlighted ? OthelloCell::kGreen : turnColor == 1 ? Qt::black : Qt::white);
            QCOMPARE(cell->hasDisc(), m_form.game().Board(OthelloGame::ColumnOf(index), OthelloGame::RowOf(index)) != 0);
        }
    }

    void appliedBoardEndingTheGame()
    {
        m_form.Form_Load();
        m_form.Picture1_MouseMove(1);
        OthelloGame received = OthelloGame::initial();
        received.PlayMove(4, 3, OthelloGame::kBlack, "bob", "alice");
        QVERIFY(m_form.applyBoard(wire::read(wire::encode(wire::othelloBoard("ann", received.FillRC(), 0, 5)))->othello));
        QCOMPARE(m_form.FillRC(), received.FillRC());
        QCOMPARE(m_form.SaveLastMove(), qint16(0)); // the highlight goes
        QCOMPARE(disc(28), QColor(Qt::black));
        QStringList texts;
        for (const char *name : {"Text1", "Text2", "Text3"})
            texts << m_form.findChild<QLineEdit *>(name)->text();
        QCOMPARE(texts.join('|'), QStringLiteral("4|1|Black Won!"));
    }
};

QTEST_MAIN(TestForm3)
#include "tst_form3.moc"
