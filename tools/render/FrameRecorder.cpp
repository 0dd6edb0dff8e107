#include "FrameRecorder.h"

#include "HeadlessContext.h"
#include "HostClock.h"
#include "ImageFile.h"
#include "framework/GLApp.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

void FrameRecorder::record(GLApp& app, const HeadlessContext& context)
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
            kept[frame] = context.readPresented();
    }
}

// Every frame goes to a fresh temporary file first; only when all are written
// do they take their names, so a failed run leaves nothing of its own behind.
bool FrameRecorder::write(std::string* error) const
{
    struct Staged {
        std::string temp, path;
    };
    std::vector<Staged> staged;
    auto discard = [&staged] {
        for (const Staged& s : staged)
            unlink(s.temp.c_str());
    };
    const mode_t mask = umask(0);
    umask(mask);
    for (double t : options.times) {
        const std::string path = options.outDir + "/" + options.fileName(t);
        std::string temp = options.outDir + "/." + options.fileName(t) + ".XXXXXX";
        const int fd = mkstemp(temp.data());
        std::string reason = fd < 0 ? strerror(errno) : "";
        if (fd >= 0) {
            fchmod(fd, 0666 & ~mask); // as a plainly created file would be
            close(fd);
            staged.push_back({temp, path});
        }
        if (fd < 0 || !ImageFile::writePng(temp, kept.at(options.frameAt(t)), HeadlessContext::kWidth,
                                           HeadlessContext::kHeight, &reason)) {
            *error = "cannot write " + path + ": " + reason;
            discard();
            return false;
        }
    }
    for (size_t i = 0; i < staged.size(); ++i) {
        if (rename(staged[i].temp.c_str(), staged[i].path.c_str()) == 0)
            continue;
        *error = "cannot write " + staged[i].path + ": " + strerror(errno);
        for (size_t j = 0; j < staged.size(); ++j)
            unlink((j < i ? staged[j].path : staged[j].temp).c_str()); // renamed ones, then the rest
        return false;
    }
    return true;
}
