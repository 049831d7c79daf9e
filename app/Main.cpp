#include "app/MainComponent.h"
#include "app/QuitOnTerminationSignal.h"

#include <juce_gui_basics/juce_gui_basics.h>

/** The application object: creates the main window at start and destroys it at shutdown. */
class TimecodeApplication : public juce::JUCEApplication
{
public:
    TimecodeApplication() = default;

    const juce::String getApplicationName() override { return "Rozavado Deduzadiv"; }
    const juce::String getApplicationVersion() override { return "1.0.1"; }
    bool moreThanOneInstanceAllowed() override { return true; }

    void initialise (const juce::String&) override
    {
       #if JUCE_LINUX || JUCE_BSD
        terminationSignal = std::make_unique<QuitOnTerminationSignal>();
       #endif

        mainWindow = std::make_unique<MainWindow> (getApplicationName());
    }

    void shutdown() override
    {
        mainWindow = nullptr;
    }

    void anotherInstanceStarted (const juce::String&) override {}

    void systemRequestedQuit() override
    {
        juce::MessageManager::getInstance()->stopDispatchLoop();
    }

    /** The fixed-size main window whose whole content is the main component. */
    class MainWindow : public juce::DocumentWindow
    {
    public:
        explicit MainWindow (const juce::String& name)
            : DocumentWindow (name, juce::Colour (0xff282828), DocumentWindow::allButtons)
        {
            setUsingNativeTitleBar (true);

            auto* content = new MainComponent();

           #if ! JUCE_MAC
            // Without a global menu bar the "Options" menu sits in the window, and the window
            // itself answers the command's key, wherever the keyboard focus is inside it.
            setMenuBar (&content->getMenuBarModel());
            addKeyListener (content->getCommandManager().getKeyMappings());
           #endif

            // The limits come before the content: applied afterwards they would stretch the
            // window, and with it the fixed 350 x 322 content, to the minimum height.
            setResizeLimits (350, 350, 10000, 10000);
            setContentOwned (content, true);
            setResizable (false, false);
            centreWithSize (getWidth(), getHeight());
            setVisible (true);
        }

       #if ! JUCE_MAC
        ~MainWindow() override
        {
            if (auto* content = dynamic_cast<MainComponent*> (getContentComponent()))
                removeKeyListener (content->getCommandManager().getKeyMappings());

            setMenuBar (nullptr);
        }
       #endif

        void closeButtonPressed() override
        {
            juce::JUCEApplication::getInstance()->systemRequestedQuit();
        }

    private:
        JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MainWindow)
    };

private:
   #if JUCE_LINUX || JUCE_BSD
    std::unique_ptr<QuitOnTerminationSignal> terminationSignal;
   #endif
    std::unique_ptr<MainWindow> mainWindow;
};

START_JUCE_APPLICATION (TimecodeApplication)
