#include "net/messages.h"
#include "support/stations.h"

#include <QDeadlineTimer>
#include <QListWidget>
#include <QSignalSpy>
#include <QTest>

using wire::encode;

// The user list as people see it: who is listed and for how long, how
// hostile or look-alike names are shown, where the list's commands go, and
// the notice of a second station with this station's name.
class TestUserList final : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void silentUserLeavesAtThePeriodAndComesBack();
    void shownApartButAddressedExactly_data();
    void shownApartButAddressedExactly();
    void nameInUseNotice();

private:
    std::unique_ptr<LocalLan> m_lan;
    std::unique_ptr<MainWindow> m_alice;
    LanPort *m_peer = nullptr;
    void receive(const QString &message);
};

void TestUserList::init()
{
    m_lan = std::make_unique<LocalLan>();
    m_peer = m_lan->attach();
    m_alice = startStation(*m_lan, "alice");
    QTRY_COMPARE(userList(*m_alice), QString("alice:1"));
    m_lan->clearSent();
}

void TestUserList::cleanup()
{
    m_alice.reset();
    m_lan.reset();
}

void TestUserList::receive(const QString &message)
{
    // Waits for this datagram itself: others may be on their way too.
    QSignalSpy heard(m_peer, &DatagramLink::datagramReceived);
    const QByteArray datagram = encode(message);
    m_peer->send(datagram);
    QTRY_VERIFY(std::any_of(heard.cbegin(), heard.cend(),
                            [&datagram](const QList<QVariant> &args) { return args.front() == datagram; }));
}

void TestUserList::silentUserLeavesAtThePeriodAndComesBack()
{
    qint64 skipped = 0; // the clock runs ahead by this much
    m_alice->station().setClock([&skipped] { return QDeadlineTimer::current().deadline() + skipped; });
    receive(wire::presence("bob"));
    receive(wire::availability("bob", 1));
    QCOMPARE(userList(*m_alice), QString("alice:1 bob:2"));
    QCOMPARE(userCount(*m_alice), QString("Connected users: 2"));

    // Bob falls silent: the station's own period drops him, and the count
    // follows with the presence that period sends.
    skipped = Station::kSilenceMs + 1;
    QTRY_COMPARE_WITH_TIMEOUT(userList(*m_alice), QString("alice:1"), 2 * Station::kBroadcastMs);
    QTRY_COMPARE(userCount(*m_alice), QString("Connected users: 1"));

    // An availability alone does not bring him back; his next presence does.
    receive(wire::availability("bob", 0));
    QCOMPARE(userList(*m_alice), QString("alice:1"));
    receive(wire::presence("bob"));
    QCOMPARE(userList(*m_alice), QString("alice:1 bob:1"));
    QCOMPARE(userCount(*m_alice), QString("Connected users: 2"));
}

void TestUserList::shownApartButAddressedExactly_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("shown");
    QTest::newRow("plain") << "bob" << "bob";
    QTest::newRow("own name in capitals") << "Alice" << "Alice";
    QTest::newRow("own name with a trailing space") << "alice " << "alice\u2423";
    QTest::newRow("own name with a no-break space") << QString("alice") + QChar::Nbsp << "alice\u237D";
    QTest::newRow("line breaks") << "bo\r\nb" << "bo\uFFFD\uFFFDb";
    QTest::newRow("control characters") << "\x1b[1mbob\x07" << "\uFFFD[1mbob\uFFFD";
    QTest::newRow("markup stays text") << "<b>bob</b>" << "<b>bob</b>";
}

void TestUserList::shownApartButAddressedExactly()
{
    QFETCH(QString, name);
    receive(wire::presence(name));
    auto *list = control<QListWidget>(*m_alice, "ListView1");
    QCOMPARE(list->count(), 2);
    QListWidgetItem *entry = list->item(1);
    QTEST(entry->text(), "shown");
    QVERIFY(entry->text() != list->item(0)->text());

    // Every command from the list goes to the exact name heard.
    list->setCurrentItem(entry);
    m_lan->clearSent();
    m_alice->findChild<QAction *>("mnuProposeOthello")->trigger();
    m_alice->findChild<QAction *>("mnuProposePuissance4")->trigger();
    QCOMPARE(m_lan->sent(), (QList<QByteArray>{encode(wire::othelloProposal(name, "alice")),
                                               encode(wire::puissance4Proposal(name, "alice"))}));
    receive(wire::availability(name, 1));
    QCOMPARE(entry->data(MainWindow::kIconRole).toInt(), 2);
    receive(wire::departure(name));
    QCOMPARE(userList(*m_alice), QString("alice:1"));
}

void TestUserList::nameInUseNotice()
{
    // Alice's own echo is not another station.
    QCOMPARE(m_alice->notice(), QString());
    auto second = startStation(*m_lan, "alice");
    const QString notice("Another station on this network uses the name alice");
    QTRY_COMPARE(m_alice->notice(), notice);
    // The window goes on as before: the list, the count, sending.
    QTRY_COMPARE(userList(*m_alice), QString("alice:1"));
    receive(wire::presence("bob"));
    QCOMPARE(userCount(*m_alice), QString("Connected users: 2"));
    m_alice->station().sendChatLine(Room::Work, "still here");
    QTRY_VERIFY(logLines(*second, "Text1").endsWith("still here"));

    // A station named differently hears nothing of it.
    auto carol = startStation(*m_lan, "carol");
    QTRY_COMPARE_WITH_TIMEOUT(userList(*carol), QString("carol:1 alice:1"), 2 * Station::kBroadcastMs);
    QCOMPARE(carol->notice(), QString());
}

QTEST_MAIN(TestUserList)
#include "test_userlist.moc"
