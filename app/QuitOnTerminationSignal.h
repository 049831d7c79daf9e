#pragma once

#include <juce_core/juce_core.h>

#if JUCE_LINUX || JUCE_BSD

/** Turns SIGTERM, the system's request to end the program, and SIGINT, the same request from a
    terminal, into the running application's systemRequestedQuit on the message thread, so that the
    program shuts down as it does when its window is closed, instead of being killed with its last
    settings unwritten.

    A quit that waits on something that never answers (a stopped display server, say) must not
    keep the program alive: a second such signal ends the program at once, and so does a quit that
    has not finished 5 seconds after the first. Either way the program dies of the signal, as a
    shell or a waiting parent expects of a program that was told to end; as the first process of
    a PID namespace, which cannot die of its own signal, it exits with status 128 + the signal.

    Create it on the message thread once the message loop exists; one at a time.
*/
class QuitOnTerminationSignal
{
public:
    QuitOnTerminationSignal();

    /** Gives both signals back their default action. The deadline of a quit that a signal asked
        for is kept: it covers the rest of the shutdown, to the end of the process.
    */
    ~QuitOnTerminationSignal();

private:
    const int readEnd;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (QuitOnTerminationSignal)
};

#endif
