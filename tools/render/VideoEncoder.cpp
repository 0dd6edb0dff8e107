#include "VideoEncoder.h"

#include "HeadlessContext.h"
#include "Interruption.h"
#include "utils/Utils.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

std::string seconds(double s)
{
    char text[32];
    snprintf(text, sizeof(text), "%.6f", s);
    return text;
}

} // namespace

VideoEncoder::~VideoEncoder()
{
    abandon();
}

bool VideoEncoder::open(int fps, const std::string& music, double musicStart, double duration, std::string* error)
{
    if (!file.create(error))
        return false;
    const std::string size =
        std::to_string(HeadlessContext::kWidth) + "x" + std::to_string(HeadlessContext::kHeight);
    const std::vector<std::string> args = {
        "ffmpeg", "-hide_banner", "-loglevel", "error", "-nostats", "-y",
        "-f", "rawvideo", "-pix_fmt", "rgba", "-s", size, "-framerate", std::to_string(fps), "-i", "pipe:0",
        "-ss", seconds(musicStart), "-i", music,
        "-map", "0:v", "-map", "1:a", "-af", "apad", "-t", seconds(duration),
        "-c:v", "libx264", "-preset", "medium", "-crf", "18", "-pix_fmt", "yuv420p", "-r", std::to_string(fps),
        "-c:a", "aac", "-b:a", "192k", "-movflags", "+faststart", "-f", "mp4", file.tempPath()};

    std::vector<char*> argv; // made before the fork: the child only calls what is safe there
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);

    // The child reports a failed exec through a pipe that a successful exec closes.
    int fds[2] = {-1, -1}, report[2] = {-1, -1};
    if (pipe(fds) != 0 || pipe2(report, O_CLOEXEC) != 0) {
        *error = std::string("cannot start ffmpeg: ") + strerror(errno);
        for (int fd : {fds[0], fds[1]})
            if (fd >= 0)
                close(fd);
        return false;
    }
    signal(SIGPIPE, SIG_IGN); // a dead encoder shows as a failed write
    child = fork();
    if (child == 0) {
        setpgid(0, 0);
        dup2(fds[0], STDIN_FILENO);
        close(fds[0]);
        close(fds[1]);
        close(report[0]);
        execvp(argv[0], argv.data());
        const int failure = errno;
        (void)!::write(report[1], &failure, sizeof(failure));
        _exit(127);
    }
    const int forkError = errno;
    close(fds[0]);
    close(report[1]);
    input = fds[1];
    int execError = 0;
    ssize_t n;
    while ((n = read(report[0], &execError, sizeof(execError))) < 0 && errno == EINTR) {
    }
    close(report[0]);
    if (child < 0 || n > 0) {
        *error = child < 0 ? std::string("cannot start ffmpeg: ") + strerror(forkError)
                           : std::string("cannot run ffmpeg: ") + strerror(execError) + " (scripts/setup installs it)";
        abandon();
        return false;
    }
    return true;
}

bool VideoEncoder::write(const std::vector<uint8_t>& rgba, std::string* error)
{
    size_t done = 0;
    while (done < rgba.size()) {
        const ssize_t n = ::write(input, rgba.data() + done, rgba.size() - done);
        if (n < 0 && errno == EINTR && !Interruption::requested())
            continue;
        if (n <= 0) {
            *error = Interruption::requested() ? "interrupted" : "the video encoder stopped (ffmpeg failed)";
            abandon();
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

bool VideoEncoder::finish(std::string* error)
{
    close(input);
    input = -1;
    const int status = waitForExit();
    if (Interruption::requested()) {
        *error = "interrupted";
        abandon();
        return false;
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        *error = "ffmpeg failed to encode " + vell::printableText(file.path());
        abandon();
        return false;
    }
    return file.commit(error);
}

// ffmpeg's exit status; an interruption cuts the wait short, leaving it running.
int VideoEncoder::waitForExit()
{
    int status = -1; // not an exit, should the wait fail
    while (child > 0) {
        if (waitpid(child, &status, 0) == child)
            child = -1;
        else if (errno != EINTR || Interruption::requested())
            break;
    }
    return status;
}

void VideoEncoder::abandon()
{
    if (input >= 0)
        close(input);
    input = -1;
    if (child > 0) {
        kill(child, SIGTERM);
        while (waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
        }
    }
    child = -1;
    file.discard();
}
