#pragma once

#include <juce_core/juce_core.h>

#include <jack/jack.h>
#include <jack/midiport.h>

/** The functions of the JACK client library that the MIDI output uses, looked up at run time,
    so that the program starts and runs where JACK is not installed.

    The library stays loaded for the rest of the process once found: JACK's own static objects
    must outlive the last client, which is closed during static destruction at exit.
*/
class JackLibrary
{
public:
    JackLibrary();

    /** True when the library was found and has every function below. */
    bool isLoaded() const noexcept { return loaded; }

    decltype (&::jack_client_open) clientOpen = nullptr;
    decltype (&::jack_client_close) clientClose = nullptr;
    decltype (&::jack_get_client_name) getClientName = nullptr;
    decltype (&::jack_activate) activate = nullptr;
    decltype (&::jack_set_process_callback) setProcessCallback = nullptr;
    decltype (&::jack_on_info_shutdown) onInfoShutdown = nullptr;
    decltype (&::jack_set_error_function) setErrorFunction = nullptr;
    decltype (&::jack_get_ports) getPorts = nullptr;
    decltype (&::jack_free) free = nullptr;
    decltype (&::jack_port_register) portRegister = nullptr;
    decltype (&::jack_port_unregister) portUnregister = nullptr;
    decltype (&::jack_port_disconnect) portDisconnect = nullptr;
    decltype (&::jack_port_name) portName = nullptr;
    decltype (&::jack_port_get_buffer) portGetBuffer = nullptr;
    decltype (&::jack_connect) connect = nullptr;
    decltype (&::jack_get_sample_rate) getSampleRate = nullptr;
    decltype (&::jack_get_buffer_size) getBufferSize = nullptr;
    decltype (&::jack_frame_time) frameTime = nullptr;
    decltype (&::jack_last_frame_time) lastFrameTime = nullptr;
    decltype (&::jack_midi_clear_buffer) midiClearBuffer = nullptr;
    decltype (&::jack_midi_event_write) midiEventWrite = nullptr;

private:
    bool loaded = false;

    // Without the leak detector: part of a given-up JACK client's state, which is kept on purpose
    // until the process ends.
    JUCE_DECLARE_NON_COPYABLE (JackLibrary)
};
