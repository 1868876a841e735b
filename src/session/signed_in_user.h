// The records of the database session: the values iConnect connects with, the signed-in staff
// member with the work schedule, and the logon values the logon window hands over.
#pragma once

#include <string>

#include "foundation/host.h"

namespace dravn {

// The values with which iConnect connects.
struct tConnectionSettings {
    std::string Server = "localhost";  // "host" or "host:port"
    std::string InternalServer = "127.0.0.1";
    std::string Database;
    std::string User = "root";
    std::string Password;  // never logged
    bool LogonToLocalIP = false;
    bool UseSSLConnection = false;
};

// The signed-in user's work schedule, from the staff register.
struct tWorkInfo {
    bool Active = false;        // workschedule >= 1 and "WorkOverrideHR" off
    bool StandardWeek = false;  // workschedule is 20, 25, 30 or 40
    int WorkSchedule = 0;
    int OrgCode = 0;
    std::string NormalStart;
    std::string NormalEnd;
    std::string Pause1;
    int Pause1Minutes = 0;
    std::string Pause2;
    int Pause2Minutes = 0;
    std::string Pause3;
    int Pause3Minutes = 0;
    std::string Pause4;
    int Pause4Minutes = 0;
    double Saldo1 = 0;
    double Saldo2 = 0;
    double Saldo3 = 0;
    double Saldo4 = 0;
    // Local date and time; the zero moment (TimePoint{}) for NULL and zero dates.
    TimePoint Saldo1Date{};
    TimePoint Saldo2Date{};
    TimePoint Saldo3Date{};
    TimePoint Saldo4Date{};
};

// The signed-in staff member's row of `users`.
struct tSignedInUser {
    int Id = 0;
    int FirstId = 0;
    int ActingId = 0;
    int DefaultGroup = 0;
    int ActingGroup = 0;
    int UserGroup2 = 0;
    int MeetingGroup = 0;
    std::string Initials;
    std::string ActingInitials;
    std::string RealName;
    std::string ActingRealName;
    std::string Email;
    std::string Passwd;  // as stored in `users`; not interpreted
    bool PasswordVariant = false;
    std::string UserComputerName;
    std::string Department;
    std::string CostCenter;
    int DefaultProjectId = 0;
    int CompanyId = 0;
    int PresenceStatus = 0;  // `checked`, at most 12
    std::string Parameter;   // the rights text
    std::string Persons;
    bool AlreadyConnected = false;
    bool LogonByEmail = false;
    std::string CompanyName;
    std::string Password;  // the password the user signed on with; never logged
    int PasswordLength = 0;
    std::string CardCode;
    bool SignedOnByCard = false;
    tWorkInfo WorkInfo;
};

// What the logon window hands over, shared with the saved-settings logon.
struct LogonData {
    // 0 cancelled, 1 server logon, 2 e-mail logon, 4 ID-card logon, 5 saved settings.
    int CurrentLogonMethod = 0;
    // The password of a user logon; never logged.
    std::string LogonPassword;
    std::string WorkLocation;
    // Set only while it is empty.
    std::string StartLocation;
    // Never cleared during the run.
    bool SaveLogonRequested = false;
};

}  // namespace dravn
