#include "JackLibrary.h"

#include <dlfcn.h>

namespace
{
    template <typename Function>
    bool resolve (void* handle, const char* name, Function& function)
    {
        function = reinterpret_cast<Function> (::dlsym (handle, name));
        return function != nullptr;
    }
} // namespace

JackLibrary::JackLibrary()
{
    auto* handle = ::dlopen ("libjack.so.0", RTLD_LAZY);

    if (handle == nullptr)
        handle = ::dlopen ("libjack.so", RTLD_LAZY);

    if (handle == nullptr)
        return;

    loaded = true;
    loaded &= resolve (handle, "jack_client_open", clientOpen);
    loaded &= resolve (handle, "jack_client_close", clientClose);
    loaded &= resolve (handle, "jack_get_client_name", getClientName);
    loaded &= resolve (handle, "jack_activate", activate);
    loaded &= resolve (handle, "jack_set_process_callback", setProcessCallback);
    loaded &= resolve (handle, "jack_on_info_shutdown", onInfoShutdown);
    loaded &= resolve (handle, "jack_set_error_function", setErrorFunction);
    loaded &= resolve (handle, "jack_get_ports", getPorts);
    loaded &= resolve (handle, "jack_free", free);
    loaded &= resolve (handle, "jack_port_register", portRegister);
    loaded &= resolve (handle, "jack_port_unregister", portUnregister);
    loaded &= resolve (handle, "jack_port_disconnect", portDisconnect);
    loaded &= resolve (handle, "jack_port_name", portName);
    loaded &= resolve (handle, "jack_port_get_buffer", portGetBuffer);
    loaded &= resolve (handle, "jack_connect", connect);
    loaded &= resolve (handle, "jack_get_sample_rate", getSampleRate);
    loaded &= resolve (handle, "jack_get_buffer_size", getBufferSize);
    loaded &= resolve (handle, "jack_frame_time", frameTime);
    loaded &= resolve (handle, "jack_last_frame_time", lastFrameTime);
    loaded &= resolve (handle, "jack_midi_clear_buffer", midiClearBuffer);
    loaded &= resolve (handle, "jack_midi_event_write", midiEventWrite);
}
