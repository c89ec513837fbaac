// Startup benchmark: from process start until the main window is mapped on the X display,
// for Brimvault and for a floor program that only shows one QMainWindow holding a label,
// alternating the two.
// Also reports the resident memory one second after the window appeared. Prints figures; it
// asserts nothing.
//
// Usage (needs an X display, e.g. under Xvfb):
//   bench_startup [runs] [brimvault executable] [floor executable]
#include "ui/main/Captions.h"

#include "settings/LaunchSettings.h"
#include "settings/SettingsScript.h"

#include <QString>

#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

constexpr const char* kFloorTitle = "Brimvault Startup Floor";
constexpr int kTimeoutMs = 30000;

struct Sample {
    double ms = 0;
    double rssMiB = 0;
};

class Display {
public:
    Display() {
        int screenNumber = 0;
        connection_ = xcb_connect(nullptr, &screenNumber);
        if (xcb_connection_has_error(connection_)) {
            std::fprintf(stderr, "bench_startup: no X display (set DISPLAY, e.g. run under "
                                 "Xvfb)\n");
            std::exit(2);
        }
        xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(connection_));
        for (int i = 0; i < screenNumber; ++i)
            xcb_screen_next(&it);
        root_ = it.data->root;
        // Every top-level window that is created or mapped is reported to us.
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(connection_, root_, XCB_CW_EVENT_MASK, &mask);
        netWmName_ = atom("_NET_WM_NAME");
        utf8_ = atom("UTF8_STRING");
        xcb_flush(connection_);
    }
    ~Display() { xcb_disconnect(connection_); }

    void drain() {
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection_))
            std::free(event);
        watched_.clear();
    }

    // Waits until a window with this title is mapped; false on timeout.
    bool waitForWindow(const std::string& title, Clock::time_point deadline) {
        while (Clock::now() < deadline) {
            xcb_generic_event_t* event = xcb_poll_for_event(connection_);
            if (!event) {
                pollfd fd{xcb_get_file_descriptor(connection_), POLLIN, 0};
                const auto left =
                    std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
                poll(&fd, 1, static_cast<int>(std::max<long long>(1, left.count())));
                continue;
            }
            bool found = false;
            switch (event->response_type & 0x7f) {
            case XCB_MAP_NOTIFY: {
                const auto* map = reinterpret_cast<xcb_map_notify_event_t*>(event);
                if (!map->override_redirect)
                    found = mappedWithTitle(map->window, title);
                break;
            }
            case XCB_PROPERTY_NOTIFY: {
                // A title set after mapping still counts, once it is there.
                const auto* change = reinterpret_cast<xcb_property_notify_event_t*>(event);
                if (watched_.count(change->window))
                    found = windowTitle(change->window) == title;
                break;
            }
            default:
                break;
            }
            std::free(event);
            if (found)
                return true;
        }
        return false;
    }

private:
    xcb_atom_t atom(const char* name) {
        xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
            connection_,
            xcb_intern_atom(connection_, 0, static_cast<uint16_t>(std::strlen(name)), name),
            nullptr);
        xcb_atom_t result = XCB_ATOM_NONE;
        if (reply)
            result = reply->atom;
        std::free(reply);
        return result;
    }

    std::string property(xcb_window_t window, xcb_atom_t name, xcb_atom_t type) {
        xcb_get_property_reply_t* reply = xcb_get_property_reply(
            connection_, xcb_get_property(connection_, 0, window, name, type, 0, 256), nullptr);
        std::string value;
        if (reply) {
            const int length = xcb_get_property_value_length(reply);
            value.assign(static_cast<const char*>(xcb_get_property_value(reply)),
                         static_cast<size_t>(std::max(0, length)));
        }
        std::free(reply);
        return value;
    }

    std::string windowTitle(xcb_window_t window) {
        std::string title = property(window, netWmName_, utf8_);
        return title.empty() ? property(window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING) : title;
    }

    bool mappedWithTitle(xcb_window_t window, const std::string& title) {
        const uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
        xcb_change_window_attributes(connection_, window, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(connection_);
        watched_.insert(window);
        return windowTitle(window) == title;
    }

    xcb_connection_t* connection_ = nullptr;
    xcb_window_t root_ = 0;
    xcb_atom_t netWmName_ = XCB_ATOM_NONE;
    xcb_atom_t utf8_ = XCB_ATOM_NONE;
    std::set<xcb_window_t> watched_;
};

double residentMiB(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::strtod(line.c_str() + 6, nullptr) / 1024.0; // the line is in kB
    }
    return 0;
}

std::vector<char*> childEnvironment(std::vector<std::string>& storage, const fs::path& config) {
    for (char** e = environ; *e; ++e) {
        const std::string entry(*e);
        if (entry.rfind("XDG_CONFIG_HOME=", 0) != 0 && entry.rfind("QT_QPA_PLATFORM=", 0) != 0)
            storage.push_back(entry);
    }
    storage.push_back("XDG_CONFIG_HOME=" + config.string());
    storage.push_back("QT_QPA_PLATFORM=xcb");
    std::vector<char*> pointers;
    for (std::string& entry : storage)
        pointers.push_back(entry.data());
    pointers.push_back(nullptr);
    return pointers;
}

std::optional<Sample> measure(Display& display, const fs::path& program, const std::string& title,
                              const fs::path& config) {
    display.drain();
    std::vector<std::string> storage;
    std::vector<char*> env = childEnvironment(storage, config);
    std::string path = program.string();
    char* argv[] = {path.data(), nullptr};

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);

    pid_t pid = 0;
    const Clock::time_point start = Clock::now();
    const int spawned = posix_spawn(&pid, path.c_str(), &actions, nullptr, argv, env.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        std::fprintf(stderr, "bench_startup: cannot start %s: %s\n", path.c_str(),
                     std::strerror(spawned));
        return std::nullopt;
    }
    const bool shown = display.waitForWindow(title, start + std::chrono::milliseconds(kTimeoutMs));
    const Clock::time_point mapped = Clock::now();
    Sample sample;
    sample.ms = std::chrono::duration<double, std::milli>(mapped - start).count();
    if (shown) {
        std::this_thread::sleep_for(std::chrono::seconds(1));
        sample.rssMiB = residentMiB(pid);
    }
    kill(pid, SIGTERM);
    int status = 0;
    waitpid(pid, &status, 0);
    if (!shown) {
        std::fprintf(stderr, "bench_startup: \"%s\" did not appear within %d ms\n", title.c_str(),
                     kTimeoutMs);
        return std::nullopt;
    }
    return sample;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

void copyInto(const fs::path& from, const fs::path& to) {
    fs::copy(from, to, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
}

} // namespace

int main(int argc, char* argv[]) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    const fs::path brimvault = argc > 2 ? fs::path(argv[2]) : fs::path(BRIMVAULT_EXECUTABLE);
    const fs::path floor = argc > 3 ? fs::path(argv[3]) : fs::path(FLOOR_EXECUTABLE);
    const fs::path delivered = brimvault.parent_path();

    // A copy of the program directory with the delivered startup script and an existing
    // config.brv, and a per-user store where setup has been done.
    char pattern[] = "/tmp/brimvault-startup-XXXXXX";
    if (!mkdtemp(pattern)) {
        std::perror("bench_startup: mkdtemp");
        return 2;
    }
    const fs::path work(pattern);
    const fs::path program = work / "program";
    const fs::path config = work / "config";
    fs::create_directories(program);
    fs::create_directories(config / "Brimvault");
    copyInto(brimvault, program / "brimvault");
    for (const char* name : {"main.brv", "colour.brc", "help"}) {
        if (fs::exists(delivered / name))
            copyInto(delivered / name, program / name);
    }
    bv::LaunchSettings defaults;
    bv::writeSettingsScript(QString::fromStdString((program / "config.brv").string()), defaults);
    std::ofstream(config / "Brimvault" / "Brimvault.conf") << "[Misc]\nFirstrun=no\n";

    Display display;
    std::printf("Startup until the main window is mapped, %d runs each after a warm-up, "
                "alternating\n",
                runs);
    std::vector<double> floorMs, floorRss, brimMs, brimRss;
    bool ok = true;
    for (int i = -1; i < runs && ok; ++i) {
        const std::optional<Sample> f = measure(display, floor, kFloorTitle, config);
        const std::optional<Sample> b =
            measure(display, program / "brimvault", bv::mainWindowCaption().toStdString(), config);
        ok = f && b;
        if (!ok || i < 0)
            continue; // the warm-up fills the caches and counts for nothing
        std::printf("  run %2d: floor %7.1f ms %6.1f MiB   Brimvault %7.1f ms %6.1f MiB\n", i + 1,
                    f->ms, f->rssMiB, b->ms, b->rssMiB);
        floorMs.push_back(f->ms);
        floorRss.push_back(f->rssMiB);
        brimMs.push_back(b->ms);
        brimRss.push_back(b->rssMiB);
    }
    fs::remove_all(work);
    if (!ok)
        return 1;

    const double floorMedian = median(floorMs);
    const double brimMedian = median(brimMs);
    std::printf("floor (a QMainWindow with a label): median %.1f ms, resident %.1f MiB\n",
                floorMedian, median(floorRss));
    std::printf("Brimvault:                         median %.1f ms, resident %.1f MiB\n",
                brimMedian, median(brimRss));
    std::printf("ratio Brimvault / floor: %.2f (target at most 1.08); Brimvault resident "
                "memory target at most 33 MiB\n",
                brimMedian / floorMedian);
    return 0;
}
