// Statements without result set, table queries opened by the user's rights, and the rights.
#include <algorithm>

#include "mysql/sql_text.h"
#include "session/session.h"
#include "session/table_rights.h"

namespace dravn {

namespace {

// A literal as written between quotes, read back to its value.
std::string Unescape(const std::string& written) {
    std::string out;
    for (size_t i = 0; i < written.size(); ++i) {
        char ch = written[i];
        if (i + 1 < written.size() && (ch == '\\' || ((ch == '\'' || ch == '"') && written[i + 1] == ch)))
            ++i;
        out += written[i];
    }
    return out;
}

// A value as mysql_real_escape_string writes it between quotes.
std::string Escape(const std::string& value) {
    std::string out;
    for (char ch : value) {
        if (ch == '\'' || ch == '\\' || ch == '"')
            out += '\\';
        out += ch;
    }
    return out;
}

// Every form in which a secret may appear in the statement or in an error text about it.
std::vector<std::string> SecretForms(const std::string& statement, const std::vector<std::string>& secrets) {
    std::vector<std::string> all;
    for (const std::string& written : PasswordLiterals(statement)) {
        all.push_back(written);
        all.push_back(Unescape(written));
    }
    for (const std::string& value : secrets) {
        all.push_back(value);
        all.push_back(Escape(value));
    }
    // Longest first, so a secret is hidden whole before any shorter form of it.
    std::sort(all.begin(), all.end(),
              [](const std::string& a, const std::string& b) { return a.size() > b.size(); });
    return all;
}

}  // namespace

bool Session::RunSQL(const std::string& statement, const std::vector<std::string>& secrets) {
    WaitCursor wait(f_.ui());
    if (!iSQLCommand) {
        LogLine("SQLERROR: iSQLCommand=Nil");
        return true;
    }
    std::vector<std::string> hidden = SecretForms(statement, secrets);
    LogLine("RunSQL: " + HideSecrets(HidePasswords(statement), hidden));
    try {
        iSQLCommand->Execute(statement);
    } catch (const SqlError& e) {
        if (hidden.empty())
            throw;
        throw SqlError(e.number(), e.sqlState(), HideSecrets(e.what(), hidden));
    }
    return true;
}

int Session::OpenTableQuery(SqlQuery& query, const std::string& name) {
    if (f_.settings().ProgramTerminating)
        return 0;
    std::string key = TableRightsKey(name);
    WaitCursor wait(f_.ui());
    int result = 0;
    if (!DatabaseConnection.isOpen())
        iConnect();
    if (DatabaseConnection.isOpen()) {
        try {
            query.setConnection(&DatabaseConnection);
            if (query.active())
                query.close();
            query.setReadOnly(name.empty() ? true : !HasWriteAccess(key));
            LogLine("Opnar Query " + name + (query.readOnly() ? " (LES)" : " (LES/SKRIV)"));
            query.open();
            LogLine("Query på " + name + " er utført");
        } catch (const SqlError&) {
            LogLine("SQLERROR: " + HidePasswords(query.sql()));
            f_.ui().showMessage("Det oppsto ein feil under opning av tabellen " + name);
            result = -1;
        }
    }
    return result;
}

bool Session::HasTableRight(const std::string& key, char letter) const {
    return dravn::HasTableRight(SignedInUser.Parameter, key, letter);
}

bool Session::HasWriteAccess(const std::string& key) const {
    return HasTableRight(key, 'W');
}

bool Session::IsSystemAdministrator() const {
    return HasTableRight("system", 'A');
}

}  // namespace dravn
