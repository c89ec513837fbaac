// Startup benchmark: from process start until the main window is mapped on the X display,
// for Brimvault, for a floor program that only shows one QMainWindow holding a label and,
// optionally, for another build of Brimvault, taking turns run by run in rounds. The time comes
// from the X server's map event, so it resolves a fraction of a millisecond however slow the
// machine; a tool that polls for the window cannot resolve less than its polling cycle.
// Both a first start and a returning player (a saved config.brv with a few settings changed)
// are timed, each run with a fresh home folder as a new player has. Also reports the resident
// memory one second after the window appeared. Prints figures; it asserts nothing.
//
// Usage (needs an X display, e.g. under Xvfb, and a session bus as a desktop has):
//   bench_startup [runs] [brimvault executable] [floor executable]
//                 [--rounds N] [--against other-brimvault-executable]
#include "settings/LaunchSettings.h"
#include "settings/SettingsScript.h"

#include <QString>

#include <xcb/xcb.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
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

    // Waits until a window whose title begins with this text is mapped; false on timeout.
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
                    found = windowTitle(change->window).rfind(title, 0) == 0;
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
        return windowTitle(window).rfind(title, 0) == 0;
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

// A new player's home: every per-user folder is inside it and empty.
std::vector<std::string> freshHomeEnvironment(const fs::path& home) {
    static const std::array<std::pair<const char*, const char*>, 6> folders = {{
        {"HOME", ""},
        {"XDG_CONFIG_HOME", ".config"},
        {"XDG_CACHE_HOME", ".cache"},
        {"XDG_DATA_HOME", ".local/share"},
        {"XDG_STATE_HOME", ".local/state"},
        {"XDG_RUNTIME_DIR", ".runtime"},
    }};
    std::vector<std::string> environment;
    for (char** e = environ; *e; ++e) {
        const std::string entry(*e);
        const bool replaced = entry.rfind("QT_QPA_PLATFORM=", 0) == 0 ||
                              std::any_of(folders.begin(), folders.end(), [&](const auto& folder) {
                                  return entry.rfind(std::string(folder.first) + "=", 0) == 0;
                              });
        if (!replaced)
            environment.push_back(entry);
    }
    for (const auto& [name, relative] : folders) {
        const fs::path folder = home / relative;
        fs::create_directories(folder);
        environment.push_back(std::string(name) + "=" + folder.string());
    }
    fs::permissions(home / ".runtime", fs::perms::owner_all);
    environment.push_back("QT_QPA_PLATFORM=xcb");
    return environment;
}

constexpr std::array<const char*, 3> kDelivered = {"main.brv", "colour.brc", "help"};

struct Program {
    std::string name;
    fs::path executable;
    std::string title; // the beginning of the main window's title
    std::vector<std::string> arguments;
    bool ownFolder = false;              // a Brimvault build in a program folder of its own
    std::optional<fs::path> savedConfig; // a returning player's, copied in before every run
};

// Puts a program folder back as delivered, so that what one run wrote there (a log, a saved
// config.brv) does not change the next run's start.
void resetProgramFolder(const Program& program) {
    const fs::path folder = program.executable.parent_path();
    std::vector<fs::path> written;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (name != program.executable.filename().string() &&
            std::find(kDelivered.begin(), kDelivered.end(), name) == kDelivered.end())
            written.push_back(entry.path());
    }
    for (const fs::path& path : written)
        fs::remove_all(path);
    if (program.savedConfig)
        fs::copy_file(*program.savedConfig, folder / "config.brv",
                      fs::copy_options::overwrite_existing);
}

std::optional<Sample> measure(Display& display, const Program& program, const fs::path& work) {
    const fs::path home = work / "home";
    fs::remove_all(home);
    if (program.ownFolder)
        resetProgramFolder(program);
    std::vector<std::string> environment = freshHomeEnvironment(home);
    std::vector<char*> env;
    for (std::string& entry : environment)
        env.push_back(entry.data());
    env.push_back(nullptr);
    std::string path = program.executable.string();
    std::vector<std::string> arguments = program.arguments;
    std::vector<char*> argv{path.data()};
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);

    display.drain();
    pid_t pid = 0;
    const Clock::time_point start = Clock::now();
    const int spawned = posix_spawn(&pid, path.c_str(), &actions, nullptr, argv.data(), env.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        std::fprintf(stderr, "bench_startup: cannot start %s: %s\n", path.c_str(),
                     std::strerror(spawned));
        return std::nullopt;
    }
    const bool shown =
        display.waitForWindow(program.title, start + std::chrono::milliseconds(kTimeoutMs));
    const Clock::time_point mapped = Clock::now();
    Sample sample;
    sample.ms = std::chrono::duration<double, std::milli>(mapped - start).count();
    if (shown) {
        std::this_thread::sleep_for(std::chrono::seconds(1));
        sample.rssMiB = residentMiB(pid);
    }
    // Killed outright, so that nothing a program does as it ends (a saved config.brv, a log)
    // changes the next run's start.
    kill(pid, SIGKILL);
    int status = 0;
    waitpid(pid, &status, 0);
    if (!shown) {
        std::fprintf(stderr, "bench_startup: \"%s\" did not appear within %d ms\n",
                     program.title.c_str(), kTimeoutMs);
        return std::nullopt;
    }
    return sample;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

// A program folder as delivered: the executable with the startup script, the colours and the
// help beside it.
fs::path programFolder(const fs::path& work, const std::string& name, const fs::path& executable) {
    const fs::path folder = work / name;
    fs::create_directories(folder);
    const fs::path delivered = executable.parent_path();
    fs::copy_file(executable, folder / "brimvault", fs::copy_options::overwrite_existing);
    for (const char* file : kDelivered) {
        if (fs::exists(delivered / file))
            fs::copy(delivered / file, folder / file,
                     fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    }
    return folder / "brimvault";
}

struct Options {
    int runs = 10;
    int rounds = 1;
    fs::path brimvault = BRIMVAULT_EXECUTABLE;
    fs::path floor = FLOOR_EXECUTABLE;
    std::optional<fs::path> against;
};

std::optional<Options> parseOptions(int argc, char* argv[]) {
    Options options;
    int positional = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if ((argument == "--rounds" || argument == "--against") && i + 1 < argc) {
            const std::string value = argv[++i];
            if (argument == "--rounds")
                options.rounds = std::max(1, std::atoi(value.c_str()));
            else
                options.against = fs::absolute(value);
        } else if (argument.rfind("--", 0) == 0 || positional == 3) {
            return std::nullopt;
        } else if (positional++ == 0) {
            options.runs = std::max(1, std::atoi(argument.c_str()));
        } else if (positional == 2) {
            options.brimvault = fs::absolute(argument);
        } else {
            options.floor = fs::absolute(argument);
        }
    }
    return options;
}

// One kind of start: every program takes its turn run by run, round after round.
// Returns false when a program failed to show its window.
bool timeStarts(Display& display, const Options& options, const std::vector<Program>& programs,
                const fs::path& work, const char* kind) {
    // samples[round][program]
    std::vector<std::vector<std::vector<Sample>>> samples(
        static_cast<size_t>(options.rounds), std::vector<std::vector<Sample>>(programs.size()));
    std::printf("%s: %d round(s) of %d runs each after a warm-up, taking turns run by run\n", kind,
                options.rounds, options.runs);
    for (int round = 0; round < options.rounds; ++round) {
        for (int run = -1; run < options.runs; ++run) {
            for (size_t p = 0; p < programs.size(); ++p) {
                const std::optional<Sample> sample = measure(display, programs[p], work);
                if (!sample)
                    return false;
                if (run >= 0) // the warm-up fills the caches and counts for nothing
                    samples[static_cast<size_t>(round)][p].push_back(*sample);
            }
        }
    }

    const auto field = [](const std::vector<Sample>& runs, double Sample::*member) {
        std::vector<double> values;
        for (const Sample& sample : runs)
            values.push_back(sample.*member);
        return median(values);
    };
    std::vector<std::vector<double>> medians(samples.size());
    size_t quietest = 0;
    for (size_t round = 0; round < samples.size(); ++round) {
        std::printf("  round %zu:", round + 1);
        for (size_t p = 0; p < programs.size(); ++p) {
            medians[round].push_back(field(samples[round][p], &Sample::ms));
            std::printf("  %s %.1f ms", programs[p].name.c_str(), medians[round][p]);
        }
        std::printf("\n");
        if (medians[round][0] < medians[quietest][0])
            quietest = round;
    }

    std::printf("  resident one second after the window (median of all runs):");
    for (size_t p = 0; p < programs.size(); ++p) {
        std::vector<Sample> all;
        for (const auto& round : samples)
            all.insert(all.end(), round[p].begin(), round[p].end());
        std::printf("  %s %.1f MiB", programs[p].name.c_str(), field(all, &Sample::rssMiB));
    }
    std::printf(" (target for Brimvault at most 33 MiB)\n");
    std::printf("  quietest round (%zu), ratio to the floor:", quietest + 1);
    for (size_t p = 1; p < programs.size(); ++p)
        std::printf("  %s %.3f", programs[p].name.c_str(),
                    medians[quietest][p] / medians[quietest][0]);
    std::printf(" (target for Brimvault at most 1.08)\n");
    if (programs.size() > 2) {
        std::vector<double> differences;
        std::printf("  Brimvault against the other build, round by round:");
        for (const auto& round : medians) {
            differences.push_back(round[1] - round[2]);
            std::printf(" %+.1f", differences.back());
        }
        const double difference = median(differences);
        std::printf(" ms; median %.1f ms %s (target at most 1 ms behind)\n", std::abs(difference),
                    difference > 0 ? "behind" : "ahead");
    }
    return true;
}

} // namespace

int main(int argc, char* argv[]) {
    const std::optional<Options> options = parseOptions(argc, argv);
    if (!options) {
        std::fprintf(stderr, "usage: bench_startup [runs] [brimvault executable] [floor "
                             "executable] [--rounds N] [--against other-brimvault-executable]\n");
        return 2;
    }

    char pattern[] = "/tmp/brimvault-startup-XXXXXX";
    if (!mkdtemp(pattern)) {
        std::perror("bench_startup: mkdtemp");
        return 2;
    }
    const fs::path work(pattern);

    // What exit saves after a player changed a few settings.
    const fs::path savedConfig = work / "config.brv";
    bv::LaunchSettings returning;
    returning.setText(bv::Text::executable, QStringLiteral("dsda-doom"));
    returning.setText(bv::Text::warp, QStringLiteral("07"));
    returning.setText(bv::Text::pwads, QStringLiteral("a.wad b.wad"));
    returning.setText(bv::Text::heap, QStringLiteral("8"));
    bv::writeSettingsScript(QString::fromStdString(savedConfig.string()), returning);

    const std::string brimvaultTitle = "Brimvault Version";
    const std::vector<std::string> noSetup{"-nosetup"};
    const auto programsFor = [&](const std::string& kind, std::optional<fs::path> config) {
        std::vector<Program> programs{{"floor", options->floor, kFloorTitle, {}, false, {}}};
        programs.push_back({"Brimvault", programFolder(work, "this-" + kind, options->brimvault),
                            brimvaultTitle, noSetup, true, config});
        if (options->against)
            programs.push_back({"other build",
                                programFolder(work, "other-" + kind, *options->against),
                                brimvaultTitle, noSetup, true, config});
        return programs;
    };

    Display display;
    std::printf("Startup until the main window is mapped\n");
    const bool ok =
        timeStarts(display, *options, programsFor("first", std::nullopt), work, "First start") &&
        timeStarts(display, *options, programsFor("returning", savedConfig), work,
                   "Returning player, a saved config.brv");
    fs::remove_all(work);
    return ok ? 0 : 1;
}
