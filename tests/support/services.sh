#!/usr/bin/env bash
# Starts a service of one test process, so that test processes running side by side never share a
# display, a focus or a server:
#   services.sh display STATE OWNER_PID   a virtual X display with a small window manager
#   services.sh jack STATE OWNER_PID      a JACK server on its dummy driver
# The variables that lead to it go to STATE/env; once OWNER_PID has ended, the service ends.
set -u
service=$1
state=$2
owner=$3
pids=()

# JACK allows only eight servers on a machine and forgets a server that did not end cleanly only
# when another one starts under its name; and it names the socket on which a server reaches a
# client after the client's name alone, so clients of one name on two servers of the machine take
# each other's socket. Where the test process has a /dev/shm of its own (private-shm.sh), none of
# this is shared; elsewhere the test servers take turns. A test may start one spare server of its
# own under the server's name and "-spare" (see TestEnvironment).

stop_all()
{
    for pid in "${pids[@]}"; do kill -CONT "$pid" 2>/dev/null; kill "$pid" 2>/dev/null; done
    for _ in $(seq 100); do
        local alive=0
        for pid in "${pids[@]}"; do kill -0 "$pid" 2>/dev/null && alive=1; done
        [ $alive -eq 0 ] && return
        sleep 0.1
    done
    for pid in "${pids[@]}"; do kill -9 "$pid" 2>/dev/null; done
}

display_answers() { DISPLAY=$1 timeout 5 wmctrl -m > /dev/null 2>&1; }
jack_answers() { JACK_DEFAULT_SERVER=$1 timeout 5 jack_lsp > /dev/null 2>&1; }

fail()
{
    echo "$1"
    cat "$2"
    stop_all
    exit 1
}

start_display()
{
    # A display number that an ending server still holds can make a start fail; try again.
    for attempt in 1 2 3; do
        exec 3> "$state/display"
        Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp > "$state/xvfb.log" 2>&1 &
        local xvfb=$!
        exec 3>&-

        for _ in $(seq 300); do [ -s "$state/display" ] && break; sleep 0.05; done
        local display=":$(head -n1 "$state/display")"

        DISPLAY=$display openbox > "$state/openbox.log" 2>&1 &
        local openbox=$!
        for _ in $(seq 300); do display_answers "$display" && break; sleep 0.05; done

        if display_answers "$display"; then
            pids+=($xvfb $openbox)
            printf 'DISPLAY=%s\nROZAVADO_TEST_DISPLAY_SERVER=%s\n' "$display" $xvfb > "$state/env"
            return
        fi

        echo "display $display failed to start (attempt $attempt):" >&2
        cat "$state/xvfb.log" "$state/openbox.log" >&2
        kill $openbox $xvfb 2>/dev/null
        wait $openbox $xvfb 2>/dev/null
    done
    exit 1
}

start_jack()
{
    local server="rozavado-test"
    if [ "${ROZAVADO_PRIVATE_SHM:-}" != 1 ]; then
        # The turn stays taken while the server or its watcher holds the lock, until both have ended.
        exec 9> /tmp/rozavado-test-jack-slot
        flock -w 120 9 || { echo "the JACK slot did not become free"; exit 1; }
    fi

    # The dummy driver keeps to the wall clock: where its thread wakes more than a period late, as
    # under load on ordinary scheduling, JACK reports an xrun, and the clients' events move in
    # time. Realtime scheduling keeps it on time where the system allows it (elsewhere jackd goes
    # on without). In --sync mode every client runs in each cycle, late or not, so nothing is lost.
    for _ in $(seq 60); do
        JACK_NO_AUDIO_RESERVATION=1 jackd --realtime --sync --timeout 5000 -n "$server" -d dummy -r 48000 -p 256 -P 2 -C 2 \
            > "$state/jackd.log" 2>&1 &
        local jackd=$!

        for _ in $(seq 300); do
            jack_answers "$server" && break
            kill -0 $jackd 2>/dev/null || break
            sleep 0.05
        done

        if jack_answers "$server"; then
            pids+=($jackd)
            break
        fi

        # Another user's server may hold the last place, or a start can fail on a loaded machine.
        kill $jackd 2>/dev/null
        wait $jackd 2>/dev/null
        sleep 1
    done
    [ ${#pids[@]} -eq 1 ] || fail "jackd did not start" "$state/jackd.log"

    echo "JACK_DEFAULT_SERVER=$server" > "$state/env"
    spare="$server-spare"
}

mkdir -p "$state"
case "$service" in
    display) start_display ;;
    jack) start_jack ;;
    *) echo "unknown service $service"; exit 1 ;;
esac

# Ends the service once the test process has gone, however it ended.
(
    while kill -0 "$owner" 2>/dev/null; do sleep 0.2; done
    stop_all
    # A spare server that the test process left behind when it ended early, frozen or not; with a
    # /dev/shm of its own every test process names it alike, so only those of this namespace.
    if [ -n "${spare:-}" ]; then
        pkill -CONT --ns $BASHPID --nslist mnt -f -- "-n $spare " 2>/dev/null
        pkill --ns $BASHPID --nslist mnt -f -- "-n $spare " 2>/dev/null
    fi
    rm -rf "$state"
) > /dev/null 2>&1 < /dev/null &
