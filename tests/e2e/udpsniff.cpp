// Listens on the chat port beside the stations and prints every datagram
// heard, one line each: the time it arrived (milliseconds of the monotonic
// clock), the sender's address and the payload in hex, separated by tabs.
// With a third argument "exclusive" it holds the port without sharing it.
// Used by the end-to-end script inside its own network namespaces.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

int main(int argc, char **argv)
{
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 10;
    const int port = argc > 2 ? std::atoi(argv[2]) : 31313;
    const int fd = socket(AF_INET, SOCK_DGRAM, 0);
    const bool exclusive = argc > 3 && std::string(argv[3]) == "exclusive";
    const int on = 1;
    if (!exclusive)
        setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_ANY);
    if (bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0) {
        std::perror("bind");
        return 1;
    }
    timeval tick{0, 200000};
    setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &tick, sizeof tick);
    const time_t end = time(nullptr) + seconds;
    unsigned char buffer[65536];
    while (time(nullptr) < end) {
        sockaddr_in from{};
        socklen_t length = sizeof from;
        const ssize_t n = recvfrom(fd, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr *>(&from), &length);
        if (n < 0)
            continue;
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        const long long ms = now.tv_sec * 1000LL + now.tv_nsec / 1000000;
        std::printf("%lld\t%s\t", ms, inet_ntoa(from.sin_addr));
        for (ssize_t i = 0; i < n; ++i)
            std::printf("%02x", buffer[i]);
        std::printf("\n");
        std::fflush(stdout);
    }
    close(fd);
    return 0;
}
