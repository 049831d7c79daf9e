#include "BoundedCall.h"

#include <juce_core/juce_core.h>

#include <memory>
#include <thread>

bool callWithin (int timeoutMilliseconds, std::function<void()> call)
{
    // Shared, so that a call that outlasts the wait still has its event to signal.
    auto finished = std::make_shared<juce::WaitableEvent> (true);

    std::thread ([finished, call = std::move (call)]
                 {
                     call();
                     finished->signal(); })
        .detach();

    return finished->wait (timeoutMilliseconds);
}
