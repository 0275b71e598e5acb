#include "net/messages.h"
#include "support/heard.h"
#include "support/stations.h"

#include <QDeadlineTimer>
#include <QListView>
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
    void oneFrameAppliesWhatWasHeardInOrder_data();
    void oneFrameAppliesWhatWasHeardInOrder();
    void sayingTheSameAgainTouchesNothing();

private:
    void hear(const QString &events);
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
    QFETCH(QString, shown);
    receive(wire::presence(name));
    QCOMPARE(userList(*m_alice), "alice:1 " + shown + ":1");
    control<QListView>(*m_alice, "ListView1")->setCurrentIndex(userEntry(*m_alice, shown));
    m_lan->clearSent();
    m_alice->findChild<QAction *>("mnuProposeOthello")->trigger();
    m_alice->findChild<QAction *>("mnuProposePuissance4")->trigger();
    QCOMPARE(m_lan->sent(), (QList<QByteArray>{encode(wire::othelloProposal(name, "alice")),
                                               encode(wire::puissance4Proposal(name, "alice"))}));
    receive(wire::availability(name, 1));
    QCOMPARE(userList(*m_alice), "alice:1 " + shown + ":2");
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

// Events heard at once, with no frame between them: "p:bob" presence,
// "a:bob" bob not available, "d:bob" departure.
void TestUserList::hear(const QString &events)
{
    for (const QString &event : events.split(' ', Qt::SkipEmptyParts)) {
        const QString name = event.mid(2);
        const QString message = event[0] == 'p' ? wire::presence(name)
            : event[0] == 'a'                   ? wire::availability(name, 1)
                                                : wire::departure(name);
        m_alice->station().onDatagram(encode(message));
    }
}

void TestUserList::oneFrameAppliesWhatWasHeardInOrder_data()
{
    QTest::addColumn<QString>("before"); // heard and shown first
    QTest::addColumn<QString>("frame");  // then heard within one frame
    QTest::addColumn<QString>("users");
    QTest::addColumn<int>("count"); // as the last presence left it
    QTest::newRow("arrivals in the order heard") << "" << "p:bob p:carol a:carol p:dave p:bob"
                                                 << "alice:1 bob:1 carol:2 dave:1" << 4;
    QTest::newRow("departures at both ends and inside") << "p:bob p:carol p:dave p:erin p:fay"
                                                        << "d:bob d:dave d:fay d:erin" << "alice:1 carol:1" << 6;
    QTest::newRow("gone and back goes to the end") << "p:bob p:carol" << "a:bob d:bob p:bob" << "alice:1 carol:1 bob:1" << 3;
    QTest::newRow("back, then not available") << "p:bob p:carol" << "d:bob p:bob a:bob" << "alice:1 carol:1 bob:2" << 3;
    QTest::newRow("come and gone within the frame") << "p:bob" << "p:zed a:zed d:zed a:bob" << "alice:1 bob:2" << 3;
}

void TestUserList::oneFrameAppliesWhatWasHeardInOrder()
{
    QFETCH(QString, before);
    QFETCH(QString, frame);
    hear(before);
    userList(*m_alice);
    const QAbstractItemModel *users = control<QListView>(*m_alice, "ListView1")->model();
    QSignalSpy inserted(users, &QAbstractItemModel::rowsInserted);
    hear(frame);
    QTEST(userList(*m_alice), "users");
    QVERIFY(inserted.count() <= 1); // arrivals as one batch
    QFETCH(int, count);
    QCOMPARE(userCount(*m_alice), QString("Connected users: %1").arg(count));
}

// A listed user announcing again as before, as every station does every
// period, leaves the list and the count alone: no frame is asked for.
void TestUserList::sayingTheSameAgainTouchesNothing()
{
    hear("p:bob a:bob");
    QCOMPARE(userList(*m_alice), QString("alice:1 bob:2"));
    const auto *users = static_cast<const UserListModel *>(control<QListView>(*m_alice, "ListView1")->model());
    QSignalSpy changed(users, &QAbstractItemModel::dataChanged);
    QSignalSpy flushed(users, &UserListModel::flushed);
    hear("p:bob a:bob p:alice p:bob");
    receive(wire::availability("alice", 0)); // and the event loop turns
    QVERIFY(!users->hasQueued());
    QCOMPARE(changed.count() + flushed.count(), 0);
}

QTEST_MAIN(TestUserList)
#include "test_userlist.moc"
