#include "QuitOnTerminationSignal.h"

#if JUCE_LINUX || JUCE_BSD

#include <juce_events/juce_events.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <pthread.h>
#include <unistd.h>

namespace
{
    constexpr unsigned int quitDeadlineSeconds = 5;

    // Read by the signal handlers, also during static destruction: lock-free, and trivially
    // destructible, so they stay usable to the end of the process.
    static_assert (std::atomic<int>::is_always_lock_free);
    std::atomic<int> signalPipe { -1 };
    std::atomic<int> quitSignal { 0 };

    void setSignalAction (int signalNumber, void (*handler) (int))
    {
        struct sigaction action
        {
        };
        action.sa_handler = handler;
        sigemptyset (&action.sa_mask);
        sigaddset (&action.sa_mask, SIGTERM);
        sigaddset (&action.sa_mask, SIGINT);
        action.sa_flags = SA_RESTART;
        ::sigaction (signalNumber, &action, nullptr);
    }

    // The signal's default action is to end the process: sent again to the process, it is taken
    // by a thread that does not block it, or by this one once it unblocks it. The first process
    // of a PID namespace (a container's) never gets a signal of its own that has the default
    // action; it exits with 128 + the signal's number, as a shell reports such an ending.
    void endBySignal (int signalNumber)
    {
        setSignalAction (signalNumber, SIG_DFL);
        ::kill (::getpid(), signalNumber);

        sigset_t signalOnly;
        sigemptyset (&signalOnly);
        sigaddset (&signalOnly, signalNumber);
        ::pthread_sigmask (SIG_UNBLOCK, &signalOnly, nullptr);

        ::_exit (128 + signalNumber);
    }

    void handleQuitDeadline (int)
    {
        if (const auto signalNumber = quitSignal.load(); signalNumber != 0)
            endBySignal (signalNumber);
    }

    // Only async-signal-safe calls here: sigaction, sigemptyset, sigaddset, pthread_sigmask,
    // alarm, write, kill, getpid, _exit, and lock-free atomics. The first signal arms the
    // deadline, then wakes the message loop with one byte in the pipe; any later one ends the
    // program.
    void handleTerminationSignal (int signalNumber)
    {
        const auto savedErrno = errno;
        auto noSignalYet = 0;

        if (quitSignal.compare_exchange_strong (noSignalYet, signalNumber))
        {
            setSignalAction (SIGALRM, handleQuitDeadline);
            ::alarm (quitDeadlineSeconds);

            const char byte = 0;
            [[maybe_unused]] const auto written = ::write (signalPipe.load(), &byte, 1);
        }
        else
        {
            endBySignal (signalNumber);
        }

        errno = savedErrno;
    }

    // Opened once and never closed: a handler on another thread may write to it at any moment up
    // to the end of the process, when a closed number could belong to another file. Returns the
    // read end, or -1 when no pipe could be made.
    int openSignalPipe()
    {
        static const int readEnd = []
        {
            int ends[2];

            if (::pipe2 (ends, O_CLOEXEC | O_NONBLOCK) != 0)
                return -1;

            signalPipe = ends[1];
            return ends[0];
        }();

        return readEnd;
    }
} // namespace

QuitOnTerminationSignal::QuitOnTerminationSignal()
    : readEnd (openSignalPipe())
{
    if (readEnd < 0)
        return;

    juce::LinuxEventLoop::registerFdCallback (readEnd, [] (int fd)
                                              {
                                                  char bytes[16];
                                                  while (::read (fd, bytes, sizeof (bytes)) > 0)
                                                  {
                                                  }

                                                  if (auto* application = juce::JUCEApplicationBase::getInstance())
                                                      application->systemRequestedQuit(); });

    setSignalAction (SIGTERM, handleTerminationSignal);
    setSignalAction (SIGINT, handleTerminationSignal);
}

QuitOnTerminationSignal::~QuitOnTerminationSignal()
{
    if (readEnd < 0)
        return;

    setSignalAction (SIGTERM, SIG_DFL);
    setSignalAction (SIGINT, SIG_DFL);
    juce::LinuxEventLoop::unregisterFdCallback (readEnd);
}

#endif
