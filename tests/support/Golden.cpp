#include "support/Golden.h"

#include "ImageFile.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

fs::path referencePath(const std::string& name)
{
    return fs::path(QUENFOLD_SOURCE_DIR) / "tests" / "golden" / (name + ".png");
}

fs::path outputDir()
{
    return fs::path(QUENFOLD_RESOURCE_DIR).parent_path() / "tests" / "golden-out";
}

} // namespace

testing::AssertionResult matchesGolden(const std::vector<uint8_t>& frame, int width, int height,
                                       const std::string& name, const GoldenTolerance& tolerance)
{
    const char* label = getenv("QUENFOLD_GOLDEN_LABEL"); // set by ctest
    if (label && std::string(label) != "1")
        return testing::AssertionFailure() << "this test compares " << name
                                           << " with its golden image: give it a name with \"Golden\" in it, "
                                              "so that it carries the label golden";
    const fs::path reference = referencePath(name);
    const char* update = getenv("QUENFOLD_UPDATE_GOLDEN");
    if (update && std::string(update) == "1") {
        fs::create_directories(reference.parent_path());
        if (!ImageFile::writePng(reference.string(), frame, width, height))
            return testing::AssertionFailure() << "cannot write " << reference;
        return testing::AssertionSuccess() << "updated " << reference;
    }

    std::vector<uint8_t> expected;
    int w = 0, h = 0;
    if (!ImageFile::read(reference.string(), &expected, &w, &h))
        return testing::AssertionFailure() << "no reference " << reference
                                           << " (QUENFOLD_UPDATE_GOLDEN=1 writes it)";
    if (w != width || h != height)
        return testing::AssertionFailure() << "reference is " << w << "x" << h << ", frame " << width << "x" << height;

    std::vector<uint8_t> diff(frame.size(), 0);
    int differing = 0;
    double total = 0;
    for (size_t p = 0; p < frame.size(); p += 4) {
        int worst = 0;
        for (int c = 0; c < 3; ++c) {
            const int d = std::abs(frame[p + c] - expected[p + c]);
            worst = std::max(worst, d);
            total += d;
        }
        differing += worst > tolerance.channelThreshold;
        // Diff image: differences in red, scaled up, over a dim copy of the reference.
        diff[p] = static_cast<uint8_t>(std::min(255, worst > tolerance.channelThreshold ? 128 + worst * 4 : expected[p] / 4));
        diff[p + 1] = static_cast<uint8_t>(expected[p + 1] / 4);
        diff[p + 2] = static_cast<uint8_t>(expected[p + 2] / 4);
        diff[p + 3] = 255;
    }
    const double meanDelta = total / (static_cast<double>(width) * height * 3);
    if (differing <= tolerance.maxDifferingPixels && meanDelta <= tolerance.maxMeanDelta)
        return testing::AssertionSuccess();

    fs::create_directories(outputDir());
    const fs::path actual = outputDir() / (name + "-actual.png");
    const fs::path diffPath = outputDir() / (name + "-diff.png");
    ImageFile::writePng(actual.string(), frame, width, height);
    ImageFile::writePng(diffPath.string(), diff, width, height);
    return testing::AssertionFailure() << name << ": " << differing << " pixels differ by more than "
                                       << tolerance.channelThreshold << " levels (allowed "
                                       << tolerance.maxDifferingPixels << "), mean delta " << meanDelta
                                       << " (allowed " << tolerance.maxMeanDelta << "); wrote " << actual
                                       << " and " << diffPath;
}
