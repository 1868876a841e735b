// Figures for how fast the client layer moves rows and how much memory it needs doing so:
//   1. a streamed read of a generated table from each server: MB/s and peak RSS growth;
//   2. writing rows to the other server: per-row INSERT against RowWriter multi-row batches;
//   3. a whole-table copy company -> workstation by streaming and batches, checked with
//      CHECKSUM TABLE on both sides.
// The servers come from the DRAVN_TEST_* variables that scripts/test-servers.sh writes (the
// company server on loopback TCP, the workstation server as localhost through its socket).
// Each server gets a database of its own for the run, dropped again at the end.
//
// "MB" is 10^6 bytes of payload: the bytes of the values as the client holds them (a FLOAT or a
// DOUBLE as its text), without protocol or SQL overhead. RSS figures are in MiB.
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <future>
#include <optional>
#include <string>
#include <vector>

#include "mysql/row_writer.h"
#include "mysql/sql_connection.h"
#include "mysql/sql_text.h"

using namespace dravn;

namespace {

struct Settings {
    std::uint64_t tableMb = 200;      // payload of the generated table
    std::uint64_t blobBytes = 16384;  // bytes of each row's blob
    std::uint64_t writeRows = 1000;   // table rows written by each write method
    std::uint64_t smallRows = 5000;   // small rows written by each write method; 0: none
    std::uint64_t batchKib = 0;       // RowWriter batch limit; 0: the writer's default
    bool tls = false;                 // company server through TLS with the test CA and client cert
};

[[noreturn]] void Usage(int code) {
    std::fprintf(code ? stderr : stdout,
                 "usage: dravn_bench [--table-mb N] [--blob-bytes N] [--write-rows N] [--small-rows N] "
                 "[--batch-kib N] "
                 "[--tls]\n"
                 "  --table-mb N     payload of the generated table in MB (default 200)\n"
                 "  --blob-bytes N   bytes of each row's blob (default 16384)\n"
                 "  --write-rows N   table rows written by each write method (default 1000)\n"
                 "  --small-rows N   small rows (100-byte blob) written by each write method\n"
                 "                   (default 5000; 0 leaves them out)\n"
                 "  --batch-kib N    RowWriter batch limit in KiB (default: the writer's own)\n"
                 "  --tls            reach the company server through TLS (CA and client certificate\n"
                 "                   from DRAVN_TEST_TLS_DIR)\n"
                 "Servers: DRAVN_TEST_ROOT_PASSWORD, DRAVN_TEST_COMPANY_HOST/PORT, "
                 "DRAVN_TEST_WORKSTATION_SOCKET\n"
                 "(source the env file of scripts/test-servers.sh, or run scripts/bench.sh).\n");
    std::exit(code);
}

std::uint64_t NumberArg(int argc, char** argv, int& i) {
    if (i + 1 >= argc)
        Usage(2);
    const char* text = argv[++i];
    char* end = nullptr;
    unsigned long long v = std::strtoull(text, &end, 10);
    if (!*text || *end || text[0] == '-')
        Usage(2);
    return v;
}

Settings ParseArgs(int argc, char** argv) {
    Settings s;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--table-mb")
            s.tableMb = NumberArg(argc, argv, i);
        else if (a == "--blob-bytes")
            s.blobBytes = NumberArg(argc, argv, i);
        else if (a == "--write-rows")
            s.writeRows = NumberArg(argc, argv, i);
        else if (a == "--small-rows")
            s.smallRows = NumberArg(argc, argv, i);
        else if (a == "--batch-kib")
            s.batchKib = NumberArg(argc, argv, i);
        else if (a == "--tls")
            s.tls = true;
        else if (a == "--help" || a == "-h")
            Usage(0);
        else
            Usage(2);
    }
    if (s.tableMb == 0 || s.writeRows == 0)
        Usage(2);
    return s;
}

std::string Env(const char* name) {
    const char* v = std::getenv(name);
    return v ? v : "";
}

struct Server {
    std::string label;
    ConnectOptions options;
};

Server Company(const Settings& s) {
    Server c;
    c.options.server = Env("DRAVN_TEST_COMPANY_HOST") + ":" + Env("DRAVN_TEST_COMPANY_PORT");
    c.options.user = "root";
    c.options.password = Env("DRAVN_TEST_ROOT_PASSWORD");
    c.label = "company (TCP)";
    if (s.tls) {
        std::string dir = Env("DRAVN_TEST_TLS_DIR") + "/";
        c.options.tlsCa = dir + "ca.pem";
        c.options.tlsCert = dir + "client-cert.pem";
        c.options.tlsKey = dir + "client-key.pem";
        c.label = "company (TCP+TLS)";
    }
    return c;
}

Server Workstation() {
    Server w;
    w.options.server = "localhost";
    w.options.user = "root";
    w.options.password = Env("DRAVN_TEST_ROOT_PASSWORD");
    w.options.unixSocket = Env("DRAVN_TEST_WORKSTATION_SOCKET");
    w.label = "workstation (socket)";
    return w;
}

// Peak resident set size of this process so far, in KiB.
long MaxRssKib() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

double Mib(long kib) {
    return kib / 1024.0;
}

class Stopwatch {
  public:
    Stopwatch() : start_(std::chrono::steady_clock::now()) {}
    double seconds() const {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    }

  private:
    std::chrono::steady_clock::time_point start_;
};

std::uint64_t PayloadBytes(const SqlRow& row) {
    std::uint64_t n = 0;
    for (const SqlValue& v : row) {
        if (v)
            n += v->size();
    }
    return n;
}

// "N rows, X MB in T s: R rows/s, M MB/s"
std::string Rate(std::uint64_t rows, std::uint64_t bytes, double seconds) {
    double t = std::max(seconds, 1e-9);
    char buf[160];
    std::snprintf(buf, sizeof buf, "%llu rows, %.1f MB in %.2f s: %.0f rows/s, %.1f MB/s",
                  static_cast<unsigned long long>(rows), bytes / 1e6, seconds, rows / t, bytes / 1e6 / t);
    return buf;
}

void Line(const char* what, const std::string& where, const std::string& figures) {
    std::printf("%-9s %-24s %s\n", what, where.c_str(), figures.c_str());
    std::fflush(stdout);
}

// A database created on a server for this run and dropped again when the run ends, also when it
// ends with an error.
class BenchDatabase {
  public:
    BenchDatabase(const Server& server, const std::string& name) : name_(name) {
        options_ = server.options;
        admin_.open(options_);
        admin_.execute("DROP DATABASE IF EXISTS " + QuoteIdentifier(name_));
        admin_.execute("CREATE DATABASE " + QuoteIdentifier(name_));
        options_.database = name_;
    }
    ~BenchDatabase() {
        try {
            if (!admin_.isOpen())
                return;
            admin_.execute("DROP DATABASE IF EXISTS " + QuoteIdentifier(name_));
        } catch (const SqlError& e) {
            std::fprintf(stderr, "dravn_bench: could not drop database %s: %s\n", name_.c_str(), e.what());
        }
    }
    BenchDatabase(const BenchDatabase&) = delete;
    BenchDatabase& operator=(const BenchDatabase&) = delete;

    // Options that connect with this database selected.
    const ConnectOptions& options() const { return options_; }

  private:
    std::string name_;
    ConnectOptions options_;
    SqlConnection admin_;
};

// Opens a connection with the session settings for moving rows.
void Open(SqlConnection& c, const ConnectOptions& options) {
    c.open(options);
    c.setSessionForRowCopy();
}

constexpr const char* kTable = "bench_rows";

const char* kCreateTable =
    " (id INT NOT NULL PRIMARY KEY,"
    " stamp TIMESTAMP NULL DEFAULT NULL,"
    " name VARCHAR(100) CHARACTER SET latin1 NULL,"
    " note TEXT CHARACTER SET utf8mb4 NULL,"
    " f FLOAT NULL,"
    " d DOUBLE NULL,"
    " doc LONGBLOB NULL) ENGINE=InnoDB";

std::uint64_t TableRows(const Settings& s) {
    // About 70 bytes besides the blob.
    return std::max<std::uint64_t>(1, s.tableMb * 1000000 / (s.blobBytes + 70));
}

// Generates the table on the server itself, the same rows on every server: every 100th timestamp
// is the zero date, latin1 and utf8 texts with letters beyond ASCII, some NULLs and empty blobs,
// FLOAT values that print rounded, and blobs of pseudo-random bytes (all 256 values occur).
void GenerateTable(const ConnectOptions& options, const Settings& s) {
    SqlConnection c;
    Open(c, options);
    c.execute(std::string("CREATE TABLE ") + kTable + kCreateTable);
    std::uint64_t rows = TableRows(s);
    std::uint64_t chunk = std::max<std::uint64_t>(1, (8u << 20) / (s.blobBytes + 70));
    std::string reps = std::to_string((s.blobBytes + 63) / 64);
    std::string blob = std::to_string(s.blobBytes);
    for (std::uint64_t first = 1; first <= rows; first += chunk) {
        std::uint64_t last = std::min(rows, first + chunk - 1);
        c.execute(
            std::string("INSERT INTO ") + kTable +
            " SELECT seq,"
            " IF(seq % 100 = 0, '0000-00-00 00:00:00', FROM_UNIXTIME(946684800 + seq * 7919 % 1000000000)),"
            " CONCAT('Kunde æøå ', seq),"
            " IF(seq % 10 = 0, NULL, CONCAT('Notat € ', REPEAT('ø', seq % 50), seq)),"
            " IF(seq % 13 = 0, NULL, IF(seq % 2, -1, 1) * SQRT(seq) * 1234.5678),"
            " seq * PI() / 7,"
            " CASE WHEN seq % 97 = 0 THEN NULL WHEN seq % 89 = 0 THEN ''"
            " ELSE LEFT(REPEAT(UNHEX(SHA2(seq, 512)), " +
            reps + "), " + blob +
            ") END"
            " FROM seq_" +
            std::to_string(first) + "_to_" + std::to_string(last));
    }
}

// 1. Streamed read: throughput, and peak RSS growth over the whole read and after its first tenth
// (where buffers have reached their working size), which stays flat however large the table is.
// Then the time the server alone needs to read the same rows, the bound a client can approach.
void BenchRead(const Server& server, const ConnectOptions& options, std::uint64_t expectedRows) {
    SqlConnection c;
    Open(c, options);
    long rssBefore = MaxRssKib();
    long rssWarm = rssBefore;
    std::uint64_t rows = 0;
    std::uint64_t bytes = 0;
    std::uint64_t warmRows = std::max<std::uint64_t>(1, expectedRows / 10);
    Stopwatch t;
    SqlCursor cursor = c.query(std::string("SELECT * FROM ") + kTable, Fetch::Streamed);
    while (cursor.next()) {
        bytes += PayloadBytes(cursor.row());
        if (++rows == warmRows)
            rssWarm = MaxRssKib();
    }
    double seconds = t.seconds();
    long rssAfter = MaxRssKib();
    if (rows != expectedRows)
        throw SqlError(0, "HY000",
                       "read " + std::to_string(rows) + " rows, expected " + std::to_string(expectedRows));
    Line("read", server.label, "streamed " + Rate(rows, bytes, seconds));
    char buf[200];
    double late = Mib(rssAfter - rssWarm);
    std::snprintf(buf, sizeof buf,
                  "peak RSS +%.1f MiB over the read of %.0f MB, +%.1f MiB after its first tenth (%s)",
                  Mib(rssAfter - rssBefore), bytes / 1e6, late, late < 2.0 ? "flat" : "GROWS");
    Line("memory", server.label, buf);

    // For comparison: the server reading the same rows (the blobs included) without sending them.
    Stopwatch scan;
    c.queryValue(std::string("SELECT SUM(LENGTH(doc)) FROM ") + kTable);
    Line("read", server.label,
         "server alone (SUM(LENGTH(doc)), nothing sent): " + Rate(rows, bytes, scan.seconds()));
}

// 2. Writing rows to a server: the same rows (a pool read from the other server, each written
// with a new id) written one INSERT per row, one INSERT per row inside one transaction, and in
// RowWriter multi-row batches. Once with the table's own rows, once with small rows (the blob cut
// to 100 bytes), where the cost of a round trip per row shows most.
void BenchWrite(const ConnectOptions& source, const Server& targetServer, const ConnectOptions& target,
                const Settings& s) {
    SqlResult pool;
    {
        SqlConnection c;
        Open(c, source);
        pool = c.queryAll(std::string("SELECT * FROM ") + kTable + " ORDER BY id LIMIT 256");
    }
    SqlConnection c;
    Open(c, target);
    c.execute("CREATE TABLE bench_write LIKE " + std::string(kTable));

    struct Shape {
        std::string name;
        std::uint64_t rows;
        std::size_t blobBytes;
    };
    const std::size_t smallBlob = 100;
    std::vector<Shape> shapes{{"table rows", s.writeRows, s.blobBytes}};
    if (s.smallRows)
        shapes.push_back({"small rows", s.smallRows, std::min<std::size_t>(smallBlob, s.blobBytes)});
    int doc = pool.columnIndex("doc");
    enum class Method { PerRow, PerRowOneTransaction, Batches };
    for (const Shape& shape : shapes) {
        std::vector<SqlRow> rows = pool.rows;
        for (SqlRow& row : rows) {
            if (row[doc] && row[doc]->size() > shape.blobBytes)
                row[doc]->resize(shape.blobBytes);
        }
        double perRowRate = 0;
        for (Method m : {Method::PerRow, Method::PerRowOneTransaction, Method::Batches}) {
            c.execute("TRUNCATE TABLE bench_write");
            RowWriter writer(c, "bench_write", pool.columns);
            if (s.batchKib)
                writer.setBatchLimit(s.batchKib * 1024);
            int id = writer.idColumn();
            std::uint64_t bytes = 0;
            Stopwatch t;
            if (m == Method::PerRowOneTransaction)
                c.execute("START TRANSACTION");
            for (std::uint64_t i = 0; i < shape.rows; ++i) {
                SqlRow& row = rows[i % rows.size()];
                row[id] = std::to_string(i + 1);
                bytes += PayloadBytes(row);
                if (m == Method::Batches)
                    writer.append(row);
                else
                    writer.insert(row);
            }
            writer.flush();
            if (m == Method::PerRowOneTransaction)
                c.execute("COMMIT");
            double seconds = t.seconds();
            std::string written = c.queryValue("SELECT COUNT(*) FROM bench_write").value_or("0");
            if (written != std::to_string(shape.rows))
                throw SqlError(0, "HY000",
                               "wrote " + written + " rows, expected " + std::to_string(shape.rows));
            double rate = shape.rows / std::max(seconds, 1e-9);
            std::string figures = shape.name + ", ";
            if (m == Method::PerRow) {
                perRowRate = rate;
                figures += "per-row INSERT: " + Rate(shape.rows, bytes, seconds);
            } else if (m == Method::PerRowOneTransaction) {
                figures += "per-row INSERT in one transaction: " + Rate(shape.rows, bytes, seconds);
            } else {
                char speedup[64];
                std::snprintf(speedup, sizeof speedup, " (x%.1f per-row INSERT)",
                              rate / std::max(perRowRate, 1e-9));
                figures +=
                    (s.batchKib ? std::to_string(s.batchKib) + " KiB batches: " : "RowWriter batches: ") +
                    Rate(shape.rows, bytes, seconds) + speedup;
            }
            Line("write", targetServer.label, figures);
        }
    }
    c.execute("DROP TABLE bench_write");
}

// 3. Whole-table copy: a streamed read on the source feeding RowWriter batches on the target, then
// CHECKSUM TABLE on both sides. Returns true when the checksums are equal.
bool BenchCopy(const Server& sourceServer, const ConnectOptions& source, const Server& targetServer,
               const ConnectOptions& target, const Settings& s) {
    SqlConnection from;
    Open(from, source);
    SqlConnection to;
    Open(to, target);
    to.execute("CREATE TABLE bench_copy LIKE " + std::string(kTable));
    std::string where = "company -> workstation";
    long rssBefore = MaxRssKib();
    std::uint64_t bytes = 0;
    Stopwatch t;
    {
        SqlCursor cursor = from.query(std::string("SELECT * FROM ") + kTable, Fetch::Streamed);
        RowWriter writer(to, "bench_copy", cursor.columns());
        if (s.batchKib)
            writer.setBatchLimit(s.batchKib * 1024);
        while (cursor.next()) {
            bytes += PayloadBytes(cursor.row());
            writer.append(cursor.row());
        }
        writer.flush();
        double seconds = t.seconds();
        Line("copy", where, Rate(writer.rowsWritten(), bytes, seconds));
    }
    char buf[160];
    std::snprintf(buf, sizeof buf, "peak RSS +%.1f MiB during the copy (bounded by the batch limit)",
                  Mib(MaxRssKib() - rssBefore));
    Line("memory", where, buf);

    // CHECKSUM TABLE returns the table name and the checksum.
    SqlValue sourceSum = from.queryAll(std::string("CHECKSUM TABLE ") + kTable).rows.at(0).at(1);
    SqlValue targetSum = to.queryAll("CHECKSUM TABLE bench_copy").rows.at(0).at(1);
    bool equal = sourceSum && targetSum && *sourceSum == *targetSum;
    std::string figures = equal
                              ? "checksums equal (" + *sourceSum + ")"
                              : "checksums DIFFER: " + sourceServer.label + " " + sourceSum.value_or("NULL") +
                                    ", " + targetServer.label + " " + targetSum.value_or("NULL");
    Line("checksum", where, figures);
    to.execute("DROP TABLE bench_copy");
    return equal;
}

int Run(const Settings& s) {
    if (Env("DRAVN_TEST_ROOT_PASSWORD").empty() || Env("DRAVN_TEST_COMPANY_PORT").empty() ||
        Env("DRAVN_TEST_WORKSTATION_SOCKET").empty()) {
        std::fprintf(stderr, "dravn_bench: DRAVN_TEST_* variables not set\n");
        Usage(2);
    }
    Server company = Company(s);
    Server workstation = Workstation();
    std::string name = "dravn_bench_" + std::to_string(::getpid());
    BenchDatabase companyDb(company, name);
    BenchDatabase workstationDb(workstation, name);

    std::uint64_t rows = TableRows(s);
    auto n = [](std::uint64_t v) { return static_cast<unsigned long long>(v); };
    std::printf(
        "dravn_bench: table of %llu rows, ~%llu MB (%llu-byte blobs); writes of %llu table rows and "
        "%llu small rows per method\n",
        n(rows), n(s.tableMb), n(s.blobBytes), n(s.writeRows), n(s.smallRows));

    // The same table on both servers, generated by the servers at the same time.
    {
        Stopwatch t;
        auto a = std::async(std::launch::async, [&] { GenerateTable(companyDb.options(), s); });
        auto b = std::async(std::launch::async, [&] { GenerateTable(workstationDb.options(), s); });
        a.get();
        b.get();
        char buf[80];
        std::snprintf(buf, sizeof buf, "%llu rows on both servers in %.1f s",
                      static_cast<unsigned long long>(rows), t.seconds());
        Line("generate", "both", buf);
    }

    // Reads first: the peak RSS they report is then not hidden by an earlier, larger peak.
    BenchRead(company, companyDb.options(), rows);
    BenchRead(workstation, workstationDb.options(), rows);
    bool equal = BenchCopy(company, companyDb.options(), workstation, workstationDb.options(), s);
    // Rows for each server come from the other one.
    BenchWrite(companyDb.options(), workstation, workstationDb.options(), s);
    BenchWrite(workstationDb.options(), company, companyDb.options(), s);
    return equal ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    Settings s = ParseArgs(argc, argv);
    try {
        return Run(s);
    } catch (const SqlError& e) {
        std::fprintf(stderr, "dravn_bench: %s (error %u, %s)\n", e.what(), e.number(), e.sqlState().c_str());
        return 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "dravn_bench: %s\n", e.what());
        return 1;
    }
}
