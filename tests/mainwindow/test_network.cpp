#include "dialogs/messagewindow.h"
#include "dialogs/proposalwindow.h"
#include "net/messages.h"
#include "puissance4/puissance4game.h"
#include "puissance4/puissance4window.h"
#include "support/stations.h"

#include <QApplication>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QSystemTrayIcon>
#include <QTest>

namespace {

const QString kAlone = QStringLiteral("No other station heard on this network yet");

// What the status bar and the tray's tooltip say about the network now.
QString notice(const MainWindow &station)
{
    return control<QLabel>(station, "noticePanel")->text() + " | "
        + control<QSystemTrayIcon>(station, "TrayIcon")->toolTip();
}

// Types text into a widget key by key, as a keyboard of any language does.
void type(QWidget *widget, const QString &text)
{
    for (const char32_t ch : text.toUcs4())
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString::fromUcs4(&ch, 1), Qt::NoModifier);
}

} // namespace

// What a station tells its user about the network, and a user whose name
// the wire cannot carry.
class TestNetwork final : public QObject
{
    Q_OBJECT
private slots:
    void cleanup();
    void noticesComeAndGo_data();
    void noticesComeAndGo();
    void inputLineMarksWhatArrivesAsQuestionMarks_data();
    void inputLineMarksWhatArrivesAsQuestionMarks();
    void greekNameReceivesAMarkedMessageAndPlays();
};

void TestNetwork::cleanup()
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (qobject_cast<MessageWindow *>(widget) || qobject_cast<ProposalWindow *>(widget))
            delete widget;
    }
}

void TestNetwork::noticesComeAndGo_data()
{
    QTest::addColumn<QString>("failure"); // every send fails with this reason; empty: the LAN drops all
    QTest::addColumn<QString>("nobodyHears");
    QTest::newRow("sends fail") << "Network is unreachable"
                                << "Nobody hears you: Network is unreachable. Check the cable or Wi-Fi";
    QTest::newRow("nothing comes back") << ""
                                        << "Nobody hears you: check the network and that UDP port 31313 is open";
}

void TestNetwork::noticesComeAndGo()
{
    QFETCH(QString, failure);
    LocalLan lan;
    LanPort *port = lan.attach();
    MainWindow alice(*port);
    qint64 now = 0;
    alice.station().setClock([&now] { return now; }); // periods far apart
    const auto endPeriod = [&] {
        now += Station::kBroadcastMs;
        alice.station().broadcastPeriod();
        QCoreApplication::processEvents(); // the LAN hands on what was sent
    };
    qputenv("USERNAME", "alice");
    alice.start();
    alice.station().stop();
    QTRY_COMPARE(userList(alice), QString("alice:1"));
    // When each notice comes is test_station's; here, what the window and the tray say.
    for (int period = 0; period < HearingCheck::kAlonePeriods; ++period)
        endPeriod();
    QCOMPARE(notice(alice), kAlone + " | Quillet\n" + kAlone);
    if (failure.isEmpty())
        lan.setDropEvery(1);
    else
        port->setSendFailure(failure);
    endPeriod();
    endPeriod();
    QFETCH(QString, nobodyHears);
    QCOMPARE(notice(alice), nobodyHears + " | Quillet\n" + nobodyHears);

    // Back on the network, with a peer: the echo and the peer clear it all.
    lan.setDropEvery(0);
    port->setSendFailure({});
    auto bob = startStation(lan, "bob");
    endPeriod();
    QTRY_COMPARE(notice(alice), QString(" | Quillet"));
    QCOMPARE(userList(alice), QString("alice:1 bob:1"));
}

void TestNetwork::inputLineMarksWhatArrivesAsQuestionMarks_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("hint");
    QTest::addColumn<QString>("arrives");
    QTest::newRow("Western European") << "Grüße, José €5" << "" << "Grüße, José €5";
    QTest::newRow("Greek") << "Γειά σου" << "Will arrive as \"?\": Γ ε ι ά σ ο υ" << "???? ???";
    QTest::newRow("one character") << "café ☕ ?" << "Will arrive as \"?\": ☕" << "café ? ?";
}

void TestNetwork::inputLineMarksWhatArrivesAsQuestionMarks()
{
    QFETCH(QString, typed);
    QFETCH(QString, hint);
    LocalLan lan;
    auto alice = startStation(lan, "alice");
    auto *input = control<QLineEdit>(*alice, "Text3");
    const QColor plain = input->palette().color(QPalette::Base);
    type(input, typed);
    QCOMPARE(input->text(), typed);
    QCOMPARE(input->toolTip(), hint);
    QCOMPARE(input->palette().color(QPalette::Base) != plain, !hint.isEmpty());

    // The line still goes out, as the wire carries it; the mark goes with it.
    lan.clearSent();
    QTest::keyClick(input, Qt::Key_Return);
    QCOMPARE(lan.sent().size(), 1);
    QFETCH(QString, arrives);
    QVERIFY(wire::decode(lan.sent().front())->endsWith("]> " + arrives));
    QTRY_VERIFY(logLines(*alice, "Text1").endsWith("]> " + arrives));
    QCOMPARE(input->toolTip(), QString());
    QCOMPARE(input->palette().color(QPalette::Base), plain);
}

// A user whose name the wire carries as question marks gets a message
// written in the window, its marks shown as typed, and plays.
void TestNetwork::greekNameReceivesAMarkedMessageAndPlays()
{
    LocalLan lan;
    auto alice = startStation(lan, "alice");
    auto dimitris = startStation(lan, "Δημήτρης");
    QCOMPARE(dimitris->station().userName(), QString("????????"));
    QTRY_COMPARE(userList(*alice), QString("alice:1 ????????:1"));
    QCOMPARE(userList(*dimitris), QString("????????:1"));

    auto *list = control<QListView>(*alice, "ListView1");
    const QPoint at = list->visualRect(userEntry(*alice, "????????")).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at); // a double click's first press
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    QVERIFY(alice->messageWindow());
    auto *typed = control<QPlainTextEdit>(*alice->messageWindow(), "Text1");
    type(typed, "ok Ω\U0001F600 é");
    // Each mark covers one character that will not arrive, and nothing else.
    QStringList marked;
    for (const QTextEdit::ExtraSelection &mark : typed->extraSelections())
        marked << mark.cursor.selectedText();
    QCOMPARE(marked, QStringList({"Ω", "\U0001F600"}));
    QCOMPARE(typed->toolTip(), QString("Will arrive as \"?\": Ω \U0001F600"));
    typed->clear();
    QVERIFY(typed->extraSelections().isEmpty() && typed->toolTip().isEmpty());
    type(typed, "γεια, é");
    QTest::mouseClick(control<QPushButton>(*alice->messageWindow(), "Command1"), Qt::LeftButton);
    QTRY_VERIFY(dimitris->messageWindow());
    QCOMPARE(dimitris->messageWindow()->correspondent(), QString("alice"));
    QCOMPARE(control<QPlainTextEdit>(*dimitris->messageWindow(), "Text2")->toPlainText(), QString("????, é"));

    // A game: proposed to the name heard, accepted, and moves both ways.
    alice->station().proposeGame(Game::Puissance4, "????????");
    QTRY_VERIFY(dimitris->proposalWindow(Game::Puissance4));
    QTest::mouseClick(control<QPushButton>(*dimitris->proposalWindow(Game::Puissance4), "Command1"), Qt::LeftButton);
    QTRY_VERIFY(alice->station().isPlaying(Game::Puissance4));
    QCOMPARE(alice->station().opponent(Game::Puissance4), QString("????????"));
    QCOMPARE(dimitris->station().opponent(Game::Puissance4), QString("alice"));
    const Puissance4Game &hers = alice->puissance4Window()->game();
    const Puissance4Game &his = dimitris->puissance4Window()->game();
    int discs = 0;
    for (MainWindow *mover : {alice.get(), dimitris.get()}) {
        QTest::mouseClick(control<QWidget>(*mover->puissance4Window(), "Picture1_4"), Qt::LeftButton);
        ++discs;
        QTRY_COMPARE(his.discCount(), discs);
        QTRY_COMPARE(hers.discCount(), discs);
        QCOMPARE(his.cellFields(), hers.cellFields());
    }
}

QTEST_MAIN(TestNetwork)
#include "test_network.moc"
