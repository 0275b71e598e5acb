#include "form1.h"
#include "messages.h"
#include "stations.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

// Private messages and proposals between stations, through their real windows.
class TestConversations final : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void messagesAndReplies();
    void doubleClickStartsAMessage();
    void proposalsAndDecline();

private:
    std::unique_ptr<LocalLan> m_lan;
    std::unique_ptr<Form1> m_alice, m_bob, m_otherBob;
};

void TestConversations::init()
{
    m_lan = std::make_unique<LocalLan>();
    m_alice = startStation(*m_lan, "alice");
    m_bob = startStation(*m_lan, "bob");
    m_otherBob = startStation(*m_lan, "Bob"); // differs only in case: never addressed
    QTRY_COMPARE(userList(*m_alice), QString("alice:1 bob:1 Bob:1"));
}

void TestConversations::cleanup()
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (qobject_cast<Form2 *>(widget) || qobject_cast<Form5 *>(widget))
            delete widget;
    }
    m_alice.reset();
    m_bob.reset();
    m_otherBob.reset();
    m_lan.reset();
}

void TestConversations::messagesAndReplies()
{
    m_alice->station().send(wire::privateMessage("bob", "alice", "<b>one</b>\r\nline two"));
    QTRY_VERIFY(m_bob->frmMessage);
    QPointer<Form2> first = m_bob->frmMessage;
    QCOMPARE(first->Tag, QString("Response"));
    QCOMPARE(first->DestUser, QString("alice"));
    QCOMPARE(first->Text2->toPlainText(), QString("<b>one</b>\nline two"));
    QVERIFY(first->windowTitle().startsWith("Message from: alice at "));

    // A second message opens a second window; the first stays.
    m_alice->station().send(wire::privateMessage("bob", "alice", "two"));
    QTRY_VERIFY(m_bob->frmMessage != first);
    QVERIFY(first && first->isVisible());
    QVERIFY(!m_otherBob->frmMessage && !m_alice->frmMessage);

    // Respond goes back to the sender and closes the window.
    first->Text1->setPlainText("pong");
    QTest::mouseClick(first->Command2, Qt::LeftButton);
    QTRY_VERIFY(first.isNull());
    QTRY_VERIFY(m_alice->frmMessage);
    QCOMPARE(m_alice->frmMessage->Text2->toPlainText(), QString("pong"));
    QCOMPARE(m_alice->frmMessage->DestUser, QString("bob"));

    // Writing to oneself works like writing to anyone.
    m_bob->station().send(wire::privateMessage("bob", "bob", "note to self"));
    QTRY_COMPARE(m_bob->frmMessage->Text2->toPlainText(), QString("note to self"));
    QCOMPARE(m_bob->frmMessage->DestUser, QString("bob"));
}

void TestConversations::doubleClickStartsAMessage()
{
    m_alice->ListView1->item(1)->setSelected(true);
    m_alice->ListView1_DblClick();
    Form2 *window = m_alice->frmMessage;
    QVERIFY(window);
    QCOMPARE(window->Tag, QString("Message"));
    QCOMPARE(window->DestUser, QString("bob"));
    QCOMPARE(window->windowTitle(), QString("Message"));
    window->Text1->setPlainText("hi bob");
    window->Command1_Click();
    QTRY_VERIFY(m_bob->frmMessage);
    QCOMPARE(m_bob->frmMessage->Text2->toPlainText(), QString("hi bob"));
}

void TestConversations::proposalsAndDecline()
{
    m_alice->station().send(wire::othelloProposal("bob", "alice"));
    m_alice->station().send(wire::puissance4Proposal("bob", "alice"));
    QTRY_VERIFY(m_bob->frmOthelloProposal && m_bob->frmPuissance4Proposal);
    for (Form5 *proposal : {m_bob->frmOthelloProposal.data(), m_bob->frmPuissance4Proposal.data()}) {
        QCOMPARE(proposal->DestUser, QString("alice"));
        QCOMPARE(proposal->SourceUser, QString("bob"));
    }
    QCOMPARE(m_bob->frmOthelloProposal->windowTitle(), QString("Othello game proposal"));
    QCOMPARE(m_bob->frmPuissance4Proposal->windowTitle(), QString("Puissance 4 game proposal"));
    QCOMPARE(m_bob->frmPuissance4Proposal->Game, qint16(2));
    QVERIFY(!m_otherBob->frmOthelloProposal);

    m_bob->frmOthelloProposal->Command2_Click();
    QTRY_VERIFY(m_alice->findChild<QMessageBox *>("Declined"));
    QCOMPARE(m_alice->findChild<QMessageBox *>("Declined")->text(), QString("bob has declined your offer..."));
    QVERIFY(!m_bob->findChild<QMessageBox *>("Declined"));
}

QTEST_MAIN(TestConversations)
#include "test_conversations.moc"
