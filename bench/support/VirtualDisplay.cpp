#include "VirtualDisplay.h"

#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>

namespace {

constexpr int kStartMs = 10000;

} // namespace

VirtualDisplay::~VirtualDisplay()
{
    stop();
}

bool VirtualDisplay::start(int width, int height, std::string* error)
{
    stop();
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) {
        *error = std::string("cannot make a pipe: ") + strerror(errno);
        return false;
    }
    const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
    server = fork();
    if (server == 0) {
        prctl(PR_SET_PDEATHSIG, SIGTERM); // gone with the benchmark, however it ends
        // The server writes its display number to the pipe's write end once it listens.
        const int out = dup(fds[1]);
        const std::string fd = std::to_string(out);
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", screen.c_str(), "-nolisten", "tcp",
               static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    if (server < 0) {
        close(fds[0]);
        *error = std::string("cannot start Xvfb: ") + strerror(errno);
        return false;
    }
    std::string number;
    pollfd p{fds[0], POLLIN, 0};
    char c = 0;
    while (poll(&p, 1, kStartMs) > 0 && read(fds[0], &c, 1) == 1 && c != '\n')
        number += c;
    close(fds[0]);
    if (number.empty() || number.find_first_not_of("0123456789") != std::string::npos) {
        int status = 0;
        const bool ended = waitpid(server, &status, WNOHANG) == server;
        *error = ended && WIFEXITED(status) && WEXITSTATUS(status) == 127
                     ? "Xvfb is not installed (scripts/setup installs it)"
                     : "Xvfb did not report a display within " + std::to_string(kStartMs / 1000) + " s";
        if (ended)
            server = -1;
        stop();
        return false;
    }
    displayName = ":" + number;
    return true;
}

void VirtualDisplay::stop()
{
    if (server <= 0)
        return;
    kill(server, SIGTERM);
    waitpid(server, nullptr, 0);
    server = -1;
    displayName.clear();
}

double VirtualDisplay::cpuSeconds(pid_t process)
{
    const std::string tasks = "/proc/" + std::to_string(process) + "/task";
    DIR* dir = opendir(tasks.c_str());
    if (!dir)
        return 0;
    unsigned long long total = 0;
    while (const dirent* entry = readdir(dir)) {
        if (entry->d_name[0] == '.')
            continue;
        std::ifstream stat(tasks + "/" + entry->d_name + "/schedstat");
        unsigned long long ns = 0;
        if (stat >> ns)
            total += ns;
    }
    closedir(dir);
    return static_cast<double>(total) * 1e-9;
}
