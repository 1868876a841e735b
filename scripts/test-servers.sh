#!/usr/bin/env bash
# Starts and stops the throwaway MariaDB servers the test suite runs against.
#
#   scripts/test-servers.sh start DIR   creates DIR, starts both servers, writes DIR/env
#   scripts/test-servers.sh stop DIR    stops both servers and removes DIR
#
# "company" server: loopback TCP port, TLS with a generated CA, server and client certificates.
# "workstation" server: reached as localhost through its own socket (MYSQL_UNIX_PORT); it also
# listens on a loopback TCP port without TLS, so tests can show that SSL is never silently dropped.
set -euo pipefail

cmd=${1:?usage: test-servers.sh start|stop DIR}
dir=${2:?usage: test-servers.sh start|stop DIR}
root_password='Rot-Passord_7'

free_port() {
    python3 - <<'PY'
import socket
s = socket.socket()
s.bind(("127.0.0.1", 0))
print(s.getsockname()[1])
s.close()
PY
}

make_certs() {
    local d=$1
    mkdir -p "$d"
    openssl req -x509 -newkey rsa:2048 -nodes -days 3650 -subj "/CN=Dravn Test CA" \
        -keyout "$d/ca-key.pem" -out "$d/ca.pem" 2>/dev/null
    for who in server client; do
        openssl req -newkey rsa:2048 -nodes -subj "/CN=127.0.0.1" \
            -keyout "$d/$who-key.pem" -out "$d/$who.csr" 2>/dev/null
        printf 'subjectAltName=IP:127.0.0.1,DNS:localhost\n' > "$d/$who.ext"
        openssl x509 -req -in "$d/$who.csr" -CA "$d/ca.pem" -CAkey "$d/ca-key.pem" -CAcreateserial \
            -days 3650 -extfile "$d/$who.ext" -out "$d/$who-cert.pem" 2>/dev/null
    done
}

start_one() {
    local name=$1 port=$2 tls=$3
    local base="$dir/$name"
    mkdir -p "$base/data" "$base/run"
    if ! mariadb-install-db --no-defaults --user=root --datadir="$base/data" --skip-name-resolve --force \
        --auth-root-authentication-method=normal >"$base/install.log" 2>&1; then
        echo "test-servers: creating the $name server's data folder failed:" >&2
        cat "$base/install.log" >&2
        exit 1
    fi
    local extra=()
    if [ "$tls" = yes ]; then
        extra+=(--ssl-ca="$dir/tls/ca.pem" --ssl-cert="$dir/tls/server-cert.pem" --ssl-key="$dir/tls/server-key.pem")
    fi
    mariadbd --no-defaults --user=root --datadir="$base/data" --socket="$base/run/mysqld.sock" \
        --pid-file="$base/run/mysqld.pid" --port="$port" --bind-address=127.0.0.1 \
        --log-error="$base/error.log" --skip-name-resolve --innodb-buffer-pool-size=32M \
        --max-allowed-packet=256M --default-time-zone=+00:00 "${extra[@]}" &
    local up=no
    for _ in $(seq 1 150); do
        if [ -S "$base/run/mysqld.sock" ] && mariadb --no-defaults --socket="$base/run/mysqld.sock" -uroot \
            -e 'select 1' >/dev/null 2>&1; then
            up=yes
            break
        fi
        sleep 0.2
    done
    if [ "$up" != yes ]; then
        echo "test-servers: the $name server did not start:" >&2
        cat "$base/error.log" >&2
        exit 1
    fi
    mariadb --no-defaults --socket="$base/run/mysqld.sock" -uroot <<SQL
ALTER USER 'root'@'localhost' IDENTIFIED BY '$root_password';
CREATE USER IF NOT EXISTS 'root'@'127.0.0.1';
ALTER USER 'root'@'127.0.0.1' IDENTIFIED BY '$root_password';
GRANT ALL PRIVILEGES ON *.* TO 'root'@'127.0.0.1' WITH GRANT OPTION;
FLUSH PRIVILEGES;
SQL
}

case "$cmd" in
start)
    mkdir -p "$dir"
    make_certs "$dir/tls"
    company_port=$(free_port)
    workstation_port=$(free_port)
    start_one company "$company_port" yes
    start_one workstation "$workstation_port" no
    cat > "$dir/env" <<ENV
export DRAVN_TEST_ROOT_PASSWORD='$root_password'
export DRAVN_TEST_COMPANY_HOST=127.0.0.1
export DRAVN_TEST_COMPANY_PORT=$company_port
export DRAVN_TEST_WORKSTATION_SOCKET=$dir/workstation/run/mysqld.sock
export DRAVN_TEST_WORKSTATION_PORT=$workstation_port
export DRAVN_TEST_TLS_DIR=$dir/tls
export MYSQL_UNIX_PORT=$dir/workstation/run/mysqld.sock
ENV
    ;;
stop)
    for name in company workstation; do
        pidf="$dir/$name/run/mysqld.pid"
        if [ -f "$pidf" ]; then
            pid=$(cat "$pidf")
            kill "$pid" 2>/dev/null || true
            for _ in $(seq 1 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
            kill -9 "$pid" 2>/dev/null || true
        fi
    done
    rm -rf "$dir"
    ;;
*) echo "usage: test-servers.sh start|stop DIR" >&2; exit 2 ;;
esac
