#include "dialogs/messagewindow.h"
#include "dialogs/proposalwindow.h"
#include "puissance4/puissance4game.h"
#include "puissance4/puissance4window.h"
#include "support/stations.h"
#include "wire/messages.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QSystemTrayIcon>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QString kAlone = QStringLiteral("No other station heard on this network yet");

// What the status bar and the tray's tooltip say about the network now.
QString notice(const MainWindow &station)
{
    return control<QLabel>(station, "noticePanel")->text() + u" | "_s
        + control<QSystemTrayIcon>(station, "TrayIcon")->toolTip();
}

// Types text into a widget key by key, as a keyboard of any language does.
void type(QWidget *widget, const QString &text)
{
    for (const char32_t ch : text.toUcs4())
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString::fromUcs4(&ch, 1), Qt::NoModifier);
}

} // namespace

// Several stations in one process: who each lists, what a station tells its
// user about the network, and a user whose name the wire cannot carry.
class TestNetwork final : public QObject
{
    Q_OBJECT
private slots:
    void cleanup()
    {
        for (QWidget *widget : QApplication::topLevelWidgets())
            if (qobject_cast<MessageWindow *>(widget) || qobject_cast<ProposalWindow *>(widget))
                delete widget;
    }

    // A departure lists the user off at once; the count waits for the next presence.
    void presenceAvailabilityAndDeparture()
    {
        LocalLan lan;
        auto alice = startStation(lan, u"alice"_s);
        auto bob = startStation(lan, u"bob"_s);
        QTRY_COMPARE(userList(*alice), u"alice:1 bob:1"_s);
        alice->station().broadcastPresence();
        QTRY_COMPARE(userList(*bob), u"bob:1 alice:1"_s);
        QCOMPARE(userCount(*bob), u"Connected users: 2"_s);

        control<QComboBox>(*bob, "Combo1")->setCurrentIndex(1);
        QTRY_COMPARE(userList(*alice), u"alice:1 bob:2"_s);

        alice->station().stop(); // her own period would set the count at any moment
        bob->close();
        QTRY_COMPARE(userList(*alice), u"alice:1"_s);
        QCOMPARE(userCount(*alice), u"Connected users: 2"_s);
        alice->station().forgetRecentDatagrams(); // her presence again, as a period later
        alice->station().broadcastPresence();
        QTRY_COMPARE(userCount(*alice), u"Connected users: 1"_s);
    }

    void noticesComeAndGo_data()
    {
        QTest::addColumn<QString>("failure"); // every send fails with this reason; empty: the LAN drops all
        QTest::addColumn<QString>("nobodyHears");
        QTest::newRow("sends fail") << "Network is unreachable"
                                    << "Nobody hears you: Network is unreachable. Check the cable or Wi-Fi";
        QTest::newRow("nothing comes back") << ""
                                            << "Nobody hears you: check the network and that UDP port 31313 is open";
    }

    void noticesComeAndGo()
    {
        QFETCH(QString, failure);
        LocalLan lan;
        LanPort *port = lan.attach();
        Station station(*port);
        qint64 now = 0;
        station.setClock([&now] { return now; }); // periods far apart
        const auto endPeriod = [&] {
            now += Station::kBroadcastMs;
            station.broadcastPeriod();
            QCoreApplication::processEvents(); // the LAN hands on what was sent
        };
        qputenv("USERNAME", "alice");
        station.setAvailability(0);
        station.start(stationUserName());
        GameWindows games(station);
        MainWindow alice(station, games);
        alice.start();
        station.stop();
        QTRY_COMPARE(userList(alice), u"alice:1"_s);
        // When each notice comes is test_station's; here, what the window and the tray say.
        for (int period = 0; period < HearingCheck::kAlonePeriods; ++period)
            endPeriod();
        QCOMPARE(notice(alice), kAlone + u" | Quillet\n"_s + kAlone);
        if (failure.isEmpty())
            lan.setDropEvery(1);
        else
            port->setSendFailure(failure);
        endPeriod();
        endPeriod();
        QFETCH(QString, nobodyHears);
        QCOMPARE(notice(alice), nobodyHears + u" | Quillet\n"_s + nobodyHears);

        // Back on the network, with a peer: the echo and the peer clear it all.
        lan.setDropEvery(0);
        port->setSendFailure({});
        auto bob = startStation(lan, u"bob"_s);
        endPeriod();
        QTRY_COMPARE(notice(alice), u" | Quillet"_s);
        QCOMPARE(userList(alice), u"alice:1 bob:1"_s);
    }

    // Which characters are lost is test_station's; here, how the input line
    // says so, and that it still sends what the wire carries.
    void inputLineMarksWhatArrivesAsQuestionMarks()
    {
        LocalLan lan;
        auto alice = startStation(lan, u"alice"_s);
        auto *input = control<QLineEdit>(*alice, "Text3");
        const QColor plain = input->palette().color(QPalette::Base);
        type(input, u"café ☕ €?"_s);
        QCOMPARE(input->text(), u"café ☕ €?"_s);
        QCOMPARE(input->toolTip(), u"Will arrive as \"?\": ☕"_s);
        QVERIFY(input->palette().color(QPalette::Base) != plain);

        lan.clearSent();
        QTest::keyClick(input, Qt::Key_Return);
        QCOMPARE(lan.sent().size(), 1);
        QVERIFY(wire::decode(lan.sent().front())->endsWith(u"]> café ? €?"_s));
        QTRY_VERIFY(logLines(*alice, "Text1").endsWith(u"]> café ? €?"_s));
        QCOMPARE(input->toolTip(), QString());
        QCOMPARE(input->palette().color(QPalette::Base), plain);
    }

    // A user whose name the wire carries as question marks gets a message
    // written in the window, its marks shown as typed, and plays.
    void greekNameReceivesAMarkedMessageAndPlays()
    {
        LocalLan lan;
        auto alice = startStation(lan, u"alice"_s);
        auto dimitris = startStation(lan, u"Δημήτρης"_s);
        QCOMPARE(dimitris->station().userName(), u"????????"_s);
        QCOMPARE(dimitris->notices().shown(), u"Others see your name as ????????: choose another in Tools > Preferences"_s);
        QTRY_COMPARE(userList(*alice), u"alice:1 ????????:1"_s);
        QCOMPARE(userList(*dimitris), u"????????:1"_s);

        auto *list = control<QListView>(*alice, "ListView1");
        const QPoint at = list->visualRect(userEntry(*alice, u"????????"_s)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at); // a double click's first press
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        QVERIFY(alice->messageWindow());
        auto *typed = control<QPlainTextEdit>(*alice->messageWindow(), "Text1");
        type(typed, u"ok Ω\U0001F600 é"_s);
        // Each mark covers one character that will not arrive, and nothing else.
        QStringList marked;
        for (const QTextEdit::ExtraSelection &mark : typed->extraSelections())
            marked << mark.cursor.selectedText();
        QCOMPARE(marked, QStringList({u"Ω"_s, u"\U0001F600"_s}));
        QCOMPARE(typed->toolTip(), u"Will arrive as \"?\": Ω \U0001F600"_s);
        typed->clear();
        QVERIFY(typed->extraSelections().isEmpty() && typed->toolTip().isEmpty());
        type(typed, u"γεια, é"_s);
        QTest::mouseClick(control<QPushButton>(*alice->messageWindow(), "Command1"), Qt::LeftButton);
        QTRY_VERIFY(dimitris->messageWindow());
        QCOMPARE(dimitris->messageWindow()->correspondent(), u"alice"_s);
        QCOMPARE(control<QPlainTextEdit>(*dimitris->messageWindow(), "Text2")->toPlainText(), u"????, é"_s);

        // A game: proposed to the name heard and accepted; its boards are addressed alike.
        alice->station().proposeGame(Game::Puissance4, u"????????"_s);
        QTRY_VERIFY(dimitris->proposalWindow(Game::Puissance4));
        QTest::mouseClick(control<QPushButton>(*dimitris->proposalWindow(Game::Puissance4), "Command1"), Qt::LeftButton);
        QTRY_VERIFY(alice->station().match(Game::Puissance4).isPlaying());
        QCOMPARE(alice->station().match(Game::Puissance4).opponent(), u"????????"_s);
        QCOMPARE(dimitris->station().match(Game::Puissance4).opponent(), u"alice"_s);
    }
};

QTEST_MAIN(TestNetwork)
#include "test_network.moc"
