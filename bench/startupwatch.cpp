// Times programs' start from outside, on an X server: from the spawn of the process until its first
// top-level window is mapped (the X server's MapNotify), and until the program first draws into that
// window (the DAMAGE extension's first report). Runs the programs in turns, after a warm-up round,
// each in a fresh empty XDG_DATA_HOME, and prints each one's median, minimum and maximum and the
// ratio of the medians against the first program, and of the last against each one between.
//
//   startupwatch RUNS PROGRAM1 PROGRAM2 [PROGRAM3 ...]
//
// A program is one path; it gets no arguments. Uses only libxcb, so that the watcher itself starts
// nothing that would disturb the timing.
#include <xcb/xcb.h>
#include <xcb/xcbext.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <optional>
#include <poll.h>
#include <set>
#include <signal.h>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace {

double nowMs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

[[noreturn]] void fail(const std::string &what) {
    std::fprintf(stderr, "startupwatch: %s\n", what.c_str());
    std::exit(2);
}

// The DAMAGE extension, spoken directly (two requests) so that no development package beyond
// libxcb's is needed.
xcb_extension_t damageExtension{"DAMAGE", 0};

struct Damage {
    uint8_t opcode = 0;
    uint8_t firstEvent = 0;
    bool present = false;
};

Damage initDamage(xcb_connection_t *c) {
    Damage d;
    const char name[] = "DAMAGE";
    auto *reply = xcb_query_extension_reply(c, xcb_query_extension(c, sizeof name - 1, name), nullptr);
    if (!reply)
        return d;
    d.present = reply->present;
    d.opcode = reply->major_opcode;
    d.firstEvent = reply->first_event;
    free(reply);
    if (!d.present)
        return d;
    // DamageQueryVersion (minor 0): version 1.1.
    struct {
        uint8_t major, minor;
        uint16_t length;
        uint32_t clientMajor, clientMinor;
    } req{d.opcode, 0, 3, 1, 1};
    iovec parts[3];
    parts[2].iov_base = &req;
    parts[2].iov_len = sizeof req;
    xcb_protocol_request_t pr{1, &damageExtension, 0, 0};
    const unsigned seq = xcb_send_request(c, XCB_REQUEST_CHECKED, parts + 2, &pr);
    xcb_generic_error_t *err = nullptr;
    void *rep = xcb_wait_for_reply(c, seq, &err);
    free(rep);
    if (err) {
        free(err);
        d.present = false;
    }
    return d;
}

// DamageCreate (minor 1), level ReportNonEmpty: one event when the window's damage becomes
// non-empty, that is, at its first drawing.
void watchDamage(xcb_connection_t *c, const Damage &d, xcb_window_t window) {
    struct {
        uint8_t major, minor;
        uint16_t length;
        uint32_t damage, drawable;
        uint8_t level, pad[3];
    } req{d.opcode, 1, 4, xcb_generate_id(c), window, 3, {0, 0, 0}};
    iovec parts[3];
    parts[2].iov_base = &req;
    parts[2].iov_len = sizeof req;
    xcb_protocol_request_t pr{1, &damageExtension, 1, 1};
    xcb_send_request(c, 0, parts + 2, &pr);
    xcb_flush(c);
}

struct Times {
    double map = -1;
    double paint = -1;
    double cpu = -1; // user and system time of the process, killed at once after its first paint
    long rssKb = -1;
};

long residentKb(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::atol(line.c_str() + 6);
    }
    return -1;
}

Times runOnce(xcb_connection_t *c, const Damage &damage, const std::string &program, bool measureRss) {
    char dirTemplate[] = "/tmp/startupwatch.XXXXXX";
    if (!mkdtemp(dirTemplate))
        fail("cannot make a temporary folder");
    const std::string dataHome = std::string("XDG_DATA_HOME=") + dirTemplate;

    std::vector<std::string> envText;
    for (char **e = environ; *e; ++e) {
        if (std::strncmp(*e, "XDG_DATA_HOME=", 14) != 0)
            envText.emplace_back(*e);
    }
    envText.push_back(dataHome);
    std::vector<char *> envp;
    for (auto &s : envText)
        envp.push_back(s.data());
    envp.push_back(nullptr);
    std::string path = program;
    char *argv[] = {path.data(), nullptr};

    // Drain what earlier runs left.
    while (xcb_generic_event_t *e = xcb_poll_for_event(c))
        free(e);

    Times t;
    pid_t pid = 0;
    // The programs' own messages would only mix with the report.
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&quiet, 2, "/dev/null", O_WRONLY, 0);
    const double start = nowMs();
    const int spawned = posix_spawn(&pid, path.c_str(), &quiet, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&quiet);
    if (spawned != 0)
        fail("cannot start " + program);

    std::set<xcb_window_t> created;
    xcb_window_t mapped = XCB_NONE;
    const int fd = xcb_get_file_descriptor(c);
    double deadline = start + 20000;
    while (nowMs() < deadline && t.paint < 0) {
        xcb_generic_event_t *e = xcb_poll_for_event(c);
        if (!e) {
            if (xcb_connection_has_error(c))
                fail("the X connection broke");
            pollfd p{fd, POLLIN, 0};
            const int wait = int(std::max(1.0, deadline - nowMs()));
            poll(&p, 1, wait);
            continue;
        }
        const double at = nowMs() - start;
        const uint8_t type = e->response_type & 0x7f;
        if (type == XCB_CREATE_NOTIFY) {
            auto *ev = reinterpret_cast<xcb_create_notify_event_t *>(e);
            if (!ev->override_redirect) {
                created.insert(ev->window);
                if (damage.present)
                    watchDamage(c, damage, ev->window);
            }
        } else if (type == XCB_MAP_NOTIFY) {
            auto *ev = reinterpret_cast<xcb_map_notify_event_t *>(e);
            if (!ev->override_redirect && mapped == XCB_NONE && created.count(ev->window)) {
                mapped = ev->window;
                t.map = at;
                if (!damage.present)
                    deadline = nowMs(); // no paint figure without the extension
            }
        } else if (damage.present && type == damage.firstEvent) {
            // DamageNotify: drawable at offset 4.
            uint32_t drawable = 0;
            std::memcpy(&drawable, reinterpret_cast<const char *>(e) + 4, 4);
            if (mapped != XCB_NONE && drawable == mapped)
                t.paint = at;
        }
        free(e);
    }
    if (measureRss && t.map >= 0) {
        // Resident memory once the start has settled.
        usleep(700 * 1000);
        t.rssKb = residentKb(pid);
    }
    kill(pid, SIGKILL);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    t.cpu = double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
            double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
    std::filesystem::remove_all(dirTemplate);
    if (t.map < 0)
        fail(program + " showed no window");
    return t;
}

struct Stats {
    double median, min, max;
};

Stats stats(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    const double median = n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
    return {median, v.front(), v.back()};
}

} // namespace

int main(int argc, char **argv) {
    if (argc < 4)
        fail("usage: startupwatch RUNS PROGRAM1 PROGRAM2 [...]");
    const int runs = std::atoi(argv[1]);
    if (runs < 1)
        fail("RUNS must be a positive number");
    std::vector<std::string> programs(argv + 2, argv + argc);

    xcb_connection_t *c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c))
        fail("cannot open the X display");
    const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, screen->root, XCB_CW_EVENT_MASK, &mask);
    const Damage damage = initDamage(c);
    xcb_flush(c);

    const size_t n = programs.size();
    std::vector<std::vector<double>> maps(n), paints(n), cpus(n);
    std::vector<long> rss(n, -1);
    // Warm-up round (also the one that measures resident memory), then the timed runs in turns.
    for (size_t p = 0; p < n; ++p)
        rss[p] = runOnce(c, damage, programs[p], true).rssKb;
    for (int r = 0; r < runs; ++r) {
        for (size_t i = 0; i < n; ++i) {
            // Alternate which program goes first, so that neither always follows the other.
            const size_t p = (r % 2) ? n - 1 - i : i;
            const Times t = runOnce(c, damage, programs[p], false);
            maps[p].push_back(t.map);
            cpus[p].push_back(t.cpu);
            if (t.paint >= 0)
                paints[p].push_back(t.paint);
        }
    }

    std::printf("%d runs of each program in turns, after a warm-up round; times in ms from the spawn\n",
                runs);
    std::printf("%-14s %-28s %-28s %-28s %s\n", "", "mapped: median (min-max)", "painted: median (min-max)",
                "CPU to paint: median (min-max)", "RSS MB");
    std::vector<Stats> mapStats, paintStats, cpuStats;
    auto row = [](const Stats &st) {
        char text[64];
        std::snprintf(text, sizeof text, "%7.1f (%6.1f-%6.1f)", st.median, st.min, st.max);
        return std::string(text);
    };
    auto name = [&](size_t p) { return std::filesystem::path(programs[p]).filename().string(); };
    for (size_t p = 0; p < n; ++p) {
        mapStats.push_back(stats(maps[p]));
        paintStats.push_back(paints[p].empty() ? Stats{-1, -1, -1} : stats(paints[p]));
        cpuStats.push_back(stats(cpus[p]));
        std::printf("%-14s %-28s %-28s %-28s %6.1f\n", name(p).c_str(), row(mapStats[p]).c_str(),
                    row(paintStats[p]).c_str(), row(cpuStats[p]).c_str(), double(rss[p]) / 1024);
    }
    for (size_t p = 1; p < n; ++p) {
        std::printf("ratio %s / %s: mapped %.2f x, painted %.2f x, CPU %.2f x; RSS %+.1f MB\n",
                    name(p).c_str(), name(0).c_str(), mapStats[p].median / mapStats[0].median,
                    paintStats[p].median / paintStats[0].median, cpuStats[p].median / cpuStats[0].median,
                    double(rss[p] - rss[0]) / 1024);
    }
    // The last program against each of the others between: against a floor that draws text too.
    for (size_t p = 1; p + 1 < n; ++p) {
        std::printf("ratio %s / %s: mapped %.2f x, painted %.2f x, CPU %.2f x\n", name(n - 1).c_str(),
                    name(p).c_str(), mapStats[n - 1].median / mapStats[p].median,
                    paintStats[n - 1].median / paintStats[p].median,
                    cpuStats[n - 1].median / cpuStats[p].median);
    }
    xcb_disconnect(c);
    return 0;
}
