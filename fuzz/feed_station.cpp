#include "feed_station.h"

#include "dialogs/messagewindow.h"
#include "dialogs/proposalwindow.h"
#include "games/gamewindow.h"
#include "mainwindow/mainwindow.h"
#include "mainwindow/roomlog.h"
#include "support/composedstation.h"
#include "support/locallan.h"
#include "wire/messages.h"

#include <QApplication>
#include <QMessageBox>
#include <QPixmapCache>

namespace {

constexpr char kUser[] = "alice";
// A user the station knows before any input, so availability and departure
// datagrams about a known user reach past the look-up.
constexpr char kPeer[] = "bob";

// The station, the peer every input comes from, and the LAN between them.
class Fixture
{
public:
    Fixture()
    {
        if (!QApplication::instance()) {
            static int argc = 1;
            static char name[] = "quillet_fuzz";
            static char *argv[] = {name, nullptr};
            qputenv("QT_QPA_PLATFORM", "offscreen");
            new QApplication(argc, argv);
        }
        // Qt 6.4's pixmap cache keeps the name of each pixmap it evicts, and
        // the style names its pixmaps after the palette, which every window
        // builds anew: a few hundred bytes a window, nothing for a person,
        // about 45 bytes an input for the fuzzer, without end. Without the
        // cache each input is drawn afresh.
        QPixmapCache::setCacheLimit(0);
        m_station = composeStation(*m_lan.attach(), QString::fromLatin1(kUser)).release();
        m_peer = m_lan.attach();
        m_station->start();
        m_workLog = m_station->findChild<RoomLog *>(QStringLiteral("Text1"));
        m_teaLog = m_station->findChild<RoomLog *>(QStringLiteral("Text2"));
        restore();
    }

    QStringList feed(const QByteArray &datagram)
    {
        deliver(datagram);
        const QStringList lines = roomLines();
        restore();
        return lines;
    }

private:
    void deliver(const QByteArray &datagram)
    {
        m_peer->send(datagram);
        QCoreApplication::processEvents();
    }

    QStringList roomLines() const
    {
        QStringList lines;
        for (RoomLog *log : {m_workLog, m_teaLog}) {
            log->flush(); // not a frame later: each input is judged at once
            if (!log->document()->isEmpty())
                lines += log->toPlainText().split(u'\n');
        }
        return lines;
    }

    // Everything a peer can make the station hold grows with every input
    // otherwise: the logs, the user list, the windows a datagram opens, and
    // the LAN's record of what was sent, the datagrams heard lately.
    void restore()
    {
        // Inputs repeat; each is taken as if heard for the first time.
        m_station->station().forgetRecentDatagrams();
        m_workLog->clearLog();
        m_teaLog->clearLog();
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (qobject_cast<MessageWindow *>(window) || qobject_cast<ProposalWindow *>(window)
                || qobject_cast<QMessageBox *>(window))
                delete window;
        }
        for (const Game game : kGames) {
            m_station->station().endGame(game); // a closed window no longer ends a running game
            if (GameWindow *window = m_station->gameWindow(game))
                window->close();
        }
        m_station->station().forgetUsers();
        m_station->station().link().send(wire::encode(wire::presence(QLatin1String(kUser))));
        deliver(wire::encode(wire::presence(QLatin1String(kPeer))));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        m_lan.clearSent();
    }

    LocalLan m_lan;
    MainWindow *m_station = nullptr;
    RoomLog *m_workLog = nullptr;
    RoomLog *m_teaLog = nullptr;
    LanPort *m_peer = nullptr;
};

} // namespace

QStringList feedStation(const QByteArray &datagram)
{
    // Built once and never destroyed: a fuzzer exits from inside an input,
    // and a QtTest program ends after its application is gone.
    static Fixture *fixture = new Fixture;
    return fixture->feed(datagram);
}
