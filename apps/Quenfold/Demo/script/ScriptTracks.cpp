#include "script/ScriptTracks.h"

#include "anim/Anim.h"

#include <map>

namespace {

bool same(bool a, bool b) { return a == b; }
bool same(int a, int b) { return a == b; }
bool same(float a, float b) { return a == b; }
bool same(const vell::vec3& a, const vell::vec3& b) { return a.x == b.x && a.y == b.y && a.z == b.z; }
bool same(const vell::vec4& a, const vell::vec4& b)
{
    return a.x == b.x && a.y == b.y && a.z == b.z && a.w == b.w;
}

template <typename T>
bool same(const Track<T>& a, const Track<T>& b)
{
    if (a.points.size() != b.points.size())
        return false;
    for (size_t i = 0; i < a.points.size(); ++i) {
        const Trackpoint<T>& p = a.points[i];
        const Trackpoint<T>& q = b.points[i];
        if (p.time != q.time || p.mode != q.mode || !same(p.value, q.value))
            return false;
    }
    return true;
}

template <typename T>
Track<T> registered(T* variable)
{
    const Track<T>* track = Anim::getInstance()->animator<T>().find(variable);
    return track ? *track : Track<T>();
}

template <typename T>
Track<T> fromFile(const ScriptFile::Field& field)
{
    Track<T> track;
    for (const ScriptFile::Key& k : field.keys)
        track.points.emplace_back(k.time, std::get<T>(k.value), k.mode);
    return track;
}

} // namespace

ScriptTracks::ScriptTracks(const std::vector<AnimatedField>& fields)
{
    for (const AnimatedField& f : fields)
        std::visit(
            [&](auto* variable) {
                entries.push_back({f, AnyTrack(registered(variable)), ScriptFile::Value(*variable)});
            },
            f.address);
}

bool ScriptTracks::apply(const ScriptFile& file, std::string* error)
{
    std::map<std::string, size_t> byName;
    for (size_t i = 0; i < entries.size(); ++i)
        byName.emplace(entries[i].field.name, i);
    std::vector<const ScriptFile::Field*> named(entries.size(), nullptr);
    for (const ScriptFile::Field& f : file.fields) {
        const auto it = byName.find(f.name);
        if (it == byName.end()) {
            *error = file.fault(f.line, "unknown field '" + f.name + "'");
            return false;
        }
        const size_t type = entries[it->second].field.address.index();
        if (f.type != type) {
            *error = file.fault(f.line, f.name + " is " + ScriptFile::kTypeNames[type] + ", not " +
                                            ScriptFile::kTypeNames[f.type]);
            return false;
        }
        named[it->second] = &f;
    }

    changedNames.clear();
    for (size_t i = 0; i < entries.size(); ++i) {
        Entry& e = entries[i];
        std::visit(
            [&](auto* variable) {
                using T = std::remove_pointer_t<decltype(variable)>;
                const Track<T>& builtIn = std::get<Track<T>>(e.builtIn);
                Track<T> wanted = named[i] ? fromFile<T>(*named[i]) : builtIn;
                if (!same(wanted, builtIn))
                    changedNames.insert(e.field.name);
                if (same(wanted, registered(variable)))
                    return;
                *variable = std::get<T>(e.initial);
                Anim::getInstance()->animator<T>().replace(variable, std::move(wanted));
            },
            e.field.address);
    }
    sourceLabel = file.label;
    return true;
}

ScriptFile ScriptTracks::current() const
{
    ScriptFile out;
    out.label = sourceLabel;
    for (const Entry& e : entries) {
        ScriptFile::Field f{e.field.name, e.field.address.index(), 0, {}};
        std::visit(
            [&](auto* variable) {
                for (const auto& p : registered(variable).points)
                    f.keys.push_back({p.time, ScriptFile::Value(p.value), p.mode, 0});
            },
            e.field.address);
        if (!f.keys.empty())
            out.fields.push_back(std::move(f));
    }
    return out;
}
