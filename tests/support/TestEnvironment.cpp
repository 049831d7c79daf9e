#include "TestEnvironment.h"

#include <gtest/gtest.h>
#include <juce_events/juce_events.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

namespace
{
    std::string& homePath()
    {
        static std::string path;
        return path;
    }

    bool& displayStarted()
    {
        static bool started = false;
        return started;
    }

    /** Starts a service of this process's own ("display" or "jack") and exports the variable
        that leads to it; false when it could not be started.
    */
    bool launchService (const std::string& service)
    {
        char pattern[] = "/tmp/rozavado-test-services-XXXXXX";
        if (::mkdtemp (pattern) == nullptr)
            return false;

        const std::string state = pattern;
        const auto command = "'" ROZAVADO_SOURCE_DIR "/tests/support/services.sh' " + service + " '" + state + "' " + std::to_string (::getpid());

        if (std::system (command.c_str()) != 0)
            return false;

        std::ifstream in (state + "/env");
        std::string line;
        auto exported = 0;

        while (std::getline (in, line))
        {
            const auto equals = line.find ('=');
            if (equals == std::string::npos)
                continue;

            ::setenv (line.substr (0, equals).c_str(), line.substr (equals + 1).c_str(), 1);
            ++exported;
        }

        return exported > 0;
    }

    /** This process's own JACK server, started on the first call: its name, or nothing when it
        could not be started.
    */
    const juce::String& ownJackServer()
    {
        static const auto name = launchService ("jack") ? juce::String (std::getenv ("JACK_DEFAULT_SERVER")) : juce::String();
        return name;
    }
}

namespace TestEnvironment
{
    void prepareProcess()
    {
        char pattern[] = "/tmp/rozavado-test-home-XXXXXX";
        if (::mkdtemp (pattern) != nullptr)
        {
            homePath() = pattern;
            ::setenv ("HOME", pattern, 1);
            ::unsetenv ("XDG_CONFIG_HOME");
        }

        // Never reach the developer's own display or JACK server, nor start one, should the
        // services of this process fail to start.
        ::unsetenv ("DISPLAY");
        ::setenv ("JACK_DEFAULT_SERVER", ("rozavado-test-none-" + std::to_string (::getpid())).c_str(), 1);
        ::setenv ("JACK_NO_START_SERVER", "1", 1);
        ::setenv ("JACK_NO_AUDIO_RESERVATION", "1", 1);

        // Nor the machine's sound devices: ALSA reads only a configuration that defines none.
        ::setenv ("ALSA_CONFIG_PATH", ROZAVADO_SOURCE_DIR "/tests/support/alsa.conf", 1);
    }

    void startDisplay()
    {
        displayStarted() = launchService ("display");
    }

    void removeHomeFolder()
    {
        if (! homePath().empty())
            homeFolder().deleteRecursively();
    }

    juce::File homeFolder()
    {
        return juce::File (homePath());
    }

    juce::File settingsFolder()
    {
        return homeFolder().getChildFile ("Documents/ZARN/Rozavado Deduzadiv");
    }

    bool servicesAvailable()
    {
        const auto started = displayStarted() && ownJackServer().isNotEmpty();

        if (! started)
            ADD_FAILURE() << "the test display and JACK server could not be started";

        return started;
    }

    juce::String spareJackServerName()
    {
        servicesAvailable();
        return ownJackServer() + "-spare";
    }

    juce::String privateLoopbackAddress()
    {
        const auto id = (int) ::getpid();
        return "127.100." + juce::String (id / 250 % 250 + 1) + "." + juce::String (id % 250 + 1);
    }

    bool eventually (int timeoutMilliseconds, const std::function<bool()>& condition)
    {
        for (int waited = 0; waited < timeoutMilliseconds; waited += 20)
        {
            if (condition())
                return true;

            juce::Thread::sleep (20);
        }

        return condition();
    }

    void runMessageLoop (int milliseconds)
    {
        juce::MessageManager::getInstance()->runDispatchLoopUntil (milliseconds);
    }
}
