#include "GallerySheet.h"

#include "ContactSheet.h"
#include "HeadlessContext.h"
#include "HostClock.h"
#include "Interruption.h"
#include "RenderOptions.h"
#include "framework/EffectApp.h"
#include "framework/EffectFactory.h"
#include "graphics/GLDefaults.h"
#include "math/Random.h"
#include "utils/Timer.h"

#include <cstdlib>

bool GallerySheet::write(const RenderOptions& options, const HeadlessContext& context, std::string* error)
{
    const EffectFactory* factory = EffectFactory::getInstance();
    const double time = options.times.empty() ? kDefaultTime : options.times.front();
    const long long last = options.frameAt(time);
    ContactSheet sheet(factory->getNumEffects(), options.scale);
    for (int i = 0; i < factory->getNumEffects() && !Interruption::requested(); ++i) {
        HostClock::set(0);
        vell::Timer::getInstance()->reset();
        srandom(1); // also rand()'s state
        vell::randomSeed(1);
        vell::GLDefaults::restore();
        EffectApp app(factory->getEffectInfo(i)->create());
        app.init();
        for (long long frame = 0; frame <= last && !Interruption::requested(); ++frame) {
            HostClock::advance();
            app.update();
        }
        sheet.add(context.readPresented(), factory->getEffectName(i));
    }
    if (Interruption::requested()) {
        *error = "interrupted";
        return false;
    }
    return sheet.write(options.contactSheetPath, error);
}
