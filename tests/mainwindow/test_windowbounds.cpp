#include "dialogs/messagewindow.h"
#include "dialogs/proposalwindow.h"
#include "mainwindow/senderwindows.h"
#include "net/messages.h"
#include "support/stations.h"

#include <QApplication>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>

#include <algorithm>

using wire::encode;

namespace {

// The message windows open for this sender, the one holding most messages last.
QList<MessageWindow *> messagesFrom(const QString &sender)
{
    QList<MessageWindow *> found;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        auto *window = qobject_cast<MessageWindow *>(widget);
        if (window && window->isVisible() && window->correspondent() == sender)
            found << window;
    }
    std::stable_sort(found.begin(), found.end(), [](const MessageWindow *a, const MessageWindow *b) {
        return a->receivedCount() < b->receivedCount();
    });
    return found;
}

int proposalsFrom(const QString &proposer, Game game)
{
    int count = 0;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        auto *window = qobject_cast<ProposalWindow *>(widget);
        count += window && window->isVisible() && window->proposer() == proposer && window->game() == game;
    }
    return count;
}

// Messages from this sender shown or counted in its open windows.
int receivedFrom(const QString &sender)
{
    int count = 0;
    for (const MessageWindow *window : messagesFrom(sender))
        count += window->receivedCount();
    return count;
}

QString received(const MessageWindow *window)
{
    return control<QPlainTextEdit>(*window, "Text2")->toPlainText();
}

} // namespace

// Windows opened by the network stay few whatever a host sends, and a real
// user's messages are never lost on the way.
class TestWindowBounds final : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void senderWindowsCountUntilDestroyed();
    void messagesBeyondTheBoundJoinTheNewestWindow();
    void messagesBeyondAWindowsRoomAreCounted();
    void proposalsAskedAgainAreCounted();
    void declinesBeyondTheBoundAreCounted();
    void manySendersOpenAtMostTheTotal();

private:
    // Each datagram as its own arrival: the same bytes again count as a new
    // message here, as they do when they come more than a moment apart.
    void fromPeer(const QString &message)
    {
        QSignalSpy heard(m_peer, &DatagramLink::datagramReceived);
        m_peer->send(encode(message));
        QVERIFY(heard.wait());
        m_alice->station().forgetRecentDatagrams();
    }

    std::unique_ptr<LocalLan> m_lan;
    std::unique_ptr<MainWindow> m_alice;
    LanPort *m_peer = nullptr;
};

void TestWindowBounds::init()
{
    m_lan = std::make_unique<LocalLan>();
    m_alice = startStation(*m_lan, "alice");
    m_peer = m_lan->attach();
}

void TestWindowBounds::cleanup()
{
    m_alice.reset();
    // Message and proposal windows outlive their station.
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (qobject_cast<MessageWindow *>(widget) || qobject_cast<ProposalWindow *>(widget))
            delete widget;
    }
    m_lan.reset();
}

void TestWindowBounds::senderWindowsCountUntilDestroyed()
{
    SenderWindows windows(2, 3);
    auto *a1 = new QWidget;
    auto *a2 = new QWidget;
    auto *b1 = new QWidget;
    QVERIFY(windows.mayOpen("a"));
    QVERIFY(!windows.newest("a"));
    windows.add("a", a1);
    windows.add("a", a2);
    QVERIFY(!windows.mayOpen("a"));
    QVERIFY(windows.mayOpen("A")); // names are told apart exactly, case included
    QCOMPARE(windows.newest("a"), a2);
    windows.add("b", b1);
    QVERIFY2(!windows.mayOpen("c"), "the total is reached");
    QCOMPARE(windows.openInAll(), 3);

    delete a2;
    QCOMPARE(windows.newest("a"), a1);
    QCOMPARE(windows.openFor("a"), 1);
    QVERIFY(windows.mayOpen("a") && windows.mayOpen("c"));
    delete a1;
    QVERIFY(!windows.newest("a"));
    QCOMPARE(windows.openFor("a"), 0);
    delete b1;
    QCOMPARE(windows.openInAll(), 0);
}

void TestWindowBounds::messagesBeyondTheBoundJoinTheNewestWindow()
{
    const int bound = MainWindow::kMessageWindowsPerSender;
    const int sent = bound + 3;
    for (int n = 1; n <= sent; ++n)
        fromPeer(wire::privateMessage("alice", "mallory", QStringLiteral("message %1").arg(n)));
    fromPeer(wire::privateMessage("alice", "bob", "hello"));
    QTRY_COMPARE(messagesFrom("bob").size(), 1);

    const QList<MessageWindow *> windows = messagesFrom("mallory");
    QCOMPARE(windows.size(), bound);
    QCOMPARE(receivedFrom("mallory"), sent);
    QCOMPARE(m_alice->messageWindow()->correspondent(), QString("bob")); // the newest window opened
    // The newest window, the fifth message's, holds the later ones.
    const QStringList lines = received(windows.back()).split('\n');
    QCOMPARE(lines.size(), 1 + 3);
    QCOMPARE(lines.front(), QStringLiteral("message %1").arg(bound));
    for (int k = 1; k <= 3; ++k) {
        QVERIFY2(lines[k].startsWith('[') && lines[k].endsWith(QStringLiteral("]> message %1").arg(bound + k)),
                 qPrintable(lines[k]));
    }

    // Once one is closed, the next message opens a window of its own again.
    windows.front()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); // as the event loop would next
    fromPeer(wire::privateMessage("alice", "mallory", "after closing"));
    QTRY_COMPARE(receivedFrom("mallory"), sent);
    QCOMPARE(messagesFrom("mallory").size(), bound);
    QStringList texts;
    for (const MessageWindow *window : messagesFrom("mallory"))
        texts << received(window);
    QVERIFY2(texts.contains("after closing"), qPrintable(texts.join(" | ")));
}

void TestWindowBounds::messagesBeyondAWindowsRoomAreCounted()
{
    const int bound = MainWindow::kMessageWindowsPerSender;
    const int beyond = 3;
    const int sent = bound + MessageWindow::kMaxAddedMessages + beyond;
    for (int n = 1; n <= sent; ++n)
        fromPeer(wire::privateMessage("alice", "mallory", QStringLiteral("message %1").arg(n)));
    fromPeer(wire::privateMessage("alice", "mallory", "last"));
    QTRY_COMPARE(receivedFrom("mallory"), sent + 1);
    MessageWindow *newest = messagesFrom("mallory").back();
    QCOMPARE(newest->receivedCount(), 1 + MessageWindow::kMaxAddedMessages + beyond + 1);
    QVERIFY2(newest->windowTitle().startsWith("Message from: mallory at "), qPrintable(newest->windowTitle()));
    QVERIFY2(newest->windowTitle().endsWith(" (4 more not shown)"), qPrintable(newest->windowTitle()));
    QCOMPARE(received(newest).count('\n'), MessageWindow::kMaxAddedMessages);
    QCOMPARE(messagesFrom("mallory").size(), bound);
}

void TestWindowBounds::proposalsAskedAgainAreCounted()
{
    for (int n = 0; n < 4; ++n)
        fromPeer(wire::othelloProposal("alice", "mallory"));
    fromPeer(wire::puissance4Proposal("alice", "mallory"));
    fromPeer(wire::othelloProposal("alice", "bob"));
    QTRY_COMPARE(proposalsFrom("bob", Game::Othello), 1);
    QCOMPARE(proposalsFrom("mallory", Game::Othello), MainWindow::kProposalWindowsPerSender);
    QCOMPARE(proposalsFrom("mallory", Game::Puissance4), 1);
    QCOMPARE(m_alice->proposalWindow(Game::Puissance4)->windowTitle(), QString("Puissance 4 game proposal"));

    // The first mallory's Othello window holds the count of the others.
    QString captions;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        auto *window = qobject_cast<ProposalWindow *>(widget);
        if (window && window->proposer() == "mallory" && window->game() == Game::Othello)
            captions += window->windowTitle();
    }
    QCOMPARE(captions, QString("Othello game proposal (3 more)"));
}

void TestWindowBounds::declinesBeyondTheBoundAreCounted()
{
    const int sent = MainWindow::kDeclinedBoxesPerSender + 5;
    for (int n = 0; n < sent; ++n)
        fromPeer(wire::proposalDeclined("alice", "mallory"));
    fromPeer(wire::proposalDeclined("alice", "bob"));
    QTRY_COMPARE(m_alice->findChildren<QMessageBox *>("Declined").size(), MainWindow::kDeclinedBoxesPerSender + 1);
    QStringList captions;
    for (const QMessageBox *box : m_alice->findChildren<QMessageBox *>("Declined"))
        captions << box->windowTitle() + ": " + box->text();
    captions.sort();
    QCOMPARE(captions, QStringList({"Declined (5 more): mallory has declined your offer...",
                                    "Declined: bob has declined your offer...",
                                    "Declined: mallory has declined your offer..."}));
}

void TestWindowBounds::manySendersOpenAtMostTheTotal()
{
    const int total = MainWindow::kNetworkWindowsOfAKind;
    for (int n = 0; n < total + 10; ++n)
        fromPeer(wire::privateMessage("alice", QStringLiteral("sender %1").arg(n), "hi"));
    fromPeer(wire::workLine("after"));
    QTRY_COMPARE(logLines(*m_alice, "Text1"), QString("after"));
    int open = 0;
    for (QWidget *widget : QApplication::topLevelWidgets())
        open += qobject_cast<MessageWindow *>(widget) && widget->isVisible();
    QCOMPARE(open, total);
    // A sender with a window open still reaches it.
    fromPeer(wire::privateMessage("alice", "sender 0", "again"));
    QTRY_COMPARE(receivedFrom("sender 0"), 2);
}

QTEST_MAIN(TestWindowBounds)
#include "test_windowbounds.moc"
