#include "ProcessWatcher.h"

#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>
#include <QTimer>

#include <algorithm>
#include <cerrno>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace bv {

namespace {

// Kernels before 5.3 have no process descriptors: their children are looked for this often.
constexpr int kPollMilliseconds = 500;

QString systemError(int error) {
    return qt_error_string(error);
}

// The new output file is made beside its name and then put in place by rename, so that an
// older program still writing to the file of that name keeps its own file and never writes
// into this one. The read side is opened first: it outlives the name.
int makeOutputFile(const QString& path, std::unique_ptr<QFile>& reader, QString& problem) {
    QByteArray temporary = QFile::encodeName(path) + ".XXXXXX";
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) {
        problem = systemError(errno);
        return -1;
    }
    ::fchmod(fd, 0644);
    const int readFd = ::open(temporary.constData(), O_RDONLY | O_CLOEXEC);
    if (readFd < 0 || ::rename(temporary.constData(), QFile::encodeName(path).constData()) != 0) {
        problem = systemError(errno);
        if (readFd >= 0)
            ::close(readFd);
        ::close(fd);
        ::unlink(temporary.constData());
        return -1;
    }
    reader = std::make_unique<QFile>();
    reader->open(readFd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle);
    return fd;
}

StartFailure spawnFailure(int error) {
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return StartFailure::NotFound;
    case EACCES:
    case EPERM:
        return StartFailure::NotExecutable;
    default:
        return StartFailure::Other;
    }
}

// The program runs in a session of its own, so that a terminal's hangup or Ctrl-C meant for
// Brimvault never reaches it; with every signal at its default and none blocked, whatever
// Brimvault does with its own; and with no descriptor of Brimvault's but its output.
int spawn(pid_t& pid, const QString& program, const QStringList& arguments,
          const QString& workingDirectory, int outputFd) {
    std::vector<QByteArray> words{QFile::encodeName(program)};
    for (const QString& argument : arguments)
        words.push_back(argument.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    const QByteArray directory = QFile::encodeName(workingDirectory);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    if (outputFd >= 0) {
        posix_spawn_file_actions_adddup2(&actions, outputFd, 1);
        posix_spawn_file_actions_adddup2(&actions, outputFd, 2);
    } else {
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_adddup2(&actions, 1, 2);
    }
    posix_spawn_file_actions_addclosefrom_np(&actions, 3);
    if (!directory.isEmpty())
        posix_spawn_file_actions_addchdir_np(&actions, directory.constData());

    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes,
                             POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    sigset_t none;
    sigemptyset(&none);
    posix_spawnattr_setsigmask(&attributes, &none);
    sigset_t all;
    sigfillset(&all);
    posix_spawnattr_setsigdefault(&attributes, &all);

    const int error = posix_spawn(&pid, argv.front(), &actions, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    return error;
}

bool sameFile(int fd, const QString& path) {
    struct stat open {};
    struct stat named {};
    return ::fstat(fd, &open) == 0 && ::stat(QFile::encodeName(path).constData(), &named) == 0 &&
           open.st_dev == named.st_dev && open.st_ino == named.st_ino;
}

} // namespace

struct ProcessWatcher::Watched {
    pid_t pid = 0;
    int pidfd = -1;
    std::unique_ptr<QSocketNotifier> notifier;
    std::unique_ptr<QFile> output;
    QString outputPath;
    ProcessEndHandler onEnd;
};

ProcessWatcher::ProcessWatcher(QObject* parent) : QObject(parent) {}

ProcessWatcher::~ProcessWatcher() {
    // The programs go on running; only the watch ends with Brimvault.
    for (const auto& watched : watched_) {
        watched->notifier.reset();
        if (watched->pidfd >= 0)
            ::close(watched->pidfd);
    }
}

StartFailure ProcessWatcher::start(const QString& program, const QStringList& arguments,
                                   const QString& workingDirectory, const QString& outputPath,
                                   QString& outputProblem, ProcessEndHandler onEnd) {
    const QFileInfo info(program);
    if (!info.exists())
        return StartFailure::NotFound;
    if (!info.isExecutable() || info.isDir())
        return StartFailure::NotExecutable;

    auto watched = std::make_unique<Watched>();
    const int outputFd = makeOutputFile(outputPath, watched->output, outputProblem);
    const int error = spawn(watched->pid, program, arguments, workingDirectory, outputFd);
    if (outputFd >= 0)
        ::close(outputFd);
    if (error != 0)
        return spawnFailure(error);

    watched->outputPath = outputPath;
    watched->onEnd = std::move(onEnd);
    Watched* raw = watched.get();
    raw->pidfd = static_cast<int>(::syscall(SYS_pidfd_open, raw->pid, 0));
    if (raw->pidfd >= 0) {
        ::fcntl(raw->pidfd, F_SETFD, FD_CLOEXEC);
        raw->notifier = std::make_unique<QSocketNotifier>(raw->pidfd, QSocketNotifier::Read);
        connect(raw->notifier.get(), &QSocketNotifier::activated, this, [this, raw] { reap(raw); });
    } else {
        if (!poll_) {
            poll_ = new QTimer(this);
            poll_->setInterval(kPollMilliseconds);
            connect(poll_, &QTimer::timeout, this, &ProcessWatcher::pollUnwatchable);
        }
        poll_->start();
    }
    watched_.push_back(std::move(watched));
    return StartFailure::None;
}

void ProcessWatcher::pollUnwatchable() {
    std::vector<Watched*> polled;
    for (const auto& watched : watched_) {
        if (watched->pidfd < 0)
            polled.push_back(watched.get());
    }
    for (Watched* watched : polled)
        reap(watched);
    if (std::none_of(watched_.begin(), watched_.end(),
                     [](const auto& watched) { return watched->pidfd < 0; }))
        poll_->stop();
}

void ProcessWatcher::reap(Watched* watched) {
    int status = 0;
    pid_t ended = 0;
    do
        ended = ::waitpid(watched->pid, &status, WNOHANG);
    while (ended < 0 && errno == EINTR);
    if (ended == 0)
        return; // still running
    const auto found = std::find_if(watched_.begin(), watched_.end(),
                                    [watched](const auto& item) { return item.get() == watched; });
    std::unique_ptr<Watched> done = std::move(*found);
    watched_.erase(found);
    done->notifier.reset();
    if (done->pidfd >= 0)
        ::close(done->pidfd);

    ProcessEnd end;
    if (ended > 0 && WIFSIGNALED(status)) {
        end.bySignal = true;
        end.number = WTERMSIG(status);
    } else if (ended > 0) {
        end.number = WEXITSTATUS(status);
    }
    const bool replaced = done->output && !sameFile(done->output->handle(), done->outputPath);
    if (done->onEnd)
        done->onEnd(end, done->output.get(), replaced);
}

} // namespace bv
