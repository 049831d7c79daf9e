#!/usr/bin/env python3
"""Measures the Art-Net output of the built program on this machine.

Starts the program in Art-Net mode with a fresh temporary home (on an Xvfb display of its own when
DISPLAY is unset), clicks play, receives the ArtTimeCode packets on 127.0.0.1:6454 (or another
loopback address) for a while and reports:
  - the packet arrival times (the kernel's receive time stamps) against the ideal frame grid fitted
    from the first packet (error_i = t_i - (t_0 + i / fps), i counted in frames; p99 and maximum
    of the absolute error after removing the mean offset),
  - skipped and repeated frames, from the timecode in the packets,
  - the program's CPU use over the run (utime + stime from /proc/<pid>/stat) as a ratio to that of
    the timer floor (bench/timer_floor: one window and a 1 ms timer that does nothing, which is what
    the program's own tick costs before it does anything), run beside it over the same time,
  - its peak memory (VmHWM from /proc/<pid>/status).
Exits with 1 when a target is missed. Needs a build with -DROZAVADO_BENCHMARKS=ON for the timer
floor, xdotool and x11-utils, and Xvfb without DISPLAY.
"""

import argparse
import math
import os
import shutil
import signal
import socket
import struct
import subprocess
import sys
import tempfile
import time

ART_NET_PORT = 6454
CONTENT_WIDTH, CONTENT_HEIGHT = 350, 322
PLAY_BUTTON = (200, 239)
HEADER = b"Art-Net\x00\x00\x97\x00\x0e\x00\x00"
TYPE_OF_RATE = {24: 0, 25: 1, 30: 3}

# The kernel's receive time of each datagram (SO_TIMESTAMPNS, SOL_SOCKET option 35 on Linux), so
# that this script's own scheduling does not show in the measurement.
SO_TIMESTAMPNS = getattr(socket, "SO_TIMESTAMPNS", 35)
TIMESPEC = struct.Struct("@qq")

TARGETS = {
    "p99 error (ms)": 2.0,
    "max error (ms)": 5.0,
    "skipped frames": 0,
    "repeated frames": 0,
    "CPU / timer floor": 1.15,
    "peak memory (MB)": 80.0,
}


def repository_root():
    return os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def start_display():
    """Starts Xvfb on a free display number and returns (process, display name)."""
    read_end, write_end = os.pipe()
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x800x24", "-nolisten", "tcp"],
                            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_end)
    with os.fdopen(read_end) as pipe:
        number = pipe.readline().strip()
    if not number:
        xvfb.kill()
        sys.exit("Xvfb did not start")
    return xvfb, ":" + number


def prepare_home(fps, address):
    home = tempfile.mkdtemp(prefix="rozavado-perf-home-")
    settings = os.path.join(home, "Documents", "ZARN", "Rozavado Deduzadiv")
    os.makedirs(settings)
    with open(os.path.join(settings, "Autosave.zarntm"), "w") as f:
        f.write('<?xml version="1.0" encoding="UTF-8"?>\n'
                f'<Config outputmode="2" outgoingfps="{fps}" outgoingip="{address}" prefoutputchannel="0" '
                'prefmidi="" start="0"/>\n')
    return home


def command_output(arguments, environment):
    return subprocess.run(arguments, env=environment, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                          text=True, timeout=10).stdout


def window_size(window, environment):
    size = {}
    for line in command_output(["xwininfo", "-id", window], environment).splitlines():
        name, _, value = line.strip().partition(":")
        if name in ("Width", "Height"):
            size[name] = int(value)
    return size.get("Width", 0), size.get("Height", 0)


def wait_for_window(pid, name, environment, timeout=30.0):
    """The window of that name once it is mapped at its final size, and the height above its
    content (the main window's menu bar)."""
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        found = command_output(["xdotool", "search", "--all", "--onlyvisible", "--pid", str(pid),
                                "--name", f"^{name}$"], environment).split()
        if found:
            width, height = window_size(found[0], environment)
            if width == CONTENT_WIDTH and height >= CONTENT_HEIGHT:
                return found[0], height - CONTENT_HEIGHT
        time.sleep(0.1)
    sys.exit(f"the window {name} did not appear")


def cpu_seconds(pid):
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rpartition(")")[2].split()
    # utime and stime are fields 14 and 15 of the line; the split starts at field 3.
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def peak_memory_mb(pid):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith("VmHWM:"):
                return int(line.split()[1]) / 1024.0
    return float("nan")


def frame_of(packet, fps):
    frames, seconds, minutes, hours = packet[14], packet[15], packet[16], packet[17]
    return ((hours * 60 + minutes) * 60 + seconds) * fps + frames


def arrival_time(ancillary_data, fallback):
    for level, kind, data in ancillary_data:
        if level == socket.SOL_SOCKET and kind == SO_TIMESTAMPNS and len(data) >= TIMESPEC.size:
            seconds, nanoseconds = TIMESPEC.unpack(data[:TIMESPEC.size])
            return seconds + nanoseconds / 1e9
    return fallback


def receive_packets(receiver, fps, seconds, on_first):
    """(arrival time in seconds, frame) of every packet from the first one on, for the given time."""
    received = []
    malformed = 0
    receiver.settimeout(10.0)
    end = None
    while end is None or time.monotonic() < end:
        try:
            packet, ancillary_data, _, _ = receiver.recvmsg(2048, socket.CMSG_SPACE(TIMESPEC.size))
        except socket.timeout:
            break
        arrival = arrival_time(ancillary_data, time.time())
        if len(packet) != 19 or packet[:14] != HEADER or packet[18] != TYPE_OF_RATE[fps]:
            malformed += 1
            continue
        if end is None:
            end = time.monotonic() + seconds
            on_first()
            receiver.settimeout(1.0)
        received.append((arrival, frame_of(packet, fps)))
    return received, malformed


def percentile(sorted_values, fraction):
    return sorted_values[max(0, math.ceil(fraction * len(sorted_values)) - 1)]


def analyse(received, fps):
    t0, f0 = received[0]
    errors = [t - (t0 + (f - f0) / fps) for t, f in received]
    mean = sum(errors) / len(errors)
    deviations = sorted(abs(e - mean) * 1000.0 for e in errors)

    steps = [b[1] - a[1] for a, b in zip(received, received[1:])]
    return {
        "p99 error (ms)": percentile(deviations, 0.99),
        "max error (ms)": deviations[-1],
        "skipped frames": sum(s - 1 for s in steps if s > 1),
        "repeated frames": sum(1 for s in steps if s <= 0),
    }


def stop(process):
    if process.poll() is None:
        process.send_signal(signal.SIGTERM)
        try:
            process.wait(5)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("program", nargs="?", default=os.path.join(repository_root(), "build", "Rozavado Deduzadiv"))
    parser.add_argument("--fps", type=int, choices=sorted(TYPE_OF_RATE), default=25)
    parser.add_argument("--seconds", type=float, default=60.0)
    parser.add_argument("--address", default="127.0.0.1",
                        help="the loopback address to send to and receive on; another one of 127.0.0.0/8 "
                             "keeps other programs' packets to 127.0.0.1 out of the measurement")
    parser.add_argument("--floor", help="the timer floor program (default: bench/timer_floor beside the program)")
    arguments = parser.parse_args()
    floor_program = arguments.floor or os.path.join(os.path.dirname(os.path.abspath(arguments.program)),
                                                    "bench", "timer_floor")
    if not os.access(floor_program, os.X_OK):
        sys.exit(f"no timer floor at {floor_program}: build with -DROZAVADO_BENCHMARKS=ON")

    receiver = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    receiver.setsockopt(socket.SOL_SOCKET, SO_TIMESTAMPNS, 1)
    try:
        receiver.bind((arguments.address, ART_NET_PORT))
    except OSError as error:
        sys.exit(f"cannot receive on {arguments.address}:{ART_NET_PORT}: {error}")

    environment = dict(os.environ)
    xvfb = None
    if not environment.get("DISPLAY"):
        xvfb, environment["DISPLAY"] = start_display()

    home = prepare_home(arguments.fps, arguments.address)
    environment["HOME"] = home
    floor = subprocess.Popen([floor_program], env=environment, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    program = None
    try:
        # Out of the way of the main window, which both centre, so that the click reaches play.
        floor_window, _ = wait_for_window(floor.pid, "Timer floor", environment)
        command_output(["xdotool", "windowmove", floor_window, "0", "0"], environment)
        program = subprocess.Popen([arguments.program], env=environment,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        window, menu_bar = wait_for_window(program.pid, "Rozavado Deduzadiv", environment)
        click = subprocess.Popen(["xdotool", "mousemove", "--window", window, str(PLAY_BUTTON[0]),
                                  str(PLAY_BUTTON[1] + menu_bar), "click", "1"], env=environment)

        cpu_at_first = {}

        def on_first():
            cpu_at_first["program"] = cpu_seconds(program.pid)
            cpu_at_first["floor"] = cpu_seconds(floor.pid)
            cpu_at_first["time"] = time.monotonic()

        received, malformed = receive_packets(receiver, arguments.fps, arguments.seconds, on_first)
        click.wait()
        if len(received) < 2:
            sys.exit("too few packets arrived")

        program_cpu = cpu_seconds(program.pid) - cpu_at_first["program"]
        floor_cpu = cpu_seconds(floor.pid) - cpu_at_first["floor"]
        elapsed = time.monotonic() - cpu_at_first["time"]
        results = analyse(received, arguments.fps)
        results["CPU / timer floor"] = program_cpu / floor_cpu if floor_cpu > 0 else math.inf
        results["peak memory (MB)"] = peak_memory_mb(program.pid)
    finally:
        if program is not None:
            stop(program)
        stop(floor)
        if xvfb is not None:
            stop(xvfb)
        shutil.rmtree(home, ignore_errors=True)

    duration = received[-1][0] - received[0][0]
    print(f"{len(received)} packets at {arguments.fps} fps over {duration:.1f} s "
          f"({(len(received) - 1) / duration:.3f} per second), {malformed} malformed")
    print(f"CPU in % of one core over {elapsed:.1f} s: program {100.0 * program_cpu / elapsed:.2f}, "
          f"timer floor {100.0 * floor_cpu / elapsed:.2f}")

    missed = False
    for name, value in results.items():
        met = value <= TARGETS[name]
        missed = missed or not met
        print(f"  {name:22} {value:8.2f}   target <= {TARGETS[name]:<5} {'ok' if met else 'MISSED'}")

    return 1 if missed or malformed else 0


if __name__ == "__main__":
    sys.exit(main())
