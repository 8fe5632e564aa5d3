#!/usr/bin/env bash
# Sets everything up and starts Tessaro. Without a display the program is
# started on Qt's VNC platform, reachable with a VNC viewer on localhost.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh --target tessaro
BUILD=${TESSARO_BUILD:-build}
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  PORT=${TESSARO_VNC_PORT:-5900}
  echo "Kein Bildschirm gefunden: Tessaro läuft auf dem VNC-Server localhost:$PORT"
  echo "(z. B. mit 'vncviewer localhost:$PORT' verbinden; beenden mit Strg+C)."
  exec "$BUILD/tessaro" -platform "vnc:size=1280x800:port=$PORT" "$@"
fi
exec "$BUILD/tessaro" "$@"
