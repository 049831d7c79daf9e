#!/usr/bin/env bash
# Runs a test process with a /dev/shm of its own and none of the machine's sound cards. JACK
# keeps its registry of servers (eight for the machine) and the sockets through which a server
# reaches its clients there, the latter named after the client alone, so clients of one name on
# the servers of two test processes would take each other's socket. Where no mount namespace can
# be made, or the mount in it is refused, the process keeps the machine's /dev/shm and its JACK
# server takes turns with the others (services.sh). The sound cards under /dev/snd are hidden in
# the namespace too, besides the ALSA configuration of the tests' own (TestEnvironment).
unset ROZAVADO_PRIVATE_SHM

if [ "$(id -u)" -eq 0 ]; then flags=-m; else flags=-rm; fi

if unshare $flags true 2> /dev/null; then
    exec unshare $flags -- sh -c '
        mount -t tmpfs -o mode=1777 tmpfs /dev/shm 2> /dev/null && export ROZAVADO_PRIVATE_SHM=1
        [ ! -d /dev/snd ] || mount -t tmpfs tmpfs /dev/snd 2> /dev/null
        exec "$0" "$@"' "$@"
fi

exec "$@"
