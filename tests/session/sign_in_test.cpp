// Sign-in against the schema's `users` table on the company server, the system-administrator
// rule, sign-off and the end of the working day.
#include <gtest/gtest.h>

#include <map>

#include "support/session_fixture.h"

namespace dravn {
namespace {

using test::FakeHost;
using test::SessionTest;

class SignInTest : public SessionTest {
  protected:
    // A company database with `users`, connected as root.
    void Connect() {
        db = CompanyDatabase();
        UseCompanyDatabase(db->name());
        ASSERT_TRUE(session().iConnect());
    }

    // Inserts a `users` row from column/value pairs; returns its id.
    int AddUser(const std::map<std::string, std::string>& values) {
        std::string columns, literals;
        for (const auto& [column, value] : values) {
            columns += (columns.empty() ? "" : ",") + QuoteIdentifier(column);
            literals += (literals.empty() ? "" : ",") + (value == "NULL" ? value : db->admin().quote(value));
        }
        db->admin().execute("INSERT INTO users (" + columns + ") VALUES (" + literals + ")");
        return static_cast<int>(db->admin().lastInsertId());
    }

    std::string Column(int id, const std::string& column) {
        return db->admin()
            .queryValue("SELECT " + QuoteIdentifier(column) + " FROM users WHERE id=" + std::to_string(id))
            .value_or("NULL");
    }

    std::unique_ptr<test::ScratchDatabase> db;
};

TEST_F(SignInTest, ServerUserSignsInAndIsCounted) {
    DRAVN_REQUIRE_SERVERS();
    Connect();
    Session& s = session();
    int id = AddUser({{"username", "root"},
                      {"activ", "1"},
                      {"realname", "Kari Nordmann"},
                      {"initials", "KN"},
                      {"email", "kari@firma.no"},
                      {"defaultgroup", "7"},
                      {"usergroup2", "8"},
                      {"meetinggroup", "9"},
                      {"passwd", "zbdf2"},
                      {"passwdvariant", "1"},
                      {"computername", "PC-7"},
                      {"department", "Lager"},
                      {"costcenter", "K12"},
                      {"defaultprojectid", "4711"},
                      {"companyid", "3"},
                      {"checked", "15"},
                      {"parameter", "users=RW;\r\nsystem=RWA;\r\n"},
                      {"persons", "1,2"},
                      {"logoncount", "4"},
                      {"workschedule", "25"},
                      {"orgcode", "55"},
                      {"h_normalstart", "07:30"},
                      {"h_normalend", "15:30"},
                      {"pause1", "11:00"},
                      {"pause1minute", "30"},
                      {"pause4", "19:00"},
                      {"pause4minute", "15"},
                      {"saldo1", "-12.25"},
                      {"saldo2", "0.1"},
                      {"saldo1_date", "2024-01-31 08:15:00"},
                      {"saldo2_date", "0000-00-00 00:00:00"}});

    EXPECT_TRUE(s.SignInUser());
    const tSignedInUser& u = s.SignedInUser;
    EXPECT_EQ(u.Id, id);
    EXPECT_EQ(u.FirstId, id);
    EXPECT_EQ(u.ActingId, id);
    EXPECT_EQ(u.DefaultGroup, 7);
    EXPECT_EQ(u.ActingGroup, 7);
    EXPECT_EQ(u.UserGroup2, 8);
    EXPECT_EQ(u.MeetingGroup, 9);
    EXPECT_EQ(u.Initials, "KN");
    EXPECT_EQ(u.ActingInitials, "KN");
    EXPECT_EQ(u.RealName, "Kari Nordmann");
    EXPECT_EQ(u.ActingRealName, "Kari Nordmann");
    EXPECT_EQ(u.Email, "kari@firma.no");
    EXPECT_EQ(u.Passwd, "zbdf2");
    EXPECT_TRUE(u.PasswordVariant);
    EXPECT_EQ(u.UserComputerName, "PC-7");
    EXPECT_EQ(u.Department, "Lager");
    EXPECT_EQ(u.CostCenter, "K12");
    EXPECT_EQ(u.DefaultProjectId, 4711);
    EXPECT_EQ(u.CompanyId, 3);
    EXPECT_EQ(u.Parameter, "users=RW;\r\nsystem=RWA;\r\n");
    EXPECT_EQ(u.Persons, "1,2");
    EXPECT_FALSE(u.AlreadyConnected);
    EXPECT_EQ(foundation().folders().SignedInUserName, "root");
    EXPECT_TRUE(s.IsSystemAdministrator());

    // checked 15 counts as 12, which the sign-in turns into 3.
    EXPECT_EQ(u.PresenceStatus, 3);
    EXPECT_EQ(Column(id, "checked"), "3");
    EXPECT_EQ(Column(id, "logoncount"), "5");
    EXPECT_TRUE(Logged("Henter brukerdata (username='root')"));
    EXPECT_TRUE(
        Logged("RunSQL: UPDATE users set logoncount=logoncount+1, checked=3 WHERE id=" + std::to_string(id)));
    EXPECT_TRUE(Logged("iConnect: Kari Nordmann pålogga som KN, kari@firma.no"));

    const tWorkInfo& w = u.WorkInfo;
    EXPECT_TRUE(w.Active);
    EXPECT_TRUE(w.StandardWeek);
    EXPECT_EQ(w.WorkSchedule, 25);
    EXPECT_EQ(w.OrgCode, 55);
    EXPECT_EQ(w.NormalStart, "07:30");
    EXPECT_EQ(w.NormalEnd, "15:30");
    EXPECT_EQ(w.Pause1, "11:00");
    EXPECT_EQ(w.Pause1Minutes, 30);
    EXPECT_EQ(w.Pause2, "");
    EXPECT_EQ(w.Pause4, "19:00");
    EXPECT_EQ(w.Pause4Minutes, 15);
    EXPECT_EQ(w.Saldo1, -12.25);
    EXPECT_EQ(w.Saldo2, 0.1);
    EXPECT_EQ(w.Saldo1Date, FakeHost::LocalTime(2024, 1, 31, 8, 15, 0));
    EXPECT_EQ(w.Saldo2Date, TimePoint{});

    // A second sign-in in the same run overwrites everything except FirstId.
    int other = AddUser({{"username", "per"}, {"activ", "1"}, {"realname", "Per"}, {"checked", "5"}});
    s.ConnectionSettings.User = "per";
    EXPECT_TRUE(s.SignInUser());
    EXPECT_EQ(u.Id, other);
    EXPECT_EQ(u.FirstId, id);
    EXPECT_EQ(u.PresenceStatus, 5);
    EXPECT_EQ(u.Parameter, "");
    EXPECT_TRUE(Logged("Parameterlista for tilgang til tabellar er tom"));
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(SignInTest, LogonUpdateByPresenceAndProgramPath) {
    DRAVN_REQUIRE_SERVERS();
    Connect();
    struct Case {
        const char* checked;
        const char* program;
        const char* extra;
        int presence;
        const char* objectTag;
    } cases[] = {
        {"12", "/opt/dravn/Dravn6SQLAdm", ", checked=3", 3, "NULL"},
        {"5", "/opt/Dravn11/Dravn11", ", object_tag=1", 5, "1"},
        {"15", "/opt/dravn/Dravn11.exe", ", object_tag=1, checked=3", 3, "1"},
        {"NULL", "/opt/dravn/dravn11", "", 0, "NULL"},  // the path is compared with case
    };
    int n = 0;
    for (const Case& c : cases) {
        std::string name = "u" + std::to_string(n++);
        int id = AddUser({{"username", name}, {"activ", "1"}, {"checked", c.checked}});
        host.program = c.program;
        session().ConnectionSettings.User = name;
        EXPECT_TRUE(session().SignInUser()) << name;
        EXPECT_TRUE(Logged("RunSQL: UPDATE users set logoncount=logoncount+1" + std::string(c.extra) +
                           " WHERE id=" + std::to_string(id)))
            << c.extra;
        EXPECT_EQ(session().SignedInUser.PresenceStatus, c.presence);
        EXPECT_EQ(Column(id, "object_tag"), c.objectTag);
        EXPECT_EQ(Column(id, "logoncount"), "1");
    }
}

TEST_F(SignInTest, UserMissingInactiveOrAlreadyConnected) {
    DRAVN_REQUIRE_SERVERS();
    Connect();
    Session& s = session();

    // Not registered, found by server user name: the message names the Linux user.
    s.ConnectionSettings.User = "nobody";
    s.SignedInUser.DefaultGroup = 5;
    EXPECT_FALSE(s.SignInUser());
    EXPECT_EQ(s.SignedInUser.Id, 0);
    EXPECT_EQ(s.SignedInUser.DefaultGroup, 147);
    EXPECT_TRUE(Logged("Finn ikkje username='nobody' på Brenmoto-tenaren"));
    EXPECT_EQ(ui.messages.back(), "Brukarnamnet kari er ikkje registrert i personallista til  dette firmaet");

    // Not registered, found by e-mail address after a directory logon.
    s.SignedInUser.LogonByEmail = true;
    s.SignedInUser.Email = "ola@firma.no";
    s.SignedInUser.CompanyName = "Firma AS";
    EXPECT_FALSE(s.SignInUser());
    EXPECT_TRUE(Logged("Henter brukerdata (email='ola@firma.no')"));
    EXPECT_EQ(ui.messages.back(),
              "E-postadressa ola@firma.no er ikkje registrert i personallista til Firma AS");
    EXPECT_EQ(ui.quitRequests, 0);

    // Inactive (0 or NULL): the program is asked to end, nothing else is read.
    s.SignedInUser.LogonByEmail = false;
    for (const char* activ : {"0", "NULL"}) {
        std::string name = std::string("inactive") + activ;
        AddUser({{"username", name}, {"activ", activ}, {"realname", "Ola Inaktiv"}, {"checked", "12"}});
        s.ConnectionSettings.User = name;
        int quits = ui.quitRequests;
        EXPECT_FALSE(s.SignInUser());
        EXPECT_EQ(ui.messages.back(), "Ola Inaktiv er ikkje sett aktiv i personallista");
        EXPECT_EQ(ui.quitRequests, quits + 1);
        EXPECT_EQ(s.SignedInUser.Id, 0);
        EXPECT_EQ(s.SignedInUser.RealName, "");
    }

    // Marked as connected elsewhere: logged, nothing else changes.
    AddUser({{"username", "busy"}, {"activ", "1"}, {"realname", "Bo Travel"}, {"object_tag", "1"}});
    s.ConnectionSettings.User = "busy";
    EXPECT_TRUE(s.SignInUser());
    EXPECT_TRUE(s.SignedInUser.AlreadyConnected);
    EXPECT_TRUE(Logged("Bo Travel er allerede tilkopla i eit anna program eller sesjon"));
}

TEST_F(SignInTest, ApostropheInTheNameIsEscaped) {
    DRAVN_REQUIRE_SERVERS();
    db = CompanyDatabase();
    std::string user = "O'Brien_" + std::to_string(::getpid());
    CreateServerUser(db->admin(), user, "Obr-Passord-9", db->name());
    int id =
        AddUser({{"username", user}, {"activ", "1"}, {"email", "o'brien@firma.no"}, {"realname", "Sean"}});
    int first = AddUser({{"username", "first"}, {"activ", "1"}, {"realname", "Første"}});

    // The apostrophe's own server account connects and finds its row.
    Session& s = session();
    s.ConnectionSettings.Server = test::CompanyServer();
    s.ConnectionSettings.User = user;
    s.ConnectionSettings.Password = "Obr-Passord-9";
    s.ConnectionSettings.Database = db->name();
    ASSERT_TRUE(s.iConnect());
    EXPECT_TRUE(s.SignInUser());
    EXPECT_EQ(s.SignedInUser.Id, id);
    EXPECT_TRUE(Logged("Henter brukerdata (username='O\\'Brien_" + std::to_string(::getpid()) + "')"));

    // The same by e-mail address.
    s.SignedInUser.LogonByEmail = true;
    s.SignedInUser.Email = "o'brien@firma.no";
    EXPECT_TRUE(s.SignInUser());
    EXPECT_EQ(s.SignedInUser.Id, id);

    // A name built to change the statement only finds nothing.
    s.SignedInUser.LogonByEmail = false;
    for (std::string attempt : {"x' OR '1'='1", "x' OR 1=1 -- ", "\\' OR 1=1 #"}) {
        s.ConnectionSettings.User = attempt;
        EXPECT_FALSE(s.SignInUser()) << attempt;
        EXPECT_EQ(s.SignedInUser.Id, 0) << attempt;
    }
    EXPECT_EQ(Column(first, "logoncount"), "0");
}

TEST_F(SignInTest, ErrorsWhileOpeningOrReadingTheRow) {
    DRAVN_REQUIRE_SERVERS();
    // No table `users`: the not-found handling runs, then the error reaches the caller.
    test::ScratchDatabase empty(test::CompanyRoot());
    Session& s = session();
    UseCompanyDatabase(empty.name());
    ASSERT_TRUE(s.iConnect());
    try {
        s.SignInUser();
        FAIL() << "error swallowed";
    } catch (const SqlError& e) {
        EXPECT_EQ(e.number(), sqlerr::NoSuchTable);
    }
    EXPECT_EQ(s.SignedInUser.DefaultGroup, 147);
    EXPECT_TRUE(Logged("Finn ikkje username='root' på Brenmoto-tenaren"));
    EXPECT_EQ(ui.messages.size(), 1u);

    // A `users` table without `workschedule`: the fields before it are read and kept, the row
    // was counted, the result is false.
    s.DisconnectDatabase();
    Connect();
    db->admin().execute("ALTER TABLE users DROP COLUMN workschedule");
    int id = AddUser({{"username", "root"}, {"activ", "1"}, {"realname", "Kari"}});
    EXPECT_FALSE(s.SignInUser());
    EXPECT_EQ(ui.messages.back(), "Det oppsto ein feil når brukardata skulle hentast");
    EXPECT_EQ(s.SignedInUser.Id, id);
    EXPECT_EQ(s.SignedInUser.RealName, "Kari");
    EXPECT_EQ(Column(id, "logoncount"), "1");
}

TEST_F(SignInTest, WorkSchedule) {
    DRAVN_REQUIRE_SERVERS();
    Connect();
    struct Case {
        const char* schedule;
        bool overrideHR;
        bool active;
        bool standardWeek;
        const char* normalEnd;  // expected afterwards
    } cases[] = {
        {"25", false, true, true, "15:30"},
        {"0", false, false, false, "kept"},  // the rest of WorkInfo keeps its values
        {"37", true, false, false, "15:30"},
        {"40", true, false, true, "15:30"},
    };
    int n = 0;
    for (const Case& c : cases) {
        std::string name = "w" + std::to_string(n++);
        AddUser({{"username", name}, {"activ", "1"}, {"workschedule", c.schedule}, {"h_normalend", "15:30"}});
        foundation().settings().WriteIniBool("WorkOverrideHR", c.overrideHR);
        tWorkInfo& w = session().SignedInUser.WorkInfo;
        w = tWorkInfo{};
        w.StandardWeek = false;
        w.NormalEnd = "kept";
        session().ConnectionSettings.User = name;
        EXPECT_TRUE(session().SignInUser());
        EXPECT_EQ(w.WorkSchedule, std::stoi(c.schedule));
        EXPECT_EQ(w.Active, c.active) << c.schedule;
        EXPECT_EQ(w.StandardWeek, c.standardWeek) << c.schedule;
        EXPECT_EQ(w.NormalEnd, c.normalEnd) << c.schedule;
    }
}

TEST_F(SessionTest, RequireSystemAdministrator) {
    struct Case {
        const char* rights;
        const char* password;
        const char* typed;  // nullptr: no dialog expected
        bool quits;
    } cases[] = {
        {"system=RWA;", "Hemmeleg", nullptr, false},
        {"system=RW;", "Hemmeleg", "Hemmeleg", false},
        {"system=RW;", "Hemmeleg", "hemmeleg", true},   // case counts
        {"", "Hemmeleg", "", true},                     // cancelled dialog
        {"", "", "", false},                            // empty entry for an empty password
        {"users=RWDIAF;system=RWDIA", "x", "y", true},  // "A" without a closing ";"
    };
    Session& s = session();
    s.ConnectionSettings.User = "admin";
    s.ConnectionSettings.Database = "firma";
    s.ConnectionSettings.Server = "db.firma.no";
    for (const Case& c : cases) {
        ui.messages.clear();
        ui.prompts.clear();
        ui.quitRequests = 0;
        s.SignedInUser.Parameter = c.rights;
        s.ConnectionSettings.Password = c.password;
        if (c.typed)
            ui.inputAnswers = {c.typed};
        s.RequireSystemAdministrator();
        if (!c.typed) {
            EXPECT_TRUE(ui.messages.empty());
            EXPECT_TRUE(ui.prompts.empty());
            continue;
        }
        EXPECT_EQ(ui.prompts, (std::vector<std::string>{"Passord til admin:firma@db.firma.no"}));
        ASSERT_GE(ui.messages.size(), 1u);
        EXPECT_EQ(
            ui.messages[0],
            "Berre systemadministrator har rettigheiter til å køyre dette programmet. Be administrator som "
            "har "
            "tilgang til personal, om å krysse deg av som systemadministrator dersom du vi ha tilgang til "
            "dette programmet. Du kan og skrive inn passordet til admin");
        EXPECT_EQ(ui.quitRequests, c.quits ? 1 : 0) << c.rights << " / " << c.typed;
        if (c.quits) {
            EXPECT_EQ(ui.messages.back(), "Passordet er ikkje rett. Programmet blir avslutta");
        }
    }
}

TEST_F(SignInTest, SignOffAfterWorkingHours) {
    DRAVN_REQUIRE_SERVERS();
    // Before any connection both statements only log.
    host.program = "/opt/Dravn11/Dravn11";
    host.time = FakeHost::LocalTime(2024, 3, 5, 23, 0);
    session().SignOffUser();
    EXPECT_EQ(LoggedCount("SQLERROR: iSQLCommand=Nil"), 2);

    Connect();
    foundation().settings().WriteIniString("Arbeid_ArbeidstidSlutt", "1600");
    struct Case {
        int hour;
        int presence;
        const char* program;
        const char* checked;
        const char* objectTag;
    } cases[] = {
        {23, 3, "/opt/dravn/Dravn6SQLAdm", "12", "1"},
        {23, 11, "/opt/dravn/Dravn6SQLAdm", "3", "1"},  // 11 is left alone
        {15, 3, "/opt/dravn/Dravn6SQLAdm", "3", "1"},   // still working hours
        {15, 3, "/opt/Dravn11/Dravn11", "3", "2"},
    };
    for (const Case& c : cases) {
        int id = AddUser({{"username", "root"}, {"activ", "1"}, {"checked", "3"}, {"object_tag", "1"}});
        session().SignedInUser.Id = id;
        session().SignedInUser.PresenceStatus = c.presence;
        session().WorkDate = TimePoint{};
        host.time = FakeHost::LocalTime(2024, 3, 5, c.hour, 0);
        host.program = c.program;
        session().SignOffUser();
        EXPECT_EQ(Column(id, "checked"), c.checked) << c.hour << " " << c.presence;
        EXPECT_EQ(Column(id, "object_tag"), c.objectTag) << c.program;
    }
    EXPECT_TRUE(Logged("RunSQL: UPDATE users SET object_tag=2 WHERE id=4"));
}

TEST_F(SignInTest, ShutDownSignsOffInTheSignInDatabaseAlsoAfterTheConnectionWasClosed) {
    DRAVN_REQUIRE_SERVERS();
    Connect();
    foundation().settings().WriteIniString("Arbeid_ArbeidstidSlutt", "1600");
    host.time = FakeHost::LocalTime(2024, 3, 5, 23, 0);
    int id = AddUser({{"username", "root"}, {"activ", "1"}, {"checked", "3"}});
    ASSERT_TRUE(session().SignInUser());

    // Another database with a row of the same id is current when the program ends.
    auto other = CompanyDatabase();
    other->admin().execute("INSERT INTO users (id, username, checked) VALUES (" + std::to_string(id) +
                           ", 'per', 5)");
    session().DatabaseConnection.selectDatabase(other->name());
    session().ShutDownDatabase();
    EXPECT_EQ(Column(id, "checked"), "12");
    EXPECT_EQ(other->admin().queryValue("SELECT checked FROM users WHERE id=" + std::to_string(id)), "5");

    // The main window closes the connection before the end of the run.
    db->admin().execute("UPDATE users SET checked=3 WHERE id=" + std::to_string(id));
    UseCompanyDatabase(db->name());
    ASSERT_TRUE(session().iConnect());
    ASSERT_TRUE(session().SignInUser());
    session().DatabaseConnection.close();
    session().ShutDownDatabase();
    EXPECT_EQ(Column(id, "checked"), "12");
    EXPECT_TRUE(Logged("iConnect: Tilkopla for avlogging"));
    EXPECT_FALSE(session().DatabaseConnection.isOpen());
}

TEST_F(SessionTest, EndOfWorkday) {
    struct Case {
        bool active;
        const char* normalEnd;
        const char* setting;  // nullptr: key missing
        const char* time;
        const char* written;  // the setting afterwards
    } cases[] = {
        {false, "", "1630", "16:30", "1630"},
        {false, "", "ettermiddag", "16:00", "16:00"},  // nothing left after filtering
        {false, "", nullptr, "00:00", ""},             // the rule of NormalizeTime for empty text
        {true, "1545", "1630", "15:45", "1630"},
    };
    Session& s = session();
    Settings& settings = foundation().settings();
    for (const Case& c : cases) {
        settings.SettingsFile().WriteString("STANDARD", "Arbeid_ArbeidstidSlutt", c.setting ? c.setting : "");
        s.SignedInUser.WorkInfo.Active = c.active;
        s.SignedInUser.WorkInfo.NormalEnd = c.normalEnd;
        EXPECT_EQ(s.EndOfWorkdayTime(), c.time) << (c.setting ? c.setting : "(missing)");
        EXPECT_EQ(settings.ReadIniString("Arbeid_ArbeidstidSlutt"), c.written);
    }

    // The end of the working day lies on WorkDate, which is today's local date once needed.
    host.utcOffset = 3600;
    host.time = FakeHost::LocalTime(2024, 3, 5, 0, 30, 0, 3600);
    s.SignedInUser.WorkInfo.Active = false;
    settings.WriteIniString("Arbeid_ArbeidstidSlutt", "1630");
    EXPECT_EQ(s.EndOfWorkday(), FakeHost::LocalTime(2024, 3, 5, 16, 30, 0, 3600));
    EXPECT_EQ(s.WorkDate, FakeHost::LocalTime(2024, 3, 5, 0, 0, 0, 3600));
    // WorkDate stays once set, also when the clock passes midnight.
    host.time = FakeHost::LocalTime(2024, 3, 6, 1, 0, 0, 3600);
    EXPECT_EQ(s.EndOfWorkday(), FakeHost::LocalTime(2024, 3, 5, 16, 30, 0, 3600));
}

}  // namespace
}  // namespace dravn
