#include "form1.h"
#include "messages.h"
#include "stations.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>

namespace {

QStringList users(const Form1 &station)
{
    QStringList names;
    for (int row = 0; row < station.ListView1->count(); ++row)
        names << station.ListView1->item(row)->text();
    return names;
}

int icon(const Form1 &station, const QString &name)
{
    const auto found = station.ListView1->findItems(name, Qt::MatchExactly | Qt::MatchCaseSensitive);
    return found.isEmpty() ? 0 : found.front()->data(Form1::kIconRole).toInt();
}

QStringList lines(const QPlainTextEdit *log)
{
    const QString text = log->toPlainText();
    return text.isEmpty() ? QStringList() : text.split(u'\n');
}

QByteArray bytes(const QString &message)
{
    return wire::encode(message);
}

} // namespace

// One station, fed datagrams through its real receiving path.
class TestForm1 final : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void startUpAnnouncesAtOnce();
    void availabilityChangeIsBroadcast();
    void dispatch_data();
    void dispatch();
    void refusesWhatIsNotForIt_data();
    void refusesWhatIsNotForIt();
    void networkTextIsPlain();
    void declinedBoxDoesNotStallTheStation();
    void sendButtonRules();
    void sendsToTheCurrentRoom_data();
    void sendsToTheCurrentRoom();
    void separatorIsRefused();
    void inputLineTakes400Characters();
    void clockBlinks();
    void rightClickPopsUpTheListMenuLater();
    void clearLogEmptiesTheCurrentRoomOnly();
    void exitSendsDepartureTwice();
    void proposalsNeedASelectedUser();

private:
    std::unique_ptr<LocalLan> m_lan;
    std::unique_ptr<Form1> m_alice;
    LanPort *m_peer = nullptr;

    // Hands a datagram to the station as if a peer had sent it, and waits until it is handled.
    void receive(const QByteArray &datagram);
};

void TestForm1::init()
{
    m_lan = std::make_unique<LocalLan>();
    m_peer = m_lan->attach();
    m_alice = startStation(*m_lan, "alice");
    QTRY_COMPARE(users(*m_alice), QStringList{"alice"});
    m_lan->clearSent();
}

void TestForm1::cleanup()
{
    m_alice.reset();
    m_lan.reset();
}

void TestForm1::receive(const QByteArray &datagram)
{
    QSignalSpy heard(m_peer, &DatagramLink::datagramReceived);
    m_peer->send(datagram);
    QTRY_COMPARE(heard.count(), 1);
}

void TestForm1::startUpAnnouncesAtOnce()
{
    LocalLan lan;
    qputenv("USERNAME", "bob");
    Form1 bob(*lan.attach());
    bob.Form_Load();
    // Sent during start-up itself, before the event loop has turned once.
    QCOMPARE(lan.sent(), (QList<QByteArray>{bytes(wire::presence("bob")), bytes(wire::availability("bob", 0))}));
    QCOMPARE(bob.Combo1->currentText(), QString("Available"));
    QCOMPARE(bob.Combo1->count(), 2);
    QVERIFY(bob.ListView1->count() == 0);
    QTRY_COMPARE(users(bob), QStringList{"bob"});
    QCOMPARE(bob.StatusPanel1->text(), QString("Connected users: 1"));
    QCOMPARE(bob.windowTitle(), QString("Quillet"));
    QVERIFY(bob.isVisible());
    QCOMPARE(bob.centralWidget()->size(), QSize(640, 337));
}

void TestForm1::availabilityChangeIsBroadcast()
{
    m_alice->Combo1->setCurrentIndex(1);
    QCOMPARE(m_lan->sent(), QList<QByteArray>{bytes(wire::availability("alice", 1))});
    QTRY_COMPARE(icon(*m_alice, "alice"), 2);
    m_alice->Timer1_Timer();
    QCOMPARE(m_lan->sent().last(), bytes(wire::availability("alice", 1)));
}

void TestForm1::dispatch_data()
{
    QTest::addColumn<QList<QByteArray>>("datagrams");
    QTest::addColumn<QStringList>("users");
    QTest::addColumn<QList<int>>("icons");
    QTest::addColumn<QString>("count");
    QTest::addColumn<QStringList>("work");
    QTest::addColumn<QStringList>("tea");
    using L = QList<QByteArray>;
    const QStringList none;
    const QString one = "Connected users: 1";
    const QString two = "Connected users: 2";

    QTest::newRow("work line goes to the work log")
        << L{bytes(wire::workLine("[bob,10:00:00]> hi"))} << QStringList{"alice"} << QList<int>{1} << one
        << QStringList{"[bob,10:00:00]> hi"} << none;
    QTest::newRow("tea line goes to the tea log")
        << L{bytes(wire::teaLine("[bob,10:00:00]> hi"))} << QStringList{"alice"} << QList<int>{1} << one << none
        << QStringList{"[bob,10:00:00]> hi"};
    QTest::newRow("lines keep their arrival order")
        << L{bytes(wire::workLine("first")), bytes(wire::workLine("second"))} << QStringList{"alice"}
        << QList<int>{1} << one << QStringList{"first", "second"} << none;
    QTest::newRow("foreign separator cuts the line")
        << L{bytes(wire::workLine("a") + wire::kSeparator + "b")} << QStringList{"alice"} << QList<int>{1} << one
        << QStringList{"a"} << none;
    QTest::newRow("presence adds at the end, available")
        << L{bytes(wire::presence("bob"))} << QStringList{"alice", "bob"} << QList<int>{1, 1} << two << none
        << none;
    QTest::newRow("second presence only refreshes")
        << L{bytes(wire::presence("bob")), bytes(wire::availability("bob", 1)), bytes(wire::presence("bob"))}
        << QStringList{"alice", "bob"} << QList<int>{1, 2} << two << none << none;
    QTest::newRow("presence differing in case is another user")
        << L{bytes(wire::presence("Alice"))} << QStringList{"alice", "Alice"} << QList<int>{1, 1} << two << none
        << none;
    QTest::newRow("availability sets the icon")
        << L{bytes(wire::presence("bob")), bytes(wire::availability("bob", 1))} << QStringList{"alice", "bob"}
        << QList<int>{1, 2} << two << none << none;
    QTest::newRow("availability back to available")
        << L{bytes(wire::presence("bob")), bytes(wire::availability("bob", 1)), bytes(wire::availability("bob", 0))}
        << QStringList{"alice", "bob"} << QList<int>{1, 1} << two << none << none;
    QTest::newRow("availability of an unlisted user adds nobody")
        << L{bytes(wire::availability("carol", 1))} << QStringList{"alice"} << QList<int>{1} << one << none
        << none;
    QTest::newRow("availability differing in case changes nothing")
        << L{bytes(wire::availability("ALICE", 1))} << QStringList{"alice"} << QList<int>{1} << one << none
        << none;
    QTest::newRow("departure removes but leaves the count")
        << L{bytes(wire::presence("bob")), bytes(wire::departure("bob"))} << QStringList{"alice"}
        << QList<int>{1} << two << none << none;
    QTest::newRow("departure twice is departure once")
        << L{bytes(wire::presence("bob")), bytes(wire::departure("bob")), bytes(wire::departure("bob"))}
        << QStringList{"alice"} << QList<int>{1} << two << none << none;
    QTest::newRow("departure of an unlisted user changes nothing")
        << L{bytes(wire::departure("carol"))} << QStringList{"alice"} << QList<int>{1} << one << none << none;
    QTest::newRow("departure differing in case changes nothing")
        << L{bytes(wire::departure("Alice"))} << QStringList{"alice"} << QList<int>{1} << one << none << none;
    QTest::newRow("unknown code changes nothing")
        << L{QByteArray("14\xA7x")} << QStringList{"alice"} << QList<int>{1} << one << none << none;
    QTest::newRow("malformed availability changes nothing")
        << L{bytes(wire::presence("bob")), QByteArray("10\xA7" "bob\xA7" "7\xA7")} << QStringList{"alice", "bob"}
        << QList<int>{1, 1} << two << none << none;
    QTest::newRow("undecodable bytes change nothing")
        << L{QByteArray("3\xA7\x81\xA7")} << QStringList{"alice"} << QList<int>{1} << one << none << none;
}

void TestForm1::dispatch()
{
    QFETCH(QList<QByteArray>, datagrams);
    for (const QByteArray &datagram : datagrams)
        receive(datagram);
    QTEST(users(*m_alice), "users");
    QList<int> icons;
    for (const QString &name : users(*m_alice))
        icons << icon(*m_alice, name);
    QTEST(icons, "icons");
    QTEST(m_alice->StatusPanel1->text(), "count");
    QTEST(lines(m_alice->Text1), "work");
    QTEST(lines(m_alice->Text2), "tea");
}

void TestForm1::refusesWhatIsNotForIt_data()
{
    QTest::addColumn<QString>("message");
    const QString cells64 = QString(QString::number(0) + wire::kSeparator).repeated(64);
    const QString cells49 = QString(QString::number(0) + wire::kSeparator).repeated(49);
    const QStringList others = {"bob", "Alice", "alice ", ""};
    for (const QString &to : others) {
        const QByteArray name = ("'" + to + "'").toUtf8();
        QTest::addRow("othello accept for %s", name.constData()) << wire::othelloAccept(to, "bob");
        QTest::addRow("puissance accept for %s", name.constData()) << wire::puissance4Accept(to, "bob");
        QTest::addRow("message for %s", name.constData()) << wire::privateMessage(to, "bob", "hi");
        QTest::addRow("othello proposal for %s", name.constData()) << wire::othelloProposal(to, "bob");
        QTest::addRow("puissance proposal for %s", name.constData()) << wire::puissance4Proposal(to, "bob");
        QTest::addRow("declined for %s", name.constData()) << wire::proposalDeclined(to, "bob");
        QTest::addRow("othello board for %s", name.constData()) << wire::othelloBoard(to, cells64, 2, 5);
        QTest::addRow("puissance board for %s", name.constData())
            << wire::puissance4Board(to, cells49, 2, 1, "Red to Play!");
    }
    QTest::newRow("othello accept without acceptor") << "4" + QString(wire::kSeparator) + "alice";
    QTest::newRow("message without text") << wire::privateMessage("alice", "bob", "x").chopped(2);
    QTest::newRow("othello board with a cell of 3")
        << wire::othelloBoard("alice", "3" + QString(wire::kSeparator) + cells64.mid(2), 2, 5);
    QTest::newRow("puissance board with 50 discs") << wire::puissance4Board("alice", cells49, 2, 50, "x");
}

void TestForm1::refusesWhatIsNotForIt()
{
    QFETCH(QString, message);
    const QWidgetList before = QApplication::topLevelWidgets();
    receive(bytes(message));
    QCOMPARE(QApplication::topLevelWidgets().size(), before.size());
    QVERIFY(!m_alice->form3().isVisible());
    QVERIFY(!m_alice->form4().isVisible());
    QVERIFY(!m_alice->station().bForm3Loaded);
    QVERIFY(!m_alice->station().bForm4Loaded);
    QCOMPARE(m_alice->station().st2OUserName, QString());
    QCOMPARE(m_alice->station().st2P4UserName, QString());
}

void TestForm1::networkTextIsPlain()
{
    receive(bytes(wire::presence("<b>x</b>")));
    receive(bytes(wire::workLine("<b>x</b>")));
    QCOMPARE(users(*m_alice).last(), QString("<b>x</b>"));
    QCOMPARE(lines(m_alice->Text1), QStringList{"<b>x</b>"});
    receive(bytes(wire::proposalDeclined("alice", "<i>bob</i>")));
    auto *box = m_alice->findChild<QMessageBox *>("Declined");
    QVERIFY(box);
    QCOMPARE(box->textFormat(), Qt::PlainText);
    QCOMPARE(box->text(), QString("<i>bob</i> has declined your offer..."));
    QCOMPARE(box->windowTitle(), QString("Declined"));
    box->close();
}

void TestForm1::declinedBoxDoesNotStallTheStation()
{
    receive(bytes(wire::proposalDeclined("alice", "bob")));
    auto *box = m_alice->findChild<QMessageBox *>("Declined");
    QVERIFY(box);
    QCOMPARE(box->icon(), QMessageBox::Information);
    // The box waits for OK while chat goes on.
    receive(bytes(wire::teaLine("still here")));
    QCOMPARE(lines(m_alice->Text2), QStringList{"still here"});
    QVERIFY(box->isVisible());
}

void TestForm1::sendButtonRules()
{
    Form1 &a = *m_alice;
    a.activateWindow();
    a.Text3->setFocus();
    QVERIFY(!a.Command2->isEnabled());
    QTest::keyClick(a.Text3, Qt::Key_Return);
    QVERIFY(m_lan->sent().isEmpty());

    QTest::keyClicks(a.Text3, "hi");
    QVERIFY(a.Command2->isEnabled());
    a.Text3->clear();
    QVERIFY(!a.Command2->isEnabled());

    QTest::keyClicks(a.Text3, "hi");
    // A menu opening or another window taking over leaves Send as it was.
    for (const Qt::FocusReason reason : {Qt::PopupFocusReason, Qt::MenuBarFocusReason, Qt::ActiveWindowFocusReason}) {
        QFocusEvent focusOut(QEvent::FocusOut, reason);
        QApplication::sendEvent(a.Text3, &focusOut);
        QVERIFY(a.Command2->isEnabled());
    }
    a.ListView1->setFocus();
    QTRY_VERIFY(!a.Command2->isEnabled());
    a.Text3->setFocus();
    QVERIFY(!a.Command2->isEnabled());
    QTest::keyClicks(a.Text3, "!");
    QVERIFY(a.Command2->isEnabled());

    QTest::keyClick(a.Text3, Qt::Key_Return);
    QCOMPARE(m_lan->sent().size(), 1);
    QVERIFY(a.Text3->text().isEmpty());
    QVERIFY(!a.Command2->isEnabled());
}

void TestForm1::sendsToTheCurrentRoom_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("code");
    QTest::newRow("work room") << 0 << "1";
    QTest::newRow("tea room") << 1 << "2";
}

void TestForm1::sendsToTheCurrentRoom()
{
    QFETCH(int, tab);
    QFETCH(QString, code);
    Form1 &a = *m_alice;
    a.SSTab1->setCurrentIndex(tab);
    QCOMPARE(a.iRoom, tab);
    a.Text3->setText("hello there");
    QTest::mouseClick(a.Command2, Qt::LeftButton);
    QCOMPARE(m_lan->sent().size(), 1);
    const QStringList fields = wire::split(*wire::decode(m_lan->sent().front()));
    QCOMPARE(fields.size(), 2);
    QCOMPARE(fields[0], code);
    QVERIFY2(QRegularExpression("^\\[alice,[^\\]]*\\d\\d[^\\]]*\\]> hello there$").match(fields[1]).hasMatch(),
             qPrintable(fields[1]));
    QPlainTextEdit *log = tab == 0 ? a.Text1 : a.Text2;
    QTRY_COMPARE(lines(log), QStringList{fields[1]});
    QVERIFY(lines(tab == 0 ? a.Text2 : a.Text1).isEmpty());
}

void TestForm1::separatorIsRefused()
{
    Form1 &a = *m_alice;
    a.Text3->setText(QString("a") + wire::kSeparator + "b");
    a.Command2_Click();
    QVERIFY(m_lan->sent().isEmpty());
    QCOMPARE(a.Text3->text(), QString("a") + wire::kSeparator + "b");
    auto *box = a.findChild<QMessageBox *>("Warning");
    QVERIFY(box);
    QCOMPARE(box->text(), QString::fromUtf8("The charachter § is not allowed!"));
    QCOMPARE(box->windowTitle(), QString("Warning!"));
    QCOMPARE(box->icon(), QMessageBox::Warning);
    box->close();
}

void TestForm1::inputLineTakes400Characters()
{
    Form1 &a = *m_alice;
    a.Text3->setFocus();
    a.Text3->setText(QString(399, 'x'));
    QTest::keyClicks(a.Text3, "yz");
    QCOMPARE(a.Text3->text().size(), 400);
    a.Command2_Click();
    const QStringList fields = wire::split(*wire::decode(m_lan->sent().front()));
    QVERIFY(fields[1].endsWith("]> " + QString(399, 'x') + "y"));
}

void TestForm1::clockBlinks()
{
    Form1 &a = *m_alice;
    const QRegularExpression withColon("^\\d\\d:\\d\\d:\\d\\d$");
    const QRegularExpression withBlank("^\\d\\d:\\d\\d \\d\\d$");
    QVERIFY(withColon.match(a.StatusPanel2->text()).hasMatch());
    a.Timer3_Timer();
    QVERIFY2(withBlank.match(a.StatusPanel2->text()).hasMatch(), qPrintable(a.StatusPanel2->text()));
    a.Timer3_Timer();
    QVERIFY(withColon.match(a.StatusPanel2->text()).hasMatch());
}

void TestForm1::rightClickPopsUpTheListMenuLater()
{
    Form1 &a = *m_alice;
    a.move(0, 0); // so the menu fits on the screen where it is asked for
    QTest::mouseClick(a.ListView1->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(!a.Timer4.isActive());
    QTest::mousePress(a.ListView1->viewport(), Qt::RightButton, {}, QPoint(4, 30));
    QVERIFY(a.Timer4.isActive());
    QVERIFY(!a.mnuPopupList1->isVisible());
    QTRY_VERIFY(a.mnuPopupList1->isVisible());
    QVERIFY(!a.Timer4.isActive());
    const QPoint expected = a.ListView1->mapToGlobal(a.ListView1->viewport()->mapTo(a.ListView1, QPoint(4, 30)));
    QCOMPARE(a.mnuPopupList1->pos(), expected);
    a.mnuPopupList1->close();
}

void TestForm1::clearLogEmptiesTheCurrentRoomOnly()
{
    Form1 &a = *m_alice;
    receive(bytes(wire::workLine("work")));
    receive(bytes(wire::teaLine("tea")));
    a.SSTab1->setCurrentIndex(1);
    a.mnuClearlog_Click();
    QVERIFY(lines(a.Text2).isEmpty());
    a.SSTab1->setCurrentIndex(0);
    QCOMPARE(lines(a.Text1), QStringList{"work"});
}

void TestForm1::exitSendsDepartureTwice()
{
    QSignalSpy closed(m_alice.get(), &Form1::stationClosed);
    m_alice->mnuExitProgram_Click();
    QCOMPARE(timesSent(*m_lan, wire::departure("alice")), 2);
    QCOMPARE(closed.count(), 1);
    QVERIFY(!m_alice->isVisible());
    // Nothing more goes out once the station is closed.
    m_alice->close();
    QCOMPARE(timesSent(*m_lan, wire::departure("alice")), 2);
    QVERIFY(!m_alice->station().Timer1.isActive());
}

void TestForm1::proposalsNeedASelectedUser()
{
    Form1 &a = *m_alice;
    a.ListView1->clearSelection();
    a.mnuProposeOthello_Click();
    a.mnuProposePuissance4_Click();
    a.ListView1_DblClick();
    QVERIFY(m_lan->sent().isEmpty());
    QVERIFY(!a.frmMessage);

    a.ListView1->item(0)->setSelected(true);
    a.mnuProposeOthello_Click();
    a.mnuProposePuissance4_Click();
    QCOMPARE(m_lan->sent(),
             (QList<QByteArray>{bytes(wire::othelloProposal("alice", "alice")),
                                bytes(wire::puissance4Proposal("alice", "alice"))}));
}

QTEST_MAIN(TestForm1)
#include "test_form1.moc"
