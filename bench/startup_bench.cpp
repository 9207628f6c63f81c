// Start-up benchmark: time from process start until the program's window is mapped and
// managed by the window manager, and the resident memory 3 s later, for the bar and for a
// minimal Qt window program measured the same way in the same run. Prints both ratios.
//
// usage: startup_bench BAR_EXECUTABLE FLOOR_EXECUTABLE [RUNS]
// Runs on the current X display, which needs an EWMH window manager.

#include <xcb/xcb.h>
#include <xcb/xcb_ewmh.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <csignal>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Sample {
    double mappedMs = -1;
    long rssKiB = -1;
};

long ResidentKiB(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    return -1;
}

bool MappedWindowOf(xcb_ewmh_connection_t& ewmh, xcb_connection_t* c, pid_t pid)
{
    xcb_ewmh_get_windows_reply_t clients;
    if (!xcb_ewmh_get_client_list_reply(&ewmh, xcb_ewmh_get_client_list(&ewmh, 0), &clients, nullptr))
        return false;
    bool found = false;
    for (uint32_t i = 0; i < clients.windows_len && !found; ++i) {
        uint32_t wpid = 0;
        if (!xcb_ewmh_get_wm_pid_reply(&ewmh, xcb_ewmh_get_wm_pid(&ewmh, clients.windows[i]), &wpid, nullptr))
            continue;
        if (static_cast<pid_t>(wpid) != pid)
            continue;
        auto* attrs = xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, clients.windows[i]), nullptr);
        found = attrs && attrs->map_state == XCB_MAP_STATE_VIEWABLE;
        free(attrs);
    }
    xcb_ewmh_get_windows_reply_wipe(&clients);
    return found;
}

Sample Measure(const char* program, xcb_ewmh_connection_t& ewmh, xcb_connection_t* c)
{
    Sample s;
    const auto start = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        execl(program, program, static_cast<char*>(nullptr));
        _exit(127);
    }
    while (Clock::now() - start < std::chrono::seconds(20)) {
        if (MappedWindowOf(ewmh, c, pid)) {
            s.mappedMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
            break;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
    std::this_thread::sleep_for(std::chrono::seconds(3));
    s.rssKiB = ResidentKiB(pid);
    kill(pid, SIGTERM);
    int status = 0;
    waitpid(pid, &status, 0);
    return s;
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s BAR FLOOR [RUNS]\n", argv[0]);
        return 2;
    }
    const int runs = argc > 3 ? std::atoi(argv[3]) : 5;
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) {
        std::fprintf(stderr, "no X display\n");
        return 2;
    }
    xcb_ewmh_connection_t ewmh;
    if (!xcb_ewmh_init_atoms_replies(&ewmh, xcb_ewmh_init_atoms(c, &ewmh), nullptr))
        return 2;

    // One unmeasured start of each warms the file cache and lets the bar do its first run.
    Measure(argv[1], ewmh, c);
    Measure(argv[2], ewmh, c);

    std::vector<double> barMs, floorMs, barRss, floorRss;
    for (int i = 0; i < runs; ++i) {
        // Interleaved, so that a disturbance of the machine hits both alike.
        const Sample b = Measure(argv[1], ewmh, c);
        const Sample f = Measure(argv[2], ewmh, c);
        if (b.mappedMs < 0 || f.mappedMs < 0) {
            std::fprintf(stderr, "a window never appeared (bar %.1f, floor %.1f)\n", b.mappedMs, f.mappedMs);
            return 1;
        }
        barMs.push_back(b.mappedMs);
        floorMs.push_back(f.mappedMs);
        barRss.push_back(double(b.rssKiB));
        floorRss.push_back(double(f.rssKiB));
    }
    const double tb = Median(barMs), tf = Median(floorMs), mb = Median(barRss), mf = Median(floorRss);
    std::printf("start-up to mapped window: bar %.1f ms, floor %.1f ms, ratio %.2f (goal <= 1.50)\n", tb, tf, tb / tf);
    std::printf("idle resident memory after 3 s: bar %.0f KiB, floor %.0f KiB, ratio %.2f (goal <= 1.30)\n", mb, mf,
                mb / mf);
    std::printf("ratio startup_vs_floor %.2f\nratio idle_memory_vs_floor %.2f\n", tb / tf, mb / mf);
    xcb_ewmh_connection_wipe(&ewmh);
    xcb_disconnect(c);
    return 0;
}
