#include "QuitOnTerminationSignal.h"

#if JUCE_LINUX || JUCE_BSD

#include <juce_events/juce_events.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace
{
    std::atomic<int> signalPipe { -1 };

    // Only what a signal handler may do: one byte into the pipe, which wakes the message loop.
    void handleTerminationSignal (int)
    {
        const auto savedErrno = errno;
        const char byte = 0;
        [[maybe_unused]] const auto written = ::write (signalPipe.load(), &byte, 1);
        errno = savedErrno;
    }

    void setTerminationHandler (void (*handler) (int))
    {
        struct sigaction action
        {
        };
        action.sa_handler = handler;
        sigemptyset (&action.sa_mask);
        action.sa_flags = SA_RESTART;
        ::sigaction (SIGTERM, &action, nullptr);
    }
} // namespace

QuitOnTerminationSignal::QuitOnTerminationSignal()
{
    int ends[2];

    if (::pipe2 (ends, O_CLOEXEC | O_NONBLOCK) != 0)
        return;

    readEnd = ends[0];
    writeEnd = ends[1];
    signalPipe = writeEnd;

    juce::LinuxEventLoop::registerFdCallback (readEnd, [] (int fd)
                                              {
                                                  char bytes[16];
                                                  while (::read (fd, bytes, sizeof (bytes)) > 0)
                                                  {
                                                  }

                                                  if (auto* application = juce::JUCEApplicationBase::getInstance())
                                                      application->systemRequestedQuit(); });

    setTerminationHandler (handleTerminationSignal);
}

QuitOnTerminationSignal::~QuitOnTerminationSignal()
{
    if (readEnd < 0)
        return;

    setTerminationHandler (SIG_DFL);
    signalPipe = -1;
    juce::LinuxEventLoop::unregisterFdCallback (readEnd);
    ::close (readEnd);
    ::close (writeEnd);
}

#endif
