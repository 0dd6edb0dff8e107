#pragma once

#include "RenderOptions.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

class GLApp;
class HeadlessContext;

// Runs an application from its first frame on the fixed-step clock and keeps
// the frames drawn at the requested times; writes them only when all succeed.
class FrameRecorder {
public:
    explicit FrameRecorder(const RenderOptions& renderOptions) : options(renderOptions) {}

    // Renders every frame up to the last requested one, keeping what is presented;
    // false when the run was interrupted before the last.
    bool record(GLApp& app, const HeadlessContext& context);
    // Writes the kept frames into the output directory; on failure removes what it wrote.
    bool write(std::string* error) const;

    long long framesRendered() const { return frames; }

private:
    const RenderOptions& options;
    std::map<long long, std::vector<uint8_t>> kept; // frame index -> pixels
    long long frames = 0;
};
