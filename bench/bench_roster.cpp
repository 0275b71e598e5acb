// What the user list costs the station when few or very many users are
// listed. A presence is found by hash in the roster and in the list, so its
// cost should not depend on how many are listed; an arrival or departure has
// the list laid out again, which does.
#include "mainwindow/mainwindow.h"
#include "mainwindow/userlistmodel.h"
#include "support/composedstation.h"
#include "support/locallan.h"
#include "wire/messages.h"

#include <QApplication>
#include <QElapsedTimer>

#include <benchmark/benchmark.h>

#include <malloc.h>

namespace {

QByteArray presenceOf(int n)
{
    return wire::encode(wire::presence(QStringLiteral("user %1").arg(n)));
}

// A shown station with `listed` users besides its own.
struct Listing {
    LocalLan lan;
    const std::unique_ptr<MainWindow> station = composeStation(*lan.attach(), QStringLiteral("alice"));
    MainWindow &window = *station;
    explicit Listing(benchmark::State &state, int listed)
    {
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
    const QByteArray presence = wire::encode(wire::presence(QStringLiteral("newcomer")));
    const QByteArray departure = wire::encode(wire::departure(QStringLiteral("newcomer")));
    for (auto _ : state) {
        station.window.station().onDatagram(presence);
        QApplication::processEvents();
        station.window.station().onDatagram(departure);
        QApplication::processEvents();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_UserArrivesAndLeaves)->ArgName("listed")->Arg(10)->Arg(50000)->Unit(benchmark::kMicrosecond);

// What a segment of idle stations sends in one period: each one's presence
// and availability, as the wire carries them.
QList<QByteArray> segmentPeriod(int stations)
{
    QList<QByteArray> period;
    for (int n = 0; n < stations; ++n) {
        const QString name = QStringLiteral("station%1").arg(n, 5, 10, QLatin1Char('0'));
        period << wire::encode(wire::presence(name)) << wire::encode(wire::availability(name, 0));
    }
    return period;
}

// A new station joining a segment of range(0) stations: from its start until
// it lists them all. On a real segment the last one is heard at most one
// period (5 s) after start; this measures the processing on top of it, the
// period's datagrams taken a frame's worth at a time (2,000 a second make 60
// a frame), each frame applied and painted. longest_frame_ms is the longest
// the window is kept from answering input.
void BM_JoinSegment(benchmark::State &state)
{
    constexpr int kPerFrame = 60;
    const QList<QByteArray> period = segmentPeriod(int(state.range(0)));
    double longestMs = 0;
    double processingMs = 0;
    for (auto _ : state) {
        QElapsedTimer sinceStart;
        sinceStart.start();
        LocalLan lan;
        const auto station = composeStation(*lan.attach(), QStringLiteral("alice"));
        MainWindow &window = *station;
        window.start();
        auto *users = window.findChild<UserListModel *>();
        for (qsizetype k = 0; k < period.size(); k += kPerFrame) {
            QElapsedTimer frame;
            frame.start();
            for (qsizetype d = k; d < std::min(period.size(), k + kPerFrame); ++d)
                window.station().onDatagram(period[d]);
            users->flush();
            QApplication::processEvents();
            longestMs = std::max(longestMs, frame.nsecsElapsed() / 1e6);
        }
        if (users->rowCount() < state.range(0))
            state.SkipWithError("not every station was listed");
        processingMs = sinceStart.nsecsElapsed() / 1e6;
    }
    state.counters["join_s"] = Station::kBroadcastMs / 1000.0 + processingMs / 1000;
    state.counters["processing_ms"] = processingMs;
    state.counters["longest_frame_ms"] = longestMs;
}
BENCHMARK(BM_JoinSegment)->ArgName("stations")->Arg(5000)->Unit(benchmark::kMillisecond)->Iterations(3);

// The memory a listed user holds, in the roster, the list and the view: the
// heap in use before and after listing range(0) users, per user.
void BM_MemoryPerListedUser(benchmark::State &state)
{
    const QList<QByteArray> period = segmentPeriod(int(state.range(0)));
    for (auto _ : state) {
        LocalLan lan;
        const auto station = composeStation(*lan.attach(), QStringLiteral("alice"));
        MainWindow &window = *station;
        window.start();
        auto *users = window.findChild<UserListModel *>();
        users->flush();
        QApplication::processEvents();
        malloc_trim(0);
        const size_t before = mallinfo2().uordblks;
        for (const QByteArray &datagram : period)
            window.station().onDatagram(datagram);
        users->flush();
        QApplication::processEvents();
        const size_t after = mallinfo2().uordblks;
        state.counters["bytes_per_user"] = double(after - before) / double(state.range(0));
    }
}
BENCHMARK(BM_MemoryPerListedUser)->ArgName("users")->Arg(5000)->Arg(50000)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
