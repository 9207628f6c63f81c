#include "platform/linux/Spawn.h"

#include <cerrno>
#include <csignal>
#include <vector>

#include <fcntl.h>
#include <linux/close_range.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace parvo {

namespace {

void ReportAndExit(int fd, int code)
{
    const int error = errno;
    [[maybe_unused]] const ssize_t ignored = write(fd, &error, sizeof error);
    _exit(code);
}

} // namespace

bool SpawnDetached(const QList<QByteArray>& argv, const QByteArray& workingDir)
{
    if (argv.isEmpty() || argv.front().isEmpty())
        return false;
    // Everything the child needs is made before the fork: after it, in a program with
    // threads, only calls that allocate nothing are safe.
    std::vector<char*> args;
    args.reserve(size_t(argv.size()) + 1);
    for (const QByteArray& a : argv)
        args.push_back(const_cast<char*>(a.constData()));
    args.push_back(nullptr);
    const char* folder = workingDir.isEmpty() ? nullptr : workingDir.constData();

    // The exec closes the write end; anything read from it is the error that stopped it.
    int report[2];
    if (pipe2(report, O_CLOEXEC) != 0)
        return false;

    const pid_t child = fork();
    if (child == 0) {
        close(report[0]);
        // A second fork leaves the program to init: nobody has to wait for it.
        const pid_t grandchild = fork();
        if (grandchild < 0)
            ReportAndExit(report[1], 1);
        if (grandchild > 0)
            _exit(0);
        setsid();
        if (folder && chdir(folder) != 0)
            ReportAndExit(report[1], 1);
        const int null = open("/dev/null", O_RDONLY);
        if (null >= 0) {
            dup2(null, STDIN_FILENO);
            if (null != STDIN_FILENO)
                close(null);
        }
        // Nothing of the bar's own (its X connection, sockets, files) goes along.
        syscall(SYS_close_range, 3U, ~0U, CLOSE_RANGE_CLOEXEC);
        sigset_t none;
        sigemptyset(&none);
        sigprocmask(SIG_SETMASK, &none, nullptr);
        signal(SIGPIPE, SIG_DFL);
        execv(args[0], args.data());
        ReportAndExit(report[1], 127);
    }
    close(report[1]);
    if (child < 0) {
        close(report[0]);
        return false;
    }
    int error = 0;
    ssize_t got;
    do
        got = read(report[0], &error, sizeof error);
    while (got < 0 && errno == EINTR);
    close(report[0]);
    while (waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
    }
    return got == 0;
}

} // namespace parvo
