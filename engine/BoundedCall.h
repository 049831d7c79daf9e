#pragma once

#include <functional>

/** Runs a call that can block for good on a server that does not answer (a JACK server that is
    stopped, an audio driver that hangs) on a thread of its own, and waits for it at most the given
    time. Returns whether the call finished.

    A call that did not finish goes on running on its thread, which ends with it, perhaps never:
    from then on the caller must leave alone, and never free, whatever the call still uses.
*/
bool callWithin (int timeoutMilliseconds, std::function<void()> call);
