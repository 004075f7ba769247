# shellcheck shell=bash
# Sourced by the end-to-end scripts: every wait gives up after E2E_WAIT seconds.
export E2E_WAIT=${E2E_WAIT:-10}

# Runs "$@" every 0.05 s until it succeeds, for at most E2E_WAIT seconds.
wait_for() {
  local deadline=$((SECONDS + E2E_WAIT))
  until "$@"; do
    [ "$SECONDS" -le "$deadline" ] || return 1
    sleep 0.05
  done
}
