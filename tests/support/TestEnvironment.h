#pragma once

#include <juce_core/juce_core.h>

#include <functional>

/** Process-wide set-up of the test binary: a temporary HOME, so that nothing touches the user's
    own settings, and the display and JACK server that the test services started.
*/
namespace TestEnvironment
{
    /** Called once by the test main, before JUCE is initialised. */
    void prepareProcess();

    /** Called once by the test main when the tests are done. */
    void removeHomeFolder();

    /** The temporary home folder of this test process. */
    juce::File homeFolder();

    /** The settings folder the program uses below the temporary home. */
    juce::File settingsFolder();

    /** True when the test services (Xvfb and jackd) are up for this run. */
    bool servicesAvailable();

    /** Polls the condition until it holds or the time is over; returns whether it held. */
    bool eventually (int timeoutMilliseconds, const std::function<bool()>& condition);

    /** Runs the message loop for the given time, so that asynchronous notifications arrive. */
    void runMessageLoop (int milliseconds);
}
