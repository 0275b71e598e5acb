#include "net/messages.h"
#include "support/heard.h"
#include "support/stations.h"

#include <QDeadlineTimer>
#include <QListWidget>
#include <QSignalSpy>
#include <QTest>

using wire::encode;

// The user list in the window: who is listed, how names are shown and
// addressed, and the notice of a second station with this station's name.
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
    void receive(const QString &message);
    std::unique_ptr<LocalLan> m_lan;
    std::unique_ptr<MainWindow> m_alice;
    LanPort *m_peer = nullptr;
};

void TestUserList::init()
{
    m_lan = std::make_unique<LocalLan>();
    m_peer = m_lan->attach();
    m_alice = startListed(*m_lan, "alice");
}

void TestUserList::cleanup()
{
    m_alice.reset();
    m_lan.reset();
}

void TestUserList::receive(const QString &message)
{
    sendFrom(*m_peer, encode(message));
}

void TestUserList::silentUserLeavesAtThePeriodAndComesBack()
{
    qint64 skipped = 0; // the clock runs ahead by this much
    m_alice->station().setClock([&skipped] { return QDeadlineTimer::current().deadline() + skipped; });
    receive(wire::presence("bob"));
    receive(wire::availability("bob", 1));
    QCOMPARE(userList(*m_alice), QString("alice:1 bob:2"));
    QCOMPARE(userCount(*m_alice), QString("Connected users: 2"));

    // The station's own period drops him; the count follows.
    skipped = Station::kSilenceMs + 1;
    QTRY_COMPARE_WITH_TIMEOUT(userList(*m_alice), QString("alice:1"), 2 * Station::kBroadcastMs);
    QTRY_COMPARE(userCount(*m_alice), QString("Connected users: 1"));

    receive(wire::presence("bob"));
    QCOMPARE(userList(*m_alice), QString("alice:1 bob:1"));
    QCOMPARE(userCount(*m_alice), QString("Connected users: 2"));
}

void TestUserList::shownApartButAddressedExactly_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("shown");
    // How each name is shown is test_userroster's; here, that the list shows it and acts on the exact name.
    QTest::newRow("own name in capitals") << "Alice" << "Alice";
    QTest::newRow("own name with a trailing space") << "alice " << "alice\u2423";
    QTest::newRow("control characters") << "\x1b[1mbob\x07" << "\uFFFD[1mbob\uFFFD";
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
    QTRY_COMPARE(userList(*m_alice), QString("alice:1"));
    receive(wire::presence("bob"));
    QCOMPARE(userCount(*m_alice), QString("Connected users: 2"));
    m_alice->station().sendChatLine(Room::Work, "still here");
    QTRY_VERIFY(logLines(*second, "Text1").endsWith("still here"));
}

QTEST_MAIN(TestUserList)
#include "test_userlist.moc"
