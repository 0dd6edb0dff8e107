#include "FrameRecorder.h"

#include "HeadlessContext.h"
#include "HostClock.h"
#include "ImageFile.h"
#include "framework/GLApp.h"

#include <filesystem>
#include <set>

void FrameRecorder::record(GLApp& app)
{
    std::set<long long> wanted;
    for (double t : options.times)
        wanted.insert(options.frameAt(t));
    const long long last = *wanted.rbegin();
    for (long long frame = 0; frame <= last; ++frame) {
        HostClock::advance();
        app.update();
        ++frames;
        if (wanted.count(frame))
            kept[frame] = HeadlessContext::readFrame();
    }
}

bool FrameRecorder::write(std::string* error) const
{
    std::vector<std::string> written;
    for (double t : options.times) {
        const std::string path = options.outDir + "/" + options.fileName(t);
        if (!ImageFile::writePng(path, kept.at(options.frameAt(t)), HeadlessContext::kWidth,
                                  HeadlessContext::kHeight)) {
            *error = "cannot write " + path;
            std::error_code ec;
            for (const std::string& done : written)
                std::filesystem::remove(done, ec);
            return false;
        }
        written.push_back(path);
    }
    return true;
}
