#pragma once

#include <juce_core/juce_core.h>

#include <optional>
#include <string>
#include <sys/types.h>

/** A JACK server of a test's own, on the dummy driver, that the test can stop, freeze and resume.
    One runs at a time on the machine; constructing another waits for its turn.
*/
class PrivateJackServer
{
public:
    explicit PrivateJackServer (const juce::String& name);

    /** Resumes the server if it is frozen and ends it. */
    ~PrivateJackServer();

    /** Waits until a client can connect. */
    bool waitUntilUp() const;

    /** Stops the server's process (SIGSTOP), as a stuck driver or a debugger does: it answers
        nothing, but its clients still see it there.
    */
    void freeze();
    void resume();

    /** Ends the server, waits until it has gone and gives the turn on. */
    void stop();

private:
    int lockFile = -1;
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
