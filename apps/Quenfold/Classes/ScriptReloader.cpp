#include "ScriptReloader.h"

#include "HostSurface.h"
#include "demo/Mirande.h"
#include "script/ScriptTracks.h"
#include "toolkit/Canvas.h"
#include "utils/Utils.h"

#include <cstdio>
#include <ctime>

namespace {

constexpr float kFaultWidth = HostSurface::kWidth - 12;
constexpr int kLineHeight = 16;

// Words laid into lines no wider than the fault's room; a word too long for
// one line is cut.
std::vector<std::string> wrap(const Canvas& canvas, const std::string& text)
{
    std::vector<std::string> lines(1);
    size_t at = 0;
    while (at < text.size()) {
        const size_t space = text.find(' ', at);
        const std::string word = text.substr(at, space == std::string::npos ? std::string::npos : space + 1 - at);
        at = space == std::string::npos ? text.size() : space + 1;
        if (!lines.back().empty() && canvas.textWidth(lines.back() + word) > kFaultWidth)
            lines.emplace_back();
        lines.back() += word;
        while (canvas.textWidth(lines.back()) > kFaultWidth && lines.back().size() > 1) {
            std::string& line = lines.back();
            size_t cut = line.size();
            while (cut > 1 && canvas.textWidth(line.substr(0, cut)) > kFaultWidth)
                --cut;
            const std::string rest = line.substr(cut);
            line.resize(cut);
            lines.push_back(rest);
        }
    }
    return lines;
}

double realSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return static_cast<double>(now.tv_sec) + now.tv_nsec * 1e-9;
}

} // namespace

void ScriptReloader::start(const std::string& file, bool watch)
{
    path = file;
    if (path.empty())
        return;
    if (watch)
        watcher = std::make_unique<FileWatcher>(path);
    reload();
    announcement = "script " + fileName();
}

bool ScriptReloader::poll()
{
    if (!watcher || !watcher->changed())
        return false;
    savedAt = watcher->modified();
    return reload();
}

bool ScriptReloader::reload()
{
    ScriptFile script;
    std::string why;
    if (!ScriptFile::load(path, &script, &why)) {
        fail(why);
        return false;
    }
    waiting = std::move(script);
    announcement = "script reloaded";
    return true;
}

void ScriptReloader::applyTo(Mirande& demo, bool fresh)
{
    if (waiting) {
        std::string why;
        const bool taken = demo.useScript(*waiting, &why);
        if (taken) {
            vell::Log::msg("%s: %zu fields, %d keys", announcement.c_str(), waiting->fields.size(),
                           waiting->keyCount());
            good = std::move(waiting);
            error.clear();
            errorLines.clear();
            measuring = savedAt;
        } else {
            fail(why);
        }
        waiting.reset();
        savedAt = 0;
        if (taken)
            return;
    }
    std::string ignored; // it was taken before
    if (fresh && good)
        demo.useScript(*good, &ignored);
}

void ScriptReloader::framePresented()
{
    if (measuring <= 0)
        return;
    vell::Log::msg("script: first frame with it drawn %.0f ms after the save", (realSeconds() - measuring) * 1000);
    measuring = 0;
}

void ScriptReloader::fail(const std::string& why)
{
    error = why;
    errorLines.clear();
    fprintf(stderr, "quenfold: %s (the demo keeps the script it plays)\n", why.c_str());
}

std::string ScriptReloader::fileName() const
{
    return vell::printableText(path.substr(path.rfind('/') == std::string::npos ? 0 : path.rfind('/') + 1));
}

std::string ScriptReloader::summary(const Mirande& demo) const
{
    const size_t changed = demo.scriptTracks().changed().size();
    return "script " + fileName() + ": " + std::to_string(changed) + (changed == 1 ? " field" : " fields") +
           " changed";
}

void ScriptReloader::drawFault(Canvas& canvas, float top)
{
    if (errorLines.empty())
        errorLines = wrap(canvas, error);
    const std::vector<std::string>& lines = errorLines;
    canvas.fillStyle(vell::vec4(0.35f, 0.05f, 0.05f, 0.85f));
    canvas.fillRect(0, top, HostSurface::kWidth, static_cast<float>(lines.size() * kLineHeight + 6));
    canvas.fillStyle(vell::vec4(1, 0.9f, 0.85f, 1));
    for (size_t i = 0; i < lines.size(); ++i)
        canvas.printText(6, static_cast<int>(top) + 3 + static_cast<int>(i) * kLineHeight, lines[i]);
}
