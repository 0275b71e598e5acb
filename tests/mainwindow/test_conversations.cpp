#include "form1.h"
#include "messages.h"
#include "stations.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

// Private messages and proposals between stations, through their real windows.
class TestConversations final : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void messageOpensAReplyWindowAtTheAddresseeOnly();
    void respondGoesBackToTheSender();
    void twoMessagesOpenTwoWindows();
    void messageToOneself();
    void doubleClickStartsAMessageToTheSelectedUser();
    void proposalOpensAProposalWindow_data();
    void proposalOpensAProposalWindow();
    void declineTellsTheProposer();

private:
    std::unique_ptr<LocalLan> m_lan;
    std::unique_ptr<Form1> m_alice, m_bob, m_carol;
};

void TestConversations::init()
{
    m_lan = std::make_unique<LocalLan>();
    m_alice = startStation(*m_lan, "alice");
    m_bob = startStation(*m_lan, "bob");
    m_carol = startStation(*m_lan, "Bob");
    QTest::qWait(0);
}

void TestConversations::cleanup()
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (qobject_cast<Form2 *>(widget) || qobject_cast<Form5 *>(widget) || qobject_cast<QMessageBox *>(widget))
            delete widget;
    }
    m_alice.reset();
    m_bob.reset();
    m_carol.reset();
    m_lan.reset();
}

void TestConversations::messageOpensAReplyWindowAtTheAddresseeOnly()
{
    m_alice->station().send(wire::privateMessage("bob", "alice", "<b>hello</b>\r\nbob"));
    QTRY_VERIFY(m_bob->frmMessage);
    Form2 *reply = m_bob->frmMessage;
    QCOMPARE(reply->Tag, QString("Response"));
    QCOMPARE(reply->DestUser, QString("alice"));
    QCOMPARE(reply->Text2->toPlainText(), QString("<b>hello</b>\nbob"));
    QVERIFY(reply->windowTitle().startsWith("Message from: alice at "));
    QVERIFY(reply->isVisible());
    QTest::qWait(0);
    QVERIFY(!m_carol->frmMessage);
    QVERIFY(!m_alice->frmMessage);
}

void TestConversations::respondGoesBackToTheSender()
{
    m_alice->station().send(wire::privateMessage("bob", "alice", "ping"));
    QTRY_VERIFY(m_bob->frmMessage);
    QPointer<Form2> reply = m_bob->frmMessage;
    reply->Text1->setPlainText("pong");
    QVERIFY(!reply->Command1->isEnabled());
    QVERIFY(reply->Command2->isEnabled());
    QTest::mouseClick(reply->Command2, Qt::LeftButton);
    QTRY_VERIFY(reply.isNull());
    QTRY_VERIFY(m_alice->frmMessage);
    QCOMPARE(m_alice->frmMessage->Text2->toPlainText(), QString("pong"));
    QCOMPARE(m_alice->frmMessage->DestUser, QString("bob"));
    QVERIFY(!m_carol->frmMessage);
}

void TestConversations::twoMessagesOpenTwoWindows()
{
    m_alice->station().send(wire::privateMessage("bob", "alice", "one"));
    QTRY_VERIFY(m_bob->frmMessage);
    QPointer<Form2> first = m_bob->frmMessage;
    m_alice->station().send(wire::privateMessage("bob", "alice", "two"));
    QTRY_VERIFY(m_bob->frmMessage != first);
    QVERIFY(first);
    QVERIFY(first->isVisible());
    QCOMPARE(first->Text2->toPlainText(), QString("one"));
    QCOMPARE(m_bob->frmMessage->Text2->toPlainText(), QString("two"));
}

void TestConversations::messageToOneself()
{
    m_alice->station().send(wire::privateMessage("alice", "alice", "note to self"));
    QTRY_VERIFY(m_alice->frmMessage);
    QCOMPARE(m_alice->frmMessage->DestUser, QString("alice"));
}

void TestConversations::doubleClickStartsAMessageToTheSelectedUser()
{
    QTRY_COMPARE(m_alice->ListView1->count(), 3);
    QListWidgetItem *bob = m_alice->ListView1->findItems("bob", Qt::MatchExactly | Qt::MatchCaseSensitive).front();
    bob->setSelected(true);
    m_alice->ListView1_DblClick();
    QVERIFY(m_alice->frmMessage);
    Form2 *window = m_alice->frmMessage;
    QCOMPARE(window->Tag, QString("Message"));
    QCOMPARE(window->DestUser, QString("bob"));
    QCOMPARE(window->windowTitle(), QString("Message"));
    window->Text1->setPlainText("hi bob");
    QVERIFY(window->Command1->isEnabled());
    window->Command1_Click();
    QTRY_VERIFY(m_bob->frmMessage);
    QCOMPARE(m_bob->frmMessage->Text2->toPlainText(), QString("hi bob"));
}

void TestConversations::proposalOpensAProposalWindow_data()
{
    QTest::addColumn<QString>("proposal");
    QTest::addColumn<int>("game");
    QTest::addColumn<QString>("caption");
    QTest::newRow("othello") << wire::othelloProposal("bob", "alice") << 1 << "Othello game proposal";
    QTest::newRow("puissance 4") << wire::puissance4Proposal("bob", "alice") << 2 << "Puissance 4 game proposal";
}

void TestConversations::proposalOpensAProposalWindow()
{
    QFETCH(QString, proposal);
    QFETCH(int, game);
    QFETCH(QString, caption);
    m_alice->station().send(proposal);
    QPointer<Form5> &latest = game == 1 ? m_bob->frmOthelloProposal : m_bob->frmPuissance4Proposal;
    QTRY_VERIFY(latest);
    QCOMPARE(latest->Game, qint16(game));
    QCOMPARE(latest->DestUser, QString("alice"));
    QCOMPARE(latest->SourceUser, QString("bob"));
    QCOMPARE(latest->windowTitle(), caption);
    QVERIFY(latest->Text1->text().startsWith("alice would like to play "));
    QPointer<Form5> first = latest;
    m_alice->station().send(proposal);
    QTRY_VERIFY(latest != first);
    QVERIFY(first && first->isVisible());
    QVERIFY(!m_carol->frmOthelloProposal && !m_carol->frmPuissance4Proposal);
}

void TestConversations::declineTellsTheProposer()
{
    m_alice->station().send(wire::othelloProposal("bob", "alice"));
    QTRY_VERIFY(m_bob->frmOthelloProposal);
    m_bob->frmOthelloProposal->Command2_Click();
    QTRY_VERIFY(m_alice->findChild<QMessageBox *>("Declined"));
    QCOMPARE(m_alice->findChild<QMessageBox *>("Declined")->text(), QString("bob has declined your offer..."));
    QVERIFY(!m_bob->findChild<QMessageBox *>("Declined"));
    QVERIFY(!m_carol->findChild<QMessageBox *>("Declined"));
}

QTEST_MAIN(TestConversations)
#include "test_conversations.moc"
