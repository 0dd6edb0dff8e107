#include "ChildProcess.h"

#include "Interruption.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

bool ChildProcess::start(const std::vector<std::string>& args, Pipe direction, std::string* error)
{
    stop();
    std::vector<char*> argv; // made before the fork: the child only calls what is safe there
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);

    // The child reports a failed exec through a pipe that a successful exec closes.
    int fds[2] = {-1, -1}, report[2] = {-1, -1};
    if (::pipe(fds) != 0 || pipe2(report, O_CLOEXEC) != 0) {
        *error = "cannot start " + args[0] + ": " + strerror(errno);
        for (int fd : {fds[0], fds[1]})
            if (fd >= 0)
                close(fd);
        return false;
    }
    const bool toChild = direction == Pipe::ToChild;
    const int childEnd = toChild ? fds[0] : fds[1];
    signal(SIGPIPE, SIG_IGN); // a dead child shows as a failed write
    child = fork();
    if (child == 0) {
        setpgid(0, 0);
        dup2(childEnd, toChild ? STDIN_FILENO : STDOUT_FILENO);
        close(fds[0]);
        close(fds[1]);
        close(report[0]);
        execvp(argv[0], argv.data());
        const int failure = errno;
        (void)!::write(report[1], &failure, sizeof(failure));
        _exit(127);
    }
    const int forkError = errno;
    close(childEnd);
    close(report[1]);
    end = toChild ? fds[1] : fds[0];
    int execError = 0;
    ssize_t n;
    while ((n = read(report[0], &execError, sizeof(execError))) < 0 && errno == EINTR) {
    }
    close(report[0]);
    if (child < 0 || n > 0) {
        *error = child < 0 ? "cannot start " + args[0] + ": " + strerror(forkError)
                           : "cannot run " + args[0] + ": " + strerror(execError) + " (scripts/setup installs it)";
        stop();
        return false;
    }
    return true;
}

void ChildProcess::closePipe()
{
    if (end >= 0)
        close(end);
    end = -1;
}

bool ChildProcess::finish()
{
    closePipe();
    int status = -1; // not an exit, should the wait fail
    while (child > 0) {
        if (waitpid(child, &status, 0) == child)
            child = -1;
        else if (errno != EINTR || Interruption::requested())
            return false;
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void ChildProcess::stop()
{
    closePipe();
    if (child > 0) {
        kill(child, SIGTERM);
        while (waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
        }
    }
    child = -1;
}
