#include "framework/Effect.h"
#include "framework/EffectFactory.h"

#include <gtest/gtest.h>

namespace {

class Probe : public Effect {};
Effect* createProbe()
{
    return new Probe();
}

} // namespace

TEST(EffectFactory, DuplicateNamesGiveTwoEntriesInOrder)
{
    EffectFactory* factory = EffectFactory::getInstance();
    const int before = factory->getNumEffects();
    EXPECT_TRUE(factory->registerEffect("ProbeEffect", createProbe));
    EXPECT_TRUE(factory->registerEffect("ProbeEffect", createProbe));
    ASSERT_EQ(factory->getNumEffects(), before + 2);
    EXPECT_STREQ(factory->getEffectName(before), "ProbeEffect");
    EXPECT_STREQ(factory->getEffectName(before + 1), "ProbeEffect");
    EXPECT_EQ(factory->getEffectName(before + 2), nullptr);
    EXPECT_EQ(factory->getEffectName(-1), nullptr);
}

TEST(EffectFactory, SelectingOnlyRecordsTheIndex)
{
    EffectFactory* factory = EffectFactory::getInstance();
    const int count = factory->getNumEffects();
    factory->setSelectedEffect(3);
    EXPECT_EQ(factory->getSelectedEffect(), 3);
    EXPECT_EQ(factory->getNumEffects(), count);
}

TEST(Effect, StartsDisabledAndKnowsTheWindow)
{
    Probe probe;
    EXPECT_FALSE(probe.enabled);
    EXPECT_EQ(probe.getWindowWidth(), 480u);
    EXPECT_EQ(probe.getWindowHeight(), 320u);
}

TEST(EffectFactory, PlacesOrderRegistrationsWhateverTheirCallOrder)
{
    EffectFactory* factory = EffectFactory::getInstance();
    factory->registerEffect("PlacedC", createProbe, 1002);
    factory->registerEffect("PlacedA", createProbe, 1000);
    factory->registerEffect("Unplaced", createProbe);
    factory->registerEffect("PlacedB", createProbe, 1001);
    std::vector<std::string> order;
    for (int i = 0; i < factory->getNumEffects(); ++i) {
        const std::string name = factory->getEffectName(i);
        if (name.rfind("Placed", 0) == 0 || name == "Unplaced")
            order.push_back(name);
    }
    EXPECT_EQ(order, (std::vector<std::string>{"PlacedA", "PlacedB", "PlacedC", "Unplaced"}));
}
