// Values read and written exactly: a fixture row holding every kind of value is read, checked
// byte by byte, and copied with the row writer to the same and to another server.
#include <gtest/gtest.h>

#include "mysql/row_writer.h"
#include "mysql/sql_connection.h"
#include "mysql/sql_query.h"
#include "mysql/sql_text.h"
#include "support/test_servers.h"

namespace dravn {
namespace {

using test::CompanyRoot;
using test::ScratchDatabase;

const char* kFixtureTable =
    "CREATE TABLE fixture ("
    " id INT AUTO_INCREMENT PRIMARY KEY,"
    " i_neg INT, big BIGINT, ubig BIGINT UNSIGNED, tiny TINYINT UNSIGNED,"
    " dec_v DECIMAL(30,10), f FLOAT, d DOUBLE, bits BIT(12), y YEAR,"
    " dt DATE, tm TIME(3), dtm DATETIME, dtm6 DATETIME(6), ts TIMESTAMP NULL DEFAULT NULL,"
    " lat VARCHAR(300) CHARACTER SET latin1, utf TEXT CHARACTER SET utf8mb4,"
    " blb LONGBLOB, bin VARBINARY(16), en ENUM('a','æ') CHARACTER SET utf8mb4,"
    " nul_text TEXT, empty_text TEXT"
    ") ENGINE=MyISAM DEFAULT CHARSET=latin1";

// All 256 byte values, as a hexadecimal literal.
std::string AllBytesHex() {
    std::string hex;
    const char* digits = "0123456789ABCDEF";
    for (int b = 0; b < 256; ++b) {
        hex += digits[b >> 4];
        hex += digits[b & 15];
    }
    return hex;
}

std::string AllBytes() {
    std::string s;
    for (int b = 0; b < 256; ++b)
        s += static_cast<char>(b);
    return s;
}

// Fills the fixture with a row of extreme values, a row of NULLs and a row of empty texts.
void FillFixture(SqlConnection& c) {
    c.setSessionForRowCopy();
    c.execute(kFixtureTable);
    c.execute(
        "INSERT INTO fixture VALUES (1, -2147483648, -9223372036854775808, 18446744073709551615, 255,"
        " '-12345678901234567890.0123456789', 1234567.875, 0.1e0 + 0.2e0, b'101010101010', 0,"
        " '0000-00-00', '-838:59:59.125', '0000-00-00 00:00:00', '2024-02-29 23:59:59.000001',"
        " '2038-01-19 03:14:07',"
        " X'" +
        AllBytesHex() + "', 'æøå ÆØÅ € 😀', X'" + AllBytesHex() + "', X'00FF00', 'æ', NULL, '')");
    c.execute("INSERT INTO fixture (id) VALUES (2)");
    c.execute(
        "INSERT INTO fixture VALUES (3, 0, 0, 0, 0, 0, 0.1, -4.9e-324, b'0', 2024, '2024-06-30', '00:00:00',"
        " '2024-06-30 12:00:00', '2024-06-30 12:00:00', '1970-01-01 00:00:01', '', '', '', '', 'a', '', '')");
}

TEST(SqlRows, ReadExactValues) {
    DRAVN_REQUIRE_SERVERS();
    ScratchDatabase db(CompanyRoot());
    FillFixture(db.admin());

    for (Fetch fetch : {Fetch::Buffered, Fetch::Streamed}) {
        SqlCursor c = db.admin().query("SELECT * FROM fixture ORDER BY id", fetch);
        ASSERT_TRUE(c.next());
        auto v = [&](const char* name) { return c.row().at(c.columnIndex(name)); };
        EXPECT_EQ(v("i_neg"), "-2147483648");
        EXPECT_EQ(v("big"), "-9223372036854775808");
        EXPECT_EQ(v("ubig"), "18446744073709551615");
        EXPECT_EQ(v("tiny"), "255");
        EXPECT_EQ(v("dec_v"), "-12345678901234567890.0123456789");
        // The float 1234567.875 in its shortest text; the server's own text would say 1234570.
        EXPECT_EQ(v("f"), "1234567.9");
        EXPECT_EQ(v("d"), "0.30000000000000004");
        EXPECT_EQ(v("bits"), std::string("\x0A\xAA", 2));
        EXPECT_EQ(v("y"), "0000");
        EXPECT_EQ(v("dt"), "0000-00-00");
        EXPECT_EQ(v("tm"), "-838:59:59.125");
        EXPECT_EQ(v("dtm"), "0000-00-00 00:00:00");
        EXPECT_EQ(v("dtm6"), "2024-02-29 23:59:59.000001");
        EXPECT_EQ(v("ts"), "2038-01-19 03:14:07");
        // latin1 text arrives as UTF-8: 128 ASCII characters and 128 of two or three bytes.
        EXPECT_EQ(v("lat")->substr(0, 128), AllBytes().substr(0, 128));
        EXPECT_EQ(v("lat")->substr(128, 3), "\u20AC");  // byte 0x80 is the euro sign
        EXPECT_EQ(v("lat")->substr(v("lat")->size() - 4), "\u00FE\u00FF");
        EXPECT_EQ(v("utf"), "æøå ÆØÅ € 😀");
        EXPECT_EQ(v("blb"), AllBytes());
        EXPECT_EQ(v("bin"), std::string("\0\xFF\0", 3));
        EXPECT_EQ(v("en"), "æ");
        EXPECT_EQ(v("nul_text"), std::nullopt);
        EXPECT_EQ(v("empty_text"), "");

        ASSERT_TRUE(c.next());
        for (size_t i = 1; i < c.row().size(); ++i)
            EXPECT_EQ(c.row()[i], std::nullopt) << c.columns()[i].name;
        ASSERT_TRUE(c.next());
        EXPECT_EQ(v("f"), "0.1");
        EXPECT_EQ(v("d"), "-5e-324");
        EXPECT_EQ(v("blb"), "");
        EXPECT_FALSE(c.next());
    }
}

TEST(SqlRows, ColumnMetadata) {
    DRAVN_REQUIRE_SERVERS();
    ScratchDatabase db(CompanyRoot());
    FillFixture(db.admin());
    SqlCursor c = db.admin().query("SELECT id, ubig, f, d, blb, utf, dtm, bin, lat AS latin FROM fixture");
    const auto& cols = c.columns();
    ASSERT_EQ(cols.size(), 9u);
    EXPECT_EQ(cols[0].kind, SqlKind::Integer);
    EXPECT_TRUE(cols[0].isPrimaryKey);
    EXPECT_FALSE(cols[0].isNullable);
    EXPECT_TRUE(cols[0].isAutoIncrement);
    EXPECT_TRUE(cols[1].isUnsigned);
    EXPECT_TRUE(cols[1].isNullable);
    EXPECT_EQ(cols[2].kind, SqlKind::Float);
    EXPECT_EQ(cols[3].kind, SqlKind::Double);
    EXPECT_EQ(cols[4].kind, SqlKind::String);
    EXPECT_TRUE(cols[4].isBinary);
    EXPECT_FALSE(cols[5].isBinary);
    EXPECT_EQ(cols[6].kind, SqlKind::DateTime);
    EXPECT_TRUE(cols[7].isBinary);
    EXPECT_EQ(cols[8].name, "latin");
    EXPECT_EQ(cols[8].orgName, "lat");
    EXPECT_EQ(cols[8].table, "fixture");
    EXPECT_EQ(c.columnIndex("LATIN"), 8);
}

// Every column of both tables compared as bytes, row by row.
std::string Fingerprint(SqlConnection& c, const std::string& table) {
    return c
        .queryValue(
            "SELECT GROUP_CONCAT(CONCAT_WS('|', id, IFNULL(i_neg,'N'), IFNULL(big,'N'),"
            " IFNULL(ubig,'N'), IFNULL(tiny,'N'), IFNULL(dec_v,'N'), IFNULL(HEX(CAST(f AS DOUBLE)),'N'),"
            " IFNULL(CAST(f AS DOUBLE),'N'), IFNULL(d,'N'), IFNULL(HEX(bits),'N'), IFNULL(y,'N'),"
            " IFNULL(dt,'N'), IFNULL(tm,'N'), IFNULL(dtm,'N'), IFNULL(dtm6,'N'), IFNULL(ts,'N'),"
            " IFNULL(HEX(lat),'N'), IFNULL(HEX(utf),'N'), IFNULL(HEX(blb),'N'), IFNULL(HEX(bin),'N'),"
            " IFNULL(HEX(en),'N'), IFNULL(HEX(nul_text),'N'), IFNULL(HEX(empty_text),'N'))"
            " ORDER BY id SEPARATOR '\\n') FROM " +
            table)
        .value_or("");
}

std::string Checksum(SqlConnection& c, const std::string& table) {
    return c.queryAll("CHECKSUM TABLE " + table).rows.at(0).at(1).value_or("");
}

TEST(SqlRows, CopiesExactlyToTheSameAndAnotherServer) {
    DRAVN_REQUIRE_SERVERS();
    ScratchDatabase source(CompanyRoot());
    FillFixture(source.admin());
    ScratchDatabase target(test::WorkstationRoot());
    target.admin().setSessionForRowCopy();
    target.admin().execute(kFixtureTable);
    source.admin().execute("CREATE TABLE single LIKE fixture");
    source.admin().execute("CREATE TABLE batched LIKE fixture");

    // Another connection reads while the writers write.
    SqlConnection reader;
    reader.open(source.options());
    reader.setSessionForRowCopy();
    SqlCursor rows = reader.query("SELECT * FROM fixture ORDER BY id", Fetch::Streamed);
    RowWriter single(source.admin(), "single", rows.columns());
    RowWriter batched(source.admin(), "batched", rows.columns());
    RowWriter remote(target.admin(), "fixture", rows.columns());
    while (rows.next()) {
        single.insert(rows.row());
        batched.append(rows.row());
        remote.append(rows.row());
    }
    batched.flush();
    remote.flush();
    EXPECT_EQ(single.rowsWritten(), 3u);
    EXPECT_EQ(batched.rowsWritten(), 3u);

    std::string expected = Fingerprint(source.admin(), "fixture");
    EXPECT_NE(expected.find("1234567.875"), std::string::npos);
    EXPECT_EQ(Fingerprint(source.admin(), "single"), expected);
    EXPECT_EQ(Fingerprint(source.admin(), "batched"), expected);
    EXPECT_EQ(Fingerprint(target.admin(), "fixture"), expected);
    std::string checksum = Checksum(source.admin(), "fixture");
    EXPECT_EQ(Checksum(source.admin(), "single"), checksum);
    EXPECT_EQ(Checksum(target.admin(), "fixture"), checksum);
}

TEST(SqlRows, UpdateAndDeleteById) {
    DRAVN_REQUIRE_SERVERS();
    ScratchDatabase db(CompanyRoot());
    FillFixture(db.admin());
    SqlConnection& c = db.admin();
    c.execute("CREATE TABLE copy LIKE fixture");
    c.execute("INSERT INTO copy SELECT * FROM fixture");

    // Row 3 takes the values of row 1 (its id kept); row 1 becomes all NULL; row 2 is deleted.
    SqlResult all = c.queryAll("SELECT * FROM fixture ORDER BY id");
    RowWriter w(c, "copy", all.columns);
    ASSERT_EQ(w.idColumn(), 0);
    SqlRow first = all.rows[0];
    first[0] = "3";
    w.update(first);
    SqlRow nulls = all.rows[1];
    nulls[0] = "1";
    w.update(nulls);
    w.remove(SqlValue("2"));

    EXPECT_EQ(c.queryValue("SELECT COUNT(*) FROM copy"), "2");
    EXPECT_EQ(c.queryValue("SELECT COUNT(*) FROM copy WHERE id=1 AND lat IS NULL AND f IS NULL"), "1");
    EXPECT_EQ(c.queryValue("SELECT CAST(f AS DOUBLE) FROM copy WHERE id=3"), "1234567.875");
    EXPECT_EQ(c.queryValue("SELECT HEX(blb) FROM copy WHERE id=3"), AllBytesHex());
    EXPECT_EQ(c.queryValue("SELECT dtm FROM copy WHERE id=3"), "0000-00-00 00:00:00");

    // A row of the wrong width and a NULL id are refused before anything is sent.
    EXPECT_THROW(w.update(SqlRow{"1"}), SqlError);
    EXPECT_THROW(w.remove(std::nullopt), SqlError);
}

TEST(SqlRows, BatchesStayWithinTheLimit) {
    DRAVN_REQUIRE_SERVERS();
    ScratchDatabase db(CompanyRoot());
    SqlConnection& c = db.admin();
    c.execute("CREATE TABLE t (id INT PRIMARY KEY, v TEXT)");
    SqlResult shape = c.queryAll("SELECT * FROM t");
    RowWriter w(c, "t", shape.columns);
    w.setBatchLimit(300);
    std::uint64_t statementsBefore =
        std::stoull(c.queryAll("SHOW SESSION STATUS LIKE 'Com_insert'").rows[0][1].value());
    for (int i = 1; i <= 50; ++i)
        w.append({std::to_string(i), std::string(i == 25 ? 1000 : 20, 'x')});
    w.flush();
    std::uint64_t statements =
        std::stoull(c.queryAll("SHOW SESSION STATUS LIKE 'Com_insert'").rows[0][1].value()) -
        statementsBefore;
    EXPECT_EQ(w.rowsWritten(), 50u);
    EXPECT_EQ(c.queryValue("SELECT COUNT(*) FROM t"), "50");
    EXPECT_EQ(c.queryValue("SELECT LENGTH(v) FROM t WHERE id=25"), "1000");
    // About 30 bytes per row: several statements, far fewer than one per row.
    EXPECT_GT(statements, 3u);
    EXPECT_LT(statements, 20u);

    // REPLACE batches overwrite rows with the same key.
    w.setReplace(true);
    w.append({"1", "ny"});
    w.flush();
    EXPECT_EQ(c.queryValue("SELECT v FROM t WHERE id=1"), "ny");
}

TEST(SqlQuery, ReadOnlyAndWritableEditing) {
    DRAVN_REQUIRE_SERVERS();
    ScratchDatabase db(CompanyRoot());
    SqlConnection& c = db.admin();
    c.execute(
        "CREATE TABLE person (id INT AUTO_INCREMENT PRIMARY KEY, name VARCHAR(40), note TEXT, f FLOAT)");
    c.execute("INSERT INTO person VALUES (1, 'Åse', NULL, 1234567.875), (2, 'Bjørn', '', 0.5)");

    SqlQuery q(&c, "SELECT * FROM person ORDER BY id");
    q.setReadOnly(true);
    q.open();
    ASSERT_TRUE(q.active());
    EXPECT_EQ(q.recordCount(), 2u);
    EXPECT_EQ(q.value(0, "name"), "Åse");
    EXPECT_EQ(q.value(0, "note"), std::nullopt);
    EXPECT_EQ(q.value(1, "note"), "");
    EXPECT_THROW(q.value(0, "nope"), SqlError);
    EXPECT_THROW(q.deleteRow(0), SqlError);

    q.setReadOnly(false);
    // Only the changed column is written: a change made meanwhile to another column survives.
    c.execute("UPDATE person SET note='annan' WHERE id=1");
    SqlRow r = q.row(0);
    r[1] = "O'Neill";
    q.updateRow(0, r);
    EXPECT_EQ(c.queryValue("SELECT CONCAT(name, '/', note, '/', CAST(f AS DOUBLE)) FROM person WHERE id=1"),
              "O'Neill/annan/1234567.875");

    q.appendRow({std::nullopt, "Ny", std::nullopt, "2.5"});
    EXPECT_EQ(q.recordCount(), 3u);
    EXPECT_EQ(q.value(2, "id"), "3");
    q.deleteRow(1);
    EXPECT_EQ(c.queryValue("SELECT GROUP_CONCAT(id ORDER BY id) FROM person"), "1,3");

    // Rows of a join or of computed columns cannot be edited.
    SqlQuery computed(&c, "SELECT id, UPPER(name) AS name FROM person");
    computed.open();
    EXPECT_THROW(computed.deleteRow(0), SqlError);
    q.close();
    EXPECT_FALSE(q.active());
    EXPECT_EQ(q.recordCount(), 0u);
}

}  // namespace
}  // namespace dravn
