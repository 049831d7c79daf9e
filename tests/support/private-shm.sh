#!/usr/bin/env bash
# Runs a test process with a /dev/shm of its own. JACK keeps its registry of servers (eight for
# the machine) and the sockets through which a server reaches its clients there, the latter named
# after the client alone, so clients of one name on the servers of two test processes would take
# each other's socket. Where no mount namespace can be made, the process runs as it is and its
# JACK server takes turns with the others (services.sh).
if [ "$(id -u)" -eq 0 ]; then flags=-m; else flags=-rm; fi

if unshare $flags true 2> /dev/null; then
    export ROZAVADO_PRIVATE_SHM=1
    exec unshare $flags -- sh -c 'mount -t tmpfs -o mode=1777 tmpfs /dev/shm && exec "$0" "$@"' "$@"
fi

exec "$@"
