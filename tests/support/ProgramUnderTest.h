#pragma once

#include <juce_core/juce_core.h>
#include <juce_graphics/juce_graphics.h>

#include <functional>
#include <optional>
#include <sys/types.h>

/** The built program, started as a child process in its own temporary home on the test display,
    and driven through the X server as a user would (xdotool, wmctrl).
*/
class ProgramUnderTest
{
public:
    /** The framework's saved state for the JACK device of the server the program runs against,
        with both outputs active.
    */
    static constexpr const char* jackAudioConfiguration = R"(<?xml version="1.0" encoding="UTF-8"?>
<DEVICESETUP deviceType="JACK" audioOutputDeviceName="system" audioInputDeviceName="system"
             audioDeviceRate="48000.0" audioDeviceInChans="1" audioDeviceOutChans="11"/>
)";

    /** Prepares a fresh home folder with a Documents folder, as a desktop user has it; the program
        is not started yet.
    */
    ProgramUnderTest();

    /** Ends the program if it still runs (asking it first, as the system does) and removes its
        home folder. An ending that the test has not been given (by closeAndWait, terminateAndWait
        or waitForEnding) is a test failure unless it is exit status 0.
    */
    ~ProgramUnderTest();

    /** The settings folder below the program's home. */
    juce::File settingsFolder() const;
    juce::File settingsFile() const;

    void writeSettingsFile (const juce::String& content) const;
    void writeAudioConfiguration (const juce::String& content) const;

    /** The settings file as the program last wrote it; null while there is none. */
    std::unique_ptr<juce::XmlElement> readSettingsFile() const;

    /** Starts the program and waits until its main window is mapped at its final size; false
        when no main window appeared.
    */
    bool start();

    /** True while the started program has not ended. */
    bool isRunning();

    /** The X window id of the main window, empty when not found. */
    juce::String mainWindowId() const { return windowId; }

    /** The client area of a window in screen coordinates, as the X server has it. */
    static juce::Rectangle<int> windowGeometry (const juce::String& id);

    /** The main window's client area and the height of its menu bar above the content. */
    juce::Rectangle<int> mainWindowGeometry() const;
    int menuBarHeight() const;

    /** The main component (350 x 322) in screen coordinates. */
    juce::Rectangle<int> contentBounds() const;

    /** Clicks at a point of the main component (350 x 322 content coordinates). */
    void clickContent (int x, int y) const;

    /** Clicks at a point of the main window's client area, menu bar included. */
    void clickWindow (int x, int y) const;

    /** Activates a window through the window manager and waits until it is active. */
    static void activateWindow (const juce::String& id);

    /** Clicks at a point of the screen. */
    static void clickScreen (juce::Point<int> point);

    /** Types text or presses a key (xdotool key names) into the focused window. */
    void typeText (const juce::String& text) const;
    void pressKey (const juce::String& keys) const;

    /** Gives the main window the keyboard focus, then presses the key there. */
    void pressKeyInMainWindow (const juce::String& keys) const;

    /** Finds a visible top-level window of the program by its exact title; empty when there is none. */
    juce::String findWindow (const juce::String& title) const;

    /** Waits for a visible window of the program with this exact title; empty when none came. */
    juce::String waitForWindow (const juce::String& title, int timeoutMilliseconds = 10000) const;

    /** Asks the window manager to close a window of the program. */
    static void closeWindow (const juce::String& id);

    /** Asks the window manager to close the main window and waits for the program to end.
        Returns its exit status, or -1 when it did not end within the time or ended by a signal.
    */
    [[nodiscard]] int closeAndWait (int timeoutMilliseconds = 20000);

    /** Sends the program SIGTERM, the system's request to end, and waits as closeAndWait does. */
    [[nodiscard]] int terminateAndWait (int timeoutMilliseconds = 20000);

    /** Sends the program a signal and waits until the program has taken it, so that signals sent
        one after another reach it in that order.
    */
    void sendSignal (int signalNumber) const;

    /** True while the running program has a handler of its own for the signal. */
    bool catchesSignal (int signalNumber) const;

    /** Waits for the program to end and tells how it ended, as a parent sees it: "exit status 0",
        "killed by SIGTERM"; "running" when it did not end within the time.
    */
    [[nodiscard]] juce::String waitForEnding (int timeoutMilliseconds);

    /** Runs a command with the test display and returns its output. */
    static juce::String run (const juce::StringArray& command);

    /** Polls the condition until it holds or the time is up; returns its last value. */
    static bool waitUntil (const std::function<bool()>& condition, int timeoutMilliseconds);

private:
    int waitForExit (int timeoutMilliseconds);
    void waitUntilEnded (int timeoutMilliseconds);
    juce::String ending() const;

    /** The fields of the program's /proc status file, by name ("State", "SigCgt", ...). */
    juce::StringPairArray status() const;
    static void clickWherePointerIs();

    juce::File home;
    pid_t pid = -1;
    std::optional<int> waitStatus;
    bool endingGivenToTest = false;
    juce::String windowId;
};
