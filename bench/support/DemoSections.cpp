#include "DemoSections.h"

#include "HeadlessContext.h"
#include "HostClock.h"
#include "SelfPath.h"
#include "anim/Anim.h"
#include "demo/Mirande.h"
#include "demo/Rings.h"
#include "demo/SorvLogo3.h"
#include "framework/Effect.h"
#include "utils/Timer.h"

#include <cstdio>
#include <iterator>

namespace DemoSections {

namespace {
const char* const effectNames[] = {"PinkSky", "QuadLand2", "TriangleRain5", "Piramid", "Tunnel",
                                   "Stars",   "Rings",     "SorvLogo3",     "TarskFade"};
}

std::string name(const Mirande& app)
{
    std::string name;
    for (size_t i = 0; i + 1 < app.effects.size() && i < std::size(effectNames); ++i) {
        if (!app.effects[i]->enabled)
            continue;
        name += (name.empty() ? "" : "+") + std::string(effectNames[i]);
        if (app.effects[i] == app.rings)
            name += "/" + std::to_string(app.rings->stage);
        if (app.effects[i] == app.sorvLogo3)
            name += "/" + std::to_string(app.sorvLogo3->stage);
    }
    return name.empty() ? "black" : name;
}

void note(std::vector<Section>& sections, const std::string& name, int frame)
{
    if (sections.empty() || sections.back().name != name)
        sections.push_back({name, frame});
    ++sections.back().frames;
}

std::vector<Section> fromScript(const ScriptFile* script, std::string* error)
{
    std::vector<Section> sections;
    HeadlessContext context(fps);
    if (!context.isValid())
        return sections;
    Mirande app;
    app.init();
    if (script && !app.useScript(*script, error))
        return sections;
    for (int frame = 0; frame < demoFrames; ++frame) {
        HostClock::advance();
        vell::Timer::getInstance()->update();
        Anim::update();
        note(sections, name(app), frame);
    }
    return sections;
}

std::vector<int> startsFromChild()
{
    std::vector<int> starts;
    const std::string self = selfPath();
    if (self.empty())
        return starts;
    const std::string command = "'" + self + "' --section-starts 2>/dev/null";
    FILE* child = popen(command.c_str(), "r");
    if (!child)
        return starts;
    char line[256];
    for (int start; std::fgets(line, sizeof line, child);) // the effects log on the same stream
        if (std::sscanf(line, "section at frame %d", &start) == 1)
            starts.push_back(start);
    pclose(child);
    return starts;
}

void printStarts()
{
    for (const Section& s : fromScript())
        std::printf("section at frame %d\n", s.firstFrame);
}

} // namespace DemoSections
