#include "bridge/bridge.h"
#include "bridge/brokerlink.h"
#include "wire/messages.h"
#include "station/sharedhearing.h"
#include "station/station.h"
#include "support/locallan.h"

#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

// A broker in the process: each publication reaches every client, its
// publisher's included, on a later turn of the event loop, as MQTT does.
class TestBroker;
class TestClient final : public BrokerLink
{
public:
    explicit TestClient(TestBroker &broker) : m_broker(broker) {}
    bool publish(const QString &topic, const QByteArray &payload) override;
    void hear(const QString &topic, const QByteArray &payload) { emit messageReceived(topic, payload); }

private:
    TestBroker &m_broker;
};

class TestBroker final : public QObject
{
public:
    TestClient *attach()
    {
        auto *client = new TestClient(*this);
        client->setParent(this);
        m_clients << client;
        return client;
    }
    void carry(const QString &topic, const QByteArray &payload)
    {
        QTimer::singleShot(0, this, [this, topic, payload] {
            for (const QPointer<TestClient> &client : std::as_const(m_clients))
                client->hear(topic, payload);
        });
    }

private:
    QList<QPointer<TestClient>> m_clients;
};

bool TestClient::publish(const QString &topic, const QByteArray &payload)
{
    m_broker.carry(topic, payload);
    return true;
}

// Segments, each with a station port and bridges, joined by one broker.
struct Sites {
    TestBroker broker;
    std::vector<std::unique_ptr<LocalLan>> lans;
    std::vector<std::unique_ptr<Bridge>> bridges;
    qint64 nowMs = 0;

    LanPort *segment()
    {
        lans.push_back(std::make_unique<LocalLan>());
        return lans.back()->attach();
    }
    Bridge &bridge(int lan, const QString &id)
    {
        bridges.push_back(std::make_unique<Bridge>(*lans.at(lan)->attach(), *broker.attach(), u"quillet"_s, id));
        bridges.back()->setClock([this] { return nowMs; });
        return *bridges.back();
    }
    int carried(int lan, const QByteArray &datagram) const { return int(lans.at(lan)->sent().count(datagram)); }
    // Lets every turn of datagrams and publications run out.
    static void settle()
    {
        for (int turn = 0; turn < 20; ++turn)
            QCoreApplication::processEvents();
    }
};

const QByteArray kLine = wire::encode(wire::workLine(u"[ann,10:00:00]> hello"_s));
const QByteArray kPresence = wire::encode(wire::presence(u"ann"_s));

} // namespace

class TestBridge final : public QObject
{
    Q_OBJECT
private slots:
    void fitsTheWire_data()
    {
        QTest::addColumn<QByteArray>("datagram");
        QTest::addColumn<bool>("crosses");
        const QByteArray s = "\xa7";
        QTest::newRow("a chat line") << kLine << true;
        QTest::newRow("a board") << wire::encode(wire::othelloBoard({u"bob"_s, {}, 1, 4})) << true;
        QTest::newRow("a private message of the longest text")
            << "6" + s + "bob" + s + "ann" + s + QByteArray(wire::kMaxTextChars, 'x') << true;
        QTest::newRow("an unknown code") << "99" + s + "x" << false;
        QTest::newRow("a missing field") << "6" + s + "bob" << false;
        QTest::newRow("a byte Windows-1252 leaves undefined") << "1" + s + "\x81" << false;
        QTest::newRow("a text past its bound") << "1" + s + QByteArray(wire::kMaxTextChars + 1, 'x') << false;
        QTest::newRow("a name past its bound")
            << "6" + s + "bob" + s + QByteArray(wire::kMaxNameChars + 1, 'n') + s + "hi" << false;
        QTest::newRow("a long name where a chat line may be long")
            << "1" + s + QByteArray(wire::kMaxNameChars + 1, 'n') << true;
        QTest::newRow("padding past the largest datagram")
            << wire::encode(wire::presence(u"ann"_s)) + QByteArray(Bridge::kMaxDatagramBytes, 'x') << false;
    }
    void fitsTheWire()
    {
        QFETCH(QByteArray, datagram);
        QFETCH(bool, crosses);
        QCOMPARE(Bridge::fitsTheWire(datagram), crosses);
    }

    // One bridge per segment: each datagram reaches the other segment once,
    // from its bridge, and nothing comes back to where it was sent.
    void crossesOnceEachWay()
    {
        Sites sites;
        LanPort *ann = sites.segment();
        LanPort *bob = sites.segment();
        sites.bridge(0, u"a"_s);
        Bridge &b = sites.bridge(1, u"b"_s);
        const QByteArray reply = wire::encode(wire::workLine(u"[bob,10:00:01]> hi ann"_s));
        ann->send(kLine);
        ann->send(kLine); // a second card's copy
        Sites::settle();
        bob->send(reply);
        Sites::settle();
        QCOMPARE(sites.carried(1, kLine), 1);
        QCOMPARE(sites.carried(0, kLine), 2);
        QCOMPARE(sites.carried(0, reply), 1);
        QCOMPARE(sites.carried(1, reply), 1);
        QCOMPARE(b.counts().broadcast, 1u);
        QCOMPARE(b.counts().published, 1u);
    }

    // Two bridges on segment 0 by mistake: the far segment still gets each
    // datagram once, and once the second bridge has seen the first relay its
    // segment it stands by, so segment 0 gets the far one's datagrams once.
    void twoBridgesOnOneSegment()
    {
        Sites sites;
        LanPort *ann = sites.segment();
        LanPort *bob = sites.segment();
        sites.bridge(0, u"a1"_s);
        Bridge &second = sites.bridge(0, u"a2"_s);
        sites.bridge(1, u"b"_s);
        QSignalSpy standing(&second, &Bridge::standingByChanged);
        ann->send(kPresence);
        Sites::settle();
        QCOMPARE(sites.carried(1, kPresence), 1);
        QCOMPARE(standing.count(), 1);
        QVERIFY(second.isStandingBy());

        const QByteArray reply = wire::encode(wire::presence(u"bob"_s));
        bob->send(reply);
        Sites::settle();
        QCOMPARE(sites.carried(0, reply), 1);

        // The first bridge falls silent: the second relays again.
        sites.nowMs += Bridge::kPeerSilenceMs + 1;
        sites.bridges.erase(sites.bridges.begin());
        bob->send(reply);
        Sites::settle();
        QVERIFY(!second.isStandingBy());
        QCOMPARE(sites.carried(0, reply), 2);
    }

    // Neither a peer nor another bridge gets past the bounds: malformed
    // datagrams stay home, a flooding host is held to its rate, a publication
    // under a topic no bridge uses is ignored.
    void bounds()
    {
        Sites sites;
        LanPort *mallory = sites.segment();
        sites.segment();
        Bridge &a = sites.bridge(0, u"a"_s);
        Bridge &b = sites.bridge(1, u"b"_s);
        mallory->send("99\xa7junk");
        for (int n = 0; n < Bridge::kSourceBurst + 100; ++n)
            mallory->send(wire::encode(wire::workLine(u"[mallory,10:00:00]> %1"_s.arg(n))));
        Sites::settle();
        QCOMPARE(a.counts().notWire, 1u);
        QCOMPARE(a.counts().published, quint64(Bridge::kSourceBurst));
        QCOMPARE(a.counts().overRate, 100u);
        QCOMPARE(b.counts().broadcast, quint64(Bridge::kSourceBurst));

        sites.nowMs += 1000;
        for (int n = 0; n < Bridge::kSourcePerSecond + 1; ++n)
            mallory->send(wire::encode(wire::workLine(u"[mallory,10:00:01]> %1"_s.arg(n))));
        Sites::settle();
        QCOMPARE(a.counts().published, quint64(Bridge::kSourceBurst + Bridge::kSourcePerSecond));

        const quint64 broadcast = b.counts().broadcast;
        sites.broker.carry(u"quillet/x/y"_s, kLine);
        sites.broker.carry(u"quillet/x"_s, "99\xa7junk");
        Sites::settle();
        QCOMPARE(b.counts().broadcast, broadcast);
    }

    // A station behind a bridge hears the far users from the bridge's address,
    // bound there, and can tell that the address speaks for several names.
    void farUsersShareTheBridgesAddress()
    {
        Sites sites;
        LanPort *ann = sites.segment();
        LanPort *far = sites.segment();
        sites.bridge(0, u"a"_s);
        sites.bridge(1, u"b"_s);
        Station station(*ann);
        station.start(u"ann"_s);
        LanPort *local = sites.lans.at(0)->attach();
        local->send(wire::encode(wire::presence(u"cid"_s)));
        for (const QString &name : {u"bob"_s, u"eve"_s})
            far->send(wire::encode(wire::presence(name)));
        Sites::settle();
        const auto bob = sharedHearing(station.users(), u"bob"_s);
        QVERIFY(bob);
        QCOMPARE(bob->names, 2);
        QCOMPARE(station.users().addresses(u"eve"_s), QList<QHostAddress>{bob->address});
        QVERIFY(!sharedHearing(station.users(), u"cid"_s));
    }
};

QTEST_GUILESS_MAIN(TestBridge)
#include "test_bridge.moc"
