#include "form1.h"
#include "form4.h"
#include "stations.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {

// The proposer offers a game and the other accepts it in the proposal window.
bool startGame(Form1 &proposer, Form1 &accepter)
{
    proposer.station().send(wire::puissance4Proposal(accepter.station().sUserName, proposer.station().sUserName));
    if (!QTest::qWaitFor([&] { return !accepter.frmPuissance4Proposal.isNull(); }))
        return false;
    accepter.frmPuissance4Proposal->Command1_Click();
    return accepter.form4().isLoaded() && QTest::qWaitFor([&] { return proposer.form4().isLoaded(); });
}

// The yellow and the red player's names as the window shows them.
QString players(const Form4 &form)
{
    return form.findChild<QLineEdit *>("Text4")->text() + u'|' + form.findChild<QLineEdit *>("Text5")->text();
}

} // namespace

class TestPuissance4Lan final : public QObject
{
    Q_OBJECT

    std::unique_ptr<LocalLan> m_lan;
    std::unique_ptr<Form1> m_ann;
    std::unique_ptr<Form1> m_bob;

    // Columns dropped in turn, ann first; each drop is awaited on the other side.
    void play(const QByteArray &columns)
    {
        for (int n = 0; n < columns.size(); ++n) {
            Form4 &mover = (n % 2 == 0 ? m_ann : m_bob)->form4();
            Form4 &other = (n % 2 == 0 ? m_bob : m_ann)->form4();
            mover.Picture1_Click(columns[n] - '0');
            QCOMPARE(mover.NumDiscs(), qint16(n + 1));
            QTRY_COMPARE(other.NumDiscs(), qint16(n + 1));
        }
    }

private slots:
    void init()
    {
        m_lan = std::make_unique<LocalLan>();
        m_ann = startStation(*m_lan, QStringLiteral("ann"));
        m_bob = startStation(*m_lan, QStringLiteral("bob"));
        QVERIFY(startGame(*m_ann, *m_bob));
    }

    void cleanup()
    {
        m_ann.reset();
        m_bob.reset();
        m_lan.reset();
    }

    void wholeGame_data()
    {
        QTest::addColumn<QByteArray>("columns");
        QTest::addColumn<QString>("status");
        QTest::newRow("yellow wins in column 1") << QByteArray("1212121") << "Yellow Won!";
        // Fills the board without four in a row anywhere.
        QTest::newRow("draw") << QByteArray("1211111132422222535373343535464454546577767666677") << "Draw!";
    }

    void wholeGame()
    {
        QFETCH(QByteArray, columns);
        QFETCH(QString, status);
        play(columns);
        QCOMPARE(m_bob->form4().FillRC(), m_ann->form4().FillRC());
        QCOMPARE(m_ann->form4().statusText(), status);
        QCOMPARE(m_bob->form4().statusText(), status);
        QCOMPARE(m_bob->form4().Result(), m_ann->form4().Result());
        // Each station names the players from its own drops and its opponent.
        QCOMPARE(players(m_ann->form4()), QStringLiteral("ann|bob"));
        QCOMPARE(players(m_bob->form4()), QStringLiteral("ann|bob"));

        // Neither side takes another disc.
        QSignalSpy sent(m_lan.get(), &LocalLan::datagramSent);
        for (int index = 1; index <= 7; ++index) {
            m_ann->form4().Picture1_Click(index);
            m_bob->form4().Picture1_Click(index);
        }
        QCOMPARE(sent.count(), 0);
    }

    void fromTheThirdDiscOnlyTheOwnerDrops()
    {
        play("43");
        QSignalSpy sent(m_lan.get(), &LocalLan::datagramSent);
        m_bob->form4().Picture1_Click(4); // yellow is ann's
        QCOMPARE(sent.count(), 0);
        m_ann->form4().Picture1_Click(4);
        QTRY_COMPARE(m_bob->form4().NumDiscs(), qint16(3));

        sent.clear();
        m_ann->form4().Picture1_Click(5); // red is bob's
        QCOMPARE(sent.count(), 0);
        m_bob->form4().Picture1_Click(5);
        QTRY_COMPARE(m_ann->form4().NumDiscs(), qint16(4));
        QCOMPARE(m_ann->form4().FillRC(), m_bob->form4().FillRC());
    }

    void bothStationsDropFirst()
    {
        QSignalSpy heard(&m_ann->station().link(), &DatagramLink::datagramReceived);
        m_ann->form4().Picture1_Click(1);
        m_bob->form4().Picture1_Click(7);
        // Every station hears a datagram at once, so bob's board is the last to arrive anywhere.
        const QByteArray bobsBoard = m_lan->sent().last();
        QVERIFY(bobsBoard.startsWith("12"));
        QTRY_VERIFY(heard.contains(QVariantList{bobsBoard}));

        // A count of 1 is not further on than 1: each keeps its own disc.
        QCOMPARE(m_ann->form4().game().Board(7, 7), puissance4::kEmpty);
        QCOMPARE(m_bob->form4().game().Board(1, 7), puissance4::kEmpty);
        QVERIFY(!m_ann->form4().Timer1.isActive());
    }
};

QTEST_MAIN(TestPuissance4Lan)
#include "tst_puissance4lan.moc"
