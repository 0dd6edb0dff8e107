#include "DemoRecorder.h"

#include "ContactSheet.h"
#include "FieldDump.h"
#include "HeadlessContext.h"
#include "HostClock.h"
#include "Interruption.h"
#include "ProgressLine.h"
#include "ResourceFiles.h"
#include "VideoEncoder.h"
#include "demo/Mirande.h"
#include "timeline/TimelineAxis.h"
#include "utils/Timer.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <cstdio>
#include <memory>
#include <set>
#include <unistd.h>

namespace {

std::string timeLabel(double seconds)
{
    char label[32];
    snprintf(label, sizeof(label), "%g s", seconds);
    return label;
}

} // namespace

DemoRecorder::DemoRecorder(const RenderOptions& renderOptions, FILE* fieldLines)
    : options(renderOptions), fieldOut(fieldLines)
{
}

const std::vector<double>& DemoRecorder::sheetTimes() const
{
    return options.times.empty() ? TimelineAxis::kCueTimes : options.times;
}

long long DemoRecorder::lastFrame() const
{
    long long last = 0;
    if (options.fields)
        last = std::max(last, options.frameAt(options.times.back()));
    if (!options.videoPath.empty())
        last = std::max(last, options.frameAt(options.videoTo) - 1);
    if (!options.contactSheetPath.empty())
        last = std::max(last, options.frameAt(sheetTimes().back()));
    return last;
}

bool DemoRecorder::run(Mirande& app, const HeadlessContext& context, std::string* error)
{
    std::multiset<long long> fieldFrames; // a frame shared by several times gives a line for each
    if (options.fields)
        for (double t : options.times)
            fieldFrames.insert(options.frameAt(t));
    int fieldError = 0;
    long long frame = 0;
    app.setFieldObserver([&] {
        const size_t count = fieldFrames.count(frame);
        if (count == 0)
            return;
        const std::string line = FieldDump::line(vell::Timer::getInstance()->getTime(), app.animatedFields());
        for (size_t i = 0; i < count && !fieldError; ++i)
            if (fprintf(fieldOut, "%s\n", line.c_str()) < 0)
                fieldError = errno;
    });

    VideoEncoder video(options.videoPath, options.quality);
    const long long videoFirst = options.frameAt(options.videoFrom);
    const long long videoEnd = options.frameAt(options.videoTo);
    if (!options.videoPath.empty() &&
        !video.open(options.fps, ResourceFiles::directory() + "/" + Mirande::kMusic,
                    static_cast<double>(videoFirst) / options.fps,
                    static_cast<double>(videoEnd - videoFirst) / options.fps, error))
        return false;

    const std::vector<double>& cues = sheetTimes();
    std::unique_ptr<ContactSheet> sheet; // only when asked for: it loads its label font
    if (!options.contactSheetPath.empty())
        sheet = std::make_unique<ContactSheet>(static_cast<int>(cues.size()), options.scale);
    size_t nextCue = sheet ? 0 : cues.size();

    const bool showProgress = !options.videoPath.empty() || !options.contactSheetPath.empty();
    const long long last = lastFrame();
    ProgressLine progress(last + 1, isatty(STDERR_FILENO) != 0);
    const auto start = std::chrono::steady_clock::now();
    auto sectionStart = start;
    for (frame = 0; frame <= last && !fieldError && !Interruption::requested(); ++frame) {
        HostClock::advance();
        app.update();
        ++frames;
        if (!options.videoPath.empty() && frame >= videoFirst && frame < videoEnd &&
            !video.write(context.readPresented(), error))
            return false;
        while (nextCue < cues.size() && options.frameAt(cues[nextCue]) == frame)
            sheet->add(context.readPresented(), timeLabel(cues[nextCue++]));

        const auto now = std::chrono::steady_clock::now();
        const long long framesPerSection = static_cast<long long>(kSectionSeconds * options.fps);
        if ((frame + 1) % framesPerSection == 0 || frame == last) {
            const double seconds = std::chrono::duration<double>(now - sectionStart).count();
            const long long count = frame % framesPerSection + 1;
            const double from = static_cast<double>(frame - count + 1) / options.fps;
            const double to = static_cast<double>(frame + 1) / options.fps;
            if (count < options.fps && !sections.empty()) {
                sections.back().to = to;
                sections.back().frames += count;
                sections.back().seconds += seconds;
            } else {
                sections.push_back({from, to, count, seconds});
            }
            sectionStart = now;
        }
        if (showProgress)
            progress.update(frame + 1, std::chrono::duration<double>(now - start).count());
    }
    app.setFieldObserver(nullptr);
    errno = 0;
    if (options.fields && !fieldError && (fflush(fieldOut) != 0 || ferror(fieldOut)))
        fieldError = errno ? errno : EIO;
    if (fieldError) {
        *error = std::string("cannot write the field lines: ") + strerror(fieldError);
        return false;
    }
    if (Interruption::requested()) {
        *error = "interrupted";
        return false;
    }

    if (!options.videoPath.empty() && !video.finish(error))
        return false;
    return !sheet || sheet->write(options.contactSheetPath, error);
}
