#include "VideoEncoder.h"

#include "HeadlessContext.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
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

bool VideoEncoder::open(const std::string& path, int fps, const std::string& music, double musicStart,
                        double duration, std::string* error)
{
    target = path;
    partial = path + ".partial";
    const std::string size =
        std::to_string(HeadlessContext::kWidth) + "x" + std::to_string(HeadlessContext::kHeight);
    const std::vector<std::string> args = {
        "ffmpeg", "-hide_banner", "-loglevel", "error", "-nostats", "-y",
        "-f", "rawvideo", "-pix_fmt", "rgba", "-s", size, "-framerate", std::to_string(fps), "-i", "pipe:0",
        "-ss", seconds(musicStart), "-i", music,
        "-map", "0:v", "-map", "1:a", "-af", "apad", "-t", seconds(duration),
        "-c:v", "libx264", "-preset", "medium", "-crf", "18", "-pix_fmt", "yuv420p", "-r", std::to_string(fps),
        "-c:a", "aac", "-b:a", "192k", "-movflags", "+faststart", "-f", "mp4", partial};

    int fds[2];
    if (pipe(fds) != 0) {
        *error = std::string("cannot start ffmpeg: ") + strerror(errno);
        return false;
    }
    signal(SIGPIPE, SIG_IGN); // a dead encoder shows as a failed write
    child = fork();
    if (child == 0) {
        dup2(fds[0], STDIN_FILENO);
        close(fds[0]);
        close(fds[1]);
        std::vector<char*> argv;
        for (const std::string& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    close(fds[0]);
    if (child < 0) {
        close(fds[1]);
        *error = std::string("cannot start ffmpeg: ") + strerror(errno);
        return false;
    }
    input = fds[1];
    return true;
}

bool VideoEncoder::write(const std::vector<uint8_t>& rgba, std::string* error)
{
    size_t done = 0;
    while (done < rgba.size()) {
        const ssize_t n = ::write(input, rgba.data() + done, rgba.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            *error = "the video encoder stopped (ffmpeg failed or is missing)";
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
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    child = -1;
    std::error_code ec;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        *error = WIFEXITED(status) && WEXITSTATUS(status) == 127
                     ? "cannot run ffmpeg (scripts/setup installs it)"
                     : "ffmpeg failed to encode " + target;
        std::filesystem::remove(partial, ec);
        return false;
    }
    std::filesystem::rename(partial, target, ec);
    if (ec) {
        *error = "cannot move the video to " + target + ": " + ec.message();
        std::filesystem::remove(partial, ec);
        return false;
    }
    return true;
}

void VideoEncoder::abandon()
{
    if (input >= 0)
        close(input);
    input = -1;
    if (child > 0) {
        kill(child, SIGTERM);
        int status = 0;
        while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
        }
    }
    child = -1;
    if (!partial.empty()) {
        std::error_code ec;
        std::filesystem::remove(partial, ec);
    }
}
