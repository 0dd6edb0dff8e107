// Runs the headless renderer beside its own copy of the resources, in which one
// file at a time is missing, then broken (an image cut in half, a shader whose
// code no longer compiles): every run still ends cleanly, meets no GL error and
// names the file in one log line.
#include "framework/EffectFactory.h"
#include "support/ResourceSandbox.h"

#include <gtest/gtest.h>

namespace {

struct Target {
    std::string name;
    std::string args;
};

void PrintTo(const Target& target, std::ostream* os)
{
    *os << target.args;
}

std::vector<Target> targets()
{
    std::vector<Target> list;
    const EffectFactory* factory = EffectFactory::getInstance();
    for (int i = 0; i < factory->getNumEffects(); ++i) {
        const std::string name = factory->getEffectName(i);
        list.push_back({name, "--effect " + name + " --times 0.5 --check-gl"});
    }
    return list;
}

class BrokenResources : public testing::TestWithParam<Target> {};

} // namespace

TEST_P(BrokenResources, EachFileMissingOrBrokenInTurnStillRendersCleanly)
{
    const Target& target = GetParam();
    ResourceSandbox sandbox(target.name);
    RenderRun clean;
    const std::vector<std::string> read = sandbox.filesRead(target.args, &clean);
    ASSERT_EQ(clean.status, 0) << clean.out;
    ASSERT_NE(clean.out.find("GL errors: 0\n"), std::string::npos) << clean.out;
    EXPECT_FALSE(read.empty()) << "an effect reads at least its shader";
    for (const std::string& name : read) {
        for (const Fault fault : faultsFor(name)) {
            sandbox.breakFile(name, fault);
            const RenderRun run = sandbox.render(target.args);
            sandbox.restore();
            const std::string what = name + " " + faultName(fault) + "\n" + run.out;
            EXPECT_EQ(run.status, 0) << what;
            EXPECT_NE(run.out.find("GL errors: 0\n"), std::string::npos) << what;
            EXPECT_EQ(linesNaming(run.out, std::filesystem::path(name).filename().string()), 1) << what;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Runs, BrokenResources, testing::ValuesIn(targets()),
                         [](const testing::TestParamInfo<Target>& param) { return param.param.name; });
