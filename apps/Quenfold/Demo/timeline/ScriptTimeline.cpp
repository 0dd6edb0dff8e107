#include "timeline/ScriptTimeline.h"

#include "anim/Anim.h"
#include "framework/Effect.h"
#include "timeline/TypedScriptTrack.h"

#include <algorithm>
#include <cstdio>
#include <limits>

namespace {

struct Found {
    std::unique_ptr<ScriptTrack> track;
    std::string name;
    size_t order; // index in the table of names; unnamed ones come last
};

template <typename T>
void collect(const Animator<T>& animator, const std::vector<AnimatedField>& names,
             std::vector<Found>* found)
{
    for (const auto& [variable, track] : animator.allTracks()) {
        Found f{std::make_unique<TypedScriptTrack<T>>(variable, track), "", std::numeric_limits<size_t>::max()};
        for (size_t i = 0; i < names.size(); ++i) {
            const T* const* named = std::get_if<T*>(&names[i].address);
            if (named && *named == variable) {
                f.name = names[i].name;
                f.order = i;
                break;
            }
        }
        if (f.name.empty()) {
            char text[64];
            snprintf(text, sizeof(text), "%s at %p", f.track->typeName(), static_cast<const void*>(variable));
            f.name = text;
        }
        found->push_back(std::move(f));
    }
}

// Frame times 0, 1/fps, ... up to end, with whether the effect is enabled at each.
std::vector<std::pair<double, double>> spans(const ScriptTrack* track, bool constant, double end, int fps)
{
    const long long frames = static_cast<long long>(end * fps) + 1;
    std::vector<double> times(static_cast<size_t>(frames));
    for (long long i = 0; i < frames; ++i)
        times[static_cast<size_t>(i)] = static_cast<double>(i) / fps;
    std::vector<std::pair<double, double>> out;
    const std::vector<std::vector<float>> values = track ? track->sample(times) : std::vector<std::vector<float>>();
    for (size_t i = 0; i < times.size(); ++i) {
        const bool on = track ? values[i][0] != 0 : constant;
        if (!on)
            continue;
        const double next = std::min(end, times[i] + 1.0 / fps);
        if (!out.empty() && out.back().second >= times[i])
            out.back().second = next;
        else
            out.emplace_back(times[i], next);
    }
    return out;
}

} // namespace

bool ScriptTimeline::Lane::enabledAt(double t) const
{
    return std::any_of(spans.begin(), spans.end(), [t](const auto& s) { return s.first <= t && t < s.second; });
}

ScriptTimeline ScriptTimeline::read(const std::vector<Effect*>& effects, const std::vector<AnimatedField>& names,
                                    double end, int fps, const std::set<std::string>& changed)
{
    const Anim* anim = Anim::getInstance();
    std::vector<Found> found;
    collect(anim->floats, names, &found);
    collect(anim->ints, names, &found);
    collect(anim->vec3s, names, &found);
    collect(anim->vec4s, names, &found);
    collect(anim->bools, names, &found);
    std::stable_sort(found.begin(), found.end(), [](const Found& a, const Found& b) { return a.order < b.order; });

    ScriptTimeline timeline;
    for (const Found& f : found)
        timeline.keyCount += static_cast<int>(f.track->keys().size());
    for (size_t i = 0; i < effects.size(); ++i) {
        const auto it = std::find_if(found.begin(), found.end(), [&](const Found& f) {
            return f.track->isBool() && f.track->address() == &effects[i]->enabled;
        });
        Lane lane;
        const std::string suffix = ".enabled";
        if (it != found.end() && it->name.size() > suffix.size() &&
            it->name.compare(it->name.size() - suffix.size(), suffix.size(), suffix) == 0)
            lane.name = it->name.substr(0, it->name.size() - suffix.size());
        else
            lane.name = "effect " + std::to_string(i + 1);
        lane.spans = spans(it != found.end() ? it->track.get() : nullptr, effects[i]->enabled, end, fps);
        if (it != found.end()) {
            lane.changed = changed.count(it->name) > 0;
            found.erase(it);
        }
        timeline.lanes.push_back(std::move(lane));
    }
    for (Found& f : found) {
        const bool fromFile = changed.count(f.name) > 0;
        timeline.rows.push_back({std::move(f.name), std::move(f.track), fromFile});
    }
    return timeline;
}
