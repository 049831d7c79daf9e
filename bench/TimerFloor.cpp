#include <juce_gui_basics/juce_gui_basics.h>

/** What any JUCE program pays for running as the timecode generator does, with nothing of its
    work: one window the size of the main window and a 1 ms timer whose callback does nothing.
    The program's CPU use is measured against this one's, side by side.
*/
class TimerFloorApplication : public juce::JUCEApplication
{
public:
    TimerFloorApplication() = default;

    const juce::String getApplicationName() override { return "Timer floor"; }
    const juce::String getApplicationVersion() override { return "1.0"; }
    bool moreThanOneInstanceAllowed() override { return true; }

    void initialise (const juce::String&) override
    {
        window = std::make_unique<Window> (getApplicationName());
    }

    void shutdown() override
    {
        window = nullptr;
    }

private:
    class IdleContent : public juce::Component,
                        private juce::Timer
    {
    public:
        IdleContent()
        {
            setSize (350, 322);
            startTimer (1);
        }

    private:
        void timerCallback() override {}

        JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (IdleContent)
    };

    class Window : public juce::DocumentWindow
    {
    public:
        explicit Window (const juce::String& name)
            : DocumentWindow (name, juce::Colour (0xff282828), DocumentWindow::allButtons)
        {
            setUsingNativeTitleBar (true);
            setContentOwned (new IdleContent(), true);
            centreWithSize (getWidth(), getHeight());
            setVisible (true);
        }

        void closeButtonPressed() override
        {
            juce::JUCEApplication::getInstance()->systemRequestedQuit();
        }

        JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Window)
    };

    std::unique_ptr<Window> window;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (TimerFloorApplication)
};

START_JUCE_APPLICATION (TimerFloorApplication)
