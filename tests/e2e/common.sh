# shellcheck shell=bash
# Sourced by the end-to-end scripts: every wait gives up after E2E_WAIT seconds, and a missing
# tool skips the test (exit status 77) except on CI (CI=true), where it fails it.
export E2E_WAIT=${E2E_WAIT:-10}

# Runs "$@" every 0.05 s until it succeeds, for at most E2E_WAIT seconds.
wait_for() {
  local deadline=$((SECONDS + E2E_WAIT))
  until "$@"; do
    [ "$SECONDS" -le "$deadline" ] || return 1
    sleep 0.05
  done
}

# e2e_missing WHAT: WHAT is not installed.
e2e_missing() {
  if [ "${CI:-}" = true ]; then
    echo "FAIL: $* is not installed (CI runs every end-to-end test; see scripts/install-deps.sh)" >&2
    exit 1
  fi
  echo "skipped: $* is not installed"
  exit 77
}
