// How much a chat line costs the station: appended to a room log that is
// short or very long, and taken from the wire into a log by the dispatcher.
#include "mainwindow/mainwindow.h"
#include "support/composedstation.h"
#include "support/locallan.h"
#include "wire/messages.h"

#include <QApplication>
#include <QPlainTextEdit>

#include <benchmark/benchmark.h>

namespace {

QByteArray chatDatagram(int n)
{
    return wire::encode(wire::workLine(wire::chatLine(QStringLiteral("bob"), QStringLiteral("10:00:00"), QStringLiteral("line %1").arg(n))));
}

struct Running {
    LocalLan lan;
    const std::unique_ptr<MainWindow> station = composeStation(*lan.attach(), QStringLiteral("alice"));
    MainWindow &window = *station;
    Running()
    {
        window.start();
    }
    void receive(const QByteArray &datagram) { window.station().onDatagram(datagram); }
    void fill(int lines)
    {
        for (int n = 0; n < lines; ++n)
            receive(chatDatagram(n));
    }
};

// One received chat line into a log that already holds `state.range(0)` lines.
void BM_AppendChatLine(benchmark::State &state)
{
    const int size = int(state.range(0));
    Running station;
    station.fill(size);
    QApplication::processEvents();
    int n = 0;
    for (auto _ : state) {
        station.receive(chatDatagram(n++));
        if (n % 1000 == 0) {
            // Back to its size now and then, so the short log stays short.
            state.PauseTiming();
            if (size < 1000) {
                station.window.findChild<QPlainTextEdit *>(QStringLiteral("Text1"))->clear();
                station.fill(size);
            }
            QApplication::processEvents();
            state.ResumeTiming();
        }
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_AppendChatLine)->Arg(10)->Arg(100000)->Unit(benchmark::kMicrosecond);

// Whole datagrams through the dispatcher: decode, validate, append.
void BM_DispatchChatDatagrams(benchmark::State &state)
{
    Running station;
    QList<QByteArray> datagrams;
    for (int n = 0; n < 1000; ++n)
        datagrams << chatDatagram(n);
    for (auto _ : state) {
        for (const QByteArray &datagram : std::as_const(datagrams))
            station.receive(datagram);
        QApplication::processEvents();
    }
    state.SetItemsProcessed(state.iterations() * datagrams.size());
}
BENCHMARK(BM_DispatchChatDatagrams)->Unit(benchmark::kMillisecond);

} // namespace
