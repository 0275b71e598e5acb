#include "othello/othellomatch.h"
#include "puissance4/puissance4match.h"
#include "station/pendingproposals.h"
#include "station/recentdatagrams.h"
#include "station/station.h"
#include "support/heard.h"
#include "support/provenancefacts.h"
#include "wire/carriedtext.h"
#include "wire/messages.h"

#include <QLocale>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

#include <pwd.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

using wire::encode;

namespace {

// An empty Puissance 4 board after a yellow drop into the column.
Puissance4Game dropped(int column)
{
    Puissance4Game game;
    game.drop(column, u"bob"_s, u"alice"_s);
    return game;
}

// The starting position after black's first move.
OthelloGame blackOpening()
{
    OthelloGame game = OthelloGame::initial();
    game.playMove(4, 3, OthelloGame::kBlack, u"bob"_s, u"alice"_s);
    return game;
}

QString gameName(Game game) { return game == Game::Othello ? QStringLiteral("othello") : QStringLiteral("puissance4"); }

// Every effect the station reports, as one line each: "seen bob", "chat tea x".
class EffectLog final : public QObject
{
public:
    explicit EffectLog(Station &s)
    {
        const auto on = [this, &s](auto signal, auto line) { connect(&s, signal, this, [this, line](auto... a) { lines << line(a...); }); };
        on(&Station::chatLineReceived, [](Room room, const QString &l) { return u"chat "_s + (room == Room::Work ? u"work "_s : u"tea "_s) + l; });
        on(&Station::userSeen, [](const QString &name) { return u"seen "_s + name; });
        on(&Station::userAvailabilityChanged, [](const QString &name, bool yes) { return u"availability "_s + name + (yes ? u" yes"_s : u" no"_s); });
        on(&Station::userGone, [](const QString &name) { return u"gone "_s + name; });
        // Where a message or proposal came from, when not its sender's station, and
        // where its name is heard, in brackets.
        const auto from = [](const Provenance &provenance) {
            return provenance.isEmpty() ? QString() : u" ("_s + provenanceFacts(provenance) + u')';
        };
        on(&Station::privateMessageReceived, [from](const QString &sender, const QString &text, const Provenance &provenance) {
            return u"message "_s + sender + u' ' + text + from(provenance);
        });
        on(&Station::proposalReceived, [from](Game game, const QString &proposer, const Provenance &provenance) {
            return u"proposal "_s + gameName(game) + u' ' + proposer + from(provenance);
        });
        on(&Station::acceptRefused, [](Game game, const QString &acceptor) { return u"refused "_s + gameName(game) + u' ' + acceptor; });
        on(&Station::proposalDeclined, [](const QString &name) { return u"declined "_s + name; });
        on(&Station::gameStarted, [](Game game, const QString &opponent) { return u"started "_s + gameName(game) + u' ' + opponent; });
        connect(&s.match<OthelloMatch>(), &Match::boardReceived, this, [this, &s] {
            lines << u"othello board %1 %2"_s.arg(s.match<OthelloMatch>().game().turnColour()).arg(s.match<OthelloMatch>().game().discCount());
        });
        connect(&s.match<Puissance4Match>(), &Match::boardReceived, this, [this, &s] {
            lines << u"puissance4 board %1 "_s.arg(s.match<Puissance4Match>().game().discCount()) + s.match<Puissance4Match>().game().statusLine();
        });
    }
    QStringList lines;
};


// A station alone with one peer on its own LAN, on a clock the test moves.
struct OwnLan
{
    LocalLan lan;
    LanPort *peer = lan.attach();
    LanPort *port = lan.attach();
    Station station{*port};
    qint64 now;
    explicit OwnLan(const QString &name, qint64 start = 0, bool keepBroadcasting = false) : now(start)
    {
        station.setClock([this] { return now; });
        station.start(name);
        if (!keepBroadcasting)
            station.stop(); // the test ends the periods itself
    }
};

} // namespace

// The station core without any window: what each datagram does, what is
// refused, and what the user's actions send.
class TestStation final : public QObject
{
    Q_OBJECT
    std::unique_ptr<LocalLan> m_lan;
    std::unique_ptr<Station> m_alice;
    LanPort *m_alicePort = nullptr;
    LanPort *m_peer = nullptr;
    qint64 m_now = 0; // the station's clock for repeats, in ms

    void receive(const QByteArray &datagram) { sendFrom(*m_peer, datagram); }

private slots:
    void init()
    {
        m_lan = std::make_unique<LocalLan>();
        m_peer = m_lan->attach();
        m_alicePort = m_lan->attach();
        m_alice = std::make_unique<Station>(*m_alicePort);
        m_now = 0;
        m_alice->setClock([this] { return m_now; });
        QSignalSpy announced(m_peer, &DatagramLink::datagramReceived);
        m_alice->start(u"alice"_s);
        m_alice->stop(); // no periodic broadcast in the middle of a case
        QTRY_COMPARE(announced.count(), 2);
        // Bob is listed, so his availability and departure have effects.
        receive(encode(wire::presence(u"bob"_s)));
        m_lan->clearSent();
        m_now = 60000; // the announcement's echo is long past
    }

    void startAnnouncesAtOnceAndKeepsBroadcasting()
    {
        LocalLan lan;
        Station bob(*lan.attach());
        bob.setAvailability(1); // before start: remembered, not sent
        QVERIFY(lan.sent().isEmpty());
        bob.start(u"bob"_s);
        QCOMPARE(lan.sent(), (QList<QByteArray>{encode(wire::presence(u"bob"_s)), encode(wire::availability(u"bob"_s, 1))}));
        QVERIFY(bob.isBroadcasting());
        bob.setAvailability(0);
        QCOMPARE(lan.sent().last(), encode(wire::availability(u"bob"_s, 0)));
        bob.stop();
        QVERIFY(!bob.isBroadcasting());
    }

    void effects_data()
    {
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("effect");
        QTest::newRow("work line") << wire::workLine(u"<b>w</b>"_s) << "chat work <b>w</b>";
        QTest::newRow("tea line") << wire::teaLine(u"t"_s) << "chat tea t";
        QTest::newRow("presence") << wire::presence(u"bob"_s) << "seen bob";
        QTest::newRow("not available") << wire::availability(u"bob"_s, 1) << "availability bob no";
        QTest::newRow("departure") << wire::departure(u"bob"_s) << "gone bob";
        QTest::newRow("message") << wire::privateMessage(u"alice"_s, u"bob"_s, u"hi\r\nthere"_s) << "message bob hi\r\nthere";
        QTest::newRow("othello proposal") << wire::othelloProposal(u"alice"_s, u"bob"_s) << "proposal othello bob";
        QTest::newRow("puissance 4 proposal") << wire::puissance4Proposal(u"alice"_s, u"bob"_s) << "proposal puissance4 bob";
        QTest::newRow("declined") << wire::proposalDeclined(u"alice"_s, u"bob"_s) << "declined bob";
        QTest::newRow("othello accept") << wire::othelloAccept(u"alice"_s, u"bob"_s) << "started othello bob";
        QTest::newRow("puissance 4 accept") << wire::puissance4Accept(u"alice"_s, u"bob"_s) << "started puissance4 bob";
        // A board for a game not on here does nothing (boards taken: test_matches).
        QTest::newRow("othello board, no game on") << wire::othelloBoard({u"alice"_s, blackOpening().cells(), 2, 5}) << "";
        QTest::newRow("puissance 4 board, no game on")
            << wire::puissance4Board({u"alice"_s, dropped(4).cells(), 2, 1, u"Red to Play!"_s}) << "";
    }

    void effects()
    {
        QFETCH(QString, message);
        for (const Game game : kGames) // an accept answers a proposal
            m_alice->proposeGame(game, u"bob"_s);
        EffectLog log(*m_alice);
        receive(encode(message));
        QTEST(log.lines.join(u'|'), "effect");
        const bool accept = !log.lines.isEmpty() && log.lines.front().startsWith(u"started"_s);
        QCOMPARE(m_alice->match(Game::Othello).isPlaying(), accept && message.startsWith(u"4"_s));
        QCOMPARE(m_alice->match(Game::Puissance4).isPlaying(), accept && message.startsWith(u"5"_s));
        QCOMPARE(m_alice->match(message.startsWith(u"4"_s) ? Game::Othello : Game::Puissance4).opponent(),
                 accept ? u"bob"_s : QString());
    }

    // Malformed datagrams in detail are test_wire's; here, that the station
    // drops what its reader refuses, and what is addressed to another name.
    void refusesWhatIsNotForIt_data()
    {
        QTest::addColumn<QByteArray>("datagram");
        for (const QString &to : {u"bob"_s, u"Alice"_s, u"alice "_s, u""_s}) {
            const QList<std::pair<const char *, QString>> addressed = {
                {"4", wire::othelloAccept(to, u"bob"_s)},         {"5", wire::puissance4Accept(to, u"bob"_s)},
                {"6", wire::privateMessage(to, u"bob"_s, u"hi"_s)},   {"8", wire::othelloProposal(to, u"bob"_s)},
                {"9", wire::puissance4Proposal(to, u"bob"_s)},     {"11", wire::proposalDeclined(to, u"bob"_s)},
                {"12", wire::puissance4Board({to, {}, 2, 1, u"x"_s})}, {"13", wire::othelloBoard({to, {}, 2, 5})}};
            for (const auto &[code, message] : addressed)
                QTest::addRow("code %s for '%s'", code, qPrintable(to)) << encode(message);
        }
        QTest::newRow("undecodable bytes") << QByteArray("3\xA7\x81\xA7");
        QTest::newRow("malformed availability") << QByteArray("10\xA7" "alice\xA7" "7\xA7");
        QTest::newRow("othello board with a 3") << encode(wire::othelloBoard({u"alice"_s, {}, 2, 5})).replace("alice\xA7" "0", "alice\xA7" "3");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("availability of an unlisted user") << encode(wire::availability(u"carol"_s, 1));
        QTest::newRow("availability that changes nothing") << encode(wire::availability(u"bob"_s, 0));
        QTest::newRow("departure of an unlisted user") << encode(wire::departure(u"carol"_s));
        QTest::newRow("departure of a look-alike") << encode(wire::departure(u"bob "_s));
    }

    void refusesWhatIsNotForIt()
    {
        QFETCH(QByteArray, datagram);
        EffectLog log(*m_alice);
        receive(datagram);
        QCOMPARE(log.lines, QStringList());
        for (const Game game : kGames)
            QVERIFY(!m_alice->match(game).isPlaying() && m_alice->match(game).opponent().isEmpty());
    }

    // Another copy under this name leaving lists the name off everywhere:
    // this station says at once that it is still here. Its own goodbye, heard
    // back, is no other copy's.
    void anotherCopyLeavingIsAnswered()
    {
        sendFrom(*m_alicePort, encode(wire::departure(u"alice"_s)));
        QTRY_VERIFY(m_lan->sent().contains(encode(wire::presence(u"alice"_s)))
                    && m_lan->sent().contains(encode(wire::availability(u"alice"_s, 0))));
        m_lan->clearSent();
        m_alice->forgetRecentDatagrams();
        QSignalSpy heard(m_alicePort, &DatagramLink::datagramReceived);
        m_alice->sendDeparture();
        QTRY_COMPARE(heard.count(), 1);
        QCOMPARE(m_lan->sent(), QList<QByteArray>{encode(wire::departure(u"alice"_s))});
    }

    void sends_data()
    {
        QTest::addColumn<int>("action");
        QTest::addColumn<QString>("expected");
        QTest::newRow("private message") << 0 << wire::privateMessage(u"bob"_s, u"alice"_s, u"hi"_s);
        QTest::newRow("othello proposal") << 1 << wire::othelloProposal(u"bob"_s, u"alice"_s);
        QTest::newRow("puissance 4 proposal") << 2 << wire::puissance4Proposal(u"bob"_s, u"alice"_s);
        QTest::newRow("decline") << 3 << wire::proposalDeclined(u"bob"_s, u"alice"_s);
        QTest::newRow("departure") << 4 << wire::departure(u"alice"_s);
    }

    void sends()
    {
        QFETCH(int, action);
        switch (action) {
        case 0: m_alice->sendPrivateMessage(u"bob"_s, u"hi"_s); break;
        case 1: m_alice->proposeGame(Game::Othello, u"bob"_s); break;
        case 2: m_alice->proposeGame(Game::Puissance4, u"bob"_s); break;
        case 3: m_alice->declineProposal(u"bob"_s); break;
        case 4: m_alice->sendDeparture(); break;
        }
        QFETCH(QString, expected);
        QCOMPARE(m_lan->sent(), QList<QByteArray>{encode(expected)});

        // A chat line carries the name and the time of day before the text.
        m_lan->clearSent();
        m_alice->sendChatLine(action % 2 ? Room::Tea : Room::Work, u"hello"_s);
        const QStringList fields = wire::split(*wire::decode(m_lan->sent().front()));
        QCOMPARE(fields.size(), 2);
        QCOMPARE(fields[0], action % 2 ? u"2"_s : u"1"_s);
        QVERIFY2(QRegularExpression(u"^\\[alice,[^\\]]*\\d\\d[^\\]]*\\]> hello$"_s).match(fields[1]).hasMatch(),
                 qPrintable(fields[1]));
    }

    // The silence rule itself is test_userroster's; here, the station's bound
    // and what it reports. ("p" presence, "a" availability, "c" the period's
    // check, at seconds after start.)
    void silentUsersAreGone_data()
    {
        QTest::addColumn<QString>("events");
        QTest::addColumn<QString>("effects");
        QTest::newRow("silent for six periods") << "p0 c30 c35" << "seen bob|gone bob";
        QTest::newRow("availability keeps him") << "p0 a25 c35 c50 c60" << "seen bob|gone bob";
        QTest::newRow("back at his next presence") << "p0 c35 a36 p40 c45" << "seen bob|gone bob|seen bob";
    }

    void silentUsersAreGone()
    {
        QFETCH(QString, events);
        OwnLan own(u"alice"_s, 1000000);
        EffectLog log(own.station);
        for (const QString &event : events.split(u' ')) {
            own.now = 1000000 + event.mid(1).toLongLong() * 1000;
            switch (event[0].toLatin1()) {
            case 'p': own.station.onDatagram(encode(wire::presence(u"bob"_s))); break;
            case 'a': own.station.onDatagram(encode(wire::availability(u"bob"_s, 0))); break;
            case 'c': own.station.dropSilentUsers(); break;
            }
        }
        QTEST(log.lines.filter(u"bob"_s).join(u'|'), "effects");
    }

    void fullRosterListsNoNewName()
    {
        for (int n = m_alice->users().size(); n < UserRoster::kMaxUsers; ++n)
            m_alice->onDatagram(encode(wire::presence(QString::number(n))));
        EffectLog log(*m_alice);
        for (const QString &name : {u"carol"_s, u"bob"_s, u"alice"_s}) {
            m_alice->onDatagram(encode(wire::presence(name)));
            m_alice->onDatagram(encode(wire::availability(name, 1)));
        }
        QCOMPARE(log.lines.join(u'|'), u"seen bob|availability bob no|seen alice|availability alice no"_s);
        QVERIFY(!m_alice->users().contains(u"carol"_s));
    }

    void nameInUse_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("from");
        QTest::addColumn<qint64>("afterMs");
        QTest::addColumn<bool>("reported");
        QTest::newRow("another station, at once") << "alice" << "192.0.2.77" << qint64(0) << true;
        QTest::newRow("another station, an hour later") << "alice" << "192.0.2.77" << qint64(3600000) << true;
        QTest::newRow("own echo") << "alice" << "own" << qint64(1000) << false;
        QTest::newRow("sender unknown") << "alice" << "" << qint64(1000) << false;
        QTest::newRow("other case") << "Alice" << "192.0.2.77" << qint64(1000) << false;
        // An availability alone says it too, though it lists nobody.
        QTest::newRow("availability from another station") << "alice 1" << "192.0.2.77" << qint64(0) << true;
        QTest::newRow("availability, own echo") << "alice 1" << "own" << qint64(0) << false;
    }

    void nameInUse()
    {
        QFETCH(QString, name);
        QFETCH(QString, from);
        QFETCH(qint64, afterMs);
        QFETCH(bool, reported);
        OwnLan own(u"alice"_s, 5000000, true);
        QSignalSpy spy(&own.station, &Station::nameInUse);
        own.now += afterMs;
        const QHostAddress sender = from == u"own"_s ? own.port->address() : QHostAddress(from);
        const QString datagram = name.endsWith(u" 1"_s) ? wire::availability(name.chopped(2), 1) : wire::presence(name);
        name = name.section(u' ', 0, 0);
        own.station.onDatagram(encode(datagram), sender);
        own.station.onDatagram(encode(datagram), sender); // said once
        QCOMPARE(spy.count(), reported ? 1 : 0);
        if (reported)
            QCOMPARE(spy.front().front().toString(), name);
        if (datagram == wire::availability(name, 1)) { // it binds nothing and lists nobody
            QVERIFY(!own.station.users().contains(name));
            return;
        }
        QVERIFY(own.station.users().contains(name)); // whoever uses the name, it is listed once
        own.station.stop();
        // Said again only after the other station has fallen silent and come back.
        QSignalSpy ended(&own.station, &Station::nameInUseEnded);
        own.now += Station::kSilenceMs + 1;
        own.station.dropSilentUsers();
        own.station.onDatagram(encode(wire::presence(name)), sender);
        QCOMPARE(ended.count() * 10 + spy.count(), reported ? 12 : 0);
    }

    // A state change on behalf of a known name counts only from the addresses
    // that name is heard from; what reaches the user arrives all the same,
    // saying where it came from when that is not the name's station.
    void actsOnBehalfOfAName_data()
    {
        QTest::addColumn<QString>("act");
        QTest::addColumn<QString>("from"); // bob's station, a forger, a forger under a name never heard, bob's second card
        QTest::addColumn<QString>("effect");
        const QString forged = u" (from 192.0.2.99 heard at 192.0.2.10 192.0.2.20)"_s;
        const QString unknown = u" (from 192.0.2.99 heard at )"_s;
        for (const char *from : {"bob", "forger", "unknown", "second card"}) {
            const bool refused = QLatin1String(from) == "forger"_L1;
            const QString name = QLatin1String(from) == "unknown"_L1 ? u"dave"_s : u"bob"_s;
            const QString mark = refused ? forged : QLatin1String(from) == "unknown"_L1 ? unknown : QString();
            const auto taken = [refused](const QString &effect) { return refused ? QString() : effect; };
            QTest::addRow("departure, %s", from) << "departure" << from << taken(name == u"dave"_s ? u""_s : u"gone bob"_s);
            QTest::addRow("accept, %s", from) << "accept" << from << taken(u"started othello "_s + name);
            QTest::addRow("decline, %s", from) << "decline" << from << taken(u"declined "_s + name);
            QTest::addRow("board, %s", from) << "board" << from << taken(u"othello board 2 5"_s);
            QTest::addRow("availability, %s", from) << "availability" << from << taken(name == u"dave"_s ? u""_s : u"availability bob no"_s);
            QTest::addRow("message, %s", from) << "message" << from << u"message "_s + name + u" hi"_s + mark;
            QTest::addRow("proposal, %s", from) << "proposal" << from << u"proposal othello "_s + name + mark;
        }
    }

    void actsOnBehalfOfAName()
    {
        QFETCH(QString, act);
        QFETCH(QString, from);
        OwnLan own(u"alice"_s);
        const QHostAddress bobs(u"192.0.2.10"_s), bobsSecond(u"192.0.2.20"_s), forgers(u"192.0.2.99"_s);
        own.station.onDatagram(encode(wire::presence(u"bob"_s)), bobs);
        own.station.onDatagram(encode(wire::presence(u"bob"_s)), bobsSecond); // a station on two networks
        const QString name = from == u"unknown"_s ? u"dave"_s : u"bob"_s;
        own.station.proposeGame(Game::Othello, name);
        if (act == u"board"_s)
            own.station.startGame(Game::Othello, name);
        const QMap<QString, QString> datagrams{
            {u"departure"_s, wire::departure(name)},
            {u"accept"_s, wire::othelloAccept(u"alice"_s, name)},
            {u"decline"_s, wire::proposalDeclined(u"alice"_s, name)},
            {u"board"_s, wire::othelloBoard({u"alice"_s, blackOpening().cells(), 2, 5})},
            {u"availability"_s, wire::availability(name, 1)},
            {u"message"_s, wire::privateMessage(u"alice"_s, name, u"hi"_s)},
            {u"proposal"_s, wire::othelloProposal(u"alice"_s, name)}};
        EffectLog log(own.station);
        own.station.onDatagram(encode(datagrams[act]), from == u"bob"_s ? bobs : from == u"second card"_s ? bobsSecond : forgers);
        QTEST(log.lines.join(u'|'), "effect");
        QCOMPARE(own.station.match(Game::Othello).opponent(), act == u"board"_s || log.lines.join(u""_s).startsWith(u"started"_s) ? name : QString());
    }

    // A host that sends the very bytes a name's station is about to send, ahead
    // of it and from its own address, is refused and leaves no mark: the real
    // datagram is then taken, however soon it follows.
    void refusedCopiesLeaveNoMark_data()
    {
        QTest::addColumn<QString>("datagram");
        QTest::addColumn<QString>("effect");
        QTest::newRow("accept") << wire::othelloAccept(u"alice"_s, u"bob"_s) << "started othello bob";
        QTest::newRow("decline") << wire::proposalDeclined(u"alice"_s, u"bob"_s) << "declined bob";
        QTest::newRow("availability") << wire::availability(u"bob"_s, 1) << "availability bob no";
        QTest::newRow("departure") << wire::departure(u"bob"_s) << "gone bob";
        QTest::newRow("board") << wire::puissance4Board({u"alice"_s, dropped(4).cells(), puissance4::kRed, 1, puissance4::kRedToPlay})
                               << "puissance4 board 1 Red to Play!";
    }

    void refusedCopiesLeaveNoMark()
    {
        QFETCH(QString, datagram);
        OwnLan own(u"alice"_s);
        LanPort &mallory = *own.lan.attach();
        sendFrom(*own.peer, encode(wire::presence(u"bob"_s)));
        own.station.proposeGame(Game::Othello, u"bob"_s);
        if (datagram.startsWith(u"12"_s))
            own.station.startGame(Game::Puissance4, u"bob"_s);
        EffectLog log(own.station);
        for (int copy = 0; copy < 3; ++copy)
            sendFrom(mallory, encode(datagram));
        QCOMPARE(log.lines.join(u'|'), QString());
        sendFrom(*own.peer, encode(datagram));
        QTEST(log.lines.join(u'|'), "effect");
    }

    // An accept starts a game only as the answer to a proposal of that game to
    // that user, still waiting, and never replaces a game that is on.
    void acceptsAnswerWaitingProposals_data()
    {
        QTest::addColumn<QString>("proposed"); // game and user, before the accept from bob
        QTest::addColumn<qint64>("afterMs");
        QTest::addColumn<QString>("effect");
        const qint64 expiry = PendingProposals::kExpiryMs;
        QTest::newRow("no proposal") << "" << qint64(0) << "";
        QTest::newRow("waiting") << "othello bob" << qint64(0) << "started othello bob";
        QTest::newRow("another game") << "puissance4 bob" << qint64(0) << "";
        QTest::newRow("another user") << "othello carol" << qint64(0) << "";
        QTest::newRow("at its expiry") << "othello bob" << expiry << "started othello bob";
        QTest::newRow("expired") << "othello bob" << expiry + 1 << "";
        QTest::newRow("declined first") << "othello bob, declined" << qint64(0) << "declined bob";
        QTest::newRow("withdrawn first") << "othello bob, withdrawn" << qint64(0) << "";
        QTest::newRow("during a game") << "othello bob, playing carol" << qint64(0) << "refused othello bob";
    }

    void acceptsAnswerWaitingProposals()
    {
        QFETCH(QString, proposed);
        QFETCH(qint64, afterMs);
        OwnLan own(u"alice"_s);
        if (proposed.contains(u"playing"_s))
            own.station.startGame(Game::Othello, u"carol"_s);
        if (!proposed.isEmpty())
            own.station.proposeGame(proposed.startsWith(u"othello"_s) ? Game::Othello : Game::Puissance4, proposed.section(u' ', 1, 1).remove(u','));
        own.now += afterMs;
        EffectLog log(own.station);
        if (proposed.contains(u"declined"_s))
            own.station.onDatagram(encode(wire::proposalDeclined(u"alice"_s, u"bob"_s)));
        if (proposed.contains(u"withdrawn"_s))
            QVERIFY(own.station.withdrawProposal(Game::Othello, u"bob"_s));
        own.station.onDatagram(encode(wire::othelloAccept(u"alice"_s, u"bob"_s)));
        own.station.onDatagram(encode(wire::othelloAccept(u"alice"_s, u"bob"_s))); // answered once
        QTEST(log.lines.join(u'|'), "effect");
        QCOMPARE(own.station.match(Game::Othello).opponent(), proposed.contains(u"carol, "_s) || proposed.contains(u"playing"_s)
                     ? u"carol"_s : log.lines.join(u""_s).startsWith(u"started"_s) ? u"bob"_s : QString());
    }

    void takesEachDatagramOnce_data()
    {
        QTest::addColumn<bool>("fromAlice"); // else from the peer
        QTest::addColumn<int>("cards");      // the sender's network cards
        QTest::addColumn<QString>("message");
        QTest::addColumn<qint64>("againAfterMs"); // -1: sent once
        QTest::addColumn<int>("taken");
        const QString line = wire::workLine(u"[bob,10:00:00]> ok"_s);
        const QString message = wire::privateMessage(u"alice"_s, u"bob"_s, u"ok"_s);
        const qint64 window = RecentDatagrams::kWindowMs;
        QTest::newRow("a peer on one network") << false << 1 << line << qint64(-1) << 1;
        QTest::newRow("a peer heard on two segments") << false << 2 << line << qint64(-1) << 1;
        QTest::newRow("a peer heard on three segments") << false << 3 << message << qint64(-1) << 1;
        QTest::newRow("a proposal heard on two segments")
            << false << 2 << wire::othelloProposal(u"alice"_s, u"bob"_s) << qint64(-1) << 1;
        QTest::newRow("own echo on two interfaces") << true << 2 << line << qint64(-1) << 1;
        QTest::newRow("own message to self on two interfaces")
            << true << 2 << wire::privateMessage(u"alice"_s, u"alice"_s, u"note"_s) << qint64(-1) << 1;
        QTest::newRow("same line again inside the window") << false << 1 << line << window - 1 << 1;
        QTest::newRow("same line again as the window ends") << false << 2 << line << window << 2;
        QTest::newRow("identical messages far apart") << true << 2 << message << qint64(5000) << 2;
    }

    void takesEachDatagramOnce()
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

    void recentDatagramsAreBoundedAndExpire()
    {
        RecentDatagrams recent;
        const int most = RecentDatagrams::kMaxRemembered;
        const qint64 window = RecentDatagrams::kWindowMs;
        const auto isNew = [&recent](auto datagram, qint64 at, bool fromHere = false) {
            const QByteArray bytes = encode(wire::presence(QString::number(datagram)));
            if (recent.isRepeat(bytes, fromHere, at))
                return false;
            recent.remember(bytes, fromHere, at);
            return true;
        };
        for (int n = 0; n < most; ++n)
            QVERIFY(isNew(n, 0));
        QCOMPARE(recent.size(), most);
        QVERIFY(!isNew(0, 0));
        // One more forgets the oldest only.
        QVERIFY(isNew(most, 1));
        QCOMPARE(recent.size(), most);
        QVERIFY(!isNew(1, 1) && !isNew(most, 1));
        QVERIFY(isNew(0, 1));
        // By age: all but what arrived at 1 ms have gone by the end of the window.
        QVERIFY(isNew(-1, window));
        QCOMPARE(recent.size(), 3);
        QVERIFY(isNew(5, window) && !isNew(0, window));
        // The same bytes from this computer and from another are two stations.
        QVERIFY(isNew(7, window, true) && !isNew(7, window, true));
        QVERIFY(isNew(7, window, false) && !isNew(7, window, false));
    }

    void nameInWireForm_data()
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

    void nameInWireForm()
    {
        QFETCH(QString, loginName);
        QFETCH(QString, wireName);
        QTEST(wire::lostInTransit(loginName).join(u""_s), "lost");
        OwnLan own(loginName);
        EffectLog log(own.station);
        QCOMPARE(own.station.userName(), wireName);
        QCOMPARE(own.lan.sent().front(), encode(wire::presence(wireName)));
        QTRY_COMPARE(log.lines, QStringList({u"seen "_s + wireName}));

        // What a peer addresses to the name it reads is taken, and answered from it.
        log.lines.clear();
        own.station.proposeGame(Game::Puissance4, u"bob"_s);
        own.station.onDatagram(encode(wire::presence(u"bob"_s)), own.peer->address());
        log.lines.clear();
        for (const QString &message : {wire::privateMessage(wireName, u"bob"_s, u"hi"_s), wire::othelloProposal(wireName, u"bob"_s),
                                       wire::puissance4Accept(wireName, u"bob"_s)})
            own.peer->send(encode(message));
        QTRY_COMPARE(log.lines, QStringList({u"message bob hi"_s, u"proposal othello bob"_s, u"started puissance4 bob"_s}));
        own.lan.clearSent();
        own.station.sendPrivateMessage(u"bob"_s, u"ok"_s);
        own.station.declineProposal(u"bob"_s);
        QCOMPARE(own.lan.sent(), QList<QByteArray>({encode(wire::privateMessage(u"bob"_s, wireName, u"ok"_s)),
                                                    encode(wire::proposalDeclined(u"bob"_s, wireName))}));
    }

    void hearing_data()
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

    void hearing()
    {
        QFETCH(QString, steps);
        const QString failure = QStringLiteral("Network is unreachable");
        OwnLan own(u"alice"_s); // heard at start-up, as on any working network
        QSignalSpy changes(&own.station, &Station::hearingChanged);
        QSignalSpy heard(own.peer, &DatagramLink::datagramReceived);
        QTRY_COMPARE(heard.size(), 2);
        const auto letter = [](HearingCheck::State state) {
            return state == HearingCheck::State::Heard ? u'H' : state == HearingCheck::State::NobodyHears ? u'N' : u'A';
        };
        bool dropping = false;
        QStringList seen;
        QString changed;
        QChar last = u'H';
        for (const QString &step : steps.split(u' ')) {
            if (step == u"p"_s) {
                own.now += Station::kBroadcastMs; // periods far apart: each presence is new
                own.station.broadcastPeriod();
            }
            if (step == u"o"_s)
                own.peer->send(encode(wire::presence(u"bob"_s)));
            if (step == u"x"_s || step == u"r"_s)
                own.lan.setDropEvery(dropping = step == u"x"_s);
            if (step == u"f"_s || step == u"g"_s)
                own.port->setSendFailure(step == u"f"_s ? failure : QString());
            if (!dropping) { // whatever this step sent has arrived: the LAN keeps the order
                const qsizetype marker = heard.size();
                own.peer->send("probe");
                QTRY_VERIFY(heard.size() > marker);
            }
            seen << QString(letter(own.station.hearing()));
            if (seen.back() != last)
                changed += (last = seen.back().front());
        }
        QTEST(seen.join(u' '), "states");
        // One signal per change, each telling the new state.
        QCOMPARE(changes.size(), changed.size());
        for (int n = 0; n < changes.size(); ++n)
            QCOMPARE(letter(changes.at(n).at(0).value<HearingCheck::State>()), changed.at(n));
        QCOMPARE(own.station.sendFailure(), steps.contains(u"f"_s) && !steps.contains(u"g"_s) ? failure : QString());
    }

    // The time in every chat line and message as the region writes it, but
    // never as question marks: other stations read it through Windows-1252.
    void timeOfDay_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QTime>("time");
        QTest::addColumn<QString>("shown");
        QTest::newRow("English, afternoon") << "en_US" << QTime(13, 5, 9) << "1:05:09 PM";
        QTest::newRow("English, just after midnight") << "en_US" << QTime(0, 0, 1) << "12:00:01 AM";
        QTest::newRow("French, 24 hours") << "fr_FR" << QTime(13, 5, 9) << "13:05:09";
        QTest::newRow("German, midnight") << "de_DE" << QTime(0, 0, 0) << "00:00:00";
        QTest::newRow("Arabic digits, in Latin ones") << "ar_EG" << QTime(13, 5, 9) << "1:05:09 PM";
        QTest::newRow("Bengali digits, in Latin ones") << "bn_BD" << QTime(23, 59, 59) << "11:59:59 PM";
        QTest::newRow("Bulgarian suffix the wire lacks") << "bg_BG" << QTime(13, 5, 9) << "13:05:09";
        QTest::newRow("Japanese hour and minute signs") << "ja_JP" << QTime(7, 5, 9) << "07:05:09";
        QTest::newRow("Chinese, zone first") << "zh_CN" << QTime(13, 5, 9) << "13:05:09";
    }

    void timeOfDay()
    {
        QFETCH(QString, locale);
        QFETCH(QTime, time);
        QTEST(::timeOfDay(time, QLocale(locale)), "shown");
    }

    // USERNAME names the user where set, else the login name: USER, then the
    // password database, so that a station started without either still has a name.
    void userNameFallbacks_data()
    {
        QTest::addColumn<QByteArray>("userName"); // "-": unset
        QTest::addColumn<QByteArray>("user");
        QTest::addColumn<QString>("name"); // "*": the password database's
        QTest::newRow("USERNAME first") << QByteArray("bob") << QByteArray("carol") << "bob";
        QTest::newRow("USERNAME empty") << QByteArray("") << QByteArray("carol") << "carol";
        QTest::newRow("USER alone") << QByteArray("-") << QByteArray("carol") << "carol";
        QTest::newRow("neither") << QByteArray("-") << QByteArray("-") << "*";
        QTest::newRow("both empty") << QByteArray("") << QByteArray("") << "*";
    }

    void userNameFallbacks()
    {
        QFETCH(QByteArray, userName);
        QFETCH(QByteArray, user);
        QFETCH(QString, name);
        const QByteArray savedUserName = qgetenv("USERNAME"), savedUser = qgetenv("USER");
        const auto set = [](const char *variable, const QByteArray &value) {
            value == "-" ? qunsetenv(variable) : qputenv(variable, value);
        };
        set("USERNAME", userName);
        set("USER", user);
        const QString found = stationUserName();
        set("USERNAME", savedUserName);
        set("USER", savedUser);
        const passwd *entry = getpwuid(getuid());
        QVERIFY(entry);
        QCOMPARE(found, name == QLatin1String("*") ? QString::fromLocal8Bit(entry->pw_name) : name);
    }
};

QTEST_GUILESS_MAIN(TestStation)
#include "test_station.moc"
