#include "dialogs/proposalwindow.h"
#include "mainwindow/editmenu.h"
#include "mainwindow/helpmenu.h"
#include "net/messages.h"
#include "support/stations.h"

#include <QClipboard>
#include <QComboBox>
#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QSystemTrayIcon>
#include <QListWidget>
#include <QPlainTextEdit>
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
class TestMainWindow final : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void startUpAnnouncesAtOnce();
    void dispatch_data();
    void dispatch();
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
    std::unique_ptr<MainWindow> m_alice;
    LanPort *m_peer = nullptr;

    // Hands a datagram to the station as a peer would, and waits until it is heard.
    void receive(const QByteArray &datagram);
};

void TestMainWindow::init()
{
    m_lan = std::make_unique<LocalLan>();
    m_peer = m_lan->attach();
    m_alice = startStation(*m_lan, "alice");
    QTRY_COMPARE(userList(*m_alice), QString("alice:1"));
    m_lan->clearSent();
}

void TestMainWindow::cleanup()
{
    m_alice.reset();
    m_lan.reset();
}

void TestMainWindow::receive(const QByteArray &datagram)
{
    QSignalSpy heard(m_peer, &DatagramLink::datagramReceived);
    m_peer->send(datagram);
    QTRY_COMPARE(heard.count(), 1);
}

void TestMainWindow::startUpAnnouncesAtOnce()
{
    LocalLan lan;
    qputenv("USERNAME", "bob");
    MainWindow bob(*lan.attach());
    bob.start();
    // Sent during start-up itself, and nothing for the box's first selection.
    QCOMPARE(lan.sent(), (QList<QByteArray>{encode(wire::presence("bob")), encode(wire::availability("bob", 0))}));
    auto *availability = control<QComboBox>(bob, "Combo1");
    QCOMPARE(availability->currentText(), QString("Available"));
    QTRY_COMPARE(userList(bob), QString("bob:1"));
    QCOMPARE(userCount(bob), QString("Connected users: 1"));
    QCOMPARE(bob.centralWidget()->size(), QSize(640, 337));
    availability->setCurrentIndex(1);
    QCOMPARE(lan.sent().last(), encode(wire::availability("bob", 1)));
}

void TestMainWindow::dispatch_data()
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
    QTest::newRow("a line break cannot forge a second line")
        << QStringList{wire::workLine("hi\r\n[bob,10:00:00]> I am bob"), wire::teaLine("a\nb\rc")} << "alice:1" << 1
        << QString::fromUtf8("hi↵[bob,10:00:00]> I am bob") << QString::fromUtf8("a↵b↵c");
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

void TestMainWindow::dispatch()
{
    QFETCH(QStringList, messages);
    for (const QString &message : messages)
        receive(encode(message));
    QTEST(userList(*m_alice), "users");
    QFETCH(int, count);
    QCOMPARE(userCount(*m_alice), QString("Connected users: %1").arg(count));
    // A last line in each room: once it shows, so has every line before it.
    receive(encode(wire::workLine("last")));
    receive(encode(wire::teaLine("last")));
    const auto upToLast = [](const QString &lines) { return lines.isEmpty() ? QString("last") : lines + "|last"; };
    QFETCH(QString, work);
    QFETCH(QString, tea);
    QTRY_COMPARE(logLines(*m_alice, "Text1"), upToLast(work));
    QTRY_COMPARE(logLines(*m_alice, "Text2"), upToLast(tea));
}

void TestMainWindow::declinedBoxIsPlainAndDoesNotStallTheStation()
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
    QTRY_COMPARE(logLines(*m_alice, "Text2"), QString("still here"));
}

void TestMainWindow::sendButtonRules()
{
    MainWindow &a = *m_alice;
    auto *input = control<QLineEdit>(a, "Text3");
    auto *send = control<QPushButton>(a, "Command2");
    input->setFocus();
    QTest::keyClick(input, Qt::Key_Return);
    QVERIFY(!send->isEnabled());
    QTest::keyClicks(input, "hi");
    QVERIFY(send->isEnabled());
    input->clear();
    QVERIFY(!send->isEnabled());

    QTest::keyClicks(input, "hi");
    // A menu opening or another window taking over leaves Send as it was.
    for (const Qt::FocusReason reason : {Qt::PopupFocusReason, Qt::MenuBarFocusReason, Qt::ActiveWindowFocusReason}) {
        QFocusEvent focusOut(QEvent::FocusOut, reason);
        QApplication::sendEvent(input, &focusOut);
        QVERIFY(send->isEnabled());
    }
    // Leaving the input line disables it until the text changes again.
    control<QListWidget>(a, "ListView1")->setFocus();
    QTRY_VERIFY(!send->isEnabled());
    input->setFocus();
    QVERIFY(!send->isEnabled());
    QTest::keyClicks(input, QString(400, 'x'));
    QCOMPARE(input->text().size(), 400);
    QVERIFY(m_lan->sent().isEmpty());

    QTest::keyClick(input, Qt::Key_Return);
    QCOMPARE(m_lan->sent().size(), 1);
    QVERIFY(m_lan->sent().front().endsWith("]> hi" + QByteArray(398, 'x')));
    QVERIFY(input->text().isEmpty());
    QVERIFY(!send->isEnabled());

    // A separator is refused with a warning; the text stays for correction.
    QTest::keyClicks(input, QString("a") + wire::kSeparator);
    QTest::mouseClick(send, Qt::LeftButton);
    QCOMPARE(m_lan->sent().size(), 1);
    QCOMPARE(input->text(), QString("a") + wire::kSeparator);
    auto *box = a.findChild<QMessageBox *>("Warning");
    QVERIFY(box);
    QCOMPARE(box->text(), QString::fromUtf8("The charachter § is not allowed!"));
    QCOMPARE(box->windowTitle(), QString("Warning!"));
}

void TestMainWindow::sendsToTheCurrentRoom_data()
{
    QTest::addColumn<int>("tab");
    QTest::newRow("work room") << 0;
    QTest::newRow("tea room") << 1;
}

void TestMainWindow::sendsToTheCurrentRoom()
{
    QFETCH(int, tab);
    MainWindow &a = *m_alice;
    control<QTabWidget>(a, "SSTab1")->setCurrentIndex(tab);
    control<QLineEdit>(a, "Text3")->setText("hello");
    QTest::mouseClick(control<QPushButton>(a, "Command2"), Qt::LeftButton);
    QCOMPARE(m_lan->sent().size(), 1);
    const QStringList fields = wire::split(*wire::decode(m_lan->sent().front()));
    QCOMPARE(fields[0], QString::number(tab + 1));
    QVERIFY(fields[1].endsWith("]> hello"));
    // The sender's own line reaches its log only through the echo.
    const char *here = tab == 0 ? "Text1" : "Text2";
    QTRY_COMPARE(logLines(a, here), fields[1]);
    QCOMPARE(logLines(a, tab == 0 ? "Text2" : "Text1"), QString());
    a.findChild<QAction *>("mnuClearlog")->trigger();
    QCOMPARE(logLines(a, here), QString());
}

void TestMainWindow::clockBlinks()
{
    auto *clock = control<QLabel>(*m_alice, "StatusPanel2");
    QSignalSpy ticks(control<QTimer>(*m_alice, "Timer3"), &QTimer::timeout);
    const QRegularExpression lit("^\\d\\d:\\d\\d:\\d\\d$");
    const QRegularExpression dark("^\\d\\d:\\d\\d \\d\\d$");
    QVERIFY(lit.match(clock->text()).hasMatch());
    QVERIFY(ticks.wait());
    QVERIFY2(dark.match(clock->text()).hasMatch(), qPrintable(clock->text()));
    QVERIFY(ticks.wait());
    QVERIFY2(lit.match(clock->text()).hasMatch(), qPrintable(clock->text()));
}

void TestMainWindow::rightClickPopsUpTheListMenuLater()
{
    MainWindow &a = *m_alice;
    a.move(0, 0); // so the menu fits on the screen where it is asked for
    auto *list = control<QListWidget>(a, "ListView1");
    auto *menu = control<QMenu>(a, "mnuPopupList1");
    auto *delay = control<QTimer>(a, "Timer4");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(!delay->isActive());
    QTest::mousePress(list->viewport(), Qt::RightButton, {}, QPoint(4, 30));
    QVERIFY(!menu->isVisible());
    QTRY_VERIFY(menu->isVisible());
    QVERIFY(!delay->isActive());
    QCOMPARE(menu->pos(), list->viewport()->mapToGlobal(QPoint(4, 30)));
    menu->close();
}

void TestMainWindow::exitSendsDepartureTwice()
{
    QSignalSpy closed(m_alice.get(), &MainWindow::stationClosed);
    m_alice->findChild<QAction *>("mnuExitProgram")->trigger();
    QCOMPARE(timesSent(*m_lan, wire::departure("alice")), 2);
    QCOMPARE(closed.count(), 1);
    QVERIFY(!m_alice->isVisible());
    QVERIFY(!m_alice->station().isBroadcasting());
    m_alice->close();
    QCOMPARE(timesSent(*m_lan, wire::departure("alice")), 2);
}

void TestMainWindow::menuTree_data()
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

void TestMainWindow::menuTree()
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

void TestMainWindow::proposalToOneselfOpensAProposalWindowHere()
{
    control<QListWidget>(*m_alice, "ListView1")->item(0)->setSelected(true);
    m_alice->findChild<QAction *>("mnuProposeOthello")->trigger();
    QTRY_VERIFY(m_alice->proposalWindow(Game::Othello));
    QCOMPARE(m_alice->proposalWindow(Game::Othello)->proposer(), QString("alice"));
    delete m_alice->proposalWindow(Game::Othello);
}

void TestMainWindow::editMenuOnTheStationsControls()
{
    auto &menu = *m_alice->findChild<EditMenu *>();
    const auto states = [&menu] { // items 2..7: "x" enabled, "." disabled or separator
        QString text;
        for (int index = EditMenu::kCut; index <= EditMenu::kSelectAll; ++index)
            text += index != EditMenu::kSeparator && menu.item(EditMenu::Item(index))->isEnabled() ? "x" : ".";
        return text;
    };
    QImage image(4, 4, QImage::Format_RGB32);
    QApplication::clipboard()->setImage(image);
    auto *input = control<QLineEdit>(*m_alice, "Text3");
    input->setText("hello world");
    input->setSelection(0, 6);
    input->setFocus();
    menu.updateItems();
    QCOMPARE(states(), QString("xx..xx")); // no text to paste
    menu.item(EditMenu::kCut)->trigger();
    QCOMPARE(QApplication::clipboard()->text(), QString("hello "));
    QCOMPARE(input->text(), QString("world"));

    // A room log is read-only: Cut copies and leaves it whole.
    receive(wire::encode(wire::workLine("in the log")));
    QTRY_COMPARE(logLines(*m_alice, "Text1"), QString("in the log"));
    auto *log = control<QPlainTextEdit>(*m_alice, "Text1");
    log->selectAll();
    log->setFocus();
    menu.updateItems();
    QCOMPARE(states(), QString("xxx.xx"));
    menu.item(EditMenu::kCut)->trigger();
    QCOMPARE(QApplication::clipboard()->text(), QString("in the log"));
    QCOMPARE(logLines(*m_alice, "Text1"), QString("in the log"));
}

void TestMainWindow::minimisingWithoutATrayKeepsTheWindow()
{
    QVERIFY(!QSystemTrayIcon::isSystemTrayAvailable()); // no tray on the offscreen platform
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

void TestMainWindow::helpOpensTheReadmeAndTheHomePage()
{
    UrlRecorder recorder;
    for (const char *scheme : {"file", "https"})
        QDesktopServices::setUrlHandler(scheme, &recorder, "open");
    m_alice->findChild<QAction *>("mnuContents")->trigger();
    m_alice->findChild<QAction *>("mnuWeb")->trigger();
    QCOMPARE(recorder.opened, (QList<QUrl>{QUrl::fromLocalFile(QCoreApplication::applicationDirPath() + "/Readme.txt"),
                                           QUrl(HelpMenu::kHomePage)}));
}

QTEST_MAIN(TestMainWindow)
#include "test_mainwindow.moc"
