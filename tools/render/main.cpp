// quenfold-render: draws the demo or one registered effect without a display
// and writes the frames at the requested times as PNG files.
#include "FrameRecorder.h"
#include "HeadlessContext.h"
#include "OutputDirectory.h"
#include "RenderOptions.h"
#include "ResourceFiles.h"
#include "framework/EffectApp.h"
#include "framework/EffectFactory.h"
#include "framework/GLApp.h"

#include <chrono>
#include <cstdio>
#include <memory>

namespace {

int badArguments(const std::string& message)
{
    fprintf(stderr, "quenfold-render: %s\n%s\n", message.c_str(), RenderOptions::usage());
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    RenderOptions options;
    std::string error;
    if (!options.parse(argc, argv, &error))
        return badArguments(error);

    EffectFactory* factory = EffectFactory::getInstance();
    if (options.mode == RenderOptions::Mode::List) {
        for (int i = 0; i < factory->getNumEffects(); ++i)
            printf("%s\n", factory->getEffectName(i));
        return 0;
    }
    const EffectFactory::EffectInfo* effect = nullptr;
    if (options.mode == RenderOptions::Mode::Effect &&
        !(effect = factory->find(options.effectName.c_str())))
        return badArguments("unknown effect '" + options.effectName + "' (see --list)");
    OutputDirectory output;
    if (!output.prepare(options.outDir))
        return badArguments("cannot write to directory '" + options.outDir + "'");

    ResourceFiles::logDirectory();
    HeadlessContext context(options.fps);
    if (!context.isValid()) {
        fprintf(stderr, "quenfold-render: %s\n", context.errorText().c_str());
        output.removeCreated();
        return 1;
    }

    const auto start = std::chrono::steady_clock::now();
    FrameRecorder recorder(options);
    {
        std::unique_ptr<GLApp> app(effect ? new EffectApp(effect->create()) : new GLApp());
        app->init();
        recorder.record(*app, context);
    }
    if (!recorder.write(&error)) {
        fprintf(stderr, "quenfold-render: %s\n", error.c_str());
        output.removeCreated();
        return 1;
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    printf("rendered %lld frames in %.2f s (%.1f fps)\n", recorder.framesRendered(), seconds,
           seconds > 0 ? recorder.framesRendered() / seconds : 0.0);
    return 0;
}
