#include "TimelineOutput.h"

#include "Interruption.h"
#include "MusicEnvelope.h"
#include "ResourceFiles.h"
#include "StagedFile.h"
#include "TimelinePicture.h"
#include "demo/Mirande.h"
#include "script/ScriptTracks.h"
#include "timeline/ScriptTimeline.h"
#include "utils/Utils.h"

#include <chrono>
#include <cstdio>

bool TimelineOutput::write(const Mirande& demo, const std::string& path, std::string* error)
{
    const auto start = std::chrono::steady_clock::now();
    ScriptTimeline script = ScriptTimeline::read(demo.effects, demo.animatedFields(), TimelineAxis::kEnd, 60,
                                                 demo.scriptTracks().changed());
    script.scriptFile = vell::printableText(demo.scriptTracks().source());
    MusicEnvelope music;
    std::string reason;
    const bool decoded = music.decode(ResourceFiles::directory() + "/" + Mirande::kMusic, &reason);
    const auto interrupted = [error] {
        if (Interruption::requested())
            *error = "interrupted";
        return Interruption::requested();
    };
    if (interrupted())
        return false;
    if (!decoded)
        fprintf(stderr, "quenfold-render: the timeline shows no music: %s\n", vell::printableText(reason).c_str());
    const TimelinePicture picture(script, decoded ? &music : nullptr, "no music: " + reason);
    const std::vector<uint8_t> pixels = picture.draw();
    StagedFile file(path);
    if (interrupted() || !file.writePng(pixels, TimelinePicture::kWidth, picture.height(), error) ||
        !file.commit(error))
        return false;
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    fprintf(stderr, "timeline %dx%d (%zu lanes, %zu rows, %d keys) made in %.2f s\n", TimelinePicture::kWidth,
            picture.height(), script.lanes.size(), script.rows.size(), script.keyCount, seconds);
    return true;
}
