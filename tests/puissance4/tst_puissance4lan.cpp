#include "form4.h"
#include "locallan.h"
#include "messages.h"
#include "station.h"

#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {

// A station cut down to what the game needs from the main window: the
// periodic broadcast sends the open board, and a board addressed to the user
// goes into the window.
struct Player
{
    Player(LocalLan &lan, const QString &name, const QString &opponent)
        : port(*lan.attach()), station(port), form4(station)
    {
        station.sUserName = name;
        station.st2P4UserName = opponent;
        QObject::connect(&station, &Station::periodicBroadcast, &form4, [this] {
            if (station.bForm4Loaded)
                station.send(wire::puissance4Board(station.st2P4UserName, form4.FillRC(), form4.Color(),
                                                   form4.NumDiscs(), form4.statusText()));
        });
        QObject::connect(&port, &DatagramLink::datagramReceived, &form4, [this](const QByteArray &datagram) {
            const auto message = wire::read(datagram);
            if (message && message->code == wire::Code::Puissance4Board && message->field(1) == station.sUserName)
                form4.applyBoard(message->puissance4);
        });
        form4.Form_Load();
        station.bForm4Loaded = true;
    }

    DatagramLink &port;
    Station station;
    Form4 form4;
};

} // namespace

class TestPuissance4Lan final : public QObject
{
    Q_OBJECT

    std::unique_ptr<LocalLan> m_lan;
    std::unique_ptr<Player> m_ann;
    std::unique_ptr<Player> m_bob;

    // Columns dropped in turn, ann first; each drop is awaited on the other side.
    void play(const QByteArray &columns)
    {
        for (int n = 0; n < columns.size(); ++n) {
            Player &mover = n % 2 == 0 ? *m_ann : *m_bob;
            Player &other = n % 2 == 0 ? *m_bob : *m_ann;
            mover.form4.Picture1_Click(columns[n] - '0');
            QCOMPARE(mover.form4.NumDiscs(), qint16(n + 1));
            QTRY_COMPARE(other.form4.NumDiscs(), qint16(n + 1));
        }
    }

private slots:
    void init()
    {
        m_lan = std::make_unique<LocalLan>();
        m_ann = std::make_unique<Player>(*m_lan, QStringLiteral("ann"), QStringLiteral("bob"));
        m_bob = std::make_unique<Player>(*m_lan, QStringLiteral("bob"), QStringLiteral("ann"));
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
        QCOMPARE(m_bob->form4.FillRC(), m_ann->form4.FillRC());
        QCOMPARE(m_ann->form4.statusText(), status);
        QCOMPARE(m_bob->form4.statusText(), status);
        QCOMPARE(m_bob->form4.Result(), m_ann->form4.Result());

        // Neither side takes another disc.
        QSignalSpy sent(m_lan.get(), &LocalLan::datagramSent);
        for (int index = 1; index <= 7; ++index) {
            m_ann->form4.Picture1_Click(index);
            m_bob->form4.Picture1_Click(index);
        }
        QCOMPARE(sent.count(), 0);
    }

    void fromTheThirdDiscOnlyTheOwnerDrops()
    {
        play("43");
        QSignalSpy sent(m_lan.get(), &LocalLan::datagramSent);
        m_bob->form4.Picture1_Click(4); // yellow is ann's
        QCOMPARE(sent.count(), 0);
        m_ann->form4.Picture1_Click(4);
        QTRY_COMPARE(m_bob->form4.NumDiscs(), qint16(3));

        sent.clear();
        m_ann->form4.Picture1_Click(5); // red is bob's
        QCOMPARE(sent.count(), 0);
        m_bob->form4.Picture1_Click(5);
        QTRY_COMPARE(m_ann->form4.NumDiscs(), qint16(4));
        QCOMPARE(m_ann->form4.FillRC(), m_bob->form4.FillRC());
    }

    void bothStationsDropFirst()
    {
        QSignalSpy annHears(&m_ann->port, &DatagramLink::datagramReceived);
        QSignalSpy bobHears(&m_bob->port, &DatagramLink::datagramReceived);
        m_ann->form4.Picture1_Click(1);
        m_bob->form4.Picture1_Click(7);
        QTRY_COMPARE(annHears.count(), 2);
        QTRY_COMPARE(bobHears.count(), 2);

        // A count of 1 is not further on than 1: each keeps its own disc.
        QCOMPARE(m_ann->form4.game().Board(7, 7), puissance4::kEmpty);
        QCOMPARE(m_bob->form4.game().Board(1, 7), puissance4::kEmpty);
        QVERIFY(!m_ann->form4.Timer1.isActive());
    }
};

QTEST_MAIN(TestPuissance4Lan)
#include "tst_puissance4lan.moc"
