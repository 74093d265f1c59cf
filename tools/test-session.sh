# Sourced by the test and scan commands: keeps one wineserver up for the whole
# run (Wine starts are much faster then) and gives the run an X display for the
# badge. Both are stopped when the calling shell exits.
_session_cleanup() {
  /usr/lib/wine/wineserver -k 2>/dev/null || true
  [ -n "${_xvfb_pid:-}" ] && kill "$_xvfb_pid" 2>/dev/null || true
}
trap _session_cleanup EXIT

if [ -z "${DISPLAY:-}" ]; then
  for _n in $(seq 90 120); do
    [ -e "/tmp/.X11-unix/X$_n" ] || [ -e "/tmp/.X$_n-lock" ] && continue
    Xvfb ":$_n" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
    _xvfb_pid=$!
    for _i in $(seq 50); do [ -e "/tmp/.X11-unix/X$_n" ] && break; sleep 0.1; done
    export DISPLAY=":$_n"
    break
  done
fi
# A wineserver left from an earlier run would keep the display it first saw
# (Wine's desktop process is made once per wineserver): the run starts afresh.
/usr/lib/wine/wineserver -k 2>/dev/null || true
/usr/lib/wine/wineserver -w 2>/dev/null || true
/usr/lib/wine/wineserver -p
# Wine's own background processes (services.exe and friends) start with the
# first program of a session and inherit its standard handles; started here
# with none, they cannot keep a test runner's output pipe open after the tests.
/usr/lib/wine/wine64 cmd.exe /c exit </dev/null >/dev/null 2>&1
