#include "dialogs/messagewindow.h"
#include "dialogs/proposalwindow.h"
#include "mainwindow/editmenu.h"
#include "mainwindow/helpmenu.h"
#include "mainwindow/readmewindow.h"
#include "net/messages.h"
#include "support/heard.h"
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
#include <QListView>
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

// Where the focus goes between typing a line and coming back to send it.
enum class FocusAway { UserList, RoomLog, AvailabilityBox, TabKey, Menu, OtherWindow };

} // namespace

Q_DECLARE_METATYPE(FocusAway)

// One station, fed datagrams through its real receiving path, and its menus.
class TestMainWindow final : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void availabilityBoxAndSize();
    void dispatch_data();
    void dispatch();
    void declinedBoxIsPlainAndDoesNotStallTheStation();
    void sendButtonRules();
    void sendFollowsTheTextNotTheFocus_data();
    void sendFollowsTheTextNotTheFocus();
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
    void helpContentsShowsTheReadme();
    void helpHomePage_data();
    void helpHomePage();

private:
    std::unique_ptr<LocalLan> m_lan;
    std::unique_ptr<MainWindow> m_alice;
    LanPort *m_peer = nullptr;

    // Hands a message to the station as a peer would, and waits until it is heard.
    void receive(const QString &message);
    // A box waiting for OK must not stop the chat.
    void checkStillChats();
    void trigger(const char *action) { m_alice->findChild<QAction *>(action)->trigger(); }
};

void TestMainWindow::init()
{
    m_lan = std::make_unique<LocalLan>();
    m_peer = m_lan->attach();
    m_alice = startListed(*m_lan, "alice");
}

void TestMainWindow::cleanup()
{
    m_alice.reset();
    m_lan.reset();
}

void TestMainWindow::receive(const QString &message)
{
    sendFrom(*m_peer, encode(message));
}

void TestMainWindow::checkStillChats()
{
    receive(wire::teaLine("still here"));
    QTRY_COMPARE(logLines(*m_alice, "Text2"), QString("still here"));
}

// What start-up sends, and that the first selection sends nothing, is in test_startup.
void TestMainWindow::availabilityBoxAndSize()
{
    auto *availability = control<QComboBox>(*m_alice, "Combo1");
    QCOMPARE(availability->currentText(), QString("Available"));
    QCOMPARE(m_alice->centralWidget()->size(), QSize(640, 337));
    availability->setCurrentIndex(1);
    QCOMPARE(m_lan->sent().last(), encode(wire::availability("alice", 1)));
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
        receive(message);
    QTEST(userList(*m_alice), "users");
    QFETCH(int, count);
    QCOMPARE(userCount(*m_alice), QString("Connected users: %1").arg(count));
    // A last line in each room: once it shows, so has every line before it.
    receive(wire::workLine("last"));
    receive(wire::teaLine("last"));
    const auto upToLast = [](const QString &lines) { return lines.isEmpty() ? QString("last") : lines + "|last"; };
    QFETCH(QString, work);
    QFETCH(QString, tea);
    QTRY_COMPARE(logLines(*m_alice, "Text1"), upToLast(work));
    QTRY_COMPARE(logLines(*m_alice, "Text2"), upToLast(tea));
}

void TestMainWindow::declinedBoxIsPlainAndDoesNotStallTheStation()
{
    receive(wire::proposalDeclined("alice", "<i>bob</i>"));
    auto *box = m_alice->findChild<QMessageBox *>("Declined");
    QVERIFY(box && box->isVisible());
    QCOMPARE(box->textFormat(), Qt::PlainText);
    QCOMPARE(box->text(), QString("<i>bob</i> has declined your offer..."));
    QCOMPARE(box->windowTitle(), QString("Declined"));
    QCOMPARE(box->icon(), QMessageBox::Information);
    checkStillChats();
}

// The line holds 400 characters; sending and the empty line are in the table below.
void TestMainWindow::sendButtonRules()
{
    auto *input = control<QLineEdit>(*m_alice, "Text3");
    auto *send = control<QPushButton>(*m_alice, "Command2");
    QTest::keyClicks(input, "hi" + QString(400, 'x'));
    QCOMPARE(input->text().size(), 400);
    input->clear();
    QVERIFY(!send->isEnabled());
    QTest::keyClicks(input, "hi" + QString(400, 'x'));
    QTest::keyClick(input, Qt::Key_Return);
    QCOMPARE(m_lan->sent().size(), 1);
    QVERIFY(m_lan->sent().front().endsWith("]> hi" + QByteArray(398, 'x')));
}

void TestMainWindow::sendFollowsTheTextNotTheFocus_data()
{
    QTest::addColumn<FocusAway>("away");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("sent");
    QTest::newRow("user list clicked") << FocusAway::UserList << QString("hi") << true;
    QTest::newRow("room log clicked") << FocusAway::RoomLog << QString("hi") << true;
    QTest::newRow("availability box") << FocusAway::AvailabilityBox << QString("hi") << true;
    QTest::newRow("Tab to the rooms") << FocusAway::TabKey << QString("hi") << true;
    QTest::newRow("Edit menu opened") << FocusAway::Menu << QString("hi") << true;
    QTest::newRow("message window opened") << FocusAway::OtherWindow << QString("hi") << true;
    QTest::newRow("only spaces") << FocusAway::UserList << QString("  ") << true;
    QTest::newRow("empty") << FocusAway::UserList << QString() << false;
    QTest::newRow("separator") << FocusAway::UserList << QString("a") + wire::kSeparator << false;
}

// Typed text, the focus elsewhere and back by a click: Enter sends what the
// line holds, and only if it can be sent. Send stays as the text says throughout.
void TestMainWindow::sendFollowsTheTextNotTheFocus()
{
    QFETCH(FocusAway, away);
    QFETCH(QString, typed);
    QFETCH(bool, sent);
    MainWindow &a = *m_alice;
    QVERIFY(QTest::qWaitForWindowActive(&a));
    auto *input = control<QLineEdit>(a, "Text3");
    auto *send = control<QPushButton>(a, "Command2");
    auto *list = control<QListView>(a, "ListView1");
    QTRY_VERIFY(input->hasFocus());
    QTest::keyClicks(input, typed);

    QWidget *focused = nullptr; // where a click or the program puts the focus
    switch (away) {
    case FocusAway::UserList:
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(userEntry(a, "alice")).center());
        focused = list;
        break;
    case FocusAway::RoomLog:
        focused = control<QPlainTextEdit>(a, "Text1");
        QTest::mouseClick(static_cast<QPlainTextEdit *>(focused)->viewport(), Qt::LeftButton);
        break;
    case FocusAway::AvailabilityBox:
        focused = control<QComboBox>(a, "Combo1");
        focused->setFocus(Qt::OtherFocusReason);
        break;
    case FocusAway::TabKey:
        QTest::keyClick(input, Qt::Key_Tab);
        QTRY_VERIFY(!input->hasFocus());
        break;
    case FocusAway::Menu: {
        auto *edit = control<QMenu>(a, "mnuEdit");
        edit->popup(a.mapToGlobal(QPoint(20, 20)));
        QTRY_VERIFY(edit->isVisible());
        QTest::keyClick(edit, Qt::Key_Escape);
        QTRY_VERIFY(!edit->isVisible());
        break;
    }
    case FocusAway::OtherWindow:
        list->setCurrentIndex(userEntry(a, "alice"));
        trigger("mnuSendMessage");
        QVERIFY(a.messageWindow() && QTest::qWaitForWindowActive(a.messageWindow()));
        a.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&a));
        break;
    }
    if (focused)
        QTRY_VERIFY(focused->hasFocus());
    QCOMPARE(send->isEnabled(), !typed.isEmpty());

    QTest::mouseClick(input, Qt::LeftButton);
    QTRY_VERIFY(input->hasFocus());
    QCOMPARE(send->isEnabled(), !typed.isEmpty());
    QTest::keyClick(input, Qt::Key_Return);
    if (sent) {
        QCOMPARE(m_lan->sent().size(), 1);
        QVERIFY(m_lan->sent().front().endsWith("]> " + typed.toLatin1()));
        QVERIFY(input->text().isEmpty());
        QVERIFY(!send->isEnabled());
    } else {
        QVERIFY(m_lan->sent().isEmpty());
        QCOMPARE(input->text(), typed);
    }
    // Only the separator is told about; the text stays for correction.
    auto *box = a.findChild<QMessageBox *>("Warning");
    QCOMPARE(bool(box), typed.contains(wire::kSeparator));
    if (box) {
        QCOMPARE(box->text(), QString::fromUtf8("The charachter § is not allowed!"));
        QCOMPARE(box->windowTitle(), QString("Warning!"));
    }
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
    trigger("mnuClearlog");
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
    auto *list = control<QListView>(a, "ListView1");
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
    trigger("mnuExitProgram");
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
    QTest::newRow("Tools") << "Tools" << "&Tools"
                           << QStringList{"&Clear log", "-", "Show the &Othello game", "Show the &Puissance 4 game",
                                          "&Leave the Othello game", "Leave the Puissance &4 game"} << 2;
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
    control<QListView>(*m_alice, "ListView1")->setCurrentIndex(userEntry(*m_alice, "alice"));
    trigger("mnuProposeOthello");
    QTRY_VERIFY(m_alice->proposalWindow(Game::Othello));
    QCOMPARE(m_alice->proposalWindow(Game::Othello)->proposer(), QString("alice"));
    delete m_alice->proposalWindow(Game::Othello);
}

// The menu's commands on plain controls are in test_editmenu; here, a read-only
// room log: Cut is offered, copies, and leaves the log whole.
void TestMainWindow::editMenuOnTheStationsControls()
{
    auto &menu = *m_alice->findChild<EditMenu *>();
    receive(wire::workLine("in the log"));
    QTRY_COMPARE(logLines(*m_alice, "Text1"), QString("in the log"));
    auto *log = control<QPlainTextEdit>(*m_alice, "Text1");
    log->selectAll();
    log->setFocus();
    QApplication::clipboard()->setText("old");
    menu.updateItems();
    QString states; // "x" enabled, "." disabled or separator
    for (int index = EditMenu::kCut; index <= EditMenu::kSelectAll; ++index)
        states += index != EditMenu::kSeparator && menu.item(EditMenu::Item(index))->isEnabled() ? "x" : ".";
    QCOMPARE(states, QString("xxx.xx"));
    menu.item(EditMenu::kCut)->trigger();
    QCOMPARE(QApplication::clipboard()->text(), QString("in the log"));
    QCOMPARE(logLines(*m_alice, "Text1"), QString("in the log"));
}

// Without a tray a minimised window must stay on the task bar, or nothing could bring it back.
void TestMainWindow::minimisingWithoutATrayKeepsTheWindow()
{
    QVERIFY(!QSystemTrayIcon::isSystemTrayAvailable()); // none on the offscreen platform
    m_alice->showMinimized();
    QTRY_VERIFY(m_alice->isMinimized());
    QVERIFY(m_alice->isVisible());
    trigger("mnuPopRestore");
    QTRY_VERIFY(!m_alice->isMinimized());
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

// The read-me opens in the program's own window (its text is checked in
// test_readmewindow), never through the desktop, and one window serves every request.
void TestMainWindow::helpContentsShowsTheReadme()
{
    UrlRecorder desktop;
    QDesktopServices::setUrlHandler("file", &desktop, "open");
    trigger("mnuContents");
    QPointer<ReadmeWindow> window = m_alice->findChild<ReadmeWindow *>();
    QVERIFY(window && window->isVisible());
    trigger("mnuContents");
    QDesktopServices::unsetUrlHandler("file");
    QCOMPARE(m_alice->findChildren<ReadmeWindow *>(), QList<ReadmeWindow *>{window});
    QVERIFY(desktop.opened.isEmpty());
    // Closed, it goes; the next request opens a fresh one.
    window->close();
    QTRY_VERIFY(!window);
    trigger("mnuContents");
    QVERIFY(m_alice->findChild<ReadmeWindow *>());
}

void TestMainWindow::helpHomePage_data()
{
    QTest::addColumn<bool>("browserStarts");
    QTest::newRow("through the desktop's browser") << true;
    QTest::newRow("no browser") << false;
}

// The page goes to the browser; without one, a single note says where the page
// is, in text the user can select, and the station goes on.
void TestMainWindow::helpHomePage()
{
    QFETCH(bool, browserStarts);
    UrlRecorder browser;
    QList<QUrl> asked;
    if (browserStarts) {
        QDesktopServices::setUrlHandler("https", &browser, "open");
    } else {
        m_alice->findChild<HelpMenu *>()->setUrlOpener([&asked](const QUrl &url) {
            asked << url;
            return false;
        });
    }
    trigger("mnuWeb");
    trigger("mnuWeb");
    QDesktopServices::unsetUrlHandler("https");
    const QUrl page(HelpMenu::kHomePage);
    QCOMPARE(browserStarts ? browser.opened : asked, (QList<QUrl>{page, page}));

    const QList<QMessageBox *> notes = m_alice->findChildren<QMessageBox *>("homePageNote");
    QCOMPARE(notes.size(), browserStarts ? 0 : 1);
    if (browserStarts)
        return;
    QMessageBox *note = notes.front();
    QVERIFY(note->isVisible() && !note->isModal());
    QCOMPARE(note->textFormat(), Qt::PlainText);
    QVERIFY(note->text().contains(HelpMenu::kHomePage));
    QVERIFY(note->textInteractionFlags() & Qt::TextSelectableByMouse);
    checkStillChats();
}

QTEST_MAIN(TestMainWindow)
#include "test_mainwindow.moc"
