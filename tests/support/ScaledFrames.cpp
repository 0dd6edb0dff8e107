#include "support/ScaledFrames.h"

#include "HostSurface.h"
#include "ImageFile.h"

#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;

ScaleScope::ScaleScope(int scale)
{
    HostSurface::setScale(scale);
}

ScaleScope::~ScaleScope()
{
    HostSurface::setScale(1);
}

std::vector<uint8_t> boxFiltered(const std::vector<uint8_t>& frame, int scale)
{
    const int w = HostSurface::kWidth, h = HostSurface::kHeight, rowBytes = w * scale * 4;
    std::vector<uint8_t> out(static_cast<size_t>(w) * h * 4);
    if (frame.size() != static_cast<size_t>(rowBytes) * h * scale)
        return {};
    const int area = scale * scale;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            for (int c = 0; c < 4; ++c) {
                int sum = 0;
                for (int dy = 0; dy < scale; ++dy)
                    for (int dx = 0; dx < scale; ++dx)
                        sum += frame[static_cast<size_t>(y * scale + dy) * rowBytes + (x * scale + dx) * 4 + c];
                out[(static_cast<size_t>(y) * w + x) * 4 + c] = static_cast<uint8_t>((sum + area / 2) / area);
            }
    return out;
}

testing::AssertionResult matchesAtScale(const std::vector<uint8_t>& frame, int scale,
                                        const std::vector<uint8_t>& reference, const std::string& name,
                                        double maxMeanDelta)
{
    const std::vector<uint8_t> filtered = boxFiltered(frame, scale);
    if (filtered.empty() || filtered.size() != reference.size())
        return testing::AssertionFailure() << name << ": a frame of " << frame.size() << " bytes is not "
                                           << scale << " times 480x320, or the reference is not 480x320";
    double total = 0;
    for (size_t p = 0; p < filtered.size(); p += 4)
        for (int c = 0; c < 3; ++c)
            total += std::abs(filtered[p + c] - reference[p + c]);
    const double meanDelta = total / (static_cast<double>(filtered.size()) / 4 * 3);
    if (meanDelta <= maxMeanDelta)
        return testing::AssertionSuccess() << name << ": mean delta " << meanDelta;
    const fs::path dir = fs::path(QUENFOLD_RESOURCE_DIR).parent_path() / "tests" / "golden-out";
    fs::create_directories(dir);
    const int w = HostSurface::kWidth, h = HostSurface::kHeight;
    ImageFile::writePng((dir / (name + "-scaled.png")).string(), filtered, w, h);
    ImageFile::writePng((dir / (name + "-reference.png")).string(), reference, w, h);
    return testing::AssertionFailure() << name << " at scale " << scale << ": mean delta " << meanDelta
                                       << " (allowed " << maxMeanDelta << "); wrote " << name
                                       << "-scaled.png and -reference.png to " << dir;
}
