#!/usr/bin/env bash
# Starts or stops the services the tests run against: a virtual X display with a small window
# manager, and a JACK server on its dummy driver. The variables the tests need go to STATE/env.
set -u
action=$1
state=$2

stop_all()
{
    [ -f "$state/pids" ] || return 0
    while read -r pid; do kill "$pid" 2>/dev/null; done < "$state/pids"
    sleep 0.5
    while read -r pid; do kill -9 "$pid" 2>/dev/null; done < "$state/pids"
    rm -f "$state/pids"
}

case "$action" in
    start)
        mkdir -p "$state"
        stop_all
        : > "$state/pids"

        exec 3> "$state/display"
        Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp > "$state/xvfb.log" 2>&1 &
        echo $! >> "$state/pids"
        for _ in $(seq 150); do [ -s "$state/display" ] && break; sleep 0.1; done
        exec 3>&-
        display=":$(head -n1 "$state/display")"
        [ "$display" != ":" ] || { echo "Xvfb did not start"; cat "$state/xvfb.log"; exit 1; }

        DISPLAY=$display openbox > "$state/openbox.log" 2>&1 &
        echo $! >> "$state/pids"

        jackServer="rozavado-test-$$"
        JACK_NO_AUDIO_RESERVATION=1 jackd --no-realtime -n "$jackServer" -d dummy -r 48000 -p 256 -P 2 -C 2 \
            > "$state/jackd.log" 2>&1 &
        echo $! >> "$state/pids"
        for _ in $(seq 150); do
            JACK_DEFAULT_SERVER=$jackServer jack_lsp > /dev/null 2>&1 && break
            sleep 0.1
        done
        JACK_DEFAULT_SERVER=$jackServer jack_lsp > /dev/null 2>&1 || { echo "jackd did not start"; cat "$state/jackd.log"; exit 1; }

        printf 'DISPLAY=%s\nJACK_DEFAULT_SERVER=%s\nJACK_NO_AUDIO_RESERVATION=1\n' "$display" "$jackServer" > "$state/env"
        echo "services up: DISPLAY=$display JACK_DEFAULT_SERVER=$jackServer"
        ;;
    stop)
        stop_all
        rm -f "$state/env"
        ;;
esac
