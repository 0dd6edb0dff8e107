#include "VideoEncoder.h"

#include "HeadlessContext.h"
#include "Interruption.h"
#include "utils/Utils.h"

#include <cerrno>
#include <cstdio>
#include <string>
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
        std::to_string(HeadlessContext::pixelWidth()) + "x" + std::to_string(HeadlessContext::pixelHeight());
    const std::vector<std::string> args = {
        "ffmpeg", "-hide_banner", "-loglevel", "error", "-nostats", "-y",
        "-xerror", // a failed write of the file (the trailer too) fails the encode
        "-f", "rawvideo", "-pix_fmt", "rgba", "-s", size, "-framerate", std::to_string(fps), "-i", "pipe:0",
        "-ss", seconds(musicStart), "-i", music,
        "-map", "0:v", "-map", "1:a", "-af", "apad", "-t", seconds(duration),
        "-c:v", "libx264", "-preset", RenderOptions::x264Preset(quality),
        "-crf", std::to_string(RenderOptions::x264Crf(quality)),
        "-pix_fmt", "yuv420p", "-r", std::to_string(fps),
        "-c:a", "aac", "-b:a", "192k", "-movflags", "+faststart", "-f", "mp4", file.tempPath()};

    if (ffmpeg.start(args, ChildProcess::Pipe::ToChild, error))
        return true;
    abandon();
    return false;
}

bool VideoEncoder::write(const std::vector<uint8_t>& rgba, std::string* error)
{
    size_t done = 0;
    while (done < rgba.size()) {
        const ssize_t n = ::write(ffmpeg.pipe(), rgba.data() + done, rgba.size() - done);
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
    const bool encoded = ffmpeg.finish();
    if (Interruption::requested()) {
        *error = "interrupted";
        abandon();
        return false;
    }
    if (!encoded) {
        *error = "ffmpeg failed to encode " + vell::printableText(file.path());
        abandon();
        return false;
    }
    return file.commit(error);
}

void VideoEncoder::abandon()
{
    ffmpeg.stop();
    file.discard();
}
