#pragma once

#include <juce_core/juce_core.h>

#if JUCE_LINUX || JUCE_BSD

/** Turns SIGTERM, the system's request to end the program, into the running application's
    systemRequestedQuit on the message thread, so that the program shuts down as it does when its
    window is closed, instead of being killed with its last settings unwritten.

    Create it on the message thread once the message loop exists; one at a time.
*/
class QuitOnTerminationSignal
{
public:
    QuitOnTerminationSignal();
    ~QuitOnTerminationSignal();

private:
    int readEnd = -1;
    int writeEnd = -1;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (QuitOnTerminationSignal)
};

#endif
