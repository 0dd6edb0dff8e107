#include "filters/BlurFilter.h"
#include "filters/DofFilter.h"
#include "support/HeadlessGL.h"
#include "support/ScratchResources.h"
#include "support/TextureData.h"

#include <cstdlib>

using namespace vell;

namespace {

using FilterTest = HeadlessGLTest;

// Left half black, right half white, opaque.
std::vector<uint8_t> hardEdge(int w, int h)
{
    std::vector<uint8_t> rgba(static_cast<size_t>(w) * h * 4, 255);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w / 2; ++x)
            for (int c = 0; c < 3; ++c)
                rgba[(static_cast<size_t>(y) * w + x) * 4 + c] = 0;
    return rgba;
}

int maxDifference(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b)
{
    int worst = 0;
    for (size_t i = 0; i < a.size(); ++i)
        worst = std::max(worst, std::abs(a[i] - b[i]));
    return worst;
}

} // namespace

TEST_F(FilterTest, ZeroStrengthReproducesTheSource)
{
    std::vector<uint8_t> rgba(64 * 64 * 4);
    for (size_t i = 0; i < rgba.size(); ++i)
        rgba[i] = static_cast<uint8_t>((i * 37) % 251);
    auto source = makeTexture(64, 64, rgba);
    std::unique_ptr<BlurFilter> blur(BlurFilter::create(64, 64));
    blur->setStrength(vec2(0, 0));
    blur->apply(source.get());
    EXPECT_LE(maxDifference(readTexture(*blur), rgba), 1);
}

TEST_F(FilterTest, HardEdgeBecomesARampAndStateIsRestored)
{
    // Wide enough that the repeat wrap of the far edges does not reach the middle.
    auto source = makeTexture(128, 8, hardEdge(128, 8));
    std::unique_ptr<BlurFilter> blur(BlurFilter::create(128, 8));
    glViewport(1, 2, 3, 4);
    blur->apply(source.get());

    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 480);
    EXPECT_EQ(viewport[3], 320);
    GLint bound = 0;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &bound);
    EXPECT_EQ(static_cast<GLuint>(bound), app->framebuffer);
    // Pass 3 reads the filter's own texture bilinear; it is trilinear again after.
    GLint minFilter = 0;
    blur->bind();
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
    EXPECT_EQ(minFilter, GL_LINEAR_MIPMAP_LINEAR);

    const auto out = readTexture(*blur);
    EXPECT_EQ(texelAt(out, 128, 32, 4)[0], 0) << "far from the edge stays black";
    EXPECT_EQ(texelAt(out, 128, 96, 4)[0], 255) << "and white";
    int intermediate = 0;
    for (int x = 33; x < 96; ++x) {
        EXPECT_GE(texelAt(out, 128, x, 4)[0], texelAt(out, 128, x - 1, 4)[0]) << "monotonic at " << x;
        const int v = texelAt(out, 128, x, 4)[0];
        intermediate += v > 10 && v < 245;
    }
    EXPECT_GE(intermediate, 6) << "a soft ramp, not a step";
}

TEST_F(FilterTest, StepsFollowTheSourceSizeNotTheFilterSize)
{
    auto source = makeTexture(64, 8, hardEdge(64, 8));
    std::unique_ptr<BlurFilter> full(BlurFilter::create(64, 8));
    std::unique_ptr<BlurFilter> half(BlurFilter::create(32, 8));
    full->apply(source.get());
    half->apply(source.get());
    const auto a = readTexture(*full);
    const auto b = readTexture(*half);
    for (int x = 0; x < 32; ++x) // the half-size result is the full one sampled every other texel
        EXPECT_NEAR(texelAt(b, 32, x, 4)[0], (texelAt(a, 64, 2 * x, 4)[0] + texelAt(a, 64, 2 * x + 1, 4)[0]) / 2, 24)
            << x;
}

TEST_F(FilterTest, MissingShaderIsReportedOnceAndDrawsNothing)
{
    ScratchResources empty;
    auto source = makeTexture(16, 16, hardEdge(16, 16));
    std::unique_ptr<BlurFilter> blur(BlurFilter::create(16, 16));
    testing::internal::CaptureStdout();
    blur->apply(source.get());
    blur->apply(source.get());
    const std::string log = testing::internal::GetCapturedStdout();
    EXPECT_EQ(log, "ERROR: BlurFilter has no usable shader and draws nothing\n");
    EXPECT_EQ(texelAt(readTexture(*blur), 16, 15, 0), (Texel{0, 0, 0, 0}));
}

TEST_F(FilterTest, DepthOfFieldKeepsTheFocalPlaneSharpAndBlursTheRest)
{
    const auto edge = hardEdge(64, 8);
    auto color = makeTexture(64, 8, edge);
    std::unique_ptr<DofFilter> dof(DofFilter::create(64, 8));

    auto inFocus = makeTexture(64, 8, std::vector<uint8_t>(64 * 8 * 4, 128)); // depth 0.5
    dof->apply(color.get(), inFocus.get());
    EXPECT_LE(maxDifference(readTexture(*dof), edge), 1);

    auto far = makeTexture(64, 8, std::vector<uint8_t>(64 * 8 * 4, 255)); // depth 1
    dof->apply(color.get(), far.get());
    const auto blurred = readTexture(*dof);
    const int nearEdge = texelAt(blurred, 64, 31, 4)[0];
    EXPECT_GT(nearEdge, 20);
    EXPECT_LT(nearEdge, 235);
}
