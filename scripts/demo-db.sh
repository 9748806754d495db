# Sourced by run.sh: serves the demo saver database (dist/demo/db, built with
# the demo savers) on 127.0.0.1 and points the run's settings file at it, so
# that savers added in the running program get their details from it.
# Needs LUM_BUILD and WINEPREFIX (env.sh). Stop the server with lum_demo_db_stop.

LUM_DEMO_DB_PID=

# The settings file of this prefix's user: <Documents>\Lumenary\Lumenary.ini.
lum_demo_db_settings_path() {
  local user
  for user in "$WINEPREFIX"/drive_c/users/*/; do
    [ "$(basename "$user")" = Public ] && continue
    [ -e "$user/Documents" ] || continue
    echo "${user}Documents/Lumenary/Lumenary.ini"
    return 0
  done
  return 1
}

# Sets "database_host" in section "SAVER_SETTING", keeping everything else.
# New files are UTF-16 with a byte-order mark, as the program writes them.
lum_demo_db_write_host() {
  local ini=$1 host=$2
  mkdir -p "$(dirname "$ini")"
  /usr/bin/python3 - "$ini" "$host" <<'PY'
import os, re, sys
path, host = sys.argv[1], sys.argv[2]
encoding, text = "utf-16", ""
if os.path.exists(path):
    raw = open(path, "rb").read()
    if raw.startswith(b"\xff\xfe"):
        text = raw[2:].decode("utf-16-le")
    else:
        encoding, text = "latin-1", raw.decode("latin-1")
lines = text.splitlines()
out, in_section, done = [], False, False
for line in lines:
    header = re.match(r"\s*\[(.*)\]\s*$", line)
    if header:
        if in_section and not done:
            out.append("database_host=" + host)
            done = True
        in_section = header.group(1).strip().upper() == "SAVER_SETTING"
    elif in_section and re.match(r"\s*database_host\s*=", line, re.I):
        if not done:
            out.append("database_host=" + host)
            done = True
        continue
    out.append(line)
if not done:
    if not in_section:
        out.append("[SAVER_SETTING]")
    out.append("database_host=" + host)
data = "\r\n".join(out) + "\r\n"
with open(path, "wb") as f:
    f.write(b"\xff\xfe" + data.encode("utf-16-le") if encoding == "utf-16" else data.encode("latin-1"))
PY
}

lum_demo_db_start() {
  local root=$LUM_BUILD/dist/demo/db
  if [ ! -f "$root/lumenary/db_saver_index.txt" ]; then
    echo "No demo database in $root: added savers get no details" >&2
    return 0
  fi
  local log=$LUM_BUILD/demo-db-server.log
  : >"$log"
  # Port 0: the system picks a free port and the server names it.
  /usr/bin/python3 -u -m http.server 0 --bind 127.0.0.1 --directory "$root" >"$log" 2>&1 &
  LUM_DEMO_DB_PID=$!
  local port=
  for _ in $(seq 100); do
    port=$(sed -n 's/.* port \([0-9][0-9]*\).*/\1/p' "$log" | head -n1)
    [ -n "$port" ] && break
    kill -0 "$LUM_DEMO_DB_PID" 2>/dev/null || break
    sleep 0.1
  done
  if [ -z "$port" ]; then
    echo "The demo database server did not start" >&2
    lum_demo_db_stop
    return 1
  fi
  local ini
  ini=$(lum_demo_db_settings_path) || { echo "No user folder in $WINEPREFIX" >&2; lum_demo_db_stop; return 1; }
  lum_demo_db_write_host "$ini" "127.0.0.1:$port"
  echo "Demo saver database on http://127.0.0.1:$port/ (database_host in $ini)"
}

lum_demo_db_stop() {
  if [ -n "$LUM_DEMO_DB_PID" ]; then
    kill "$LUM_DEMO_DB_PID" 2>/dev/null || true
    wait "$LUM_DEMO_DB_PID" 2>/dev/null || true
    LUM_DEMO_DB_PID=
  fi
}
