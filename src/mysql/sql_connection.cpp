#include "mysql/sql_connection.h"

#include <mysql.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <fstream>

#include "mysql/sql_text.h"

namespace dravn {

struct SqlConnection::Handle {
    MYSQL* mysql = nullptr;
    ~Handle() {
        if (mysql)
            mysql_close(mysql);
    }
};

namespace {

using Handle = SqlConnection::Handle;

[[noreturn]] void RaiseFrom(MYSQL* m) {
    const char* state = mysql_sqlstate(m);
    throw SqlError(mysql_errno(m), state && *state ? state : "HY000", mysql_error(m));
}

[[noreturn]] void RaiseFrom(MYSQL_STMT* s) {
    const char* state = mysql_stmt_sqlstate(s);
    throw SqlError(mysql_stmt_errno(s), state && *state ? state : "HY000", mysql_stmt_error(s));
}

bool EqualNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

int IndexOf(const std::vector<SqlColumn>& columns, std::string_view name) {
    for (size_t i = 0; i < columns.size(); ++i) {
        if (EqualNoCase(columns[i].name, name))
            return static_cast<int>(i);
    }
    return -1;
}

SqlKind KindOf(const MYSQL_FIELD& f) {
    switch (f.type) {
        case MYSQL_TYPE_NULL:
            return SqlKind::Null;
        case MYSQL_TYPE_TINY:
        case MYSQL_TYPE_SHORT:
        case MYSQL_TYPE_INT24:
        case MYSQL_TYPE_LONG:
        case MYSQL_TYPE_LONGLONG:
            return SqlKind::Integer;
        case MYSQL_TYPE_DECIMAL:
        case MYSQL_TYPE_NEWDECIMAL:
            return SqlKind::Decimal;
        case MYSQL_TYPE_FLOAT:
            return SqlKind::Float;
        case MYSQL_TYPE_DOUBLE:
            return SqlKind::Double;
        case MYSQL_TYPE_BIT:
            return SqlKind::Bit;
        case MYSQL_TYPE_YEAR:
            return SqlKind::Year;
        case MYSQL_TYPE_DATE:
        case MYSQL_TYPE_NEWDATE:
            return SqlKind::Date;
        case MYSQL_TYPE_TIME:
        case MYSQL_TYPE_TIME2:
            return SqlKind::Time;
        case MYSQL_TYPE_DATETIME:
        case MYSQL_TYPE_DATETIME2:
            return SqlKind::DateTime;
        case MYSQL_TYPE_TIMESTAMP:
        case MYSQL_TYPE_TIMESTAMP2:
            return SqlKind::Timestamp;
        case MYSQL_TYPE_GEOMETRY:
            return SqlKind::Geometry;
        default:
            return SqlKind::String;
    }
}

SqlColumn ColumnOf(const MYSQL_FIELD& f) {
    SqlColumn c;
    c.name.assign(f.name, f.name_length);
    if (f.org_name)
        c.orgName.assign(f.org_name, f.org_name_length);
    if (f.org_table)
        c.table.assign(f.org_table, f.org_table_length);
    if (f.db)
        c.database.assign(f.db, f.db_length);
    c.kind = KindOf(f);
    c.nativeType = static_cast<int>(f.type);
    c.isBinary = (c.kind == SqlKind::String && f.charsetnr == 63) || c.kind == SqlKind::Bit ||
                 c.kind == SqlKind::Geometry;
    c.isUnsigned = (f.flags & UNSIGNED_FLAG) != 0;
    c.isPrimaryKey = (f.flags & PRI_KEY_FLAG) != 0;
    c.isNullable = (f.flags & NOT_NULL_FLAG) == 0;
    c.isAutoIncrement = (f.flags & AUTO_INCREMENT_FLAG) != 0;
    c.length = f.length;
    c.decimals = f.decimals;
    return c;
}

std::vector<SqlColumn> ColumnsOf(MYSQL_RES* meta) {
    std::vector<SqlColumn> columns;
    if (!meta)
        return columns;
    unsigned n = mysql_num_fields(meta);
    MYSQL_FIELD* fields = mysql_fetch_fields(meta);
    columns.reserve(n);
    for (unsigned i = 0; i < n; ++i)
        columns.push_back(ColumnOf(fields[i]));
    return columns;
}

// Fractional seconds: as many digits as the column declares; for expressions of unknown
// precision all six, and only when there is a fraction.
void AppendFraction(std::string& out, unsigned long secondPart, unsigned decimals) {
    unsigned digits = decimals;
    if (decimals > 6)
        digits = secondPart ? 6 : 0;
    if (digits == 0)
        return;
    char buf[8];
    std::snprintf(buf, sizeof buf, "%06lu", secondPart % 1000000);
    out += '.';
    out.append(buf, digits);
}

std::string FormatTemporal(const MYSQL_TIME& t, SqlKind kind, unsigned decimals) {
    char buf[64];
    std::string out;
    switch (kind) {
        case SqlKind::Date:
            std::snprintf(buf, sizeof buf, "%04u-%02u-%02u", t.year, t.month, t.day);
            return buf;
        case SqlKind::Time: {
            unsigned long hours = t.hour + 24UL * t.day;
            std::snprintf(buf, sizeof buf, "%s%02lu:%02u:%02u", t.neg ? "-" : "", hours, t.minute, t.second);
            out = buf;
            AppendFraction(out, t.second_part, decimals);
            return out;
        }
        default:
            std::snprintf(buf, sizeof buf, "%04u-%02u-%02u %02u:%02u:%02u", t.year, t.month, t.day, t.hour,
                          t.minute, t.second);
            out = buf;
            AppendFraction(out, t.second_part, decimals);
            return out;
    }
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Cursor

struct SqlCursor::Impl {
    std::shared_ptr<Handle> handle;  // keeps the connection alive while the result is read
    std::vector<SqlColumn> columns;
    SqlRow row;
    std::uint64_t count = 0;
    bool buffered = true;
    bool done = false;

    // Text protocol.
    MYSQL_RES* res = nullptr;

    // Binary protocol.
    MYSQL_STMT* stmt = nullptr;
    std::vector<MYSQL_BIND> binds;
    std::vector<unsigned long> lengths;
    std::vector<my_bool> nulls;
    std::vector<my_bool> errors;
    std::vector<long long> ints;
    std::vector<float> floats;
    std::vector<double> doubles;
    std::vector<MYSQL_TIME> times;
    std::vector<std::string> buffers;
    bool rebind = false;

    ~Impl() { release(); }

    void release() {
        if (res) {
            mysql_free_result(res);
            res = nullptr;
        }
        if (stmt) {
            mysql_stmt_close(stmt);
            stmt = nullptr;
        }
        done = true;
    }

    void bindResults() {
        size_t n = columns.size();
        binds.assign(n, MYSQL_BIND{});
        lengths.resize(n);
        nulls.resize(n);
        errors.resize(n);
        ints.resize(n);
        floats.resize(n);
        doubles.resize(n);
        times.resize(n);
        buffers.resize(n);
        for (size_t i = 0; i < n; ++i) {
            MYSQL_BIND& b = binds[i];
            b.length = &lengths[i];
            b.is_null = &nulls[i];
            b.error = &errors[i];
            switch (columns[i].kind) {
                case SqlKind::Integer:
                case SqlKind::Year:
                    b.buffer_type = MYSQL_TYPE_LONGLONG;
                    b.buffer = &ints[i];
                    b.is_unsigned = columns[i].isUnsigned;
                    break;
                case SqlKind::Float:
                    b.buffer_type = MYSQL_TYPE_FLOAT;
                    b.buffer = &floats[i];
                    break;
                case SqlKind::Double:
                    b.buffer_type = MYSQL_TYPE_DOUBLE;
                    b.buffer = &doubles[i];
                    break;
                case SqlKind::Date:
                case SqlKind::Time:
                case SqlKind::DateTime:
                case SqlKind::Timestamp:
                    b.buffer_type = static_cast<enum_field_types>(columns[i].nativeType);
                    b.buffer = &times[i];
                    break;
                default:
                    if (buffers[i].size() < 256)
                        buffers[i].resize(256);
                    b.buffer_type = MYSQL_TYPE_BLOB;
                    b.buffer = buffers[i].data();
                    b.buffer_length = buffers[i].size();
                    break;
            }
        }
        if (n && mysql_stmt_bind_result(stmt, binds.data()))
            RaiseFrom(stmt);
        rebind = false;
    }

    SqlValue valueOf(size_t i) {
        if (nulls[i])
            return std::nullopt;
        const SqlColumn& c = columns[i];
        switch (c.kind) {
            case SqlKind::Null:
                return std::nullopt;
            case SqlKind::Integer:
                return c.isUnsigned ? std::to_string(static_cast<unsigned long long>(ints[i]))
                                    : std::to_string(ints[i]);
            case SqlKind::Year: {
                char buf[32];
                std::snprintf(buf, sizeof buf, "%04lld", ints[i]);
                return std::string(buf);
            }
            case SqlKind::Float:
                return FormatFloat(floats[i]);
            case SqlKind::Double:
                return FormatDouble(doubles[i]);
            case SqlKind::Date:
            case SqlKind::Time:
            case SqlKind::DateTime:
            case SqlKind::Timestamp:
                return FormatTemporal(times[i], c.kind, c.decimals);
            default: {
                unsigned long len = lengths[i];
                if (len > buffers[i].size()) {
                    // Longer than the buffer: fetch the whole value into a buffer of its size.
                    buffers[i].resize(len);
                    MYSQL_BIND b{};
                    unsigned long got = 0;
                    b.buffer_type = MYSQL_TYPE_BLOB;
                    b.buffer = buffers[i].data();
                    b.buffer_length = len;
                    b.length = &got;
                    if (mysql_stmt_fetch_column(stmt, &b, static_cast<unsigned>(i), 0))
                        RaiseFrom(stmt);
                    rebind = true;
                }
                return std::string(buffers[i].data(), len);
            }
        }
    }

    bool nextBinary() {
        if (rebind)
            bindResults();
        int rc = mysql_stmt_fetch(stmt);
        if (rc == MYSQL_NO_DATA)
            return false;
        if (rc == 1)
            RaiseFrom(stmt);
        row.resize(columns.size());
        for (size_t i = 0; i < columns.size(); ++i)
            row[i] = valueOf(i);
        return true;
    }

    bool nextText() {
        MYSQL_ROW r = mysql_fetch_row(res);
        if (!r) {
            if (!buffered && mysql_errno(handle->mysql))
                RaiseFrom(handle->mysql);
            return false;
        }
        unsigned long* lens = mysql_fetch_lengths(res);
        row.resize(columns.size());
        for (size_t i = 0; i < columns.size(); ++i) {
            if (r[i])
                row[i] = std::string(r[i], lens[i]);
            else
                row[i] = std::nullopt;
        }
        return true;
    }
};

SqlCursor::SqlCursor() : impl_(std::make_unique<Impl>()) {}
SqlCursor::SqlCursor(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
SqlCursor::SqlCursor(SqlCursor&&) noexcept = default;
SqlCursor& SqlCursor::operator=(SqlCursor&&) noexcept = default;
SqlCursor::~SqlCursor() = default;

const std::vector<SqlColumn>& SqlCursor::columns() const {
    return impl_->columns;
}
int SqlCursor::columnIndex(std::string_view name) const {
    return IndexOf(impl_->columns, name);
}
const SqlRow& SqlCursor::row() const {
    return impl_->row;
}

std::uint64_t SqlCursor::rowCount() const {
    if (impl_->buffered) {
        if (impl_->stmt)
            return mysql_stmt_num_rows(impl_->stmt);
        if (impl_->res)
            return mysql_num_rows(impl_->res);
    }
    return impl_->count;
}

bool SqlCursor::next() {
    Impl& d = *impl_;
    if (d.done)
        return false;
    bool more = d.stmt ? d.nextBinary() : d.res ? d.nextText() : false;
    if (more) {
        ++d.count;
    } else {
        d.row.clear();
        d.release();
    }
    return more;
}

void SqlCursor::close() {
    impl_->row.clear();
    impl_->release();
}

int SqlResult::columnIndex(std::string_view name) const {
    return IndexOf(columns, name);
}

// ---------------------------------------------------------------------------------------------
// Connection

ServerAddress ParseServerAddress(std::string_view server) {
    ServerAddress a;
    std::string_view host = server;
    if (!server.empty() && server.front() == '[') {
        // [IPv6 address] or [IPv6 address]:port
        size_t close = server.find(']');
        if (close != std::string_view::npos) {
            host = server.substr(1, close - 1);
            std::string_view rest = server.substr(close + 1);
            if (rest.size() > 1 && rest.front() == ':') {
                unsigned port = 0;
                auto r = std::from_chars(rest.data() + 1, rest.data() + rest.size(), port);
                if (r.ec == std::errc() && r.ptr == rest.data() + rest.size() && port > 0 && port < 65536)
                    a.port = port;
            }
        }
        a.host = std::string(host);
        return a;
    }
    size_t colon = server.rfind(':');
    if (colon != std::string_view::npos && server.find(':') == colon) {
        std::string_view digits = server.substr(colon + 1);
        unsigned port = 0;
        auto r = std::from_chars(digits.data(), digits.data() + digits.size(), port);
        if (!digits.empty() && r.ec == std::errc() && r.ptr == digits.data() + digits.size() && port > 0 &&
            port < 65536) {
            a.port = port;
            host = server.substr(0, colon);
        }
    }
    a.host = std::string(host);
    return a;
}

void RaiseNotConnected() {
    throw SqlError(2006, "HY000", "Ikkje tilkopla databasetenaren");
}

SqlConnection::SqlConnection() = default;
SqlConnection::~SqlConnection() = default;

void SqlConnection::raise() const {
    RaiseFrom(handle_->mysql);
}

void SqlConnection::requireOpen() const {
    if (!handle_)
        RaiseNotConnected();
}

namespace {

void CheckReadable(const std::string& path, const char* what) {
    std::ifstream f(path, std::ios::binary);
    if (!f)
        throw SqlError(2026, "HY000", std::string("SSL connection error: cannot read ") + what + " " + path);
}

}  // namespace

void SqlConnection::open(const ConnectOptions& o) {
    close();
    bool tls = o.requireTls || !o.tlsCert.empty() || !o.tlsKey.empty() || !o.tlsCa.empty();
    if (tls) {
        // Checked here so a missing file is an error of its own instead of a connection that
        // silently goes on without the client certificate.
        if (!o.tlsCert.empty())
            CheckReadable(o.tlsCert, "certificate file");
        if (!o.tlsKey.empty())
            CheckReadable(o.tlsKey, "key file");
        if (!o.tlsCa.empty())
            CheckReadable(o.tlsCa, "CA file");
    }

    auto h = std::make_shared<Handle>();
    h->mysql = mysql_init(nullptr);
    if (!h->mysql)
        throw SqlError(2008, "HY000", "MySQL client ran out of memory");
    MYSQL* m = h->mysql;

    if (o.connectTimeout)
        mysql_optionsv(m, MYSQL_OPT_CONNECT_TIMEOUT, &o.connectTimeout);
    if (o.readTimeout)
        mysql_optionsv(m, MYSQL_OPT_READ_TIMEOUT, &o.readTimeout);
    if (o.writeTimeout)
        mysql_optionsv(m, MYSQL_OPT_WRITE_TIMEOUT, &o.writeTimeout);
    my_bool no = 0;
    my_bool yes = 1;
    mysql_optionsv(m, MYSQL_OPT_RECONNECT, &no);
    if (o.compress)
        mysql_optionsv(m, MYSQL_OPT_COMPRESS, nullptr);
    if (!o.characterSet.empty())
        mysql_optionsv(m, MYSQL_SET_CHARSET_NAME, o.characterSet.c_str());
    // No option files: the connection is made from these options alone.
    if (tls) {
        if (!o.tlsCert.empty())
            mysql_optionsv(m, MYSQL_OPT_SSL_CERT, o.tlsCert.c_str());
        if (!o.tlsKey.empty())
            mysql_optionsv(m, MYSQL_OPT_SSL_KEY, o.tlsKey.c_str());
        if (!o.tlsCa.empty())
            mysql_optionsv(m, MYSQL_OPT_SSL_CA, o.tlsCa.c_str());
        mysql_optionsv(m, MYSQL_OPT_SSL_ENFORCE, &yes);
        mysql_optionsv(m, MYSQL_OPT_SSL_VERIFY_SERVER_CERT, o.tlsCa.empty() ? &no : &yes);
    }

    ServerAddress a = ParseServerAddress(o.server);
    const char* socket = o.unixSocket.empty() ? nullptr : o.unixSocket.c_str();
    if (!mysql_real_connect(m, a.host.c_str(), o.user.c_str(), o.password.c_str(),
                            o.database.empty() ? nullptr : o.database.c_str(), a.port, socket, 0)) {
        RaiseFrom(m);
    }
    if (tls && !mysql_get_ssl_cipher(m)) {
        // Never go on unencrypted when encryption was asked for.
        throw SqlError(2026, "HY000", "SSL connection error: the server did not encrypt the connection");
    }
    handle_ = std::move(h);
}

void SqlConnection::close() {
    handle_.reset();
}

bool SqlConnection::isOpen() const {
    return handle_ != nullptr;
}

std::string SqlConnection::currentDatabase() {
    return queryValue("SELECT DATABASE()").value_or(std::string());
}

void SqlConnection::selectDatabase(const std::string& name) {
    requireOpen();
    if (mysql_select_db(handle_->mysql, name.c_str()))
        raise();
}

std::vector<std::string> SqlConnection::databases() {
    std::vector<std::string> names;
    SqlCursor c = query("SHOW DATABASES");
    while (c.next())
        names.push_back(c.row()[0].value_or(std::string()));
    return names;
}

std::vector<std::string> SqlConnection::tableNames() {
    std::vector<std::string> names;
    try {
        SqlCursor c = query("SHOW TABLES");
        while (c.next())
            names.push_back(c.row()[0].value_or(std::string()));
    } catch (const SqlError& e) {
        if (e.number() != sqlerr::NoDatabaseSelected)
            throw;
    }
    return names;
}

std::vector<std::string> SqlConnection::fieldNames(const std::string& table) {
    std::vector<std::string> names;
    try {
        SqlCursor c = query("SHOW COLUMNS FROM " + QuoteIdentifier(table));
        while (c.next())
            names.push_back(c.row()[0].value_or(std::string()));
    } catch (const SqlError& e) {
        if (e.number() != sqlerr::NoSuchTable && e.number() != sqlerr::NoDatabaseSelected &&
            e.number() != sqlerr::UnknownDatabase)
            throw;
    }
    return names;
}

std::string SqlConnection::serverVersion() const {
    requireOpen();
    const char* v = mysql_get_server_info(handle_->mysql);
    return v ? v : "";
}

bool SqlConnection::usesTls() const {
    return handle_ && mysql_get_ssl_cipher(handle_->mysql) != nullptr;
}

std::uint64_t SqlConnection::execute(const std::string& sql) {
    requireOpen();
    MYSQL* m = handle_->mysql;
    if (mysql_real_query(m, sql.data(), sql.size()))
        raise();
    if (mysql_field_count(m)) {
        MYSQL_RES* r = mysql_store_result(m);
        if (r)
            mysql_free_result(r);
        else
            raise();
        return 0;
    }
    return mysql_affected_rows(m);
}

void SqlConnection::executeScript(const std::string& sql) {
    requireOpen();
    MYSQL* m = handle_->mysql;
    if (mysql_set_server_option(m, MYSQL_OPTION_MULTI_STATEMENTS_ON))
        raise();
    std::optional<SqlError> failure;
    if (mysql_real_query(m, sql.data(), sql.size())) {
        failure.emplace(mysql_errno(m), mysql_sqlstate(m), mysql_error(m));
    } else {
        for (;;) {
            if (mysql_field_count(m)) {
                MYSQL_RES* r = mysql_store_result(m);
                if (r)
                    mysql_free_result(r);
            }
            int status = mysql_next_result(m);
            if (status == -1)
                break;
            if (status > 0) {
                failure.emplace(mysql_errno(m), mysql_sqlstate(m), mysql_error(m));
                break;
            }
        }
    }
    // Multi-statement mode is on only while a script runs.
    bool offFailed = mysql_set_server_option(m, MYSQL_OPTION_MULTI_STATEMENTS_OFF) != 0;
    if (failure)
        throw *failure;
    if (offFailed)
        raise();
}

SqlCursor SqlConnection::query(const std::string& sql, Fetch fetch) {
    requireOpen();
    MYSQL* m = handle_->mysql;
    auto d = std::make_unique<SqlCursor::Impl>();
    d->handle = handle_;
    d->buffered = fetch == Fetch::Buffered;

    MYSQL_STMT* st = mysql_stmt_init(m);
    if (!st)
        raise();
    d->stmt = st;
    if (mysql_stmt_prepare(st, sql.data(), sql.size())) {
        if (mysql_stmt_errno(st) != sqlerr::UnsupportedPrepare)
            RaiseFrom(st);
        // The server cannot prepare this statement: run it through the text protocol.
        mysql_stmt_close(st);
        d->stmt = nullptr;
        if (mysql_real_query(m, sql.data(), sql.size()))
            raise();
        if (!mysql_field_count(m)) {
            d->done = true;
            return SqlCursor(std::move(d));
        }
        d->res = d->buffered ? mysql_store_result(m) : mysql_use_result(m);
        if (!d->res)
            raise();
        d->columns = ColumnsOf(d->res);
        return SqlCursor(std::move(d));
    }
    if (mysql_stmt_execute(st))
        RaiseFrom(st);
    MYSQL_RES* meta = mysql_stmt_result_metadata(st);
    if (!meta) {
        d->release();
        return SqlCursor(std::move(d));
    }
    d->columns = ColumnsOf(meta);
    mysql_free_result(meta);
    if (d->buffered && mysql_stmt_store_result(st))
        RaiseFrom(st);
    d->bindResults();
    return SqlCursor(std::move(d));
}

SqlResult SqlConnection::queryAll(const std::string& sql) {
    SqlCursor c = query(sql, Fetch::Buffered);
    SqlResult r;
    r.columns = c.columns();
    while (c.next())
        r.rows.push_back(c.row());
    return r;
}

SqlValue SqlConnection::queryValue(const std::string& sql) {
    SqlCursor c = query(sql, Fetch::Buffered);
    if (!c.next() || c.row().empty())
        return std::nullopt;
    return c.row()[0];
}

std::string SqlConnection::escape(std::string_view text) const {
    requireOpen();
    std::string out(text.size() * 2 + 1, '\0');
    unsigned long n = mysql_real_escape_string(handle_->mysql, out.data(), text.data(), text.size());
    out.resize(n);
    return out;
}

std::string SqlConnection::quote(std::string_view text) const {
    return "'" + escape(text) + "'";
}

std::uint64_t SqlConnection::lastInsertId() const {
    requireOpen();
    return mysql_insert_id(handle_->mysql);
}

std::uint64_t SqlConnection::maxAllowedPacket() {
    SqlValue v = queryValue("SELECT @@max_allowed_packet");
    return v ? std::stoull(*v) : 1024 * 1024;
}

void SqlConnection::setSessionForRowCopy() {
    execute("SET time_zone='+00:00'");
    // Keep the server's SQL mode except the parts that refuse zero dates.
    std::string mode = queryValue("SELECT @@SESSION.sql_mode").value_or(std::string());
    std::string kept;
    size_t start = 0;
    while (start <= mode.size()) {
        size_t end = mode.find(',', start);
        if (end == std::string::npos)
            end = mode.size();
        std::string part = mode.substr(start, end - start);
        if (!part.empty() && part != "NO_ZERO_DATE" && part != "NO_ZERO_IN_DATE") {
            if (!kept.empty())
                kept += ',';
            kept += part;
        }
        start = end + 1;
    }
    execute("SET SESSION sql_mode=" + quote(kept));
}

}  // namespace dravn
