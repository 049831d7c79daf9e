#pragma once

#include "TestEnvironment.h"

#include <juce_core/juce_core.h>

#include <optional>
#include <string>
#include <sys/types.h>

/** A JACK server of a test's own beside the one of the test services, on the dummy driver, under
    TestEnvironment::spareJackServerName(); the test can stop, freeze and resume it.
*/
class PrivateJackServer
{
public:
    PrivateJackServer();

    /** Resumes the server if it is frozen and ends it. */
    ~PrivateJackServer();

    /** Waits until a client can connect. */
    bool waitUntilUp() const;

    /** Stops the server's process (SIGSTOP), as a stuck driver or a debugger does: it answers
        nothing, but its clients still see it there.
    */
    void freeze();
    void resume();

    /** Ends the server and waits until it has gone. */
    void stop();

    const juce::String name = TestEnvironment::spareJackServerName();

private:
    pid_t pid = -1;
};

/** Points this process's new JACK clients, and the programs it starts, at another server for the
    object's lifetime.
*/
class ScopedJackServerName
{
public:
    explicit ScopedJackServerName (const juce::String& name);
    ~ScopedJackServerName();

private:
    std::optional<std::string> previous;
};
