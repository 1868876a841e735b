// Program entry of Dravn6SQLAdm: the start and stop order of the console.
//
// Start, on the user-interface thread before any window exists: the text and date start step and
// vt_reg_Start (settings file, program log), PrepareDatabaseConnection, the usage counters. Then
// the main window and the text-lines editor are created and the message loop runs until the main
// window closes.
// End: the usage counters are written, ShutDownDatabase signs the user off and releases the
// connection, FinishProgram stores and saves the settings, and the log is written last. The same
// steps run when the program is ended at once (terminateProgram).
#include <QTimer>
#include <string>
#include <vector>

#include "forms/dravn_adm_form.h"
#include "forms/forms_context.h"
#include "foundation/foundation.h"
#include "session/session.h"
#include "windows/dravn_application.h"
#include "windows/qt_host.h"
#include "windows/qt_user_interaction.h"
#include "windows/reg_text.h"
#include "windows/window_context.h"

int main(int argc, char** argv) {
    // The platform's application object comes first: the start reads the monitors through it.
    dravn::DravnApplication app(argc, argv);
    app.setApplicationName("Dravn6SQLAdm");
    app.setQuitOnLastWindowClosed(false);

    std::vector<std::string> arguments(argv + 1, argv + argc);
    dravn::QtHost host(arguments);
    dravn::QtUserInteraction ui(host);
    dravn::Foundation foundation(host, ui);

    foundation.Start();
    dravn::Session session(foundation);
    session.PrepareDatabaseConnection();
    foundation.usageCounters().Load(foundation.settings());

    bool ended = false;
    auto endOfRun = [&] {
        if (ended)
            return;
        ended = true;
        foundation.usageCounters().Save(foundation.settings());
        session.ShutDownDatabase();
        foundation.FinishProgram();
        foundation.WriteLogAtEnd();
    };

    dravn::WindowContext windows(foundation);
    ui.Attach(windows);
    ui.SetTerminateCallback([&](int) { endOfRun(); });
    app.SetUserInteraction(&ui);
    app.SetErrorLogger([&](const std::string& text) { foundation.LogLine("FEIL: " + text); });

    int exitCode = 0;
    {
        dravn::FormsContext forms(foundation, windows, session);
        dravn::TDravnAdmForm mainWindow(forms);
        mainWindow.EnsureCreated();
        dravn::TRegTextForm textLinesEditor(windows);
        textLinesEditor.EnsureCreated();

        QObject::connect(&mainWindow, &dravn::TDravnAdmForm::closed, &app, &QCoreApplication::quit);
        QTimer::singleShot(0, &mainWindow, [&] { mainWindow.show(); });
        exitCode = app.exec();
    }

    endOfRun();
    return exitCode;
}
