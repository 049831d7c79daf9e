#include "ProgramUnderTest.h"

#include "TestEnvironment.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace
{
    juce::String programPath()
    {
        return ROZAVADO_PROGRAM_PATH;
    }

    // The bit of a signal in the signal masks of /proc/PID/status.
    juce::int64 signalBit (int signalNumber)
    {
        return juce::int64 { 1 } << (signalNumber - 1);
    }

    juce::String firstLine (const juce::String& text)
    {
        return text.upToFirstOccurrenceOf ("\n", false, false).trim();
    }

    // xdotool ORs its search conditions unless told otherwise; every search here means all of them.
    juce::StringArray windowSearch (pid_t pid, const juce::String& title)
    {
        return { "xdotool", "search", "--all", "--onlyvisible", "--pid", juce::String (pid), "--name", "^" + title + "$" };
    }

    // The "name: value" lines of a text, by name.
    juce::StringPairArray namedValues (const juce::String& text)
    {
        juce::StringPairArray values;

        for (const auto& line : juce::StringArray::fromLines (text))
            if (line.contains (":"))
                values.set (line.upToFirstOccurrenceOf (":", false, false).trim(), line.fromFirstOccurrenceOf (":", false, false).trim());

        return values;
    }

    // What xwininfo prints about a window.
    juce::StringPairArray windowInfo (const juce::String& id)
    {
        return namedValues (ProgramUnderTest::run ({ "xwininfo", "-id", id }));
    }

    constexpr int contentWidth = 350;
    constexpr int contentHeight = 322;
} // namespace

ProgramUnderTest::ProgramUnderTest()
{
    home = juce::File::createTempFile ("rozavado-program-home");
    home.getChildFile ("Documents").createDirectory();
}

ProgramUnderTest::~ProgramUnderTest()
{
    // A program that ends on its own closes its JACK clients; one that is killed leaves the
    // server waiting for it cycle after cycle, which delays the next test that uses the server.
    sendSignal (SIGTERM);
    waitUntilEnded (10000);

    if (pid > 0)
    {
        ADD_FAILURE() << "the program was still running 10 s after SIGTERM";
        ::kill (pid, SIGKILL);
        ::waitpid (pid, nullptr, 0);
    }
    else if (waitStatus.has_value() && ! endingGivenToTest)
    {
        // A sanitizer's report ends the program with another status, or with a signal.
        EXPECT_EQ (ending(), juce::String ("exit status 0")) << "how the program ended";
    }

    home.deleteRecursively();
}

juce::File ProgramUnderTest::settingsFolder() const
{
    return home.getChildFile ("Documents/ZARN/Rozavado Deduzadiv");
}

juce::File ProgramUnderTest::settingsFile() const
{
    return settingsFolder().getChildFile ("Autosave.zarntm");
}

void ProgramUnderTest::writeSettingsFile (const juce::String& content) const
{
    settingsFolder().createDirectory();
    settingsFile().replaceWithText (content);
}

void ProgramUnderTest::writeAudioConfiguration (const juce::String& content) const
{
    settingsFolder().createDirectory();
    settingsFolder().getChildFile ("audioConfig.zarnc").replaceWithText (content);
}

std::unique_ptr<juce::XmlElement> ProgramUnderTest::readSettingsFile() const
{
    return juce::parseXML (settingsFile());
}

bool ProgramUnderTest::start()
{
    std::vector<std::string> environment;
    for (auto** variable = environ; *variable != nullptr; ++variable)
        if (juce::String (*variable).startsWith ("HOME=") == false)
            environment.emplace_back (*variable);

    environment.push_back ("HOME=" + home.getFullPathName().toStdString());

    std::vector<char*> environmentPointers;
    for (auto& variable : environment)
        environmentPointers.push_back (variable.data());
    environmentPointers.push_back (nullptr);

    auto path = programPath().toStdString();
    char* arguments[] = { path.data(), nullptr };

    if (::posix_spawn (&pid, path.c_str(), nullptr, nullptr, arguments, environmentPointers.data()) != 0)
    {
        pid = -1;
        return false;
    }

    const auto windowFound = [this]
    {
        windowId = firstLine (run (windowSearch (pid, "Rozavado Deduzadiv")));
        return windowId.isNotEmpty();
    };

    const auto windowSized = [this]
    {
        const auto window = mainWindowGeometry();
        return window.getWidth() == contentWidth && window.getHeight() > contentHeight;
    };

    // A loaded machine may take many seconds to bring the first window up.
    if (! waitUntil (windowFound, 30000))
        return false;

    // The window is mapped while it is still being built, before it takes the content's size;
    // clicks only land where they should once it has. One that never does is left to the test.
    waitUntil (windowSized, 10000);
    return true;
}

bool ProgramUnderTest::isRunning()
{
    if (pid <= 0)
        return false;

    int status = 0;
    if (::waitpid (pid, &status, WNOHANG) != pid)
        return true;

    pid = -1;
    waitStatus = status;
    return false;
}

juce::String ProgramUnderTest::ending() const
{
    if (! waitStatus.has_value())
        return pid > 0 ? "running" : "not started";

    if (WIFEXITED (*waitStatus))
        return "exit status " + juce::String (WEXITSTATUS (*waitStatus));

    return "killed by SIG" + juce::String (::sigabbrev_np (WTERMSIG (*waitStatus)));
}

juce::Rectangle<int> ProgramUnderTest::windowGeometry (const juce::String& id)
{
    // xwininfo gives the client area's absolute position; xdotool's position is off by the frame
    // offset under a reparenting window manager.
    const auto info = windowInfo (id);
    return { info["Absolute upper-left X"].getIntValue(),
             info["Absolute upper-left Y"].getIntValue(),
             info["Width"].getIntValue(),
             info["Height"].getIntValue() };
}

juce::Rectangle<int> ProgramUnderTest::mainWindowGeometry() const
{
    return windowGeometry (windowId);
}

int ProgramUnderTest::menuBarHeight() const
{
    return mainWindowGeometry().getHeight() - contentHeight;
}

juce::Rectangle<int> ProgramUnderTest::contentBounds() const
{
    const auto window = mainWindowGeometry();
    return window.withTrimmedTop (window.getHeight() - contentHeight);
}

void ProgramUnderTest::clickContent (int x, int y) const
{
    clickWindow (x, y + menuBarHeight());
}

void ProgramUnderTest::clickWindow (int x, int y) const
{
    // The menu bar takes clicks only while its window is active.
    activateWindow (windowId);
    run ({ "xdotool", "mousemove", "--window", windowId, juce::String (x), juce::String (y) });
    clickWherePointerIs();
}

void ProgramUnderTest::activateWindow (const juce::String& id)
{
    run ({ "xdotool", "windowactivate", "--sync", id });
}

void ProgramUnderTest::clickScreen (juce::Point<int> point)
{
    run ({ "xdotool", "mousemove", juce::String (point.x), juce::String (point.y) });
    clickWherePointerIs();
}

void ProgramUnderTest::clickWherePointerIs()
{
    // As a hand does, the pointer rests before it clicks: a press that comes with the move can
    // reach the window before it has taken the pointer in, and a menu bar then ignores it.
    juce::Thread::sleep (100);
    run ({ "xdotool", "click", "1" });
    juce::Thread::sleep (150);
}

void ProgramUnderTest::typeText (const juce::String& text) const
{
    run ({ "xdotool", "type", "--delay", "30", text });
}

void ProgramUnderTest::pressKey (const juce::String& keys) const
{
    run ({ "xdotool", "key", "--delay", "30", keys });
    juce::Thread::sleep (150);
}

void ProgramUnderTest::pressKeyInMainWindow (const juce::String& keys) const
{
    activateWindow (windowId);
    pressKey (keys);
}

juce::String ProgramUnderTest::findWindow (const juce::String& title) const
{
    return pid > 0 ? firstLine (run (windowSearch (pid, title))) : juce::String();
}

juce::String ProgramUnderTest::waitForWindow (const juce::String& title, int timeoutMilliseconds) const
{
    juce::String id;
    const auto found = [&]
    {
        id = findWindow (title);
        return id.isNotEmpty();
    };

    waitUntil (found, timeoutMilliseconds);
    return id;
}

void ProgramUnderTest::closeWindow (const juce::String& id)
{
    run ({ "wmctrl", "-i", "-c", id });
}

int ProgramUnderTest::closeAndWait (int timeoutMilliseconds)
{
    closeWindow (windowId);
    return waitForExit (timeoutMilliseconds);
}

int ProgramUnderTest::terminateAndWait (int timeoutMilliseconds)
{
    sendSignal (SIGTERM);
    return waitForExit (timeoutMilliseconds);
}

void ProgramUnderTest::sendSignal (int signalNumber) const
{
    if (pid <= 0 || ::kill (pid, signalNumber) != 0)
        return;

    // ShdPnd holds the signals sent to the process and not yet taken, one bit per signal number
    // from 1; a process that a signal ended keeps it there.
    waitUntil ([&]
               {
                   const auto fields = status();
                   return fields["State"].startsWith ("Z") || (fields["ShdPnd"].getHexValue64() & signalBit (signalNumber)) == 0;
               },
               5000);
}

bool ProgramUnderTest::catchesSignal (int signalNumber) const
{
    return (status()["SigCgt"].getHexValue64() & signalBit (signalNumber)) != 0;
}

juce::StringPairArray ProgramUnderTest::status() const
{
    return namedValues (juce::File ("/proc/" + juce::String (pid) + "/status").loadFileAsString());
}

juce::String ProgramUnderTest::waitForEnding (int timeoutMilliseconds)
{
    waitUntilEnded (timeoutMilliseconds);
    endingGivenToTest = waitStatus.has_value();
    return ending();
}

void ProgramUnderTest::waitUntilEnded (int timeoutMilliseconds)
{
    waitUntil ([this]
               { return ! isRunning(); },
               timeoutMilliseconds);
}

int ProgramUnderTest::waitForExit (int timeoutMilliseconds)
{
    static_cast<void> (waitForEnding (timeoutMilliseconds));
    return waitStatus.has_value() && WIFEXITED (*waitStatus) ? WEXITSTATUS (*waitStatus) : -1;
}

juce::String ProgramUnderTest::run (const juce::StringArray& command)
{
    juce::ChildProcess process;
    if (! process.start (command, juce::ChildProcess::wantStdOut))
        return {};

    auto output = process.readAllProcessOutput();
    process.waitForProcessToFinish (10000);
    return output;
}

bool ProgramUnderTest::waitUntil (const std::function<bool()>& condition, int timeoutMilliseconds)
{
    return TestEnvironment::eventually (timeoutMilliseconds, condition);
}
