// quenfold-render: draws the demo or one registered effect without a display
// and writes the frames at the requested times as PNG files, or follows the
// demo through time for its field values, a video or a contact sheet.
#include "DataOutput.h"
#include "DemoRecorder.h"
#include "FrameRecorder.h"
#include "GallerySheet.h"
#include "HeadlessContext.h"
#include "Interruption.h"
#include "OutputDirectory.h"
#include "OutputTarget.h"
#include "RenderOptions.h"
#include "ResourceFiles.h"
#include "StagedFile.h"
#include "TimelineOutput.h"
#include "framework/EffectApp.h"
#include "demo/Mirande.h"
#include "framework/EffectFactory.h"
#include "framework/GLApp.h"
#include "utils/Utils.h"
#include "graphics/GLDebug.h"
#include "script/ScriptFile.h"
#include "script/ScriptTracks.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

int badArguments(const std::string& message)
{
    fprintf(stderr, "quenfold-render: %s\n%s\n", vell::printableText(message).c_str(), RenderOptions::usage());
    return 2;
}

// A run that stopped early: "interrupted" with 128 + the signal, else the reason with 1.
int stopped(const std::string& reason)
{
    if (Interruption::requested()) {
        fprintf(stderr, "quenfold-render: interrupted\n");
        return Interruption::exitStatus();
    }
    fprintf(stderr, "quenfold-render: %s\n", vell::printableText(reason).c_str());
    return 1;
}

// A script file that cannot be played: its one line, status 2.
int refusedScript(const std::string& error)
{
    fprintf(stderr, "quenfold-render: %s\n", error.c_str());
    return 2;
}

// The demo with the script file's keys, if one was given; false with the reason.
bool useScript(Mirande& app, const RenderOptions& options, const ScriptFile& script, std::string* error)
{
    return options.scriptPath.empty() || app.useScript(script, error);
}

// Refuses output files that cannot be written, logs where resources come from
// and makes the headless context; null, with the reason printed and the exit
// status in *status, when either fails.
std::unique_ptr<HeadlessContext> openContext(const RenderOptions& options, const std::vector<std::string>& outputs,
                                             FILE* data, int* status)
{
    std::string error;
    for (const std::string& path : outputs)
        if (!path.empty() && !OutputTarget::check(path, fileno(data), &error)) {
            *status = badArguments(error);
            return nullptr;
        }
    std::string why;
    if (!ResourceFiles::found(&why)) {
        *status = stopped(why);
        return nullptr;
    }
    ResourceFiles::logDirectory();
    auto context = std::make_unique<HeadlessContext>(options.fps);
    if (context->isValid())
        return context;
    *status = stopped(context->errorText());
    return nullptr;
}

double secondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

int followDemo(const RenderOptions& options, const ScriptFile& script, FILE* fieldLines)
{
    const std::vector<std::string> outputs = {options.videoPath, options.contactSheetPath, options.timelinePath,
                                              options.exportScriptPath};
    int status = 0;
    const std::unique_ptr<HeadlessContext> context = openContext(options, outputs, fieldLines, &status);
    if (!context)
        return status;
    DemoRecorder recorder(options, fieldLines);
    const auto start = std::chrono::steady_clock::now();
    std::string error;
    {
        Mirande app;
        app.init();
        if (!useScript(app, options, script, &error))
            return refusedScript(error);
        if (!options.exportScriptPath.empty()) {
            StagedFile file(options.exportScriptPath);
            if (!file.writeText(app.scriptTracks().current().text(), &error) || !file.commit(&error))
                return stopped(error);
        }
        // Before any frame: a field's value before its first key is its effect's own.
        if (!options.timelinePath.empty() && !TimelineOutput::write(app, options.timelinePath, &error))
            return stopped(error);
        if (options.rendersFrames() && !recorder.run(app, *context, &error))
            return stopped(error);
    }
    if (!options.rendersFrames()) {
        for (const std::string& path : outputs)
            if (!path.empty())
                fprintf(stderr, "wrote %s\n", vell::printableText(path).c_str());
        return 0;
    }
    const double seconds = secondsSince(start);
    const std::vector<DemoRecorder::Section>& sections = recorder.sectionRates();
    const DemoRecorder::Section& slowest = *std::min_element(
        sections.begin(), sections.end(), [](const auto& a, const auto& b) { return a.fps() < b.fps(); });
    fprintf(stderr, "rendered %lld frames in %.2f s (%.1f fps); slowest section %g-%g s at %.1f fps\n",
            recorder.framesRendered(), seconds, seconds > 0 ? recorder.framesRendered() / seconds : 0.0,
            slowest.from, slowest.to, slowest.fps());
    for (const std::string& path : outputs)
        if (!path.empty())
            fprintf(stderr, "wrote %s\n", vell::printableText(path).c_str());
    return 0;
}

int drawGallery(const RenderOptions& options, FILE* data)
{
    int status = 0;
    const std::unique_ptr<HeadlessContext> context = openContext(options, {options.contactSheetPath}, data, &status);
    if (!context)
        return status;
    const auto start = std::chrono::steady_clock::now();
    std::string error;
    if (!GallerySheet::write(options, *context, &error))
        return stopped(error);
    fprintf(stderr, "drew %d effects in %.2f s\nwrote %s\n", EffectFactory::getInstance()->getNumEffects(),
            secondsSince(start), vell::printableText(options.contactSheetPath).c_str());
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    Interruption::install();
    const DataOutput data; // field lines, names and help on stdout; all else on stderr
    // Past a file size limit a write fails with EFBIG and the run stops as on a full disk.
    signal(SIGXFSZ, SIG_IGN);
    RenderOptions options;
    std::string error;
    if (!options.parse(argc, argv, &error))
        return badArguments(error);
    if (options.mode == RenderOptions::Mode::Help) {
        fprintf(data.stream(), "%s\n", RenderOptions::usage());
        return 0;
    }
    if (options.mode == RenderOptions::Mode::Version) {
        fprintf(data.stream(), "quenfold-render %s\n", QUENFOLD_VERSION);
        return 0;
    }
    static_assert(RenderOptions::kMaxScale == HostSurface::kMaxScale, "the options allow the scales the frame has");
    HostSurface::setScale(options.scale); // before any app: targets are sized when they are made

    EffectFactory* factory = EffectFactory::getInstance();
    if (options.mode == RenderOptions::Mode::List) {
        for (int i = 0; i < factory->getNumEffects(); ++i)
            fprintf(data.stream(), "%s\n", factory->getEffectName(i));
        return 0;
    }
    // Read before anything is made; its names and types are checked once the demo has loaded.
    ScriptFile script;
    if (!options.scriptPath.empty() && !ScriptFile::load(options.scriptPath, &script, &error))
        return refusedScript(error);
    if (options.followsDemo())
        return followDemo(options, script, data.stream());
    if (options.mode == RenderOptions::Mode::Gallery)
        return drawGallery(options, data.stream());
    const EffectFactory::EffectInfo* effect = nullptr;
    if (options.mode == RenderOptions::Mode::Effect &&
        !(effect = factory->find(options.effectName.c_str())))
        return badArguments("unknown effect '" + options.effectName + "' (see --list)");
    if (!ResourceFiles::found(&error)) // before the output folder is made
        return stopped(error);
    OutputDirectory output;
    if (!output.prepare(options.outDir))
        return badArguments("cannot write to directory '" + options.outDir + "'");
    for (double t : options.times) {
        if (!OutputTarget::check(options.framePath(t), fileno(data.stream()), &error)) {
            output.removeCreated();
            return badArguments(error);
        }
    }

    int status = 0;
    const std::unique_ptr<HeadlessContext> context = openContext(options, {}, data.stream(), &status);
    if (!context) {
        output.removeCreated();
        return status;
    }

    const auto start = std::chrono::steady_clock::now();
    FrameRecorder recorder(options);
    bool recorded = false;
    {
        Mirande* demo = effect ? nullptr : new Mirande();
        std::unique_ptr<GLApp> app(demo ? static_cast<GLApp*>(demo) : new EffectApp(effect->create()));
        app->init();
        if (demo && !useScript(*demo, options, script, &error)) {
            output.removeCreated();
            return refusedScript(error);
        }
        recorded = recorder.record(*app, *context);
    }
    if (!recorded || !recorder.write(&error)) {
        output.removeCreated();
        return stopped(error);
    }
    const double seconds = secondsSince(start);
    fprintf(stderr, "rendered %lld frames in %.2f s (%.1f fps)\n", recorder.framesRendered(), seconds,
            seconds > 0 ? recorder.framesRendered() / seconds : 0.0);
    if (options.checkGl) {
        fprintf(stderr, "GL errors: %ld\n", vell::GLDebug::errorCount());
        return vell::GLDebug::errorCount() == 0 ? 0 : 1;
    }
    return 0;
}
