#include "MidiOutputDevices.h"

#include "engine/CombinedMidiOutputDevices.h"
#include "engine/JackMidiOutputDevices.h"
#include "engine/JuceMidiOutputDevices.h"

MidiOutputDevices& systemMidiOutputDevices()
{
    // The framework's ports first, then JACK's. Destroyed in reverse order at exit, so the
    // combination goes before the sets it refers to.
    static JuceMidiOutputDevices juceDevices;
    static JackMidiOutputDevices jackDevices;
    static CombinedMidiOutputDevices devices (juceDevices, jackDevices);
    return devices;
}
