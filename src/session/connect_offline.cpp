// The saved-settings logon: connecting with the server keys an earlier directory logon saved.
#include "foundation/text_date.h"
#include "session/session.h"

namespace dravn {

bool Session::ConnectOffline() {
    Settings& s = f_.settings();
    if (s.ProgramTerminating)
        return false;
    tSignedInUser& u = SignedInUser;
    u.RealName = s.ReadIniString("SavedMyLoginRealName");
    ConnectionSettings.User = s.ReadIniString("SavedMyServerUserName");
    ConnectionSettings.Server = ConnectionSettings.LogonToLocalIP ? s.ReadIniString("SavedMyServerLocalIP")
                                                                  : s.ReadIniString("SavedMyServerHostname");
    ConnectionSettings.Database = s.ReadIniString("SavedMyServerDatabase");
    ConnectionSettings.Password = UnscrambleText(s.ReadIniString("SavedMyServerPassword"));
    u.Email = s.ReadIniString("SavedMyLoginEmailAddress");

    bool ok = iConnect();
    if (ok) {
        s.LogonIniFileName = u.Email + ".ini";
        s.SwitchSettingsFile(s.LogonIniFileName);
        u.CompanyName = s.ReadIniString("Dravn_Navn");
        LogLine("iConnect: " + u.RealName + " pålogga utan nett som " + u.Initials + ", " + u.Email);
        u.LogonByEmail = true;
        Logon.CurrentLogonMethod = 5;
    }
    return ok;
}

}  // namespace dravn
