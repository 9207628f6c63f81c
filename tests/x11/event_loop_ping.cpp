// How long the running bar's event loop takes to answer: connects to its instance socket,
// sends a line that asks for nothing, and waits for the bar to hang up, which it does
// from its event loop.
// usage: event_loop_ping SOCKET COUNT    prints the longest of COUNT answers in ms
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: event_loop_ping SOCKET COUNT\n");
        return 2;
    }
    long longest = 0;
    for (int i = 0; i < std::atoi(argv[2]); ++i) {
        const int s = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, argv[1], sizeof address.sun_path - 1);
        const auto start = std::chrono::steady_clock::now();
        if (connect(s, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
            std::perror("event_loop_ping: connect");
            return 3;
        }
        if (write(s, "ping\n", 5) != 5)
            return 3;
        char buffer[64];
        while (read(s, buffer, sizeof buffer) > 0) {
        }
        const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
        close(s);
        longest = std::max<long>(longest, long(ms.count()));
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    std::printf("%ld\n", longest);
    return 0;
}
