// Floors of whole frames: frames of the demo (or of each gallery effect with
// --effects) are captured call by call and played back on their own, vertex and
// index data in GL buffers, nothing of the program around them; each played-back
// frame is checked to draw the same pixels. The ratio is how many times the
// floor's frame rate ours is below it. A demo section is timed frame by frame in
// order, as the demo plays it, and its floor is a dozen of its frames, spread
// evenly, each played back three times. An effect and its floor run in rounds in
// turn. --span FROM TO limits the demo to the sections in that span; effect names
// after --effects pick the effects.
#include "DemoSections.h"
#include "EffectRun.h"
#include "FloorRace.h"
#include "GLFrame.h"
#include "HeadlessContext.h"
#include "HostClock.h"
#include "demo/Mirande.h"
#include "framework/Effect.h"
#include "framework/EffectFactory.h"
#include "framework/GLApp.h"
#include "utils/Utils.h"

#include <GLES2/gl2.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <numeric>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using DemoSections::demoFrames;
using DemoSections::fps;

constexpr int warmFrames = 10;
constexpr int sectionCaptures = 12; // spread evenly over a section
constexpr int replays = 3;
constexpr int effectCaptures = 6;
constexpr int rounds = 4;
constexpr int framesPerRound = 20;

double secondsSince(Clock::time_point t0) { return std::chrono::duration<double>(Clock::now() - t0).count(); }

void readBack(std::vector<uint8_t>& pixels)
{
    glReadPixels(0, 0, HeadlessContext::kWidth, HeadlessContext::kHeight, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
}

// Captures one call of frame into frames and plays it back once to check that it
// draws the same pixels; false (with the reason) when it cannot be played back or
// draws something else.
bool capture(const std::function<void()>& frame, std::vector<std::unique_ptr<GLFrame>>& frames, std::string& why)
{
    std::vector<uint8_t> drawn(HeadlessContext::kWidth * HeadlessContext::kHeight * 4), replayed(drawn.size());
    GLFrame::beginCapture();
    frame();
    std::unique_ptr<GLFrame> captured = GLFrame::endCapture(&why);
    if (!captured)
        return false;
    readBack(drawn);
    captured->play();
    readBack(replayed);
    if (drawn != replayed) {
        const auto differing = std::inner_product(drawn.begin(), drawn.end(), replayed.begin(), size_t(0),
                                                  std::plus<>(), std::not_equal_to<>());
        why = "a played-back frame differs in " + std::to_string(differing) + " bytes";
        return false;
    }
    frames.push_back(std::move(captured));
    return true;
}

struct SectionRun {
    double oursFps = 0;
    double floorFps = 0; // 0 when there is no floor
    std::string why;     // then why not
};

// The section's frames in order, timed, with every spacing-th one captured instead
// (and left out of the timing); then the captured frames played back.
SectionRun raceSection(Mirande& app, int first, int end, std::vector<uint8_t>& pixels)
{
    const auto ours = [&] {
        HostClock::advance();
        app.update();
        readBack(pixels);
    };
    const auto jumpTo = [](int frame) { HostClock::set(static_cast<double>(frame - 1) / fps); };
    jumpTo(first);
    for (int f = 0; f < warmFrames; ++f)
        ours();
    jumpTo(first);

    SectionRun run;
    std::vector<std::unique_ptr<GLFrame>> frames;
    // Every other frame at most, so that some are timed; a one-frame section has no floor.
    const int spacing = std::max(2, (end - first) / sectionCaptures);
    double seconds = 0;
    int timed = 0;
    for (int frame = first; frame < end; ++frame) {
        if ((frame - first) % spacing == spacing / 2 && end - first > 1 && run.why.empty()) {
            if (!capture(ours, frames, run.why))
                frames.clear();
            continue;
        }
        const Clock::time_point t0 = Clock::now();
        ours();
        seconds += secondsSince(t0);
        ++timed;
    }
    run.oursFps = timed / seconds;
    if (frames.empty()) {
        if (run.why.empty())
            run.why = "one frame";
        return run;
    }
    const Clock::time_point t0 = Clock::now();
    for (int r = 0; r < replays; ++r)
        for (const auto& frame : frames) {
            frame->play();
            readBack(pixels);
        }
    run.floorFps = static_cast<double>(replays * frames.size()) / secondsSince(t0);
    return run;
}

int demo(int from, int to)
{
    std::vector<int> starts = DemoSections::startsFromChild();
    if (starts.empty()) {
        std::printf("no sections: the script could not be stepped\n");
        return 1;
    }
    starts.push_back(demoFrames);
    HeadlessContext context(fps);
    if (!context.isValid()) {
        std::printf("no headless GL: %s\n", context.errorText().c_str());
        return 1;
    }
    Mirande app;
    app.init();
    HostClock::advance(); // the first frame starts the demo clock, as in a full run
    app.update();
    std::vector<uint8_t> pixels(HeadlessContext::kWidth * HeadlessContext::kHeight * 4);

    std::printf("%-9s %-9s %6s %9s %9s %7s  %s\n", "from s", "to s", "frames", "ours fps", "floor fps", "ratio",
                "section");
    double oursSeconds = 0, floorSeconds = 0;
    int frames = 0;
    for (size_t k = 0; k + 1 < starts.size(); ++k) {
        const int first = starts[k], end = starts[k + 1];
        if (end <= from || first >= to)
            continue;
        const SectionRun run = raceSection(app, first, end, pixels);
        const std::string name = DemoSections::name(app);
        if (run.floorFps == 0) {
            std::printf("%-9.2f %-9.2f %6d %9.1f  no floor: %s  %s\n", first / double(fps), end / double(fps),
                        end - first, run.oursFps, run.why.c_str(), name.c_str());
            continue;
        }
        std::printf("%-9.2f %-9.2f %6d %9.1f %9.1f %7.2f  %s\n", first / double(fps), end / double(fps), end - first,
                    run.oursFps, run.floorFps, run.floorFps / run.oursFps, name.c_str());
        oursSeconds += (end - first) / run.oursFps;
        floorSeconds += (end - first) / run.floorFps;
        frames += end - first;
    }
    if (frames > 0)
        std::printf("\nthe %d frames of the sections with a floor: ours %.1f fps, floor %.1f fps, ratio %.2f\n",
                    frames, frames / oursSeconds, frames / floorSeconds, oursSeconds / floorSeconds);
    return 0;
}

int effects(const std::vector<std::string>& chosen)
{
    HeadlessContext context;
    if (!context.isValid()) {
        std::printf("no headless GL: %s\n", context.errorText().c_str());
        return 1;
    }
    std::printf("%-24s %9s %9s %7s\n", "effect", "ours fps", "floor fps", "ratio");
    EffectFactory* factory = EffectFactory::getInstance();
    for (int i = 0; i < factory->getNumEffects(); ++i) {
        const EffectFactory::EffectInfo& info = *factory->getEffectInfo(i);
        if (!chosen.empty() && std::find(chosen.begin(), chosen.end(), info.name) == chosen.end())
            continue;
        GLApp app;
        std::unique_ptr<Effect> effect = EffectRun::start(app, info);
        const auto ours = [&] { EffectRun::frame(app, *effect); };
        for (int f = 0; f < warmFrames; ++f)
            ours();
        std::vector<std::unique_ptr<GLFrame>> frames;
        std::string why;
        for (int k = 0; k < effectCaptures && why.empty(); ++k) {
            for (int f = 0; f < 4; ++f)
                ours();
            capture(ours, frames, why);
        }
        if (!why.empty()) {
            std::printf("%-24s no floor: %s\n", info.name, why.c_str());
            continue;
        }
        size_t next = 0;
        const FloorRace race = FloorRace::run(ours, [&] {
            frames[next++ % frames.size()]->play();
            glFinish();
        }, rounds, framesPerRound);
        std::printf("%-24s %9.1f %9.1f %7.2f\n", info.name, race.oursFps, race.floorFps, race.ratio());
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    vell::Log::setOutput(stderr); // the tables own standard output
    if (argc > 1 && std::strcmp(argv[1], "--section-starts") == 0) {
        DemoSections::printStarts();
        return 0;
    }
    if (argc > 1 && std::strcmp(argv[1], "--effects") == 0)
        return effects(std::vector<std::string>(argv + 2, argv + argc));
    if (argc > 3 && std::strcmp(argv[1], "--span") == 0)
        return demo(static_cast<int>(std::atof(argv[2]) * fps), static_cast<int>(std::atof(argv[3]) * fps));
    if (argc > 1) {
        std::fprintf(stderr, "usage: FrameFloorBench [--span FROM TO | --effects [NAME...]]\n");
        return 1;
    }
    return demo(0, demoFrames);
}
