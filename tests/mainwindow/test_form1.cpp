#include "editmenu.h"
#include "form1.h"
#include "help.h"
#include "messages.h"
#include "stations.h"
#include "systemtray.h"

#include <QClipboard>
#include <QComboBox>
#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>

using wire::encode;

namespace {

// A menu as "caption[shortcut]" lines, separators as "-".
QStringList describe(const QMenu *menu)
{
    QStringList lines;
    for (const QAction *action : menu->actions()) {
        QString line = action->isSeparator() ? QStringLiteral("-") : action->text();
        if (!action->shortcut().isEmpty())
            line += "[" + action->shortcut().toString() + "]";
        lines << line;
    }
    return lines;
}

} // namespace

// One station, fed datagrams through its real receiving path, and its menus.
class TestForm1 final : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void startUpAnnouncesAtOnce();
    void userNameFromTheEnvironment();
    void dispatch_data();
    void dispatch();
    void refusesWhatIsNotForIt_data();
    void refusesWhatIsNotForIt();
    void declinedBoxIsPlainAndDoesNotStallTheStation();
    void sendButtonRules();
    void sendsToTheCurrentRoom_data();
    void sendsToTheCurrentRoom();
    void clockBlinks();
    void rightClickPopsUpTheListMenuLater();
    void exitSendsDepartureTwice();
    void menuTree_data();
    void menuTree();
    void proposalToOneselfOpensAProposalWindowHere();
    void editMenuOnTheStationsControls();
    void minimisingWithoutATrayKeepsTheWindow();
    void helpOpensTheReadmeAndTheHomePage();

private:
    std::unique_ptr<LocalLan> m_lan;
    std::unique_ptr<Form1> m_alice;
    LanPort *m_peer = nullptr;

    // Hands a datagram to the station as a peer would, and waits until it is heard.
    void receive(const QByteArray &datagram);
};

void TestForm1::init()
{
    m_lan = std::make_unique<LocalLan>();
    m_peer = m_lan->attach();
    m_alice = startStation(*m_lan, "alice");
    QTRY_COMPARE(userList(*m_alice), QString("alice:1"));
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
    // Sent during start-up itself, and nothing for the box's first selection.
    QCOMPARE(lan.sent(), (QList<QByteArray>{encode(wire::presence("bob")), encode(wire::availability("bob", 0))}));
    QCOMPARE(bob.Combo1->currentText(), QString("Available"));
    QTRY_COMPARE(userList(bob), QString("bob:1"));
    QCOMPARE(bob.StatusPanel1->text(), QString("Connected users: 1"));
    QCOMPARE(bob.centralWidget()->size(), QSize(640, 337));
    bob.Combo1->setCurrentIndex(1);
    QCOMPARE(lan.sent().last(), encode(wire::availability("bob", 1)));
}

void TestForm1::userNameFromTheEnvironment()
{
    // Linux seldom sets USERNAME: the login name stands in for it.
    qputenv("USERNAME", "ann");
    qputenv("USER", "bob");
    QCOMPARE(stationUserName(), QString("ann"));
    qunsetenv("USERNAME");
    QCOMPARE(stationUserName(), QString("bob"));
    qunsetenv("USER");
    QVERIFY(!stationUserName().isEmpty()); // from the password database
}

void TestForm1::dispatch_data()
{
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QString>("users");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("work");
    QTest::addColumn<QString>("tea");
    using wire::availability, wire::departure, wire::presence;
    QTest::newRow("lines go to their rooms in order")
        << QStringList{wire::workLine("w1"), wire::teaLine("t1"), wire::workLine("<b>w2</b>")} << "alice:1" << 1
        << "w1|<b>w2</b>" << "t1";
    QTest::newRow("presence adds at the end, available")
        << QStringList{presence("bob"), presence("<b>x</b>")} << "alice:1 bob:1 <b>x</b>:1" << 3 << "" << "";
    QTest::newRow("second presence only refreshes")
        << QStringList{presence("bob"), availability("bob", 1), presence("bob")} << "alice:1 bob:2" << 2 << "" << "";
    QTest::newRow("names differ in case") << QStringList{presence("Alice"), availability("ALICE", 1), departure("ALICE")}
                                          << "alice:1 Alice:1" << 2 << "" << "";
    QTest::newRow("availability back and forth")
        << QStringList{presence("bob"), availability("bob", 1), availability("bob", 0)} << "alice:1 bob:1" << 2 << ""
        << "";
    QTest::newRow("availability adds nobody") << QStringList{availability("carol", 1)} << "alice:1" << 1 << "" << "";
    QTest::newRow("departure removes once and leaves the count")
        << QStringList{presence("bob"), departure("bob"), departure("bob"), departure("carol")} << "alice:1" << 2 << ""
        << "";
}

void TestForm1::dispatch()
{
    QFETCH(QStringList, messages);
    for (const QString &message : messages)
        receive(encode(message));
    QTEST(userList(*m_alice), "users");
    QFETCH(int, count);
    QCOMPARE(m_alice->StatusPanel1->text(), QString("Connected users: %1").arg(count));
    QTEST(logLines(m_alice->Text1), "work");
    QTEST(logLines(m_alice->Text2), "tea");
}

void TestForm1::refusesWhatIsNotForIt_data()
{
    QTest::addColumn<QByteArray>("datagram");
    const QString c64 = QString(QString("0") + wire::kSeparator).repeated(64);
    const QString c49 = QString(QString("0") + wire::kSeparator).repeated(49);
    for (const char *to : {"bob", "Alice", "alice ", ""}) {
        const QList<std::pair<const char *, QString>> addressed = {
            {"4", wire::othelloAccept(to, "bob")},         {"5", wire::puissance4Accept(to, "bob")},
            {"6", wire::privateMessage(to, "bob", "hi")},   {"8", wire::othelloProposal(to, "bob")},
            {"9", wire::puissance4Proposal(to, "bob")},     {"11", wire::proposalDeclined(to, "bob")},
            {"12", wire::puissance4Board(to, c49, 2, 1, "x")}, {"13", wire::othelloBoard(to, c64, 2, 5)}};
        for (const auto &[code, message] : addressed)
            QTest::addRow("code %s for '%s'", code, to) << encode(message);
    }
    QTest::newRow("unknown code") << QByteArray("14\xA7x");
    QTest::newRow("undecodable bytes") << QByteArray("3\xA7\x81\xA7");
    QTest::newRow("malformed availability") << QByteArray("10\xA7" "alice\xA7" "7\xA7");
    QTest::newRow("accept without acceptor") << QByteArray("4\xA7" "alice");
    QTest::newRow("message without text") << QByteArray("6\xA7" "alice\xA7" "bob");
    QTest::newRow("othello board with a 3") << encode(wire::othelloBoard("alice", "3" + c64.mid(1), 2, 5));
    QTest::newRow("puissance board with 50 discs") << encode(wire::puissance4Board("alice", c49, 2, 50, "x"));
}

void TestForm1::refusesWhatIsNotForIt()
{
    QFETCH(QByteArray, datagram);
    const int windows = QApplication::topLevelWidgets().size();
    receive(datagram);
    QCOMPARE(QApplication::topLevelWidgets().size(), windows);
    QCOMPARE(userList(*m_alice), QString("alice:1"));
    const Station &station = m_alice->station();
    QVERIFY(!m_alice->form3().isVisible() && !m_alice->form4().isVisible());
    QVERIFY(!station.bForm3Loaded && !station.bForm4Loaded);
    QVERIFY(station.st2OUserName.isEmpty() && station.st2P4UserName.isEmpty());
}

void TestForm1::declinedBoxIsPlainAndDoesNotStallTheStation()
{
    receive(encode(wire::proposalDeclined("alice", "<i>bob</i>")));
    auto *box = m_alice->findChild<QMessageBox *>("Declined");
    QVERIFY(box && box->isVisible());
    QCOMPARE(box->textFormat(), Qt::PlainText);
    QCOMPARE(box->text(), QString("<i>bob</i> has declined your offer..."));
    QCOMPARE(box->windowTitle(), QString("Declined"));
    QCOMPARE(box->icon(), QMessageBox::Information);
    // While it waits for OK, chat goes on.
    receive(encode(wire::teaLine("still here")));
    QCOMPARE(logLines(m_alice->Text2), QString("still here"));
}

void TestForm1::sendButtonRules()
{
    Form1 &a = *m_alice;
    a.Text3->setFocus();
    QTest::keyClick(a.Text3, Qt::Key_Return);
    QVERIFY(!a.Command2->isEnabled());
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
    // Leaving the input line disables it until the text changes again.
    a.ListView1->setFocus();
    QTRY_VERIFY(!a.Command2->isEnabled());
    a.Text3->setFocus();
    QVERIFY(!a.Command2->isEnabled());
    QTest::keyClicks(a.Text3, QString(400, 'x'));
    QCOMPARE(a.Text3->text().size(), 400);
    QVERIFY(m_lan->sent().isEmpty());

    QTest::keyClick(a.Text3, Qt::Key_Return);
    QCOMPARE(m_lan->sent().size(), 1);
    QVERIFY(m_lan->sent().front().endsWith("]> hi" + QByteArray(398, 'x')));
    QVERIFY(a.Text3->text().isEmpty());
    QVERIFY(!a.Command2->isEnabled());

    // A separator is refused with a warning; the text stays for correction.
    a.Text3->setText(QString("a") + wire::kSeparator);
    a.Command2_Click();
    QCOMPARE(m_lan->sent().size(), 1);
    QCOMPARE(a.Text3->text(), QString("a") + wire::kSeparator);
    auto *box = a.findChild<QMessageBox *>("Warning");
    QVERIFY(box);
    QCOMPARE(box->text(), QString::fromUtf8("The charachter § is not allowed!"));
    QCOMPARE(box->windowTitle(), QString("Warning!"));
}

void TestForm1::sendsToTheCurrentRoom_data()
{
    QTest::addColumn<int>("tab");
    QTest::newRow("work room") << 0;
    QTest::newRow("tea room") << 1;
}

void TestForm1::sendsToTheCurrentRoom()
{
    QFETCH(int, tab);
    Form1 &a = *m_alice;
    a.SSTab1->setCurrentIndex(tab);
    a.Text3->setText("hello");
    QTest::mouseClick(a.Command2, Qt::LeftButton);
    QCOMPARE(m_lan->sent().size(), 1);
    const QStringList fields = wire::split(*wire::decode(m_lan->sent().front()));
    QCOMPARE(fields.size(), 2);
    QCOMPARE(fields[0], QString::number(tab + 1));
    QVERIFY2(QRegularExpression("^\\[alice,[^\\]]*\\d\\d[^\\]]*\\]> hello$").match(fields[1]).hasMatch(),
             qPrintable(fields[1]));
    // The sender's own line reaches its log only through the echo.
    QTRY_COMPARE(logLines(tab == 0 ? a.Text1 : a.Text2), fields[1]);
    QCOMPARE(logLines(tab == 0 ? a.Text2 : a.Text1), QString());
    a.findChild<QAction *>("mnuClearlog")->trigger();
    QCOMPARE(logLines(tab == 0 ? a.Text1 : a.Text2), QString());
}

void TestForm1::clockBlinks()
{
    QLabel *clock = m_alice->StatusPanel2;
    QVERIFY(QRegularExpression("^\\d\\d:\\d\\d:\\d\\d$").match(clock->text()).hasMatch());
    m_alice->Timer3_Timer();
    QVERIFY2(QRegularExpression("^\\d\\d:\\d\\d \\d\\d$").match(clock->text()).hasMatch(), qPrintable(clock->text()));
    m_alice->Timer3_Timer();
    QCOMPARE(clock->text().at(5), QChar(':'));
}

void TestForm1::rightClickPopsUpTheListMenuLater()
{
    Form1 &a = *m_alice;
    a.move(0, 0); // so the menu fits on the screen where it is asked for
    QTest::mouseClick(a.ListView1->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(!a.Timer4.isActive());
    QTest::mousePress(a.ListView1->viewport(), Qt::RightButton, {}, QPoint(4, 30));
    QVERIFY(!a.mnuPopupList1->isVisible());
    QTRY_VERIFY(a.mnuPopupList1->isVisible());
    QVERIFY(!a.Timer4.isActive());
    QCOMPARE(a.mnuPopupList1->pos(), a.ListView1->viewport()->mapToGlobal(QPoint(4, 30)));
    a.mnuPopupList1->close();
}

void TestForm1::exitSendsDepartureTwice()
{
    QSignalSpy closed(m_alice.get(), &Form1::stationClosed);
    m_alice->findChild<QAction *>("mnuExitProgram")->trigger();
    QCOMPARE(timesSent(*m_lan, wire::departure("alice")), 2);
    QCOMPARE(closed.count(), 1);
    QVERIFY(!m_alice->isVisible());
    QVERIFY(!m_alice->station().Timer1.isActive());
    m_alice->close();
    QCOMPARE(timesSent(*m_lan, wire::departure("alice")), 2);
}

void TestForm1::menuTree_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<int>("place");
    QTest::newRow("File") << "File" << "&File" << QStringList{"&Exit"} << 0;
    QTest::newRow("Edit") << "mnuEdit" << "&Edit"
                          << QStringList{"Cu&t[Ctrl+X]", "&Copy[Ctrl+C]", "&Paste[Ctrl+V]", "-", "C&lear[Del]",
                                         "Select &All[Ctrl+A]"} << 1;
    QTest::newRow("Tools") << "Tools" << "&Tools" << QStringList{"&Clear log"} << 2;
    QTest::newRow("Help") << "Help" << "&Help"
                          << QStringList{"&Contents", "&Visit the Author's Homepage...", "-", "&About Quillet..."} << 3;
    QTest::newRow("tray") << "mPopupSys" << "&Systray"
                          << QStringList{"&Minimize", "&Restore", "-", "&About", "&Exit"} << -1;
    QTest::newRow("user list") << "mnuPopupList1" << "&Options"
                               << QStringList{"Send a message", "Propose a game of Othello",
                                              "Propose a game of Puissance 4"} << -1;
}

void TestForm1::menuTree()
{
    QFETCH(QString, menu);
    QFETCH(QString, title);
    QFETCH(QStringList, items);
    const QMenu *found = m_alice->findChild<QMenu *>(menu);
    QVERIFY(found);
    QFETCH(int, place); // in the menu bar, or -1 for a pop-up only
    QCOMPARE(m_alice->menuBar()->actions().indexOf(found->menuAction()), place);
    QCOMPARE(found->title(), title);
    QCOMPARE(describe(found), items);
}

void TestForm1::proposalToOneselfOpensAProposalWindowHere()
{
    m_alice->ListView1->item(0)->setSelected(true);
    m_alice->findChild<QAction *>("mnuProposeOthello")->trigger();
    QTRY_VERIFY(m_alice->frmOthelloProposal);
    QCOMPARE(m_alice->frmOthelloProposal->DestUser, QString("alice"));
    QCOMPARE(m_alice->frmOthelloProposal->SourceUser, QString("alice"));
    delete m_alice->frmOthelloProposal;
}

void TestForm1::editMenuOnTheStationsControls()
{
    EditMenu &menu = *m_alice->editMenu;
    const auto states = [&menu] { // items 2..7: "x" enabled, "." disabled or separator
        QString text;
        for (int index = EditMenu::kCut; index <= EditMenu::kSelectAll; ++index)
            text += index != EditMenu::kSeparator && menu.mnuEditItem(index)->isEnabled() ? "x" : ".";
        return text;
    };
    QImage image(4, 4, QImage::Format_RGB32);
    QApplication::clipboard()->setImage(image);
    m_alice->Text3->setText("hello world");
    m_alice->Text3->setSelection(0, 6);
    m_alice->Text3->setFocus();
    menu.mnuEdit_Click();
    QCOMPARE(states(), QString("xx..xx")); // no text to paste
    menu.mnuEditItem(EditMenu::kCut)->trigger();
    QCOMPARE(QApplication::clipboard()->text(), QString("hello "));
    QCOMPARE(m_alice->Text3->text(), QString("world"));

    // A room log is read-only: Cut copies and leaves it whole.
    m_alice->TCP1_DataArrival(wire::encode(wire::workLine("in the log")));
    m_alice->Text1->selectAll();
    m_alice->Text1->setFocus();
    menu.mnuEdit_Click();
    QCOMPARE(states(), QString("xxx.xx"));
    menu.mnuEditItem(EditMenu::kCut)->trigger();
    QCOMPARE(QApplication::clipboard()->text(), QString("in the log"));
    QCOMPARE(logLines(m_alice->Text1), QString("in the log"));
}

void TestForm1::minimisingWithoutATrayKeepsTheWindow()
{
    QVERIFY(!m_alice->tray->available()); // no tray on the offscreen platform
    m_alice->showMinimized();
    QTRY_VERIFY(m_alice->isMinimized());
    QVERIFY(m_alice->isVisible());
    m_alice->findChild<QAction *>("mnuPopRestore")->trigger();
    QTRY_VERIFY(!m_alice->isMinimized());
    QVERIFY(m_alice->isVisible());
}

// Records what the desktop is asked to open, so no viewer or browser starts.
class UrlRecorder final : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl &url) { opened << url; }
};

void TestForm1::helpOpensTheReadmeAndTheHomePage()
{
    UrlRecorder recorder;
    for (const char *scheme : {"file", "https"})
        QDesktopServices::setUrlHandler(scheme, &recorder, "open");
    m_alice->findChild<QAction *>("mnuContents")->trigger();
    m_alice->findChild<QAction *>("mnuWeb")->trigger();
    QCOMPARE(recorder.opened, (QList<QUrl>{QUrl::fromLocalFile(QCoreApplication::applicationDirPath() + "/Readme.txt"),
                                           QUrl(Help::kHomePage)}));
}

QTEST_MAIN(TestForm1)
#include "test_form1.moc"
