#include "PrivateJackServer.h"

#include <jack/jack.h>

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

PrivateJackServer::PrivateJackServer()
{
    std::vector<std::string> arguments { "jackd", "--no-realtime", "-n", name.toStdString(), "-d", "dummy", "-r", "48000", "-p", "256" };
    std::vector<char*> argumentPointers;
    for (auto& argument : arguments)
        argumentPointers.push_back (argument.data());
    argumentPointers.push_back (nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init (&actions);
    posix_spawn_file_actions_addopen (&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen (&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);

    if (::posix_spawnp (&pid, "jackd", &actions, nullptr, argumentPointers.data(), environ) != 0)
        pid = -1;

    posix_spawn_file_actions_destroy (&actions);
}

PrivateJackServer::~PrivateJackServer()
{
    stop();
}

bool PrivateJackServer::waitUntilUp() const
{
    return pid > 0 && TestEnvironment::eventually (15000, []
                                                   {
                                                       auto* probe = jack_client_open ("probe", JackNoStartServer, nullptr);
                                                       if (probe != nullptr)
                                                           jack_client_close (probe);
                                                       return probe != nullptr; });
}

void PrivateJackServer::freeze()
{
    if (pid <= 0)
        return;

    // Returns once every thread of the server has stopped, so that nothing sent afterwards is
    // still answered.
    ::kill (pid, SIGSTOP);
    ::waitpid (pid, nullptr, WUNTRACED);
}

void PrivateJackServer::resume()
{
    if (pid > 0)
        ::kill (pid, SIGCONT);
}

void PrivateJackServer::stop()
{
    if (pid > 0)
    {
        // A clean end takes the server out of JACK's registry, where a killed one stays.
        resume();
        ::kill (pid, SIGTERM);
        ::waitpid (pid, nullptr, 0);
        pid = -1;
    }
}

//==============================================================================
ScopedJackServerName::ScopedJackServerName (const juce::String& name)
{
    if (const auto* old = std::getenv ("JACK_DEFAULT_SERVER"))
        previous = old;

    ::setenv ("JACK_DEFAULT_SERVER", name.toRawUTF8(), 1);
}

ScopedJackServerName::~ScopedJackServerName()
{
    if (previous.has_value())
        ::setenv ("JACK_DEFAULT_SERVER", previous->c_str(), 1);
    else
        ::unsetenv ("JACK_DEFAULT_SERVER");
}
