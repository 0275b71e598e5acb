// The one UDP listener of the end-to-end tests and the benchmarks, run inside
// their network namespaces:
//   udplisten [-n COUNT] [-N] [-q] SECONDS [PORT [exclusive]]
// It binds PORT (default the chat port) exactly as a station binds it, or with
// "exclusive" holds it without sharing, and reads every datagram in a plain
// Qt receiving loop. Per datagram it prints one line: the time it arrived on
// the monotonic clock (milliseconds; nanoseconds with -N), the sender's
// address and the payload in hex, separated by tabs. It ends after SECONDS
// (0: never), after COUNT datagrams with -n, or on SIGTERM or SIGINT.
// With -q it prints no datagram, only how many it read when it ends: the
// bare loop a station's chat rate is compared with.
// CLOCK_MONOTONIC is one clock for the whole machine, so its times compare
// with those taken in other namespaces.
#include <QCoreApplication>
#include <QHostAddress>
#include <QNetworkDatagram>
#include <QTimer>
#include <QUdpSocket>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <unistd.h>

namespace {

constexpr quint16 kChatPort = 31313;

volatile std::sig_atomic_t g_count = 0;
bool g_quiet = false;

void printCount()
{
    std::printf("%ld\n", static_cast<long>(g_count));
    std::fflush(stdout);
}

void printCountAndExit(int)
{
    // Only async-signal-safe calls here: format by hand, write, _exit.
    if (g_quiet) {
        char text[32];
        int n = sizeof text;
        text[--n] = '\n';
        unsigned long count = static_cast<unsigned long>(g_count);
        do {
            text[--n] = char('0' + count % 10);
            count /= 10;
        } while (count != 0 && n > 0);
        (void)!write(STDOUT_FILENO, text + n, sizeof text - n);
    }
    _exit(0);
}

long long monotonicNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1000000000LL + now.tv_nsec;
}

int usage()
{
    std::fprintf(stderr, "usage: udplisten [-n COUNT] [-N] [-q] SECONDS [PORT [exclusive]]\n");
    return 64;
}

} // namespace

int main(int argc, char *argv[])
{
    long count = -1;
    bool nanoseconds = false;
    for (int option; (option = getopt(argc, argv, "n:Nq")) != -1;) {
        switch (option) {
        case 'n': count = std::atol(optarg); break;
        case 'N': nanoseconds = true; break;
        case 'q': g_quiet = true; break;
        default: return usage();
        }
    }
    if (optind >= argc)
        return usage();
    const int seconds = std::atoi(argv[optind]);
    const int port = optind + 1 < argc ? std::atoi(argv[optind + 1]) : kChatPort;
    const bool exclusive = optind + 2 < argc && std::strcmp(argv[optind + 2], "exclusive") == 0;

    QCoreApplication app(argc, argv);
    QUdpSocket socket;
    const QUdpSocket::BindMode mode = exclusive ? QUdpSocket::DontShareAddress
                                                : QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint;
    if (!socket.bind(QHostAddress::AnyIPv4, static_cast<quint16>(port), mode)) {
        std::fprintf(stderr, "udplisten: cannot bind port %d: %s\n", port, qPrintable(socket.errorString()));
        return 1;
    }
    std::signal(SIGTERM, printCountAndExit);
    std::signal(SIGINT, printCountAndExit);
    QObject::connect(&socket, &QUdpSocket::readyRead, &app, [&] {
        while (socket.hasPendingDatagrams() && g_count != count) {
            const QNetworkDatagram datagram = socket.receiveDatagram();
            if (!datagram.isValid())
                continue;
            g_count = g_count + 1;
            if (g_quiet)
                continue;
            const long long ns = monotonicNs();
            std::printf("%lld\t%s\t%s\n", nanoseconds ? ns : ns / 1000000,
                        qPrintable(datagram.senderAddress().toString()), datagram.data().toHex().constData());
            std::fflush(stdout);
        }
        if (g_count == count)
            app.quit();
    });
    if (seconds > 0)
        QTimer::singleShot(seconds * 1000, &app, &QCoreApplication::quit);
    app.exec();
    if (g_quiet)
        printCount();
    return 0;
}
