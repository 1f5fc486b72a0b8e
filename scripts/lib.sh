# Shared by the project's scripts: package installation and the throwaway
# PostgreSQL server of the tests and benchmarks. Sourced, not run.

RAVELTO_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

BUILD_PACKAGES=(cmake g++ make pkg-config qt6-base-dev libqt6sql6-sqlite libqt6sql6-psql libgl-dev)
TEST_PACKAGES=(libgtest-dev libgmock-dev postgresql poppler-utils)
BENCH_PACKAGES=(libbenchmark-dev postgresql)

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# Install the Debian packages that are missing.
ensure_packages() {
  local missing=() p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "==> installing: ${missing[*]}"
  as_root env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

configure_and_build() { # build-dir [cmake options...]
  local dir="$1"; shift
  cmake -S "$RAVELTO_ROOT" -B "$dir" -DCMAKE_BUILD_TYPE=Release "$@"
  cmake --build "$dir" -j"$(nproc)"
}

# Start a private PostgreSQL server on a Unix socket in a temporary folder and
# export RAVELTO_PG_HOST, RAVELTO_PG_PORT, RAVELTO_PG_USER, RAVELTO_PG_DATABASE.
# The server is stopped and its folder removed when the calling script exits.
start_test_postgres() {
  local bin
  bin="$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)"
  [ -x "$bin/initdb" ] || { echo "PostgreSQL server binaries not found" >&2; return 1; }
  RAVELTO_PG_DIR="$(mktemp -d /tmp/ravelto-pg.XXXXXX)"
  chmod 755 "$RAVELTO_PG_DIR"
  local run=()
  if [ "$(id -u)" -eq 0 ]; then
    # initdb refuses to run as root: the server runs as the postgres system user
    chown postgres:postgres "$RAVELTO_PG_DIR"
    run=(runuser -u postgres --)
  fi
  RAVELTO_PG_RUN=("${run[@]}")
  RAVELTO_PG_BIN="$bin"
  trap stop_test_postgres EXIT
  "${run[@]}" "$bin/initdb" -D "$RAVELTO_PG_DIR/data" -A trust -U postgres -E UTF8 --locale=C.UTF-8 >"$RAVELTO_PG_DIR/initdb.log" 2>&1 \
    || { cat "$RAVELTO_PG_DIR/initdb.log" >&2; return 1; }
  "${run[@]}" "$bin/pg_ctl" -D "$RAVELTO_PG_DIR/data" -l "$RAVELTO_PG_DIR/server.log" -w \
    -o "-k $RAVELTO_PG_DIR -c listen_addresses='' -p 5432 -c fsync=off -c synchronous_commit=off -c full_page_writes=off -c max_connections=200" \
    start >/dev/null || { cat "$RAVELTO_PG_DIR/server.log" >&2; return 1; }
  export RAVELTO_PG_HOST="$RAVELTO_PG_DIR" RAVELTO_PG_PORT=5432 RAVELTO_PG_USER=postgres RAVELTO_PG_DATABASE=ravelto_test
  "${run[@]}" "$bin/psql" -q -h "$RAVELTO_PG_HOST" -U postgres -d postgres -c "CREATE DATABASE ravelto_test" >/dev/null
  "${run[@]}" "$bin/psql" -q -h "$RAVELTO_PG_HOST" -U postgres -d ravelto_test -c "CREATE EXTENSION IF NOT EXISTS citext" >/dev/null
  echo "==> PostgreSQL test server on $RAVELTO_PG_HOST"
}

stop_test_postgres() {
  if [ -n "${RAVELTO_PG_DIR:-}" ] && [ -d "$RAVELTO_PG_DIR/data" ]; then
    "${RAVELTO_PG_RUN[@]}" "$RAVELTO_PG_BIN/pg_ctl" -D "$RAVELTO_PG_DIR/data" -m immediate stop >/dev/null 2>&1 || true
  fi
  [ -n "${RAVELTO_PG_DIR:-}" ] && rm -rf "$RAVELTO_PG_DIR"
  RAVELTO_PG_DIR=""
}
