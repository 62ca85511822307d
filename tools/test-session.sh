# Sourced by tools/run-tests and tools/demo: one virtual X display and one persistent
# wineserver for a whole run, both stopped again by session_stop (also on failure).
# Expects GLIMRA_WINEPREFIX to be set.

session_start() {
  "$GLIMRA_TOOLS/wine-prefix" "$GLIMRA_WINEPREFIX"
  export WINEPREFIX=$GLIMRA_WINEPREFIX WINEDEBUG=${WINEDEBUG:--all}

  local fdfile
  fdfile=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fdfile" >/dev/null 2>&1 &
  GLIMRA_XVFB_PID=$!
  local i
  for i in $(seq 1 100); do
    [ -s "$fdfile" ] && break
    sleep 0.1
  done
  if [ ! -s "$fdfile" ]; then
    echo "test-session: the virtual display did not start" >&2
    rm -f "$fdfile"
    return 1
  fi
  export DISPLAY=":$(tr -d '\n' <"$fdfile")"
  rm -f "$fdfile"

  # A server left over from an interrupted run would refuse a second persistent one.
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  if ! wineserver -p; then
    echo "test-session: wineserver did not start for $WINEPREFIX" >&2
    return 1
  fi
  export GLIMRA_PERSISTENT_WINESERVER=1
  echo "test-session: display $DISPLAY, wineserver for $WINEPREFIX"
}

session_stop() {
  if [ -n "${GLIMRA_PERSISTENT_WINESERVER:-}" ]; then
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    unset GLIMRA_PERSISTENT_WINESERVER
  fi
  if [ -n "${GLIMRA_XVFB_PID:-}" ]; then
    kill "$GLIMRA_XVFB_PID" 2>/dev/null || true
    wait "$GLIMRA_XVFB_PID" 2>/dev/null || true
    unset GLIMRA_XVFB_PID
  fi
}
