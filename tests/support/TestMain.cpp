#include "TestEnvironment.h"

#include <gtest/gtest.h>
#include <juce_events/juce_events.h>

namespace
{
    /** Starts the display only when tests run, not when they are merely listed. */
    class TestDisplay : public testing::Environment
    {
    public:
        void SetUp() override { TestEnvironment::startDisplay(); }
    };
} // namespace

int main (int argc, char** argv)
{
    testing::InitGoogleTest (&argc, argv);
    TestEnvironment::prepareProcess();
    testing::AddGlobalTestEnvironment (new TestDisplay);

    auto result = 0;
    {
        const juce::ScopedJuceInitialiser_GUI juceInitialiser;
        result = RUN_ALL_TESTS();
    }

    TestEnvironment::removeHomeFolder();
    return result;
}
