#pragma once

#include <juce_core/juce_core.h>

#include <functional>

/** Process-wide set-up of the test binary: a temporary HOME, so that nothing touches the user's
    own settings, and a display and JACK server of its own, so that test processes running side by
    side share none of them.
*/
namespace TestEnvironment
{
    /** Called once by the test main, before JUCE is initialised. */
    void prepareProcess();

    /** Called once by the test main before the first test: starts this process's own virtual
        display with a window manager, which ends by itself when the process ends.
    */
    void startDisplay();

    /** Called once by the test main when the tests are done. */
    void removeHomeFolder();

    /** The temporary home folder of this test process. */
    juce::File homeFolder();

    /** The settings folder the program uses below the temporary home. */
    juce::File settingsFolder();

    /** Starts, on the first call, this process's own JACK server on its dummy driver (it ends by
        itself when the process ends); true when it and the display are up. Records a test failure
        when they are not.
    */
    bool servicesAvailable();

    /** The name under which a test may start one JACK server of its own beside the one of
        servicesAvailable(); no other process uses it while this one runs.
    */
    juce::String spareJackServerName();

    /** A loopback address of this test process's own (in 127.0.0.0/8), to send Art-Net to, so
        that packets other processes send at the same time stay apart.
    */
    juce::String privateLoopbackAddress();

    /** Polls the condition until it holds or the time is over; returns whether it held. */
    bool eventually (int timeoutMilliseconds, const std::function<bool()>& condition);

    /** Runs the message loop for the given time, so that asynchronous notifications arrive. */
    void runMessageLoop (int milliseconds);
}
