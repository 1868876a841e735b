// The program-wide objects the windows of the console work with, handed to each window by
// reference. The executable builds one after the start; tests build their own.
#pragma once

#include "foundation/foundation.h"
#include "windows/window_context.h"

namespace dravn {

class Session;

struct FormsContext {
    FormsContext(Foundation& foundation, WindowContext& windows, Session& session)
        : foundation(foundation), windows(windows), session(session) {}

    Foundation& foundation;  // settings, log, folders, text and dates, the person at the keyboard
    WindowContext& windows;  // what the framework windows need
    Session& session;        // the server connection, the signed-in user and the logon values

    UserInteraction& ui() const { return foundation.ui(); }
    Settings& settings() const { return foundation.settings(); }
};

}  // namespace dravn
