// The database session of one run: the one server connection and its settings, SQL execution
// with logging and table rights, the signed-in staff member, and the saved-settings logon.
//
// One Session is created by the executable after the foundation has started and lives until the
// end of the run; PrepareDatabaseConnection runs before the first window, ShutDownDatabase after
// the last. Everything runs on the user-interface thread.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "foundation/foundation.h"
#include "mysql/sql_connection.h"
#include "mysql/sql_query.h"
#include "session/signed_in_user.h"

namespace dravn {

// The shared command through which statements without a result set run, bound to the session's
// connection. Auto-commit is the server's default and is never switched off.
class SqlCommand {
  public:
    explicit SqlCommand(SqlConnection& connection) : connection_(connection) {}
    SqlConnection& Connection() const { return connection_; }
    void Execute(const std::string& sql) { connection_.execute(sql); }

  private:
    SqlConnection& connection_;
};

class Session {
  public:
    explicit Session(Foundation& foundation);
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // ---- Program-wide state -------------------------------------------------------------
    tConnectionSettings ConnectionSettings;
    SqlConnection DatabaseConnection;
    // Absent until the first successful iConnect; released by ShutDownDatabase.
    std::unique_ptr<SqlCommand> iSQLCommand;
    // 0 idle, -1 a connection attempt is under way or the last one failed, 1 connected.
    int ConnectionState = 0;
    // Tables and views of the current database, refilled after each successful iConnect.
    std::vector<std::string> TableNameList;
    // The table `document` has no column `document_data` (contents lie in separate tables).
    bool DocumentsInBlobTable = false;
    // DocumentsInBlobTable and the database has `document_blob_1` (numbered content tables).
    bool DocumentBlobsSplit = false;
    tSignedInUser SignedInUser;
    // The zero moment until first needed, then today's local date (midnight).
    TimePoint WorkDate{};
    LogonData Logon;

    // ---- Server connection --------------------------------------------------------------
    // Reads "DoNotCompressSQL" and "UseSSLConnection" of the current settings file.
    void PrepareDatabaseConnection();
    // Connects with ConnectionSettings. On failure asks whether to end the program (yes: the
    // program ends at once with exit code 1) and otherwise shows "Kan ikkje kople til " + server.
    bool iConnect();
    // Closes the connection; false when it was not open.
    bool DisconnectDatabase();
    // Sets the two document flags from the current database; always true.
    bool DetectDocumentStorage();
    // End of run: sign-off, then the connection and the command are released. Never raises.
    void ShutDownDatabase();
    // The options iConnect hands to the connection for the current ConnectionSettings.
    ConnectOptions ConnectionOptions();
    bool CompressConnection() const { return compress_; }

    // ---- SQL execution and table rights -------------------------------------------------
    // Runs one statement without result set, logged as "RunSQL: " + statement; passwords in
    // the statement (and the given secrets) are logged as ***. A server error reaches the caller,
    // with the same passwords hidden in its text. True whenever it returns.
    bool RunSQL(const std::string& statement, const std::vector<std::string>& secrets = {});
    // Opens the caller's query (its SQL text set before) on DatabaseConnection, read-only unless
    // the user may write the table; 0, or -1 when opening failed (logged and shown).
    int OpenTableQuery(SqlQuery& query, const std::string& name);
    bool HasTableRight(const std::string& key, char letter) const;
    bool HasWriteAccess(const std::string& key) const;
    bool IsSystemAdministrator() const;

    // ---- Sign-in ------------------------------------------------------------------------
    // Fills SignedInUser from the `users` row of the server user (or of the e-mail address
    // after a directory logon); true when an active row was read completely.
    bool SignInUser();
    // Returns when the user is a system administrator or types the server password; otherwise
    // asks the application to end.
    void RequireSystemAdministrator();
    // End-of-run updates of the user's row.
    void SignOffUser();
    // End of the user's working day as hh + TimeSeparator + mm.
    std::string EndOfWorkdayTime();
    // WorkDate at EndOfWorkdayTime.
    TimePoint EndOfWorkday();

    // ---- Saved-settings logon -----------------------------------------------------------
    // Connects with the server keys saved by an earlier directory logon and switches to the
    // user's own settings file.
    bool ConnectOffline();

  private:
    void LogLine(const std::string& text) { f_.log().LogLine(text); }
    std::string QuoteValue(const std::string& value) const;
    bool ReadUserRow(const SqlResult& result);
    // Makes sure the sign-off statements reach the user's own row: see ShutDownDatabase.
    void PrepareSignOffConnection();

    Foundation& f_;
    bool compress_ = true;
    // The database whose `users` table held the signed-in user's row.
    std::string signInDatabase_;
};

}  // namespace dravn
