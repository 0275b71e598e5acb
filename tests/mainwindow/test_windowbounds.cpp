#include "dialogs/messagewindow.h"
#include "dialogs/proposalwindow.h"
#include "support/heard.h"
#include "mainwindow/networkwindowcaps.h"
#include "support/stations.h"
#include "wire/messages.h"

#include <QApplication>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>

#include <algorithm>

using wire::encode;

namespace {

// The message windows open for this sender (any, if none is named), the one
// holding most messages last.
QList<MessageWindow *> messagesFrom(const QString &sender = {})
{
    QList<MessageWindow *> found;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        auto *window = qobject_cast<MessageWindow *>(widget);
        if (window && window->isVisible() && (sender.isNull() || window->correspondent() == sender))
            found << window;
    }
    std::stable_sort(found.begin(), found.end(), [](const MessageWindow *a, const MessageWindow *b) {
        return a->receivedCount() < b->receivedCount();
    });
    return found;
}

// The captions of the proposal windows open for this proposer and game.
QStringList proposalsFrom(const QString &proposer, Game game)
{
    QStringList captions;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        auto *window = qobject_cast<ProposalWindow *>(widget);
        if (window && window->isVisible() && window->proposer() == proposer && window->game() == game)
            captions << window->windowTitle();
    }
    return captions;
}

// Messages from this sender shown or counted in its open windows.
int receivedFrom(const QString &sender)
{
    int count = 0;
    for (const MessageWindow *window : messagesFrom(sender))
        count += window->receivedCount();
    return count;
}

} // namespace

// Windows opened by the network stay few whatever a host sends, and a real
// user's messages are never lost on the way.
class TestWindowBounds final : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        m_lan = std::make_unique<LocalLan>();
        m_alice = startStation(*m_lan, "alice");
        m_peer = m_lan->attach();
    }

    void cleanup()
    {
        m_alice.reset();
        // Message and proposal windows outlive their station.
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            if (qobject_cast<MessageWindow *>(widget) || qobject_cast<ProposalWindow *>(widget))
                delete widget;
        }
        m_lan.reset();
    }

    // Beyond the windows a sender may open, messages join the newest one; beyond
    // what that window shows, they are counted in its caption.
    void messagesBeyondTheBoundJoinTheNewestWindow()
    {
        const int bound = NetworkWindowCaps::kMessageWindowsPerSender;
        const int beyond = 3;
        const int sent = bound + MessageWindow::kMaxAddedMessages + beyond;
        fromPeer(wire::presence("mallory")); // mallory writes from her own station
        for (int n = 1; n <= sent; ++n)
            fromPeer(wire::privateMessage("alice", "mallory", QStringLiteral("message %1").arg(n)));
        fromPeer(wire::privateMessage("alice", "MALLORY", "names are told apart exactly"));
        fromPeer(wire::privateMessage("alice", "bob", "hello"));
        QTRY_COMPARE(messagesFrom("bob").size(), 1);
        QCOMPARE(messagesFrom("MALLORY").size(), 1);
        QCOMPARE(m_alice->messageWindow()->correspondent(), QString("bob")); // the newest window opened

        const QList<MessageWindow *> windows = messagesFrom("mallory");
        QCOMPARE(windows.size(), bound);
        QCOMPARE(receivedFrom("mallory"), sent);
        MessageWindow *newest = windows.back();
        QCOMPARE(newest->receivedCount(), 1 + MessageWindow::kMaxAddedMessages + beyond);
        QVERIFY2(newest->windowTitle().startsWith("Message from: mallory at "), qPrintable(newest->windowTitle()));
        QVERIFY2(newest->windowTitle().endsWith(" (3 more not shown)"), qPrintable(newest->windowTitle()));
        const QStringList lines = control<QPlainTextEdit>(*newest, "Text2")->toPlainText().split('\n');
        QCOMPARE(lines.size(), 1 + MessageWindow::kMaxAddedMessages);
        QCOMPARE(lines.front(), QStringLiteral("message %1").arg(bound));
        QVERIFY2(lines.back().endsWith(QStringLiteral("]> message %1").arg(bound + MessageWindow::kMaxAddedMessages)), qPrintable(lines.back()));

        // Once one is closed, the next message opens a window of its own again.
        windows.front()->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); // as the event loop would next
        fromPeer(wire::privateMessage("alice", "mallory", "after closing"));
        QTRY_COMPARE(receivedFrom("mallory"), sent);
        QCOMPARE(messagesFrom("mallory").size(), bound);
        QStringList texts;
        for (const MessageWindow *window : messagesFrom("mallory"))
            texts << control<QPlainTextEdit>(*window, "Text2")->toPlainText();
        QVERIFY2(texts.contains("after closing"), qPrintable(texts.join(" | ")));
    }

    // Proposals asked again are counted in the caption of the first window,
    // not opened again; a decline opens a box only for a proposal made here,
    // one per proposal. A box shows the name as plain text and, waiting for
    // OK, does not stop the station hearing the rest.
    void proposalsAndDeclinesAskedAgainAreCounted()
    {
        for (const Game game : kGames)
            m_alice->station().proposeGame(game, "mallory");
        m_alice->station().proposeGame(Game::Othello, "<i>bob</i>");
        for (int n = 0; n < 4; ++n)
            fromPeer(wire::othelloProposal("alice", "mallory"));
        for (int n = 0; n < NetworkWindowCaps::kDeclinedBoxesPerSender + 5; ++n)
            fromPeer(wire::proposalDeclined("alice", "mallory"));
        fromPeer(wire::puissance4Proposal("alice", "mallory"));
        fromPeer(wire::othelloProposal("alice", "bob"));
        fromPeer(wire::proposalDeclined("alice", "<i>bob</i>"));
        QTRY_COMPARE(proposalsFrom("bob", Game::Othello).size(), 1);
        const QStringList othello = proposalsFrom("mallory", Game::Othello);
        QCOMPARE(othello.size(), NetworkWindowCaps::kProposalWindowsPerSender);
        QCOMPARE(othello.front(), QString("Othello game proposal (3 more)"));
        QCOMPARE(proposalsFrom("mallory", Game::Puissance4), QStringList{"Puissance 4 game proposal"});

        QTRY_COMPARE(m_alice->findChildren<QMessageBox *>("Declined").size(), 3);
        QStringList captions;
        for (const QMessageBox *box : m_alice->findChildren<QMessageBox *>("Declined")) {
            QCOMPARE(box->textFormat(), Qt::PlainText);
            captions << box->windowTitle() + ": " + box->text();
        }
        captions.sort();
        QCOMPARE(captions, QStringList({"Declined: <i>bob</i> has declined your offer...",
                                        "Declined: mallory has declined your offer...",
                                        "Declined: mallory has declined your offer..."}));
    }

    // A host writing under names not its own, new or a real user's, opens
    // only its share; the real user, heard from his own address, still
    // gets a window of his own.
    void oneHostOpensOnlyItsShare()
    {
        LanPort &bob = *m_lan->attach();
        sendFrom(bob, encode(wire::presence("bob")));
        for (int n = 0; n < NetworkWindowCaps::kNetworkWindowsOfAKind + 10; ++n)
            fromPeer(wire::privateMessage("alice", QStringLiteral("sender %1").arg(n), "hi"));
        for (int n = 0; n < 20; ++n)
            fromPeer(wire::privateMessage("alice", "bob", QStringLiteral("forged %1").arg(n)));
        fromPeer(wire::workLine("after"));
        QTRY_COMPARE(logLines(*m_alice, "Text1"), QString("after"));
        QCOMPARE(messagesFrom().size(), NetworkWindowCaps::kNetworkWindowsPerHost);
        // A sender with a window open still reaches it.
        fromPeer(wire::privateMessage("alice", "sender 0", "again"));
        QTRY_COMPARE(receivedFrom("sender 0"), 2);
        sendFrom(bob, encode(wire::privateMessage("alice", "bob", "real")));
        QTRY_COMPARE(messagesFrom("bob").size(), 1);
        QCOMPARE(control<QPlainTextEdit>(*messagesFrom("bob").front(), "Text2")->toPlainText(), QString("real"));
    }

private:
    // Each datagram as its own arrival: the same bytes again count as a new
    // message here, as they do when they come more than a moment apart.
    void fromPeer(const QString &message)
    {
        sendFrom(*m_peer, encode(message));
        m_alice->station().forgetRecentDatagrams();
    }

    std::unique_ptr<LocalLan> m_lan;
    std::unique_ptr<MainWindow> m_alice;
    LanPort *m_peer = nullptr;
};

QTEST_MAIN(TestWindowBounds)
#include "test_windowbounds.moc"
