#include "TestEnvironment.h"

#include <juce_events/juce_events.h>

#include <cstdlib>
#include <fstream>
#include <string>

namespace
{
    std::string& homePath()
    {
        static std::string path;
        return path;
    }

    bool& servicesFlag()
    {
        static bool available = false;
        return available;
    }

    void exportServiceVariables()
    {
        const auto* envFile = std::getenv ("ROZAVADO_TEST_SERVICES");
        if (envFile == nullptr)
            return;

        std::ifstream in (envFile);
        std::string line;
        while (std::getline (in, line))
        {
            const auto equals = line.find ('=');
            if (equals == std::string::npos)
                continue;

            ::setenv (line.substr (0, equals).c_str(), line.substr (equals + 1).c_str(), 1);
            servicesFlag() = true;
        }
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

        // Never reach the developer's own display or JACK server.
        ::unsetenv ("DISPLAY");
        ::unsetenv ("JACK_DEFAULT_SERVER");
        exportServiceVariables();
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
        return servicesFlag();
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
