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

using namespace Qt::StringLiterals;

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
        m_alice = startStation(*m_lan, u"alice"_s);
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
        fromPeer(wire::presence(u"mallory"_s)); // mallory writes from her own station
        for (int n = 1; n <= sent; ++n)
            fromPeer(wire::privateMessage(u"alice"_s, u"mallory"_s, QStringLiteral("message %1").arg(n)));
        fromPeer(wire::privateMessage(u"alice"_s, u"MALLORY"_s, u"names are told apart exactly"_s));
        fromPeer(wire::privateMessage(u"alice"_s, u"bob"_s, u"hello"_s));
        QTRY_COMPARE(messagesFrom(u"bob"_s).size(), 1);
        QCOMPARE(messagesFrom(u"MALLORY"_s).size(), 1);
        QCOMPARE(m_alice->messageWindow()->correspondent(), u"bob"_s); // the newest window opened

        const QList<MessageWindow *> windows = messagesFrom(u"mallory"_s);
        QCOMPARE(windows.size(), bound);
        QCOMPARE(receivedFrom(u"mallory"_s), sent);
        MessageWindow *newest = windows.back();
        QCOMPARE(newest->receivedCount(), 1 + MessageWindow::kMaxAddedMessages + beyond);
        QVERIFY2(newest->windowTitle().startsWith(u"Message from: mallory at "_s), qPrintable(newest->windowTitle()));
        QVERIFY2(newest->windowTitle().endsWith(u" (3 more not shown)"_s), qPrintable(newest->windowTitle()));
        const QStringList lines = control<QPlainTextEdit>(*newest, "Text2")->toPlainText().split(u'\n');
        QCOMPARE(lines.size(), 1 + MessageWindow::kMaxAddedMessages);
        QCOMPARE(lines.front(), QStringLiteral("message %1").arg(bound));
        QVERIFY2(lines.back().endsWith(QStringLiteral("]> message %1").arg(bound + MessageWindow::kMaxAddedMessages)), qPrintable(lines.back()));

        // Once one is closed, the next message opens a window of its own again.
        windows.front()->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); // as the event loop would next
        fromPeer(wire::privateMessage(u"alice"_s, u"mallory"_s, u"after closing"_s));
        QTRY_COMPARE(receivedFrom(u"mallory"_s), sent);
        QCOMPARE(messagesFrom(u"mallory"_s).size(), bound);
        QStringList texts;
        for (const MessageWindow *window : messagesFrom(u"mallory"_s))
            texts << control<QPlainTextEdit>(*window, "Text2")->toPlainText();
        QVERIFY2(texts.contains(u"after closing"_s), qPrintable(texts.join(u" | "_s)));
    }

    // Proposals asked again are counted in the caption of the first window,
    // not opened again; a decline opens a box only for a proposal made here,
    // one per proposal. A box shows the name as plain text and, waiting for
    // OK, does not stop the station hearing the rest.
    void proposalsAndDeclinesAskedAgainAreCounted()
    {
        for (const Game game : kGames)
            m_alice->station().proposeGame(game, u"mallory"_s);
        m_alice->station().proposeGame(Game::Othello, u"<i>bob</i>"_s);
        for (int n = 0; n < 4; ++n)
            fromPeer(wire::othelloProposal(u"alice"_s, u"mallory"_s));
        for (int n = 0; n < NetworkWindowCaps::kDeclinedBoxesPerSender + 5; ++n)
            fromPeer(wire::proposalDeclined(u"alice"_s, u"mallory"_s));
        fromPeer(wire::puissance4Proposal(u"alice"_s, u"mallory"_s));
        fromPeer(wire::othelloProposal(u"alice"_s, u"bob"_s));
        fromPeer(wire::proposalDeclined(u"alice"_s, u"<i>bob</i>"_s));
        QTRY_COMPARE(proposalsFrom(u"bob"_s, Game::Othello).size(), 1);
        const QStringList othello = proposalsFrom(u"mallory"_s, Game::Othello);
        QCOMPARE(othello.size(), NetworkWindowCaps::kProposalWindowsPerSender);
        QCOMPARE(othello.front(), u"Othello game proposal (3 more)"_s);
        QCOMPARE(proposalsFrom(u"mallory"_s, Game::Puissance4), QStringList{u"Puissance 4 game proposal"_s});

        QTRY_COMPARE(m_alice->findChildren<QMessageBox *>(u"Declined"_s).size(), 3);
        QStringList captions;
        for (const QMessageBox *box : m_alice->findChildren<QMessageBox *>(u"Declined"_s)) {
            QCOMPARE(box->textFormat(), Qt::PlainText);
            captions << box->windowTitle() + u": "_s + box->text();
        }
        captions.sort();
        QCOMPARE(captions, QStringList({u"Declined: <i>bob</i> has declined your offer..."_s,
                                        u"Declined: mallory has declined your offer..."_s,
                                        u"Declined: mallory has declined your offer..."_s}));
    }

    // A host writing under names not its own, new or a real user's, opens
    // only its share; the real user, heard from his own address, still
    // gets a window of his own.
    void oneHostOpensOnlyItsShare()
    {
        LanPort &bob = *m_lan->attach();
        sendFrom(bob, encode(wire::presence(u"bob"_s)));
        for (int n = 0; n < NetworkWindowCaps::kNetworkWindowsOfAKind + 10; ++n)
            fromPeer(wire::privateMessage(u"alice"_s, QStringLiteral("sender %1").arg(n), u"hi"_s));
        for (int n = 0; n < 20; ++n)
            fromPeer(wire::privateMessage(u"alice"_s, u"bob"_s, QStringLiteral("forged %1").arg(n)));
        fromPeer(wire::workLine(u"after"_s));
        QTRY_COMPARE(logLines(*m_alice, "Text1"), u"after"_s);
        QCOMPARE(messagesFrom().size(), NetworkWindowCaps::kNetworkWindowsPerHost);
        // A sender with a window open still reaches it.
        fromPeer(wire::privateMessage(u"alice"_s, u"sender 0"_s, u"again"_s));
        QTRY_COMPARE(receivedFrom(u"sender 0"_s), 2);
        sendFrom(bob, encode(wire::privateMessage(u"alice"_s, u"bob"_s, u"real"_s)));
        QTRY_COMPARE(messagesFrom(u"bob"_s).size(), 1);
        QCOMPARE(control<QPlainTextEdit>(*messagesFrom(u"bob"_s).front(), "Text2")->toPlainText(), u"real"_s);
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
