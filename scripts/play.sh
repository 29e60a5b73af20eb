#!/usr/bin/env bash
# Play Vestrano: installs what is missing, builds the release programs, starts an embedded
# server with three bots and opens your own table window.
#
# With a display (DISPLAY or WAYLAND_DISPLAY) you play for real: normal turn times, the
# table stays open until you close its window. Without one the game plays headless: the
# server's turns are short, so your seat times out three times and the module's own
# trusteeship takes over and plays; after each hand a screenshot is written, and a short
# transcript and summary at the end. The server stops when the table closes.
#
# Options (also as environment variables):
#   --hands N      hands to play headless (VESTRANO_HANDS, default 3)
#   --nick NAME    your nickname (VESTRANO_NICK, default $USER or "player")
#   --port P       the server's port on 127.0.0.1 (VESTRANO_PORT, default 9527)
#   --out DIR      where screenshots, transcript and logs go (VESTRANO_OUT,
#                  default build/play/out)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

hands=${VESTRANO_HANDS:-3}
nick=${VESTRANO_NICK:-${USER:-player}}
port=${VESTRANO_PORT:-9527}
out=${VESTRANO_OUT:-$root/build/play/out}
while [ $# -gt 0 ]; do
  case "$1" in
    --hands) hands=$2; shift 2 ;;
    --nick) nick=$2; shift 2 ;;
    --port) port=$2; shift 2 ;;
    --out) out=$2; shift 2 ;;
    -h|--help) sed -n '2,20p' "$0"; exit 0 ;;
    *) echo "play.sh: unknown option $1 (try --help)" >&2; exit 2 ;;
  esac
done

bash scripts/deps.sh

build=$root/build/play
mkdir -p "$build"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVESTRANO_TESTS=OFF \
      -DVESTRANO_BENCH=OFF > "$build/configure.log" 2>&1 || { cat "$build/configure.log"; exit 1; }
cmake --build "$build" -j "$(nproc)" --target vestrano-hall vestrano-server VestranoC_Kep

server_exe=$build/server/vestrano-server
hall_exe=$build/hall/vestrano-hall
module=$build/module/VestranoC_Kep.so

mkdir -p "$out"
# The module keeps its guard windows under the runtime folder, which a root shell on a
# fresh machine may not have.
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
  export XDG_RUNTIME_DIR=$build/runtime
  mkdir -p "$XDG_RUNTIME_DIR"
  chmod 700 "$XDG_RUNTIME_DIR"
fi

if (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null; then
  echo "play.sh: port $port is in use; choose another with --port" >&2
  exit 1
fi

headless=0
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  headless=1
  export QT_QPA_PLATFORM=offscreen
  # No sound card either, as a rule: the module's sounds go nowhere.
  export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}
fi

# Your records stay in build/play/users.sqlite from one evening to the next.
server_args=(--listen 127.0.0.1 --port "$port" --database "$build/users.sqlite"
             --stats-file "$out/stats.json")
hall_args=(--server 127.0.0.1 --port "$port" --nick "$nick" --table 0 --seat 0
           --module "$module" --transcript "$out/transcript.txt")
if [ "$headless" -eq 1 ]; then
  # Four seconds a turn: the module's trusteeship plays three seconds into a turn, before
  # the server's clock would. A new hand is dealt two seconds after the last.
  rm -f "$out"/hand-*.png
  server_args+=(--play-time 4 --bid-time 2 --bot-delay 200 --auto-start 2000)
  hall_args+=(--hands "$hands" --screenshots "$out" --quit-after-ms $((hands * 600000)))
fi

"$server_exe" "${server_args[@]}" > "$out/server.log" 2>&1 &
server_pid=$!
stop_server() {
  if kill -0 "$server_pid" 2>/dev/null; then
    kill "$server_pid" 2>/dev/null || true
    wait "$server_pid" 2>/dev/null || true
  fi
}
trap stop_server EXIT
for _ in $(seq 100); do
  (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null && break
  kill -0 "$server_pid" 2>/dev/null || { cat "$out/server.log" >&2; exit 1; }
  sleep 0.1
done

if [ "$headless" -eq 1 ]; then
  echo "No display: playing $hands hands headless as \"$nick\" (screenshots in $out)."
fi
status=0
"$hall_exe" "${hall_args[@]}" || status=$?
stop_server
trap - EXIT

if [ "$headless" -eq 1 ]; then
  echo
  echo "Transcript: $out/transcript.txt"
  grep -E 'hand [0-9]+ ended|screenshot|error' "$out/transcript.txt" || true
  # What the server counted for the player's seat: the plays its module made itself are
  # the trusteeship's, since nobody sits at the keyboard.
  awk -v nick="$nick" '
    /"[a-zA-Z]+": / {
      key = $1; gsub(/[":]/, "", key)
      value = $0; sub(/^[^:]*: /, "", value); gsub(/[",]/, "", value)
      field[key] = value
    }
    /}/ && field["nick"] == nick {
      printf "Hands played: %s; trusteeship switched on %s times and played %s turns; ",
             field["hands"], field["trusteeOn"], field["plays"]
      printf "table-state requests: %s; refused records: %s; score this run: %s\n",
             field["stateRequests"], field["refusals"], field["score"]
      field["nick"] = ""
    }' "$out/stats.json" || true
fi
exit "$status"
