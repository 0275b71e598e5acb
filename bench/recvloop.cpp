// The bare receiving loop a station's chat rate is compared with: the chat
// port bound exactly as a station binds it, every datagram read and counted,
// nothing else. On SIGTERM or SIGINT it prints the count and ends.
#include <QCoreApplication>
#include <QHostAddress>
#include <QNetworkDatagram>
#include <QUdpSocket>

#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace {

volatile std::sig_atomic_t g_count = 0;

void printCountAndExit(int)
{
    // Only async-signal-safe calls here: format by hand, write, _exit.
    char text[32];
    int n = sizeof text;
    text[--n] = '\n';
    unsigned long count = static_cast<unsigned long>(g_count);
    do {
        text[--n] = char('0' + count % 10);
        count /= 10;
    } while (count != 0 && n > 0);
    (void)!write(STDOUT_FILENO, text + n, sizeof text - n);
    _exit(0);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QUdpSocket socket;
    if (!socket.bind(QHostAddress::AnyIPv4, 31313, QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint)) {
        std::fprintf(stderr, "recvloop: cannot bind port 31313: %s\n", qPrintable(socket.errorString()));
        return 2;
    }
    std::signal(SIGTERM, printCountAndExit);
    std::signal(SIGINT, printCountAndExit);
    QObject::connect(&socket, &QUdpSocket::readyRead, [&socket] {
        while (socket.hasPendingDatagrams()) {
            if (socket.receiveDatagram().isValid())
                g_count = g_count + 1;
        }
    });
    return app.exec();
}
