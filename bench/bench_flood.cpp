// What a flood costs a station: datagrams taken from a real socket into a
// room log, beside a bare loop reading the same kind of socket; and the
// memory one open message window holds. The socket is fed over the loopback
// interface only; the station itself sends on the in-process LAN.
#include "dialogs/messagewindow.h"
#include "mainwindow/mainwindow.h"
#include "station/udplink.h"
#include "support/composedstation.h"
#include "support/locallan.h"
#include "wire/messages.h"

#include <QApplication>
#include <QFile>
#include <QNetworkDatagram>
#include <QPlainTextEdit>
#include <QUdpSocket>

#include <benchmark/benchmark.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// A burst small enough for a socket's default buffer, so none is dropped.
constexpr int kBurst = 200;

// Sends bursts of chat lines to a port on 127.0.0.1.
class LoopbackSender
{
public:
    explicit LoopbackSender(quint16 port)
        : m_fd(socket(AF_INET, SOCK_DGRAM, 0))
    {
        m_to.sin_family = AF_INET;
        m_to.sin_port = htons(port);
        m_to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        m_datagram = wire::encode(wire::workLine(wire::chatLine(QStringLiteral("mallory"), QStringLiteral("12:00:00"), QStringLiteral("a line of the flood"))));
    }
    ~LoopbackSender() { close(m_fd); }
    void burst()
    {
        for (int n = 0; n < kBurst; ++n)
            sendto(m_fd, m_datagram.constData(), size_t(m_datagram.size()), 0,
                   reinterpret_cast<const sockaddr *>(&m_to), sizeof m_to);
    }

private:
    int m_fd;
    sockaddr_in m_to{};
    QByteArray m_datagram;
};

void drainUntil(const int &count, int target)
{
    while (count < target)
        QCoreApplication::processEvents(QEventLoop::AllEvents);
}

long residentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').front().toLong();
    }
    return 0;
}

// From the socket through the receiving path, the codec and the dispatcher
// into the Work room's log.
void BM_SocketToLog(benchmark::State &state)
{
    LocalLan lan;
    const auto station = composeStation(*lan.attach(), QStringLiteral("alice"));
    MainWindow &window = *station;
    window.start();
    // Receives only: this link is given to no station, so it never sends.
    UdpLink socket;
    if (!socket.bind(0)) {
        state.SkipWithError("cannot bind");
        return;
    }
    QObject::connect(&socket, &DatagramLink::datagramReceived, &window.station(), &Station::onDatagram);
    int logged = 0;
    QObject::connect(&window.station(), &Station::chatLineReceived, [&logged] { ++logged; });
    auto *log = window.findChild<QPlainTextEdit *>(QStringLiteral("Text1"));

    LoopbackSender sender(socket.localPort());
    for (auto _ : state) {
        state.PauseTiming();
        if (logged >= 20000) {
            log->clear();
            logged = 0;
        }
        sender.burst();
        state.ResumeTiming();
        drainUntil(logged, logged + kBurst);
    }
    state.SetItemsProcessed(state.iterations() * kBurst);
}
BENCHMARK(BM_SocketToLog)->Unit(benchmark::kMillisecond);

// The floor: the same socket read by a bare loop that only counts.
void BM_BareReceivingLoop(benchmark::State &state)
{
    QUdpSocket socket;
    if (!socket.bind(QHostAddress::AnyIPv4, 0, QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint)) {
        state.SkipWithError("cannot bind");
        return;
    }
    int taken = 0;
    QObject::connect(&socket, &QUdpSocket::readyRead, [&socket, &taken] {
        while (socket.hasPendingDatagrams()) {
            if (socket.receiveDatagram().isValid())
                ++taken;
        }
    });
    LoopbackSender sender(socket.localPort());
    for (auto _ : state) {
        state.PauseTiming();
        sender.burst();
        state.ResumeTiming();
        drainUntil(taken, taken + kBurst);
    }
    state.SetItemsProcessed(state.iterations() * kBurst);
}
BENCHMARK(BM_BareReceivingLoop)->Unit(benchmark::kMillisecond);

// Resident memory each open, painted message window adds.
void BM_MessageWindowMemory(benchmark::State &state)
{
    constexpr int kWindows = 20;
    LocalLan lan;
    const auto station = composeStation(*lan.attach(), QStringLiteral("alice"));
    MainWindow &window = *station;
    window.start();
    QApplication::processEvents();
    for (auto _ : state) {
        const long before = residentKiB();
        QList<MessageWindow *> windows;
        for (int n = 0; n < kWindows; ++n) {
            auto *message = new MessageWindow(window.station(), &window);
            message->openReceived(QStringLiteral("sender %1").arg(n), QString(wire::kMaxTypedText, u'x'), QStringLiteral("12:00:00"));
            windows << message;
        }
        for (int n = 0; n < 10; ++n)
            QApplication::processEvents();
        state.counters["KiB_per_window"] = double(residentKiB() - before) / kWindows;
        qDeleteAll(windows);
        QApplication::processEvents();
    }
}
BENCHMARK(BM_MessageWindowMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
