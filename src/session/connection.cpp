// The server connection: preparing, connecting, disconnecting, the document-storage flags and
// the release at the end of the run.
#include <filesystem>

#include "foundation/text_date.h"
#include "session/session.h"

namespace dravn {

Session::Session(Foundation& foundation) : f_(foundation) {}

void Session::PrepareDatabaseConnection() {
    ConnectionState = -1;
    LogLine("iConnect: Klargjer tilkopling til SQL-tenar");
    Settings& s = f_.settings();
    compress_ = !s.ReadIniBool("DoNotCompressSQL");
    ConnectionSettings.UseSSLConnection = s.ReadIniBool("UseSSLConnection");
    ConnectionState = 0;
}

ConnectOptions Session::ConnectionOptions() {
    ConnectOptions o;
    o.server = ConnectionSettings.Server;
    o.database = ConnectionSettings.Database;
    o.user = ConnectionSettings.User;
    o.password = ConnectionSettings.Password;
    o.compress = compress_;
    o.unixSocket = f_.host().env("MYSQL_UNIX_PORT").value_or(std::string());
    // Long statements (OPTIMIZE, copies) may run for minutes: no read time-out.
    o.connectTimeout = 15;
    if (ConnectionSettings.UseSSLConnection) {
        std::string etc = f_.folders().GetFolder("etc");
        o.requireTls = true;
        o.tlsCert = etc + "brenmoto_cert.pem";
        o.tlsKey = etc + "brenmoto_key.pem";
        std::error_code ec;
        if (std::filesystem::is_regular_file(etc + "brenmoto_ca.pem", ec))
            o.tlsCa = etc + "brenmoto_ca.pem";
    }
    return o;
}

bool Session::iConnect() {
    Settings& s = f_.settings();
    if (s.ProgramTerminating)
        return false;
    bool result = false;
    ConnectionState = -1;
    DocumentsInBlobTable = false;
    DocumentBlobsSplit = false;

    bool failed = false;
    try {
        ConnectOptions o = ConnectionOptions();
        LogLine("iConnect: " + ConnectionSettings.User + "@" + ConnectionSettings.Server +
                " DB: " + ConnectionSettings.Database);
        DatabaseConnection.open(o);
    } catch (const SqlError& e) {
        failed = true;
        // The client's text names user and server, never the password.
        LogLine("iConnect: " + std::string(e.what()));
    }
    if (failed) {
        if (f_.ui().askYesNo(
                "Tilkoplinga til valideringstenaren feila. Det er truleg ikkje nettverksforbindelse. "
                "Vil du avslutte programmet?",
                true)) {
            s.ProgramTerminating = true;
            f_.ui().terminateProgram(1);
        }
    }

    if (!s.ProgramTerminating && DatabaseConnection.isOpen()) {
        result = true;
        ConnectionState = 1;
        iSQLCommand = std::make_unique<SqlCommand>(DatabaseConnection);
        LogLine("iConnect: Tilkopla");
        TableNameList = DatabaseConnection.tableNames();
    }

    if (ConnectionState == 1) {
        DetectDocumentStorage();
    } else if (ConnectionState == -1) {
        f_.ui().showMessage("Kan ikkje kople til " + ConnectionSettings.Server);
    }
    return result;
}

bool Session::DisconnectDatabase() {
    if (!DatabaseConnection.isOpen())
        return false;
    DatabaseConnection.close();
    ConnectionState = 0;
    LogLine("iConnect: Fråkopla");
    return true;
}

bool Session::DetectDocumentStorage() {
    std::vector<std::string> fields = DatabaseConnection.fieldNames("document");
    DocumentsInBlobTable = !ListContainsIgnoringCase(fields, "document_data");
    if (DocumentsInBlobTable)
        DocumentBlobsSplit = ListContainsIgnoringCase(TableNameList, "document_blob_1");
    return true;
}

void Session::PrepareSignOffConnection() {
    if (SignedInUser.Id == 0 || signInDatabase_.empty())
        return;
    try {
        if (!DatabaseConnection.isOpen()) {
            // The main window closes the connection as it closes, and the user may have
            // disconnected earlier: the connection is opened again, without questions, so that
            // the sign-off still reaches the user's row.
            ConnectOptions o = ConnectionOptions();
            o.database = signInDatabase_;
            o.connectTimeout = 5;
            DatabaseConnection.open(o);
            LogLine("iConnect: Tilkopla for avlogging");
        } else if (DatabaseConnection.currentDatabase() != signInDatabase_) {
            // Another company database may be current by now; its `users` row with the same id
            // belongs to somebody else.
            DatabaseConnection.selectDatabase(signInDatabase_);
        }
    } catch (const SqlError& e) {
        LogLine("SQLERROR: " + std::string(e.what()));
    }
}

void Session::ShutDownDatabase() {
    PrepareSignOffConnection();
    try {
        SignOffUser();
    } catch (const SqlError& e) {
        // The user may have disconnected before the end, or the server may be gone: the program
        // still ends normally.
        LogLine("SQLERROR: " + std::string(e.what()));
    }
    iSQLCommand.reset();
    DatabaseConnection.close();
    ConnectionState = 0;
    ConnectionSettings = tConnectionSettings{};
}

}  // namespace dravn
