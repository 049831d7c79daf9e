#include "BoundedCall.h"

#include <chrono>
#include <future>
#include <thread>

bool callWithin (int timeoutMilliseconds, std::function<void()> call)
{
    // The thread owns the promise, so a call that outlasts the wait still has it to keep. Nothing
    // here carries the framework's leak detector, which would report a call that never returns.
    std::promise<void> finished;
    auto result = finished.get_future();

    std::thread ([finished = std::move (finished), call = std::move (call)]() mutable
                 {
                     call();
                     finished.set_value(); })
        .detach();

    return result.wait_for (std::chrono::milliseconds (timeoutMilliseconds)) == std::future_status::ready;
}
