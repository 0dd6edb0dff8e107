#include "RenderOptions.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "OutputTarget.h"
#include "utils/Utils.h"

namespace fs = std::filesystem;

namespace {

// Plain decimal numbers only: no blanks, no hexadecimal, no "inf".
bool isDecimal(const std::string& text, const char* allowed)
{
    return !text.empty() && text.find_first_not_of(allowed) == std::string::npos;
}

bool parseTime(const std::string& text, double* t)
{
    if (!isDecimal(text, "0123456789.eE+-"))
        return false;
    char* end = nullptr;
    errno = 0;
    *t = strtod(text.c_str(), &end);
    if (*t == 0)
        *t = 0; // "-0" is 0
    return errno == 0 && *end == '\0' && std::isfinite(*t) && *t >= 0 &&
           *t <= RenderOptions::kMaxTime;
}

bool parseTimes(const std::string& list, std::vector<double>* times)
{
    size_t start = 0;
    for (;;) {
        const size_t comma = list.find(',', start);
        double t = 0;
        if (!parseTime(list.substr(start, comma - start), &t))
            return false;
        times->push_back(t);
        if (comma == std::string::npos)
            break;
        start = comma + 1;
    }
    std::sort(times->begin(), times->end());
    times->erase(std::unique(times->begin(), times->end()), times->end());
    return true;
}

// A whole number from 1 to max in plain decimal digits.
bool parseCount(const std::string& text, int max, int* n)
{
    const long value = isDecimal(text, "0123456789") ? strtol(text.c_str(), nullptr, 10) : 0; // saturates
    if (value < 1 || value > max)
        return false;
    *n = static_cast<int>(value);
    return true;
}

// The shortest text that reads back as t.
std::string shortest(double t)
{
    char text[32];
    for (int digits = 1; digits <= 17; ++digits) {
        snprintf(text, sizeof(text), "%.*g", digits, t);
        if (strtod(text, nullptr) == t)
            break;
    }
    return text;
}

// Two names of one file: the same path once ".", "..", symbolic links (a
// dangling final one too) and hard links are followed.
bool sameFile(const std::string& a, const std::string& b)
{
    std::error_code ecA, ecB;
    const fs::path resolvedA = fs::weakly_canonical(fs::absolute(OutputTarget::resolve(a), ecA), ecA);
    const fs::path resolvedB = fs::weakly_canonical(fs::absolute(OutputTarget::resolve(b), ecB), ecB);
    return a == b || (!ecA && !ecB && resolvedA == resolvedB) || fs::equivalent(a, b, ecA);
}

} // namespace

const char* RenderOptions::usage()
{
    return "usage: quenfold-render --list | (--demo [--script FILE] | --effect NAME) --times T1,T2,... --out DIR\n"
           "                       [--fps N] [--scale K] [--check-gl]\n"
           "       quenfold-render --demo [--script FILE] [--fields --times T1,T2,...]\n"
           "                       [--video FILE.mp4 [--from S] [--to S] [--quality draft|good|best]]\n"
           "                       [--contact-sheet FILE.png] [--timeline FILE.png] [--export-script FILE]\n"
           "                       [--fps N] [--scale K]\n"
           "       (--script plays the keys of the fields FILE names in place of the built-in ones;\n"
           "       --export-script writes the keys played as such a file; the contact sheet shows the\n"
           "       cue times, or the --times given; --scale K, 1 to 4, draws 480K x 320K pixels a\n"
           "       frame; the timeline has its own size and takes none)\n"
           "       quenfold-render --gallery --contact-sheet FILE.png [--times T] [--fps N] [--scale K]\n"
           "       (every registered effect alone at T seconds, 2 by default, labelled with its name)\n"
           "       quenfold-render --help | --version";
}

const char* RenderOptions::x264Preset(Quality q)
{
    return q == Quality::Draft ? "superfast" : q == Quality::Best ? "slow" : "medium";
}

int RenderOptions::x264Crf(Quality q)
{
    return q == Quality::Draft ? 23 : q == Quality::Best ? 15 : 18;
}

bool RenderOptions::parse(int argc, const char* const* argv, std::string* error)
{
    bool sawMode = false, sawTimes = false, sawOut = false, sawRange = false, sawScale = false, sawQuality = false;
    auto fail = [error](const std::string& message) {
        *error = vell::printableText(message);
        return false;
    };
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h" || arg == "--version") {
            mode = arg == "--version" ? Mode::Version : Mode::Help; // whatever else was given
            return true;
        }
        const bool takesValue = arg == "--effect" || arg == "--times" || arg == "--out" || arg == "--fps" ||
                                arg == "--video" || arg == "--from" || arg == "--to" || arg == "--contact-sheet" ||
                                arg == "--timeline" || arg == "--scale" || arg == "--script" ||
                                arg == "--export-script" || arg == "--quality";
        if (takesValue && i + 1 >= argc)
            return fail(arg + " needs a value");
        const std::string value = takesValue ? argv[++i] : std::string();

        if (arg == "--list" || arg == "--demo" || arg == "--effect" || arg == "--gallery") {
            if (sawMode)
                return fail("choose one of --list, --demo, --effect and --gallery");
            sawMode = true;
            mode = arg == "--list"   ? Mode::List
                   : arg == "--demo" ? Mode::Demo
                   : arg == "--effect" ? Mode::Effect
                                       : Mode::Gallery;
            effectName = value;
        } else if (arg == "--times") {
            times.clear();
            if (!parseTimes(value, &times))
                return fail("bad --times '" + value + "': expected seconds from 0 to 3600, comma-separated");
            sawTimes = true;
        } else if (arg == "--out") {
            if (value.empty())
                return fail("--out needs a directory");
            outDir = value;
            sawOut = true;
        } else if (arg == "--check-gl") {
            checkGl = true;
        } else if (arg == "--fps") {
            if (!parseCount(value, kMaxFps, &fps))
                return fail("bad --fps '" + value + "': expected a whole number from 1 to 1000");
        } else if (arg == "--scale") {
            if (!parseCount(value, kMaxScale, &scale))
                return fail("bad --scale '" + value + "': expected a whole number from 1 to 4");
            sawScale = true;
        } else if (arg == "--quality") {
            if (value != "draft" && value != "good" && value != "best")
                return fail("bad --quality '" + value + "': expected draft, good or best");
            quality = value == "draft" ? Quality::Draft : value == "best" ? Quality::Best : Quality::Good;
            sawQuality = true;
        } else if (arg == "--fields") {
            fields = true;
        } else if (arg == "--video" || arg == "--contact-sheet" || arg == "--timeline" || arg == "--script" ||
                   arg == "--export-script") {
            if (value.empty())
                return fail(arg + " needs a file name");
            (arg == "--video"           ? videoPath
             : arg == "--contact-sheet" ? contactSheetPath
             : arg == "--timeline"      ? timelinePath
             : arg == "--script"        ? scriptPath
                                        : exportScriptPath) = value;
        } else if (arg == "--from" || arg == "--to") {
            if (!parseTime(value, arg == "--from" ? &videoFrom : &videoTo))
                return fail("bad " + arg + " '" + value + "': expected seconds from 0 to 3600");
            sawRange = true;
        } else {
            return fail("unknown argument '" + arg + "'");
        }
    }
    if (!sawMode)
        return fail("nothing to do: give --list, --demo, --effect NAME or --gallery");
    if (mode == Mode::Gallery)
        return checkGallery(sawOut, sawRange, error);
    if ((fields || !videoPath.empty() || !contactSheetPath.empty() || !timelinePath.empty() ||
         !exportScriptPath.empty()) && mode != Mode::Demo)
        return fail("--fields, --video, --contact-sheet, --timeline and --export-script go with --demo");
    if (!scriptPath.empty() && mode != Mode::Demo)
        return fail("--script goes with --demo");
    if (sawRange && videoPath.empty())
        return fail("--from and --to go with --video");
    if (sawQuality && videoPath.empty())
        return fail("--quality goes with --video");
    if (videoFrom >= videoTo)
        return fail("--from must come before --to");
    if (!videoPath.empty() && frameAt(videoFrom) == frameAt(videoTo))
        return fail("--from " + shortest(videoFrom) + " --to " + shortest(videoTo) + " holds no frame at " +
                    std::to_string(fps) + " fps");
    if (scale > 1 && !timelinePath.empty())
        return fail("--timeline is drawn at its own size (1920 pixels wide): make it in a run without --scale");
    const std::string* outputs[] = {&videoPath, &contactSheetPath, &timelinePath, &exportScriptPath};
    for (size_t i = 0; i < 4; ++i)
        for (size_t j = i + 1; j < 4; ++j)
            if (!outputs[i]->empty() && !outputs[j]->empty() && sameFile(*outputs[i], *outputs[j]))
                return fail("the video, the contact sheet, the timeline and the script file need different files");
    if (followsDemo()) {
        if (checkGl)
            return fail("--check-gl goes with --out");
        if (sawOut)
            return fail("--out does not combine with --fields, --video, --contact-sheet, --timeline or --export-script");
        if (fields && !sawTimes)
            return fail("--fields needs --times");
        if (sawTimes && !fields && contactSheetPath.empty())
            return fail("--times goes with --out, --fields or --contact-sheet");
        return true;
    }
    if (mode != Mode::List && (!sawTimes || !sawOut))
        return fail("--demo and --effect need --times and --out");
    if (mode == Mode::List && (sawTimes || sawOut || checkGl || sawScale))
        return fail("--list takes no other arguments");
    return checkFileNames(error);
}

bool RenderOptions::checkGallery(bool sawOut, bool sawRange, std::string* error) const
{
    const char* problem = nullptr;
    if (contactSheetPath.empty())
        problem = "--gallery needs --contact-sheet FILE.png";
    else if (fields || !videoPath.empty() || !timelinePath.empty() || !exportScriptPath.empty() ||
             !scriptPath.empty() || sawRange || sawOut || checkGl)
        problem = "--gallery takes only --contact-sheet, --times, --fps and --scale";
    else if (times.size() > 1)
        problem = "--gallery shows every effect at one time: give --times one value";
    if (problem)
        *error = problem;
    return !problem;
}

// Two times on different frames must not share a file name.
bool RenderOptions::checkFileNames(std::string* error) const
{
    for (size_t i = 1; i < times.size(); ++i) {
        const double a = times[i - 1], b = times[i];
        if (fileName(a) == fileName(b) && frameAt(a) != frameAt(b)) {
            *error = "--times " + shortest(a) + " and " + shortest(b) + " fall on frames " +
                     std::to_string(frameAt(a)) + " and " + std::to_string(frameAt(b)) +
                     " but would both be written as " + vell::printableText(fileName(a));
            return false;
        }
    }
    return true;
}

long long RenderOptions::frameAt(double t) const
{
    return std::llround(t * fps);
}

std::string RenderOptions::fileName(double t) const
{
    char name[64];
    snprintf(name, sizeof(name), "-%.2f.png", t);
    return (mode == Mode::Effect ? effectName : std::string("demo")) + name;
}
