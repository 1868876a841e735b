// Sign-in of a staff member against the company's `users` table, the system-administrator rule,
// the sign-off at the end of the run and the end of the working day.
#include <charconv>
#include <chrono>
#include <cstdio>
#include <optional>

#include "session/session.h"

namespace dravn {

namespace {

// Raised when a column of the row cannot be read (missing, or not of the expected kind).
struct ReadFailure {};

class UserRow {
  public:
    UserRow(const SqlResult& result, const Host& host) : result_(result), host_(host) {}

    const SqlValue& value(const char* column) const {
        int i = result_.columnIndex(column);
        if (i < 0)
            throw ReadFailure{};
        return result_.rows.front()[static_cast<size_t>(i)];
    }
    std::string text(const char* column) const { return value(column).value_or(std::string()); }
    int integer(const char* column) const {
        const SqlValue& v = value(column);
        if (!v || v->empty())
            return 0;
        int n = 0;
        auto r = std::from_chars(v->data(), v->data() + v->size(), n);
        if (r.ec != std::errc() || r.ptr != v->data() + v->size())
            throw ReadFailure{};
        return n;
    }
    double number(const char* column) const {
        const SqlValue& v = value(column);
        if (!v || v->empty())
            return 0;
        double d = 0;
        auto r = std::from_chars(v->data(), v->data() + v->size(), d);
        if (r.ec != std::errc() || r.ptr != v->data() + v->size())
            throw ReadFailure{};
        return d;
    }
    // "yyyy-mm-dd[ hh:mm:ss]" as a local date and time; the zero moment for NULL and zero dates.
    TimePoint dateTime(const char* column) const {
        const SqlValue& v = value(column);
        if (!v || v->empty())
            return TimePoint{};
        int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
        if (std::sscanf(v->c_str(), "%d-%d-%d %d:%d:%d", &y, &mo, &d, &h, &mi, &s) < 3)
            throw ReadFailure{};
        if (y == 0 || mo == 0 || d == 0)
            return TimePoint{};
        using namespace std::chrono;
        sys_days day = year_month_day{year{y}, month{static_cast<unsigned>(mo)},
                                      std::chrono::day{static_cast<unsigned>(d)}};
        TimePoint local = TimePoint(day) + hours(h) + minutes(mi) + seconds(s);
        return local - seconds(host_.utcOffsetSeconds(local));
    }

  private:
    const SqlResult& result_;
    const Host& host_;
};

// The text escaped for use between single quotes without a connection at hand.
std::string EscapeText(const std::string& text) {
    std::string out;
    for (char ch : text) {
        switch (ch) {
            case '\0':
                out += "\\0";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\x1a':
                out += "\\Z";
                break;
            case '\'':
            case '"':
            case '\\':
                out += '\\';
                out += ch;
                break;
            default:
                out += ch;
        }
    }
    return out;
}

}  // namespace

std::string Session::QuoteValue(const std::string& value) const {
    return DatabaseConnection.isOpen() ? DatabaseConnection.quote(value) : "'" + EscapeText(value) + "'";
}

bool Session::SignInUser() {
    tSignedInUser& u = SignedInUser;
    // The value is escaped: a name with an apostrophe finds its row and never changes the statement.
    std::string where =
        u.LogonByEmail ? "email=" + QuoteValue(u.Email) : "username=" + QuoteValue(ConnectionSettings.User);
    LogLine("Henter brukerdata (" + where + ")");

    SqlResult result;
    std::optional<SqlError> openError;
    try {
        result = DatabaseConnection.queryAll("SELECT * FROM users WHERE " + where);
    } catch (const SqlError& e) {
        openError = e;
    }

    bool signedIn = false;
    if (result.rows.empty()) {
        LogLine("Finn ikkje " + where + " på Brenmoto-tenaren");
        u.Id = 0;
        u.DefaultGroup = 147;
        std::string tail = u.CompanyName.empty()
                               ? " er ikkje registrert i personallista til  dette firmaet"
                               : " er ikkje registrert i personallista til " + u.CompanyName;
        if (u.LogonByEmail)
            f_.ui().showMessage("E-postadressa " + u.Email + tail);
        else
            f_.ui().showMessage("Brukarnamnet " + f_.folders().CurrentUserName() + tail);
    } else {
        signedIn = ReadUserRow(result);
        signInDatabase_ = DatabaseConnection.currentDatabase();
    }
    if (openError)
        throw *openError;
    return signedIn;
}

bool Session::ReadUserRow(const SqlResult& result) {
    tSignedInUser& u = SignedInUser;
    UserRow row(result, f_.host());
    try {
        if (row.integer("activ") != 1) {
            f_.ui().showMessage(row.text("realname") + " er ikkje sett aktiv i personallista");
            f_.ui().requestQuit();
            return false;
        }
        u.Id = row.integer("id");
        if (u.FirstId == 0)
            u.FirstId = u.Id;
        u.DefaultGroup = row.integer("defaultgroup");
        u.ActingGroup = u.DefaultGroup;
        u.UserGroup2 = row.integer("usergroup2");
        u.MeetingGroup = row.integer("meetinggroup");
        u.Initials = row.text("initials");
        u.RealName = row.text("realname");
        f_.folders().SignedInUserName = row.text("username");
        u.Email = row.text("email");
        u.Passwd = row.text("passwd");
        u.PasswordVariant = row.integer("passwdvariant") == 1;
        u.UserComputerName = row.text("computername");
        u.Department = row.text("department");
        u.CostCenter = row.text("costcenter");
        u.DefaultProjectId = row.integer("defaultprojectid");
        u.CompanyId = row.integer("companyid");
        u.PresenceStatus = row.integer("checked");
        if (u.PresenceStatus > 12)
            u.PresenceStatus = 12;

        u.Parameter = row.text("parameter");
        if (u.Parameter.empty())
            LogLine("Parameterlista for tilgang til tabellar er tom");

        u.Persons = row.text("persons");
        u.AlreadyConnected = row.integer("object_tag") == 1;
        if (u.AlreadyConnected)
            LogLine(u.RealName + " er allerede tilkopla i eit anna program eller sesjon");

        u.ActingId = u.Id;
        u.ActingRealName = u.RealName;
        u.ActingInitials = u.Initials;

        std::string extra;
        if (f_.host().programPath().find("Dravn11") != std::string::npos)
            extra = ", object_tag=1";
        if (u.PresenceStatus == 12) {
            extra += ", checked=3";
            u.PresenceStatus = 3;
        }
        RunSQL("UPDATE users set logoncount=logoncount+1" + extra + " WHERE id=" + std::to_string(u.Id));
        LogLine("iConnect: " + u.RealName + " pålogga som " + u.Initials + ", " + u.Email);

        tWorkInfo& w = u.WorkInfo;
        w.WorkSchedule = row.integer("workschedule");
        if (w.WorkSchedule < 1) {
            w.Active = false;
        } else {
            w.Active = !f_.settings().ReadIniBool("WorkOverrideHR");
            w.StandardWeek =
                w.WorkSchedule == 20 || w.WorkSchedule == 25 || w.WorkSchedule == 30 || w.WorkSchedule == 40;
            w.NormalStart = row.text("h_normalstart");
            w.NormalEnd = row.text("h_normalend");
            w.OrgCode = row.integer("orgcode");
            w.Pause1 = row.text("pause1");
            w.Pause1Minutes = row.integer("pause1minute");
            w.Pause2 = row.text("pause2");
            w.Pause2Minutes = row.integer("pause2minute");
            w.Pause3 = row.text("pause3");
            w.Pause3Minutes = row.integer("pause3minute");
            w.Pause4 = row.text("pause4");
            w.Pause4Minutes = row.integer("pause4minute");
            w.Saldo1 = row.number("saldo1");
            w.Saldo2 = row.number("saldo2");
            w.Saldo3 = row.number("saldo3");
            w.Saldo4 = row.number("saldo4");
            w.Saldo1Date = row.dateTime("saldo1_date");
            w.Saldo2Date = row.dateTime("saldo2_date");
            w.Saldo3Date = row.dateTime("saldo3_date");
            w.Saldo4Date = row.dateTime("saldo4_date");
        }
        return true;
    } catch (const ReadFailure&) {
    } catch (const SqlError&) {
    }
    f_.ui().showMessage("Det oppsto ein feil når brukardata skulle hentast");
    return false;
}

void Session::RequireSystemAdministrator() {
    if (IsSystemAdministrator())
        return;
    const tConnectionSettings& c = ConnectionSettings;
    f_.ui().showMessage(
        "Berre systemadministrator har rettigheiter til å køyre dette programmet. Be administrator som har "
        "tilgang til personal, om å krysse deg av som systemadministrator dersom du vi ha tilgang til dette "
        "programmet. Du kan og skrive inn passordet til " +
        c.User);
    std::string entered = f_.ui().askInput("Passord til " + c.User + ":" + c.Database + "@" + c.Server, "");
    if (entered != c.Password) {
        f_.ui().showMessage("Passordet er ikkje rett. Programmet blir avslutta");
        f_.ui().requestQuit();
    }
}

void Session::SignOffUser() {
    const tSignedInUser& u = SignedInUser;
    if (f_.host().programPath().find("Dravn11") != std::string::npos)
        RunSQL("UPDATE users SET object_tag=2 WHERE id=" + std::to_string(u.Id));
    if (f_.host().now() > EndOfWorkday() && u.PresenceStatus != 11)
        RunSQL("UPDATE users SET checked=12 WHERE id=" + std::to_string(u.Id));
}

std::string Session::EndOfWorkdayTime() {
    TextDate& td = f_.textDate();
    Settings& s = f_.settings();
    std::string t = SignedInUser.WorkInfo.Active
                        ? td.NormalizeTime(SignedInUser.WorkInfo.NormalEnd)
                        : td.NormalizeTime(s.ReadIniString("Arbeid_ArbeidstidSlutt"));
    if (t.empty()) {
        t = std::string("16") + td.TimeSeparator() + "00";
        s.WriteIniString("Arbeid_ArbeidstidSlutt", t);
    }
    return t;
}

TimePoint Session::EndOfWorkday() {
    using namespace std::chrono;
    const Host& host = f_.host();
    if (WorkDate == TimePoint{}) {
        TimePoint now = host.now();
        seconds offset(host.utcOffsetSeconds(now));
        WorkDate = TimePoint(floor<days>(now + offset)) - offset;
    }
    std::string text = f_.textDate().NormalizeDate(WorkDate) + " " + EndOfWorkdayTime();
    return f_.textDate().ParseDateTime(text).value_or(host.now());
}

}  // namespace dravn
