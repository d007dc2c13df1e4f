#!/usr/bin/env bash
# The program ends cleanly however soon after a sound it closes: a sound is played and the process ends
# at a random moment of it, many times over, against a private PulseAudio server.
# Usage: sound-exit.sh <sound_exit_probe> <file.wav> [runs]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../e2e/xvfb-session.sh"
probe=$1 wave=$2 runs=${3:-150}
E2E_TMP=$(mktemp -d)
trap e2e_stop EXIT
e2e_start_sound 44100 null

failed=0
for run in $(seq "$runs"); do
    code=0
    "$probe" "$wave" $((RANDOM % 300)) >"$E2E_TMP/run.log" 2>&1 || code=$?
    case $code in
    0) ;;
    3) e2e_fail "run $run: no sound output on the private server" ;;
    *)
        failed=$((failed + 1))
        echo "run $run ended with $code: $(tail -n 1 "$E2E_TMP/run.log")"
        ;;
    esac
done
[ "$failed" = 0 ] || e2e_fail "$failed of $runs runs did not end cleanly"
echo "sound-exit: $runs runs ended cleanly"
