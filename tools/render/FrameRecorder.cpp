#include "FrameRecorder.h"

#include "HeadlessContext.h"
#include "HostClock.h"
#include "Interruption.h"
#include "StagedFile.h"
#include "framework/GLApp.h"

#include <memory>
#include <set>
#include <unistd.h>

bool FrameRecorder::record(GLApp& app, const HeadlessContext& context)
{
    std::set<long long> wanted;
    for (double t : options.times)
        wanted.insert(options.frameAt(t));
    const long long last = *wanted.rbegin();
    for (long long frame = 0; frame <= last && !Interruption::requested(); ++frame) {
        HostClock::advance();
        app.update();
        ++frames;
        if (wanted.count(frame))
            kept[frame] = context.readPresented();
    }
    return !Interruption::requested();
}

// Every frame goes to a fresh temporary file first; only when all are written
// do they take their names, so a failed run leaves nothing of its own behind.
bool FrameRecorder::write(std::string* error) const
{
    std::vector<std::unique_ptr<StagedFile>> staged;
    for (double t : options.times) {
        staged.push_back(std::make_unique<StagedFile>(options.framePath(t)));
        if (!staged.back()->writePng(kept.at(options.frameAt(t)), HeadlessContext::pixelWidth(),
                                     HeadlessContext::pixelHeight(), error))
            return false;
    }
    if (Interruption::requested()) {
        *error = "interrupted";
        return false;
    }
    for (size_t i = 0; i < staged.size(); ++i) {
        if (staged[i]->commit(error))
            continue;
        for (size_t j = 0; j < i; ++j)
            unlink(staged[j]->resolvedPath().c_str()); // the ones already renamed
        return false;
    }
    return true;
}
