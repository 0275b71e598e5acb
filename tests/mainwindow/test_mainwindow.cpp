#include "dialogs/messagewindow.h"
#include "look/translations.h"
#include "mainwindow/aboutbox.h"
#include "mainwindow/editmenu.h"
#include "mainwindow/helpmenu.h"
#include "mainwindow/readmewindow.h"
#include "station/pendingproposals.h"
#include "support/heard.h"
#include "mainwindow/networkwindowcaps.h"
#include "support/stations.h"
#include "wire/messages.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QDeadlineTimer>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSystemTrayIcon>
#include <QListView>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

using wire::encode;

namespace {

// Where the focus goes between typing a line and coming back to send it.
enum class FocusAway { UserList, TabKey, OtherWindow };

} // namespace

Q_DECLARE_METATYPE(FocusAway)

// One station, fed datagrams through its real receiving path, and its menus' commands.
class TestMainWindow final : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        look::installTranslations(QLocale::c()); // English, with its plural forms
        m_lan = std::make_unique<LocalLan>();
        m_peer = m_lan->attach();
        m_alice = startListed(*m_lan, u"alice"_s);
    }

    void cleanup()
    {
        delete AboutBox::instance();
        m_alice.reset();
        m_lan.reset();
    }

    // Lines go to their rooms in order, as plain text; a presence lists a name at
    // the end, available, and a second one leaves the availability as it was.
    // Departure and the count are test_network's; refusals are test_station's.
    void showsWhatItHears()
    {
        using wire::availability, wire::presence;
        for (const QString &message : {wire::workLine(u"w1"_s), wire::teaLine(u"t1"_s), wire::workLine(u"<b>w2</b>"_s), presence(u"bob"_s),
                                       presence(u"<b>x</b>"_s), availability(u"bob"_s, 1), presence(u"bob"_s),
                                       availability(u"<b>x</b>"_s, 1), availability(u"<b>x</b>"_s, 0)})
            receive(message);
        QCOMPARE(userList(*m_alice), u"alice:1 bob:2 <b>x</b>:1"_s);
        QCOMPARE(userCount(*m_alice), u"Connected users: 3"_s);
        QTRY_COMPARE(logLines(*m_alice, "Text1"), u"w1|<b>w2</b>"_s);
        QTRY_COMPARE(logLines(*m_alice, "Text2"), u"t1"_s);
    }

    // The designed size is the smallest. Grown, the room goes to the logs and
    // the user list, the line and the status bar stay at the bottom, and no
    // control leaves the window; back at the designed size, all stand as before.
    void windowGrows()
    {
        const QSize designed = m_alice->size();
        QCOMPARE(m_alice->minimumSize(), designed);
        const QWidget *client = m_alice->centralWidget();
        const auto places = [client] {
            QList<QRect> rects;
            for (const char *name : {"Text1", "ListView1", "Text3", "StatusBar1", "Label2", "Combo1", "Command2"}) {
                const auto *control = client->findChild<QWidget *>(QLatin1String(name));
                rects << QRect(control->mapTo(client, QPoint()), control->size());
            }
            return rects;
        };
        const QList<QRect> before = places();
        m_alice->resize(designed + QSize(300, 200));
        const QList<QRect> after = places();
        for (const QRect &place : after)
            QVERIFY(client->rect().contains(place));
        for (int taker : {0, 1})
            QVERIFY(after[taker].height() > before[taker].height());
        QVERIFY(after[0].width() > before[0].width());
        QCOMPARE(after[3].bottom(), client->rect().bottom());
        m_alice->resize(designed);
        QCOMPARE(places(), before);
    }

    // A room not shown is marked while lines arrive there; out of sight, the
    // tray counts what arrived, and both marks clear once seen.
    void nothingMissed()
    {
        auto *rooms = control<QTabWidget>(*m_alice, "SSTab1");
        receive(wire::teaLine(u"t1"_s));
        QVERIFY(!rooms->tabIcon(1).isNull() && rooms->tabIcon(0).isNull());
        QCOMPARE(rooms->tabText(1), u"Tea room"_s);
        rooms->setCurrentIndex(1);
        QVERIFY(rooms->tabIcon(1).isNull());

        m_alice->hide();
        for (const QString &line : {wire::workLine(u"w1"_s), wire::workLine(u"w2"_s), wire::teaLine(u"t2"_s)})
            receive(line);
        receive(wire::privateMessage(u"alice"_s, u"alice"_s, u"hi"_s));
        const auto tip = [this] { return m_alice->findChild<QSystemTrayIcon *>(u"TrayIcon"_s)->toolTip(); };
        QTRY_COMPARE(tip(), u"Quillet\nWork room: 2 new lines\nTea room: 1 new line\n1 new message"_s);
        m_alice->show();
        QCOMPARE(tip(), u"Quillet"_s);
    }

    // Without a tray, room lines that arrive while the window is minimised or
    // another window is active are counted in the title until the user looks.
    void titleCountsWhatArrivesUnseen_data()
    {
        QTest::addColumn<bool>("minimised");
        QTest::newRow("minimised") << true;
        QTest::newRow("another window active") << false;
    }
    void titleCountsWhatArrivesUnseen()
    {
        QFETCH(bool, minimised);
        QWidget other;
        if (minimised) {
            m_alice->showMinimized();
        } else {
            other.show();
            other.activateWindow();
            QTRY_VERIFY(other.isActiveWindow());
        }
        for (const QString &line : {wire::workLine(u"w1"_s), wire::teaLine(u"t1"_s), wire::workLine(u"w2"_s)})
            receive(line);
        QCOMPARE(m_alice->windowTitle(), u"(3) Quillet"_s);
        m_alice->showNormal();
        m_alice->activateWindow();
        QTRY_COMPARE(m_alice->windowTitle(), u"Quillet"_s);
        receive(wire::workLine(u"seen"_s));
        QCOMPARE(m_alice->windowTitle(), u"Quillet"_s);
    }

    // While Quillet is not the active application, a message or a proposal asks
    // for one notification per sender within the bound, the peer's words in its title.
    void notificationsAreBounded()
    {
        m_alice->windowCaps().setInUse([] { return false; });
        QSignalSpy notified(&m_alice->windowCaps(), &NetworkWindowCaps::notified);
        receive(wire::presence(u"bob"_s)); // each writes from a station of their own
        receive(wire::privateMessage(u"alice"_s, u"bob"_s, u"one"_s));
        receive(wire::privateMessage(u"alice"_s, u"bob"_s, u"two"_s));
        receive(wire::othelloProposal(u"alice"_s, u"bob"_s));
        for (int n = 0; n < NetworkWindowCaps::kNotificationsPerInterval + 3; ++n) {
            receive(wire::presence(u"<b>u%1</b>"_s.arg(n)));
            receive(wire::privateMessage(u"alice"_s, u"<b>u%1</b>"_s.arg(n), u"hi"_s));
        }
        QCOMPARE(notified.size(), NetworkWindowCaps::kNotificationsPerInterval);
        QCOMPARE(notified.front().front().toString(), u"Message from bob"_s);
        QCOMPARE(notified.back().front().toString(), u"Message from <b>u4</b>"_s);
    }

    // After proposing, the status bar says so, over the name warning, until
    // the answer, the time-out or the user's withdrawal; an accept after the
    // withdrawal starts nothing.
    void proposalFeedback_data()
    {
        QTest::addColumn<QString>("answer"); // a datagram, or "button" / "menu" to withdraw
        QTest::newRow("accepted") << wire::othelloAccept(u"alice"_s, u"bob"_s);
        QTest::newRow("declined") << wire::proposalDeclined(u"alice"_s, u"bob"_s);
        QTest::newRow("timed out") << QString();
        QTest::newRow("withdrawn beside the notice") << "button";
        QTest::newRow("withdrawn from the Tools menu") << "menu";
    }

    void proposalFeedback()
    {
        QFETCH(QString, answer);
        qint64 now = QDeadlineTimer::current().deadline();
        m_alice->station().setClock([&now] { return now; });
        m_alice->notices().set(StatusNotices::Notice::NameInUse, u"name warning"_s);
        m_alice->station().proposeGame(Game::Othello, u"bob"_s);
        QCOMPARE(m_alice->notices().shown(), u"Othello proposed to bob, waiting for an answer"_s);
        m_alice->station().broadcastPeriod();
        QVERIFY(!m_alice->notices().shown().contains(u"warning"_s));
        if (answer == u"button"_s) {
            QTest::mouseClick(control<QPushButton>(*m_alice, "withdrawProposal"), Qt::LeftButton);
        } else if (answer == u"menu"_s) {
            auto *tools = control<QMenu>(*m_alice, "Tools");
            tools->popup(m_alice->mapToGlobal(QPoint()));
            control<QAction>(*m_alice, "mnuWithdrawProposal")->trigger();
            tools->close();
        } else if (answer.isEmpty()) {
            now += PendingProposals::kExpiryMs + 1;
            m_alice->station().broadcastPeriod();
        } else {
            receive(answer);
        }
        QVERIFY2(!m_alice->notices().shown().contains(u"proposed"_s), qPrintable(m_alice->notices().shown()));
        QVERIFY(control<QPushButton>(*m_alice, "withdrawProposal")->isHidden());
    }

    // The station's period drops a silent user from the list; that his next
    // presence lists him again is test_station's.
    void silentUserLeavesAtThePeriod()
    {
        qint64 now = QDeadlineTimer::current().deadline();
        Station &station = m_alice->station();
        station.setClock([&now] { return now; });
        receive(wire::presence(u"bob"_s));
        QCOMPARE(userList(*m_alice), u"alice:1 bob:1"_s);
        now += Station::kSilenceMs + 1;
        receive(wire::availability(u"alice"_s, 0)); // she herself is heard on
        station.broadcastPeriod();
        QCOMPARE(userList(*m_alice), u"alice:1"_s);
    }

    void shownApartButAddressedExactly_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("shown");
        // How each name is shown is test_userroster's; here, that the list shows
        // it and acts on the exact name, and on no look-alike.
        QTest::newRow("own name in capitals") << "Alice" << "Alice";
        // A look-alike of a listed name is marked besides.
        QTest::newRow("own name with a trailing space") << "alice " << "alice\u2423\u26A0";
        QTest::newRow("own name with a no-break space") << "alice\u00a0" << "alice\u237D\u26A0";
        QTest::newRow("control characters") << "\x1b[1mbob\x07" << "\uFFFD[1mbob\uFFFD";
    }

    void shownApartButAddressedExactly()
    {
        QFETCH(QString, name);
        QFETCH(QString, shown);
        receive(wire::presence(name));
        QCOMPARE(userList(*m_alice), u"alice:1 "_s + shown + u":1"_s);
        // A right click selects the entry and opens the list's menu there.
        auto *list = control<QListView>(*m_alice, "ListView1");
        const QPoint at = list->visualRect(userEntry(*m_alice, shown)).center();
        QTest::mouseClick(list->viewport(), Qt::RightButton, {}, at);
        QContextMenuEvent menuAsked(QContextMenuEvent::Mouse, at, list->viewport()->mapToGlobal(at));
        QApplication::sendEvent(list->viewport(), &menuAsked);
        auto *menu = control<QMenu>(*m_alice, "mnuPopupList1");
        QTRY_VERIFY(menu->isVisible());
        menu->close();
        m_lan->clearSent();
        trigger("mnuProposeOthello");
        trigger("mnuProposePuissance4");
        QCOMPARE(m_lan->sent(), (QList<QByteArray>{encode(wire::othelloProposal(name, u"alice"_s)),
                                                   encode(wire::puissance4Proposal(name, u"alice"_s))}));
        receive(wire::availability(name, 1));
        QCOMPARE(userList(*m_alice), u"alice:1 "_s + shown + u":2"_s);
        receive(wire::departure(name));
        QCOMPARE(userList(*m_alice), u"alice:1"_s);
    }

    // What is heard with no frame between is shown at the next frame, in the
    // order heard, as one batch; what says nothing new asks for no frame.
    void oneFrameShowsWhatWasHeard_data()
    {
        QTest::addColumn<QString>("before"); // heard and shown first
        QTest::addColumn<QString>("frame");  // then heard within one frame
        QTest::addColumn<QString>("users");
        QTest::addColumn<int>("count"); // as the last presence left it
        QTest::addColumn<int>("frames");
        QTest::newRow("arrivals in the order heard") << "" << "p:bob p:carol a:carol p:dave p:bob" << "alice:1 bob:1 carol:2 dave:1" << 4 << 1;
        QTest::newRow("departures at both ends and inside") << "p:bob p:carol p:dave p:erin p:fay" << "d:bob d:dave d:fay d:erin"
                                                            << "alice:1 carol:1" << 6 << 1;
        QTest::newRow("gone and back goes to the end") << "p:bob p:carol" << "a:bob d:bob p:bob" << "alice:1 carol:1 bob:1" << 3 << 1;
        QTest::newRow("back, then not available") << "p:bob p:carol" << "d:bob p:bob a:bob" << "alice:1 carol:1 bob:2" << 3 << 1;
        QTest::newRow("come and gone within the frame") << "p:bob" << "p:zed a:zed d:zed a:bob" << "alice:1 bob:2" << 3 << 1;
        QTest::newRow("a repeat queues nothing") << "p:bob a:bob" << "p:bob a:bob p:alice p:bob" << "alice:1 bob:2" << 2 << 0;
    }

    void oneFrameShowsWhatWasHeard()
    {
        // "p:bob" presence, "a:bob" bob not available, "d:bob" departure; handed
        // to the station directly, so no event loop turns between them.
        const auto hear = [this](const QString &events) {
            for (const QString &event : events.split(u' ', Qt::SkipEmptyParts)) {
                const QString name = event.mid(2);
                m_alice->station().onDatagram(encode(event[0] == u'p' ? wire::presence(name)
                                                     : event[0] == u'a' ? wire::availability(name, 1) : wire::departure(name)));
            }
        };
        QFETCH(QString, before);
        QFETCH(QString, frame);
        QFETCH(int, frames);
        hear(before);
        const UserListModel *users = shownUsers(*m_alice);
        QSignalSpy inserted(users, &QAbstractItemModel::rowsInserted), flushed(users, &UserListModel::flushed);
        hear(frame);
        QCOMPARE(users->hasQueued(), frames > 0);
        QTEST(userList(*m_alice), "users");
        QFETCH(int, count);
        QCOMPARE(userCount(*m_alice), u"Connected users: %1"_s.arg(count));
        QVERIFY(inserted.count() <= 1); // arrivals as one batch
        QCOMPARE(flushed.count(), frames);
    }

    // The caret stills once nobody types, so an idle station wakes for nothing;
    // a key blinks it again, for the same time.
    void caretRestsWhenIdle()
    {
        auto *input = control<QLineEdit>(*m_alice, "Text3");
        auto *rest = control<QTimer>(*m_alice, "CaretRest");
        QTest::keyClick(input, Qt::Key_A);
        const int blinking = QApplication::cursorFlashTime();
        QVERIFY(blinking > 0 && rest->isActive());
        const int restMs = rest->interval();
        rest->start(0); // as if that long had passed
        QTRY_COMPARE(QApplication::cursorFlashTime(), 0);
        QTest::keyClick(input, Qt::Key_B);
        QCOMPARE(QApplication::cursorFlashTime(), blinking);
        QVERIFY(rest->isActive() && rest->interval() == restMs);
    }

    // Alice's own echo is not another station; a second "alice" is told of, and the chat goes on.
    void nameInUseNotice()
    {
        QCOMPARE(m_alice->notices().shown(), QString());
        auto second = startStation(*m_lan, u"alice"_s);
        QTRY_COMPARE(m_alice->notices().shown(), u"Another station on this network uses the name alice"_s);
        QCOMPARE(userList(*m_alice), u"alice:1"_s);
        m_alice->station().sendChatLine(Room::Work, u"still here"_s);
        QTRY_VERIFY(logLines(*second, "Text1").endsWith(u"still here"_s));
    }

    void sendFollowsTheTextNotTheFocus_data()
    {
        QTest::addColumn<FocusAway>("away");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("sent"); // the line's text on the wire; null: nothing sent
        QTest::newRow("user list clicked") << FocusAway::UserList << u"hi"_s << u"hi"_s;
        QTest::newRow("Tab to the rooms") << FocusAway::TabKey << u"hi"_s << u"hi"_s;
        QTest::newRow("message window opened") << FocusAway::OtherWindow << u"hi"_s << u"hi"_s;
        QTest::newRow("only spaces") << FocusAway::UserList << u"  "_s << u"  "_s;
        QTest::newRow("at most the 400 a line carries") << FocusAway::TabKey << u"hi"_s + QString(400, u'x')
                                                        << u"hi"_s + QString(398, u'x');
        QTest::newRow("empty") << FocusAway::UserList << QString() << QString();
        QTest::newRow("separator") << FocusAway::UserList << u"a"_s + wire::kSeparator << QString();
    }

    // Typed text, the focus elsewhere and back by a click: Enter sends what the
    // line holds, and only if it can be sent. Send stays as the text says throughout.
    void sendFollowsTheTextNotTheFocus()
    {
        QFETCH(FocusAway, away);
        QFETCH(QString, typed);
        QFETCH(QString, sent);
        MainWindow &a = *m_alice;
        QVERIFY(QTest::qWaitForWindowActive(&a));
        auto *input = control<QLineEdit>(a, "Text3");
        auto *send = control<QPushButton>(a, "Command2");
        auto *list = control<QListView>(a, "ListView1");
        QTRY_VERIFY(input->hasFocus());
        QTest::keyClicks(input, typed);

        switch (away) {
        case FocusAway::UserList:
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(userEntry(a, u"alice"_s)).center());
            QTRY_VERIFY(list->hasFocus());
            break;
        case FocusAway::TabKey:
            QTest::keyClick(input, Qt::Key_Tab);
            QTRY_VERIFY(!input->hasFocus());
            break;
        case FocusAway::OtherWindow:
            list->setCurrentIndex(userEntry(a, u"alice"_s));
            trigger("mnuSendMessage");
            QVERIFY(a.messageWindow() && QTest::qWaitForWindowActive(a.messageWindow()));
            a.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&a));
            break;
        }
        QCOMPARE(send->isEnabled(), !typed.isEmpty());

        QTest::mouseClick(input, Qt::LeftButton);
        QTRY_VERIFY(input->hasFocus());
        QCOMPARE(send->isEnabled(), !typed.isEmpty());
        QTest::keyClick(input, Qt::Key_Return);
        if (!sent.isNull()) {
            QCOMPARE(m_lan->sent().size(), 1);
            QVERIFY(m_lan->sent().front().endsWith("]> " + sent.toLatin1()));
            QVERIFY(input->text().isEmpty());
            QVERIFY(!send->isEnabled());
        } else {
            QVERIFY(m_lan->sent().isEmpty());
            QCOMPARE(input->text(), typed);
        }
        // Only the separator is told about; the text stays for correction.
        const auto *box = a.findChild<QMessageBox *>(u"Warning"_s);
        QCOMPARE(box ? box->windowTitle() + u' ' + box->text() : QString(),
                 typed.contains(wire::kSeparator) ? QString::fromUtf8("Warning! The charachter § is not allowed!") : QString());
    }

    // Tab 0 is the Work room, code 1 and log Text1; tab 1 the Tea room.
    void sendsToTheCurrentRoom()
    {
        MainWindow &a = *m_alice;
        for (const int tab : {1, 0}) {
            m_lan->clearSent();
            control<QTabWidget>(a, "SSTab1")->setCurrentIndex(tab);
            control<QLineEdit>(a, "Text3")->setText(u"hello"_s);
            QTest::mouseClick(control<QPushButton>(a, "Command2"), Qt::LeftButton);
            QCOMPARE(m_lan->sent().size(), 1);
            const QStringList fields = wire::split(*wire::decode(m_lan->sent().front()));
            QCOMPARE(fields[0], QString::number(tab + 1));
            // The sender's own line reaches its log only through the echo.
            QTRY_COMPARE(logLines(a, tab == 0 ? "Text1" : "Text2"), fields[1]);
            QCOMPARE(logLines(a, tab == 0 ? "Text2" : "Text1"), QString());
            trigger("mnuClearlog");
        }
    }

    void exitSendsDepartureTwice()
    {
        QSignalSpy closed(m_alice.get(), &MainWindow::stationClosed);
        trigger("mnuExitProgram");
        QCOMPARE(m_lan->sent().count(wire::encode(wire::departure(u"alice"_s))), 2);
        QCOMPARE(closed.count(), 1);
        QVERIFY(!m_alice->isVisible());
        QVERIFY(!m_alice->station().isBroadcasting());
        m_alice->close();
        QCOMPARE(m_lan->sent().count(wire::encode(wire::departure(u"alice"_s))), 2);
    }

    // The menu's commands on plain controls are in test_editmenu; here, a read-only
    // room log: only what works there is offered, and Copy leaves the log whole.
    void editMenuOnTheStationsControls()
    {
        auto &menu = *m_alice->findChild<EditMenu *>();
        receive(wire::workLine(u"in the log"_s));
        QTRY_COMPARE(logLines(*m_alice, "Text1"), u"in the log"_s);
        auto *log = control<QPlainTextEdit>(*m_alice, "Text1");
        log->selectAll();
        log->setFocus();
        QApplication::clipboard()->setText(u"old"_s);
        menu.updateItems();
        QString offered;
        for (EditMenu::Item item : {EditMenu::kCut, EditMenu::kCopy, EditMenu::kPaste, EditMenu::kClear, EditMenu::kSelectAll})
            offered += menu.item(item)->isEnabled() ? QString::number(item) : QString();
        QCOMPARE(offered, u"37"_s); // Copy, Select All
        menu.item(EditMenu::kCopy)->trigger();
        QCOMPARE(QApplication::clipboard()->text(), u"in the log"_s);
        QCOMPARE(logLines(*m_alice, "Text1"), u"in the log"_s);
    }

    // Without a tray a minimised window must stay on the task bar, or nothing could bring it back.
    void minimisingWithoutATrayKeepsTheWindow()
    {
        QVERIFY(!QSystemTrayIcon::isSystemTrayAvailable()); // none on the offscreen platform
        m_alice->showMinimized();
        QTRY_VERIFY(m_alice->isMinimized());
        QVERIFY(m_alice->isVisible());
        trigger("mnuPopRestore");
        QTRY_VERIFY(!m_alice->isMinimized());
    }

    // The read-me opens in the program's own window (its text is checked in
    // test_readmewindow), and one window serves every request.
    void helpContentsShowsTheReadme()
    {
        trigger("mnuContents");
        QPointer<ReadmeWindow> window = m_alice->findChild<ReadmeWindow *>();
        QVERIFY(window && window->isVisible());
        trigger("mnuContents");
        QCOMPARE(m_alice->findChildren<ReadmeWindow *>(), QList<ReadmeWindow *>{window});
        // Closed, it goes; the next request opens a fresh one.
        window->close();
        QTRY_VERIFY(!window);
        trigger("mnuContents");
        QVERIFY(m_alice->findChild<ReadmeWindow *>());
    }

    // Without a browser, a single note says where the page is, in text the user
    // can select, and the station goes on.
    void homePageWithoutABrowser()
    {
        QList<QUrl> asked;
        m_alice->findChild<HelpMenu *>()->setUrlOpener([&asked](const QUrl &url) {
            asked << url;
            return false;
        });
        trigger("mnuWeb");
        trigger("mnuWeb");
        QCOMPARE(asked, QList<QUrl>(2, QUrl(QLatin1String(HelpMenu::kHomePage))));
        const QList<QMessageBox *> notes = m_alice->findChildren<QMessageBox *>(u"homePageNote"_s);
        QCOMPARE(notes.size(), 1);
        QVERIFY(notes.front()->isVisible() && !notes.front()->isModal());
        QCOMPARE(notes.front()->textFormat(), Qt::PlainText);
        QVERIFY(notes.front()->text().contains(QLatin1String(HelpMenu::kHomePage)));
        QVERIFY(notes.front()->textInteractionFlags() & Qt::TextSelectableByMouse);
        receive(wire::teaLine(u"still here"_s));
        QTRY_COMPARE(logLines(*m_alice, "Text2"), u"still here"_s);
    }

    // The Help menu and the tray share one box, not modal; once closed, the next request opens a fresh one.
    void oneAboutBoxHoweverAsked()
    {
        trigger("mnuAbout");
        QPointer<AboutBox> box = AboutBox::instance();
        trigger("mnuPopAbout");
        trigger("mnuAbout");
        QCOMPARE(m_alice->findChildren<AboutBox *>(), QList<AboutBox *>{box});
        QVERIFY(box->isVisible() && !box->isModal());
        QTest::mouseClick(control<QPushButton>(*box, "cmdOK"), Qt::LeftButton);
        QTRY_VERIFY(!box);
        trigger("mnuPopAbout");
        QVERIFY(AboutBox::instance() && AboutBox::instance()->isVisible());
    }

private:
    std::unique_ptr<LocalLan> m_lan;
    std::unique_ptr<MainWindow> m_alice;
    LanPort *m_peer = nullptr;

    // Hands a message to the station as a peer would, and waits until it is heard.
    void receive(const QString &message) { sendFrom(*m_peer, encode(message)); }
    void trigger(const char *action) { m_alice->findChild<QAction *>(QLatin1String(action))->trigger(); }
};

QTEST_MAIN(TestMainWindow)
#include "test_mainwindow.moc"
