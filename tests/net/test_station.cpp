#include "support/locallan.h"
#include "net/carriedtext.h"
#include "net/messages.h"
#include "net/recentdatagrams.h"
#include "net/station.h"

#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

using wire::encode;

namespace {

QString gameName(Game game)
{
    return game == Game::Othello ? QStringLiteral("othello") : QStringLiteral("puissance4");
}

// Every effect the station reports, as one line each: "seen bob", "chat tea x".
class EffectLog final : public QObject
{
public:
    explicit EffectLog(Station &station)
    {
        connect(&station, &Station::chatLineReceived, this, [this](Room room, const QString &line) {
            add("chat", room == Room::Work ? "work" : "tea", line);
        });
        connect(&station, &Station::userSeen, this, [this](const QString &name) { add("seen", name); });
        connect(&station, &Station::userAvailabilityChanged, this, [this](const QString &name, bool available) {
            add("availability", name, available ? "yes" : "no");
        });
        connect(&station, &Station::userGone, this, [this](const QString &name) { add("gone", name); });
        connect(&station, &Station::privateMessageReceived, this,
                [this](const QString &sender, const QString &text) { add("message", sender, text); });
        connect(&station, &Station::proposalReceived, this,
                [this](Game game, const QString &proposer) { add("proposal", gameName(game), proposer); });
        connect(&station, &Station::proposalDeclined, this, [this](const QString &name) { add("declined", name); });
        connect(&station, &Station::gameStarted, this,
                [this](Game game, const QString &opponent) { add("started", gameName(game), opponent); });
        connect(&station, &Station::othelloBoardReceived, this, [this](const wire::OthelloBoard &board) {
            add("othello board", QString::number(board.turnColor), QString::number(board.numDiscs));
        });
        connect(&station, &Station::puissance4BoardReceived, this, [this](const wire::Puissance4Board &board) {
            add("puissance4 board", QString::number(board.numDiscs), board.status);
        });
    }
    QStringList lines;

private:
    void add(const QString &what, const QString &a, const QString &b = {})
    {
        lines << (b.isNull() ? what + ' ' + a : what + ' ' + a + ' ' + b);
    }
};

const QString c64 = QString(QString("0") + wire::kSeparator).repeated(64);
const QString c49 = QString(QString("0") + wire::kSeparator).repeated(49);

} // namespace

// The station core without any window: what each datagram does, what is
// refused, and what the user's actions send.
class TestStation final : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void startAnnouncesAtOnceThenEveryPeriod();
    void userNameFromTheEnvironment();
    void effects_data();
    void effects();
    void refusesWhatIsNotForIt_data();
    void refusesWhatIsNotForIt();
    void sends_data();
    void sends();
    void acceptStartsTheGameOnce();
    void boardsGoOutWhileTheGameIsOn();
    void silentUsersAreGone_data();
    void silentUsersAreGone();
    void fullRosterListsNoNewName();
    void forgetUsersEmptiesTheRoster();
    void nameInUse_data();
    void nameInUse();
    void takesEachDatagramOnce_data();
    void takesEachDatagramOnce();
    void recentDatagramsAreBoundedAndExpire();
    void nameInWireForm_data();
    void nameInWireForm();
    void hearing_data();
    void hearing();

private:
    std::unique_ptr<LocalLan> m_lan;
    std::unique_ptr<Station> m_alice;
    LanPort *m_alicePort = nullptr;
    LanPort *m_peer = nullptr;
    qint64 m_now = 0; // the station's clock for repeats, in ms
    void receive(const QByteArray &datagram);
};

void TestStation::init()
{
    m_lan = std::make_unique<LocalLan>();
    m_peer = m_lan->attach();
    m_alicePort = m_lan->attach();
    m_alice = std::make_unique<Station>(*m_alicePort);
    m_now = 0;
    m_alice->setClock([this] { return m_now; });
    QSignalSpy announced(m_peer, &DatagramLink::datagramReceived);
    m_alice->start("alice");
    m_alice->stop(); // no periodic broadcast in the middle of a case
    QTRY_COMPARE(announced.count(), 2);
    // Bob is listed, so his availability and departure have effects.
    receive(encode(wire::presence("bob")));
    m_lan->clearSent();
    m_now = 60000; // the announcement's echo is long past
}

void TestStation::receive(const QByteArray &datagram)
{
    QSignalSpy heard(m_peer, &DatagramLink::datagramReceived);
    m_peer->send(datagram);
    QTRY_COMPARE(heard.count(), 1);
}

void TestStation::startAnnouncesAtOnceThenEveryPeriod()
{
    LocalLan lan;
    Station bob(*lan.attach());
    bob.setAvailability(1); // before start: remembered, not sent
    QVERIFY(lan.sent().isEmpty());
    bob.start("bob");
    const QList<QByteArray> announcement{encode(wire::presence("bob")), encode(wire::availability("bob", 1))};
    QCOMPARE(lan.sent(), announcement);
    QVERIFY(bob.isBroadcasting());
    bob.setAvailability(0);
    QCOMPARE(lan.sent().last(), encode(wire::availability("bob", 0)));
    lan.clearSent();
    QTRY_COMPARE_WITH_TIMEOUT(lan.sent().size(), 2, 2 * Station::kBroadcastMs);
    bob.stop();
    QVERIFY(!bob.isBroadcasting());
}

void TestStation::userNameFromTheEnvironment()
{
    // Linux seldom sets USERNAME: the login name stands in for it.
    qputenv("USERNAME", "ann");
    qputenv("USER", "bob");
    QCOMPARE(stationUserName(), QString("ann"));
    qunsetenv("USERNAME");
    QCOMPARE(stationUserName(), QString("bob"));
    qunsetenv("USER");
    QVERIFY(!stationUserName().isEmpty()); // from the password database
}

void TestStation::effects_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("effect");
    QTest::newRow("work line") << wire::workLine("<b>w</b>") << "chat work <b>w</b>";
    QTest::newRow("tea line") << wire::teaLine("t") << "chat tea t";
    QTest::newRow("presence") << wire::presence("bob") << "seen bob";
    QTest::newRow("not available") << wire::availability("bob", 1) << "availability bob no";
    QTest::newRow("available") << wire::availability("bob", 0) << "availability bob yes";
    QTest::newRow("departure") << wire::departure("bob") << "gone bob";
    QTest::newRow("message") << wire::privateMessage("alice", "bob", "hi\r\nthere") << "message bob hi\r\nthere";
    QTest::newRow("othello proposal") << wire::othelloProposal("alice", "bob") << "proposal othello bob";
    QTest::newRow("puissance 4 proposal") << wire::puissance4Proposal("alice", "bob") << "proposal puissance4 bob";
    QTest::newRow("declined") << wire::proposalDeclined("alice", "bob") << "declined bob";
    QTest::newRow("othello accept") << wire::othelloAccept("alice", "bob") << "started othello bob";
    QTest::newRow("puissance 4 accept") << wire::puissance4Accept("alice", "bob") << "started puissance4 bob";
    QTest::newRow("othello board") << wire::othelloBoard("alice", c64, 2, 5) << "othello board 2 5";
    QTest::newRow("puissance 4 board") << wire::puissance4Board("alice", c49, 2, 1, "Red to Play!")
                                       << "puissance4 board 1 Red to Play!";
}

void TestStation::effects()
{
    QFETCH(QString, message);
    EffectLog log(*m_alice);
    receive(encode(message));
    QTEST(log.lines.join('|'), "effect");
    const bool accept = log.lines.front().startsWith("started");
    QCOMPARE(m_alice->isPlaying(Game::Othello), accept && message.startsWith("4"));
    QCOMPARE(m_alice->isPlaying(Game::Puissance4), accept && message.startsWith("5"));
    QCOMPARE(m_alice->opponent(message.startsWith("4") ? Game::Othello : Game::Puissance4),
             accept ? QString("bob") : QString());
}

void TestStation::refusesWhatIsNotForIt_data()
{
    QTest::addColumn<QByteArray>("datagram");
    for (const char *to : {"bob", "Alice", "alice ", ""}) {
        const QList<std::pair<const char *, QString>> addressed = {
            {"4", wire::othelloAccept(to, "bob")},         {"5", wire::puissance4Accept(to, "bob")},
            {"6", wire::privateMessage(to, "bob", "hi")},   {"8", wire::othelloProposal(to, "bob")},
            {"9", wire::puissance4Proposal(to, "bob")},     {"11", wire::proposalDeclined(to, "bob")},
            {"12", wire::puissance4Board(to, c49, 2, 1, "x")}, {"13", wire::othelloBoard(to, c64, 2, 5)}};
        for (const auto &[code, message] : addressed)
            QTest::addRow("code %s for '%s'", code, to) << encode(message);
    }
    QTest::newRow("unknown code") << QByteArray("14\xA7x");
    QTest::newRow("code with a space") << QByteArray(" 3\xA7" "bob\xA7");
    QTest::newRow("undecodable bytes") << QByteArray("3\xA7\x81\xA7");
    QTest::newRow("malformed availability") << QByteArray("10\xA7" "alice\xA7" "7\xA7");
    QTest::newRow("accept without acceptor") << QByteArray("4\xA7" "alice");
    QTest::newRow("message without text") << QByteArray("6\xA7" "alice\xA7" "bob");
    QTest::newRow("othello board with a 3") << encode(wire::othelloBoard("alice", "3" + c64.mid(1), 2, 5));
    QTest::newRow("puissance board with 50 discs") << encode(wire::puissance4Board("alice", c49, 2, 50, "x"));
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("availability of an unlisted user") << encode(wire::availability("carol", 1));
    QTest::newRow("departure of an unlisted user") << encode(wire::departure("carol"));
    QTest::newRow("departure of a look-alike") << encode(wire::departure("bob "));
}

void TestStation::refusesWhatIsNotForIt()
{
    QFETCH(QByteArray, datagram);
    EffectLog log(*m_alice);
    receive(datagram);
    QCOMPARE(log.lines, QStringList());
    QVERIFY(!m_alice->isPlaying(Game::Othello) && !m_alice->isPlaying(Game::Puissance4));
    QVERIFY(m_alice->opponent(Game::Othello).isEmpty() && m_alice->opponent(Game::Puissance4).isEmpty());
}

void TestStation::sends_data()
{
    QTest::addColumn<int>("action");
    QTest::addColumn<QString>("expected");
    QTest::newRow("private message") << 0 << wire::privateMessage("bob", "alice", "hi");
    QTest::newRow("othello proposal") << 1 << wire::othelloProposal("bob", "alice");
    QTest::newRow("puissance 4 proposal") << 2 << wire::puissance4Proposal("bob", "alice");
    QTest::newRow("decline") << 3 << wire::proposalDeclined("bob", "alice");
    QTest::newRow("departure") << 4 << wire::departure("alice");
}

void TestStation::sends()
{
    QFETCH(int, action);
    switch (action) {
    case 0: m_alice->sendPrivateMessage("bob", "hi"); break;
    case 1: m_alice->proposeGame(Game::Othello, "bob"); break;
    case 2: m_alice->proposeGame(Game::Puissance4, "bob"); break;
    case 3: m_alice->declineProposal("bob"); break;
    case 4: m_alice->sendDeparture(); break;
    }
    QFETCH(QString, expected);
    QCOMPARE(m_lan->sent(), QList<QByteArray>{encode(expected)});

    // A chat line carries the name and the time of day before the text.
    m_lan->clearSent();
    m_alice->sendChatLine(action % 2 ? Room::Tea : Room::Work, "hello");
    const QStringList fields = wire::split(*wire::decode(m_lan->sent().front()));
    QCOMPARE(fields.size(), 2);
    QCOMPARE(fields[0], QString(action % 2 ? "2" : "1"));
    QVERIFY2(QRegularExpression("^\\[alice,[^\\]]*\\d\\d[^\\]]*\\]> hello$").match(fields[1]).hasMatch(),
             qPrintable(fields[1]));
}

void TestStation::acceptStartsTheGameOnce()
{
    EffectLog log(*m_alice);
    QVERIFY(m_alice->acceptProposal(Game::Puissance4, "bob"));
    QCOMPARE(log.lines, QStringList{"started puissance4 bob"});
    QCOMPARE(m_lan->sent(), QList<QByteArray>{encode(wire::puissance4Accept("bob", "alice"))});
    QVERIFY(m_alice->isPlaying(Game::Puissance4) && !m_alice->isPlaying(Game::Othello));
    // A second proposal of the same game is refused while it is on; the other game is free.
    QVERIFY(!m_alice->acceptProposal(Game::Puissance4, "carol"));
    QCOMPARE(m_alice->opponent(Game::Puissance4), QString("bob"));
    QCOMPARE(m_lan->sent().size(), 1);
    QVERIFY(m_alice->acceptProposal(Game::Othello, "carol"));
    m_alice->endGame(Game::Puissance4);
    QVERIFY(m_alice->acceptProposal(Game::Puissance4, "dave"));
    QCOMPARE(m_alice->opponent(Game::Puissance4), QString("dave"));
}

void TestStation::boardsGoOutWhileTheGameIsOn()
{
    m_alice->setBoardSource(Game::Othello, [] { return QStringLiteral("13§board"); });
    m_alice->setBoardSource(Game::Puissance4, [] { return QStringLiteral("12§board"); });
    const QList<QByteArray> presence{encode(wire::presence("alice")), encode(wire::availability("alice", 0))};
    m_alice->broadcastPresence();
    QCOMPARE(m_lan->sent(), presence);

    m_lan->clearSent();
    m_alice->startGame(Game::Puissance4, "bob");
    m_alice->startGame(Game::Othello, "bob");
    m_alice->broadcastPresence();
    QCOMPARE(m_lan->sent(), presence + QList<QByteArray>({encode("13§board"), encode("12§board")}));

    m_lan->clearSent();
    m_alice->endGame(Game::Othello);
    m_alice->broadcastPresence();
    QCOMPARE(m_lan->sent(), presence + QList<QByteArray>{encode("12§board")});
}

void TestStation::silentUsersAreGone_data()
{
    // What bob sends and when, in seconds after start ("p" presence, "a"
    // availability, "d" departure), and the periods' checks ("c").
    QTest::addColumn<QString>("events");
    QTest::addColumn<QString>("effects");
    QTest::newRow("silent for six periods") << "p0 c30 c35" << "seen bob|gone bob";
    QTest::newRow("availability keeps him") << "p0 a25 c35 c50 c60" << "seen bob|availability bob yes|gone bob";
    QTest::newRow("back at his next presence")
        << "p0 c35 a36 p40 c45" << "seen bob|gone bob|seen bob";
    QTest::newRow("gone once after a departure") << "p0 d5 c40" << "seen bob|gone bob";
    QTest::newRow("announcer with gaps stays until silent")
        << "p0 c5 p5 c10 p10 c15 c20 p20 c25 p25 c30 p30 c35 c40 c45 p50 c55 c60 c65 c70 c75 c80 c85"
        << QString("seen bob|").repeated(7) + "gone bob";
}

void TestStation::silentUsersAreGone()
{
    QFETCH(QString, events);
    LocalLan lan;
    Station alice(*lan.attach());
    qint64 now = 1000000;
    alice.setClock([&now] { return now; });
    alice.start("alice");
    alice.stop();
    const qint64 start = now;
    EffectLog log(alice);
    for (const QString &event : events.split(' ')) {
        now = start + event.mid(1).toLongLong() * 1000;
        switch (event[0].toLatin1()) {
        case 'p': alice.onDatagram(encode(wire::presence("bob"))); break;
        case 'a': alice.onDatagram(encode(wire::availability("bob", 0))); break;
        case 'd': alice.onDatagram(encode(wire::departure("bob"))); break;
        case 'c': alice.dropSilentUsers(); break;
        }
    }
    QTEST(log.lines.filter("bob").join('|'), "effects");
}

void TestStation::fullRosterListsNoNewName()
{
    for (int n = m_alice->users().size(); n < UserRoster::kMaxUsers; ++n)
        m_alice->onDatagram(encode(wire::presence(QString::number(n))));
    QCOMPARE(m_alice->users().size(), UserRoster::kMaxUsers);
    EffectLog log(*m_alice);
    for (const char *name : {"carol", "bob", "alice"}) {
        m_alice->onDatagram(encode(wire::presence(name)));
        m_alice->onDatagram(encode(wire::availability(name, 1)));
    }
    QCOMPARE(log.lines.join('|'), QString("seen bob|availability bob no|seen alice|availability alice no"));
    QVERIFY(!m_alice->users().contains("carol"));
}

void TestStation::forgetUsersEmptiesTheRoster()
{
    EffectLog log(*m_alice);
    m_alice->forgetUsers();
    log.lines.sort();
    QCOMPARE(log.lines, (QStringList{"gone alice", "gone bob"}));
    QCOMPARE(m_alice->users().size(), 0);
    receive(encode(wire::presence("bob")));
    QCOMPARE(m_alice->users().names(), QStringList{"bob"});
}

void TestStation::nameInUse_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("from");
    QTest::addColumn<qint64>("afterMs");
    QTest::addColumn<bool>("reported");
    const qint64 watch = Station::kNameCheckMs;
    QTest::newRow("another station, at once") << "alice" << "192.0.2.77" << qint64(0) << true;
    QTest::newRow("another station, last moment") << "alice" << "192.0.2.77" << watch << true;
    QTest::newRow("another station, too late") << "alice" << "192.0.2.77" << watch + 1 << false;
    QTest::newRow("own echo") << "alice" << "own" << qint64(1000) << false;
    QTest::newRow("sender unknown") << "alice" << "" << qint64(1000) << false;
    QTest::newRow("other case") << "Alice" << "192.0.2.77" << qint64(1000) << false;
    QTest::newRow("trailing space") << "alice " << "192.0.2.77" << qint64(1000) << false;
    QTest::newRow("another name") << "bob" << "192.0.2.77" << qint64(1000) << false;
}

void TestStation::nameInUse()
{
    QFETCH(QString, name);
    QFETCH(QString, from);
    QFETCH(qint64, afterMs);
    LocalLan lan;
    LanPort &port = *lan.attach();
    Station alice(port);
    qint64 now = 5000000;
    alice.setClock([&now] { return now; });
    QSignalSpy spy(&alice, &Station::nameInUse);
    alice.start("alice");
    now += afterMs;
    const QHostAddress sender = from == "own" ? port.address() : QHostAddress(from);
    alice.onDatagram(encode(wire::presence(name)), sender);
    alice.onDatagram(encode(wire::presence(name)), sender); // said once
    QFETCH(bool, reported);
    QCOMPARE(spy.count(), reported ? 1 : 0);
    if (reported)
        QCOMPARE(spy.front().front().toString(), name);
    // Whoever uses the name, it is listed once.
    QVERIFY(alice.users().contains(name));
    alice.stop();
}

void TestStation::takesEachDatagramOnce_data()
{
    QTest::addColumn<bool>("fromAlice"); // else from the peer
    QTest::addColumn<int>("cards");      // the sender's network cards
    QTest::addColumn<QString>("message");
    QTest::addColumn<qint64>("againAfterMs"); // -1: sent once
    QTest::addColumn<int>("taken");
    const QString line = wire::workLine("[bob,10:00:00]> ok");
    const QString message = wire::privateMessage("alice", "bob", "ok");
    const QString proposal = wire::othelloProposal("alice", "bob");
    const qint64 window = RecentDatagrams::kWindowMs;
    QTest::newRow("a peer on one network") << false << 1 << line << qint64(-1) << 1;
    QTest::newRow("a peer heard on two segments") << false << 2 << line << qint64(-1) << 1;
    QTest::newRow("a peer heard on three segments") << false << 3 << message << qint64(-1) << 1;
    QTest::newRow("a proposal heard on two segments") << false << 2 << proposal << qint64(-1) << 1;
    QTest::newRow("own echo on two interfaces") << true << 2 << line << qint64(-1) << 1;
    QTest::newRow("own message to self on two interfaces")
        << true << 2 << wire::privateMessage("alice", "alice", "note") << qint64(-1) << 1;
    QTest::newRow("same line again inside the window") << false << 1 << line << window - 1 << 1;
    QTest::newRow("same line again as the window ends") << false << 2 << line << window << 2;
    QTest::newRow("identical lines far apart") << false << 2 << line << qint64(600000) << 2;
    QTest::newRow("identical messages far apart") << true << 2 << message << qint64(5000) << 2;
}

void TestStation::takesEachDatagramOnce()
{
    QFETCH(bool, fromAlice);
    QFETCH(int, cards);
    QFETCH(QString, message);
    QFETCH(qint64, againAfterMs);
    LanPort *sender = fromAlice ? m_alicePort : m_peer;
    sender->setCards(cards);
    EffectLog log(*m_alice);
    QSignalSpy heard(m_peer, &DatagramLink::datagramReceived);
    const auto sendAndWait = [&] {
        const qsizetype before = heard.size();
        sender->send(encode(message));
        QTRY_COMPARE(heard.size(), before + cards); // every copy reached every station
    };
    sendAndWait();
    if (againAfterMs >= 0) {
        m_now += againAfterMs;
        sendAndWait();
    }
    QFETCH(int, taken);
    QCOMPARE(log.lines.size(), taken);
    QCOMPARE(log.lines.count(log.lines.front()), taken);
}

void TestStation::recentDatagramsAreBoundedAndExpire()
{
    RecentDatagrams recent;
    const auto datagram = [](int n) { return encode(wire::presence(QString::number(n))); };
    for (int n = 0; n < RecentDatagrams::kMaxRemembered; ++n)
        QVERIFY(recent.isNew(datagram(n), false, 0));
    QCOMPARE(recent.size(), RecentDatagrams::kMaxRemembered);
    QVERIFY(!recent.isNew(datagram(0), false, 0));

    // One more forgets the oldest only.
    QVERIFY(recent.isNew(datagram(RecentDatagrams::kMaxRemembered), false, 1));
    QCOMPARE(recent.size(), RecentDatagrams::kMaxRemembered);
    QVERIFY(!recent.isNew(datagram(1), false, 1));
    QVERIFY(!recent.isNew(datagram(RecentDatagrams::kMaxRemembered), false, 1));
    QVERIFY(recent.isNew(datagram(0), false, 1));

    // By age: all but what arrived at 1 ms have gone by the end of the window.
    QVERIFY(recent.isNew(QByteArray("late"), false, RecentDatagrams::kWindowMs));
    QCOMPARE(recent.size(), 3);
    QVERIFY(recent.isNew(datagram(5), false, RecentDatagrams::kWindowMs));
    QVERIFY(!recent.isNew(datagram(0), false, RecentDatagrams::kWindowMs));
    recent.clear();
    QCOMPARE(recent.size(), 0);
    QVERIFY(recent.isNew(QByteArray("late"), false, RecentDatagrams::kWindowMs));

    // The same bytes from this computer and from another are two stations.
    QVERIFY(recent.isNew(datagram(7), true, RecentDatagrams::kWindowMs));
    QVERIFY(!recent.isNew(datagram(7), true, RecentDatagrams::kWindowMs));
    QVERIFY(recent.isNew(datagram(7), false, RecentDatagrams::kWindowMs));
    QVERIFY(!recent.isNew(datagram(7), false, RecentDatagrams::kWindowMs));
}

void TestStation::nameInWireForm_data()
{
    QTest::addColumn<QString>("loginName");
    QTest::addColumn<QString>("wireName");
    QTest::addColumn<QString>("lost");
    QTest::newRow("Western European") << "José Müller" << "José Müller" << "";
    QTest::newRow("the code page's own high characters") << "Zoë€Œ" << "Zoë€Œ" << "";
    QTest::newRow("Greek") << "Δημήτρης" << "????????" << "Δημήτρς";
    QTest::newRow("mixed") << "Ana-Łucja" << "Ana-?ucja" << "Ł";
    QTest::newRow("outside the basic plane") << "bob\U0001F600" << "bob?" << "\U0001F600";
    QTest::newRow("a question mark is carried") << "who?" << "who?" << "";
}

void TestStation::nameInWireForm()
{
    QFETCH(QString, loginName);
    QFETCH(QString, wireName);
    QFETCH(QString, lost);
    QCOMPARE(wire::lostInTransit(loginName).join(""), lost);

    LocalLan lan;
    LanPort *peer = lan.attach();
    Station station(*lan.attach());
    EffectLog log(station);
    station.start(loginName);
    station.stop();
    QCOMPARE(station.userName(), wireName);
    QCOMPARE(lan.sent().front(), encode(wire::presence(wireName)));
    QTRY_COMPARE(log.lines, QStringList({"seen " + wireName, "availability " + wireName + " yes"}));

    // What a peer addresses to the name it reads is taken, and answered from it.
    log.lines.clear();
    peer->send(encode(wire::privateMessage(wireName, "bob", "hi")));
    peer->send(encode(wire::othelloProposal(wireName, "bob")));
    peer->send(encode(wire::puissance4Accept(wireName, "bob")));
    QTRY_COMPARE(log.lines, QStringList({"message bob hi", "proposal othello bob", "started puissance4 bob"}));
    lan.clearSent();
    station.sendPrivateMessage("bob", "ok");
    station.declineProposal("bob");
    QCOMPARE(lan.sent(), QList<QByteArray>({encode(wire::privateMessage("bob", wireName, "ok")),
                                            encode(wire::proposalDeclined("bob", wireName))}));
}

void TestStation::hearing_data()
{
    // Steps: p a period ends, o another station announces itself, x the LAN
    // drops everything, r it carries again, f every send fails, g sends work.
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("states"); // H heard, N nobody hears, A alone
    QTest::newRow("alone after three quiet periods") << "p p p" << "H H A";
    QTest::newRow("another station ends it at once") << "p p p o p" << "H H A H H";
    QTest::newRow("a peer now and then keeps it away") << "p o p p o p p p p" << "H H H H H H H H A";
    QTest::newRow("cut off, said at the first period without echo") << "o x p p r o p" << "H H H N N N H";
    QTest::newRow("cut off and back, still alone") << "x p p r p" << "H H N N A";
    QTest::newRow("sends failing, then working") << "o f p o p o p g o p" << "H H H H N N N N N H";
    QTest::newRow("nobody hears outranks alone") << "x p p p p r p" << "H H N N N N A";
}

void TestStation::hearing()
{
    QFETCH(QString, steps);
    QFETCH(QString, states);
    const QString failure = QStringLiteral("Network is unreachable");
    // A station heard at start-up, as on any working network.
    LocalLan lan;
    LanPort *peer = lan.attach();
    LanPort *port = lan.attach();
    Station station(*port);
    // Periods are far apart, so each presence is taken as new.
    qint64 now = 0;
    station.setClock([&now] { return now; });
    QSignalSpy changes(&station, &Station::hearingChanged);
    QSignalSpy heard(peer, &DatagramLink::datagramReceived);
    station.start("alice");
    station.stop(); // the test ends the periods itself
    QTRY_COMPARE(heard.size(), 2);

    const auto letter = [](HearingCheck::State state) {
        return state == HearingCheck::State::Heard ? u'H' : state == HearingCheck::State::NobodyHears ? u'N' : u'A';
    };
    int dropping = 0;
    QString seen;
    QString changed;
    QChar last = u'H';
    for (const QString &step : steps.split(u' ')) {
        if (step == "p") {
            now += Station::kBroadcastMs;
            station.broadcastPeriod();
        }
        else if (step == "o")
            peer->send(encode(wire::presence("bob")));
        else if (step == "x")
            lan.setDropEvery(dropping = 1);
        else if (step == "r")
            lan.setDropEvery(dropping = 0);
        else if (step == "f")
            port->setSendFailure(failure);
        else if (step == "g")
            port->setSendFailure({});
        // Whatever this step sent has arrived: the LAN keeps the order.
        if (!dropping) {
            const qsizetype marker = heard.size();
            peer->send("probe");
            QTRY_VERIFY(heard.size() > marker);
        }
        seen += (seen.isEmpty() ? "" : " ") + QString(letter(station.hearing()));
        if (letter(station.hearing()) != last)
            changed += (last = letter(station.hearing()));
    }
    QCOMPARE(seen, states);
    // One signal per change, each telling the new state.
    QCOMPARE(changes.size(), changed.size());
    for (int n = 0; n < changes.size(); ++n)
        QCOMPARE(letter(changes.at(n).at(0).value<HearingCheck::State>()), changed.at(n));
    QCOMPARE(station.sendFailure(), steps.contains("f") && !steps.contains("g") ? failure : QString());
}

QTEST_GUILESS_MAIN(TestStation)
#include "test_station.moc"
