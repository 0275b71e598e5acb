// Small network helpers for bench/compare.sh, run inside its namespaces:
//   benchnet exec STAMPFILE PROGRAM [ARGS...]  write the monotonic time, then become PROGRAM
//   benchnet flood RATE SECONDS [ADDRESS [TO [SENDERS]]]
//                                              broadcast chat lines at RATE a second
//                                              (0: as fast as it can), or send them to
//                                              ADDRESS; with TO, private messages to
//                                              the user TO instead, from SENDERS names
//                                              in turn (1: mallory only); prints how many
//   benchnet segment STATIONS SECONDS          broadcast what STATIONS stations with
//                                              distinct names send while idle: each its
//                                              presence and availability once per 5 s
//                                              period, spread evenly; prints how many
// CLOCK_MONOTONIC is one clock for the whole machine, so a time written by
// exec in one namespace and one printed by tests/e2e/udplisten -N in another
// compare.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

namespace {

constexpr int kChatPort = 31313;

long long monotonicNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1000000000LL + now.tv_nsec;
}

// A datagram socket that may broadcast, and the chat port's broadcast address.
int broadcastSocket(sockaddr_in &to)
{
    const int fd = socket(AF_INET, SOCK_DGRAM, 0);
    const int on = 1;
    setsockopt(fd, SOL_SOCKET, SO_BROADCAST, &on, sizeof on);
    to = {};
    to.sin_family = AF_INET;
    to.sin_port = htons(kChatPort);
    to.sin_addr.s_addr = htonl(INADDR_BROADCAST);
    return fd;
}

int usage()
{
    std::fprintf(stderr, "usage: benchnet exec STAMPFILE PROGRAM [ARGS...]\n"
                         "       benchnet flood RATE SECONDS [ADDRESS [TO [SENDERS]]]\n"
                         "       benchnet segment STATIONS SECONDS\n");
    return 64;
}

int execStamped(int argc, char **argv)
{
    if (argc < 4)
        return usage();
    FILE *stamp = std::fopen(argv[2], "w");
    if (!stamp) {
        std::perror(argv[2]);
        return 1;
    }
    std::fprintf(stamp, "%lld\n", monotonicNs());
    std::fclose(stamp);
    execvp(argv[3], argv + 3);
    std::perror(argv[3]);
    return 127;
}

int flood(int argc, char **argv)
{
    if (argc < 4)
        return usage();
    const double rate = std::atof(argv[2]);
    const double seconds = std::atof(argv[3]);
    sockaddr_in to{};
    const int fd = broadcastSocket(to);
    if (argc > 4 && inet_pton(AF_INET, argv[4], &to.sin_addr) != 1)
        return usage();
    const char *recipient = argc > 5 ? argv[5] : nullptr;
    const long senders = argc > 6 ? std::max(1L, std::atol(argv[6])) : 1;

    const long long start = monotonicNs();
    const long long end = start + static_cast<long long>(seconds * 1e9);
    long sent = 0;
    long failed = 0;
    char line[256];
    for (long long now = start; now < end; now = monotonicNs()) {
        // Paced by the clock rather than by sleeps, so a late wake-up is made
        // up at once and the average rate holds.
        const long due = rate > 0 ? static_cast<long>((now - start) * rate / 1e9) + 1 : sent + failed + 64;
        while (sent + failed < due) {
            // A work-room chat line, "1§[mallory,12:00:00]> …", or a private
            // message, "6§TO§mallory§…", in Windows-1252.
            const int n = recipient
                ? std::snprintf(line, sizeof line, "6\xa7%.64s\xa7mallory%ld\xa7message %ld of the flood", recipient,
                                sent % senders, sent)
                : std::snprintf(line, sizeof line, "1\xa7[mallory,12:00:00]> line %ld of the flood", sent);
            if (sendto(fd, line, n, 0, reinterpret_cast<sockaddr *>(&to), sizeof to) == n)
                ++sent;
            else
                ++failed;
        }
        if (rate > 0) {
            timespec pause{0, 100000};
            nanosleep(&pause, nullptr);
        }
    }
    const double took = (monotonicNs() - start) / 1e9;
    std::printf("%ld %ld %.3f\n", sent, failed, took);
    close(fd);
    return 0;
}

// A segment of idle stations: station k announces itself at k / STATIONS of
// each period, so the receiver hears an even stream of 0.4 x STATIONS
// datagrams a second, as on a real segment.
int segment(int argc, char **argv)
{
    if (argc < 4)
        return usage();
    constexpr long long kPeriodNs = 5000000000LL; // a station's broadcast period
    const long stations = std::max(1L, std::atol(argv[2]));
    const double seconds = std::atof(argv[3]);
    sockaddr_in to{};
    const int fd = broadcastSocket(to);

    const long long start = monotonicNs();
    const long long end = start + static_cast<long long>(seconds * 1e9);
    long announced = 0; // stations announced so far, over every period
    long sent = 0;
    long failed = 0;
    char line[64];
    for (long long now = start; now < end; now = monotonicNs()) {
        const long due = static_cast<long>((now - start) * stations / kPeriodNs) + 1;
        for (; announced < due; ++announced) {
            const long station = announced % stations;
            // "3§station00042§" then "10§station00042§0§", in Windows-1252.
            for (const char *format : {"3\xa7station%05ld\xa7", "10\xa7station%05ld\xa7" "0\xa7"}) {
                const int n = std::snprintf(line, sizeof line, format, station);
                if (sendto(fd, line, size_t(n), 0, reinterpret_cast<sockaddr *>(&to), sizeof to) == n)
                    ++sent;
                else
                    ++failed;
            }
        }
        timespec pause{0, 200000};
        nanosleep(&pause, nullptr);
    }
    const double took = (monotonicNs() - start) / 1e9;
    std::printf("%ld %ld %.3f\n", sent, failed, took);
    close(fd);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2)
        return usage();
    const std::string command = argv[1];
    if (command == "exec")
        return execStamped(argc, argv);
    if (command == "flood")
        return flood(argc, argv);
    if (command == "segment")
        return segment(argc, argv);
    return usage();
}
