// The command line of quenfold-render (arguments separated by NUL bytes): an
// accepted one is complete and in range, a refused one says why. A run that
// follows the demo (fields, video, contact sheet, timeline) writes no frame files,
// and the gallery's sheet takes one time at most.
#include "FuzzSupport.h"
#include "RenderOptions.h"

#include <set>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const FuzzArguments args("quenfold-render", data, size);

    RenderOptions options;
    std::string error;
    if (!options.parse(args.argc(), args.argv(), &error)) {
        FUZZ_CHECK(!error.empty() && isOneLine(error));
        return 0;
    }
    FUZZ_CHECK(error.empty());
    FUZZ_CHECK(options.fps >= 1 && options.fps <= RenderOptions::kMaxFps);
    if (options.mode == RenderOptions::Mode::Help || options.mode == RenderOptions::Mode::Version)
        return 0; // the rest of the line is not read
    if (options.mode == RenderOptions::Mode::List) {
        FUZZ_CHECK(options.times.empty() && options.outDir.empty());
        return 0;
    }
    FUZZ_CHECK(options.scriptPath.empty() || options.mode == RenderOptions::Mode::Demo);
    if (options.mode == RenderOptions::Mode::Gallery) {
        FUZZ_CHECK(!options.contactSheetPath.empty() && options.times.size() <= 1 && options.outDir.empty());
        FUZZ_CHECK(!options.fields && options.videoPath.empty() && options.timelinePath.empty() && !options.checkGl);
        return 0;
    }
    if (options.followsDemo()) {
        FUZZ_CHECK(options.mode == RenderOptions::Mode::Demo && options.outDir.empty() && !options.checkGl);
        FUZZ_CHECK(!options.fields || !options.times.empty());
        FUZZ_CHECK(options.videoFrom >= 0 && options.videoFrom < options.videoTo);
        FUZZ_CHECK(options.videoPath.empty() || options.frameAt(options.videoFrom) < options.frameAt(options.videoTo));
        FUZZ_CHECK(options.videoPath.empty() || options.videoPath != options.contactSheetPath);
        FUZZ_CHECK(options.timelinePath.empty() ||
                   (options.timelinePath != options.videoPath && options.timelinePath != options.contactSheetPath));
    } else {
        FUZZ_CHECK(!options.times.empty() && !options.outDir.empty());
    }
    std::set<std::string> names;
    for (size_t i = 0; i < options.times.size(); ++i) {
        const double t = options.times[i];
        FUZZ_CHECK(t >= 0 && t <= RenderOptions::kMaxTime);
        FUZZ_CHECK(i == 0 || options.times[i - 1] < t);
        FUZZ_CHECK(options.frameAt(t) >= 0 && options.frameAt(t) <= RenderOptions::kMaxTime * options.fps);
        // A shared name is allowed only for times on the same frame.
        if (!options.followsDemo() && !names.insert(options.fileName(t)).second)
            FUZZ_CHECK(options.frameAt(options.times[i - 1]) == options.frameAt(t));
    }
    return 0;
}
