# Shared by the checks of the Windows and browser builds (sourced, not run): a virtual X
# display, steps that fail with a clear message instead of hanging, and screenshots.

check_step=0
check_fail() {
  echo "FAILED: $*" >&2
  exit 1
}

# check_run SECONDS WHAT COMMAND...: runs COMMAND, failing the check if it takes too long.
check_run() {
  local seconds=$1 what=$2
  shift 2
  local status=0
  timeout --kill-after=10 "$seconds" "$@" || status=$?
  if [ "$status" -eq 124 ] || [ "$status" -eq 137 ]; then
    check_fail "$what did not finish within $seconds s"
  fi
  return "$status"
}

# Starts Xvfb on a free display number; sets DISPLAY, stops it on exit.
check_start_display() {
  local size=$1 n
  for n in $(seq 90 140); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 "${size}x24" -nolisten tcp >/dev/null 2>&1 &
    check_xvfb=$!
    export DISPLAY=":$n"
    for _ in $(seq 50); do
      xdpyinfo >/dev/null 2>&1 && return 0
      kill -0 "$check_xvfb" 2>/dev/null || break
      sleep 0.2
    done
  done
  check_fail "no virtual display could be started (Xvfb)"
}
