// What the user list costs the station when few or very many users are
// listed. A presence is found by hash in the roster and in the list, so its
// cost should not depend on how many are listed; an arrival or departure has
// the list laid out again, which does.
#include "support/locallan.h"
#include "mainwindow/mainwindow.h"
#include "net/messages.h"

#include <QApplication>

#include <benchmark/benchmark.h>

namespace {

QByteArray presenceOf(int n)
{
    return wire::encode(wire::presence(QStringLiteral("user %1").arg(n)));
}

// A shown station with `listed` users besides its own.
struct Listing {
    LocalLan lan;
    MainWindow window{*lan.attach()};
    explicit Listing(benchmark::State &state, int listed)
    {
        qputenv("USERNAME", "alice");
        window.start();
        for (int n = 0; n < listed; ++n)
            window.station().onDatagram(presenceOf(n));
        QApplication::processEvents();
        if (window.station().users().size() <= listed)
            state.SkipWithError("not every user was listed");
    }
};

// One presence of a listed user: range(0) users listed, presences from the
// first range(1) of them in turn (all of them, or the same few, as a LAN's
// real users among names a host invents).
void BM_PresenceOfAListedUser(benchmark::State &state)
{
    Listing station(state, int(state.range(0)));
    QList<QByteArray> presences;
    for (int n = 0; n < state.range(1); ++n)
        presences << presenceOf(n);
    qsizetype next = 0;
    for (auto _ : state) {
        station.window.station().onDatagram(presences[next]);
        next = (next + 1) % presences.size();
        if (next % 1000 == 0) {
            state.PauseTiming();
            QApplication::processEvents();
            state.ResumeTiming();
        }
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PresenceOfAListedUser)
    ->ArgNames({"listed", "announcing"})
    ->Args({10, 10})
    ->Args({50000, 50000})
    ->Args({50000, 10})
    ->Unit(benchmark::kMicrosecond);

// A new user listed and gone again, with the list laid out after each.
void BM_UserArrivesAndLeaves(benchmark::State &state)
{
    Listing station(state, int(state.range(0)));
    const QByteArray presence = wire::encode(wire::presence("newcomer"));
    const QByteArray departure = wire::encode(wire::departure("newcomer"));
    for (auto _ : state) {
        station.window.station().onDatagram(presence);
        QApplication::processEvents();
        station.window.station().onDatagram(departure);
        QApplication::processEvents();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_UserArrivesAndLeaves)->ArgName("listed")->Arg(10)->Arg(50000)->Unit(benchmark::kMicrosecond);

} // namespace
