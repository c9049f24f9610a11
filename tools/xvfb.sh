# Sourced by the scripts: gives this shell a virtual screen when it has none.
start_virtual_screen() {
  if [ -n "${DISPLAY:-}" ]; then return; fi
  for n in $(seq 91 140); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
      Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
      MUROVEX_XVFB_PID=$!
      export DISPLAY=":$n"
      for _ in $(seq 1 50); do
        [ -e "/tmp/.X11-unix/X$n" ] && return
        sleep 0.1
      done
    fi
  done
  echo "no virtual screen could be started" >&2
  return 1
}

stop_virtual_screen() {
  if [ -n "${MUROVEX_XVFB_PID:-}" ]; then kill "$MUROVEX_XVFB_PID" 2>/dev/null || true; fi
}
