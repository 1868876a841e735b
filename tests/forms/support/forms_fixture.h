// The console's windows on their own for each test: a Foundation on a FakeHost whose folders lie in a
// fresh temporary folder (log on, "--debug"), a session, the window context and a scripted user.
// Modal windows are driven from the test with timers. Every test checks at its end that no
// password reached the log.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "forms/forms_context.h"
#include "forms/logon_form.h"
#include "foundation/foundation.h"
#include "foundation/settings_file.h"
#include "foundation/support/fake_host.h"
#include "session/session.h"
#include "support/scripted_interaction.h"
#include "support/test_servers.h"
#include "windows/dravn_application.h"
#include "windows/window_context.h"

namespace dravn::test {

class FormsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        root = MakeTestHome(host, "forms");
        ASSERT_FALSE(root.empty());
        if (!EnvOrEmpty("MYSQL_UNIX_PORT").empty())
            host.envVars["MYSQL_UNIX_PORT"] = EnvOrEmpty("MYSQL_UNIX_PORT");
        host.args = {"--debug"};
        secrets.push_back(RootPassword());
        if (auto* app = qobject_cast<DravnApplication*>(qApp))
            app->SetUserInteraction(&ui);
    }

    void TearDown() override {
        if (auto* app = qobject_cast<DravnApplication*>(qApp))
            app->SetUserInteraction(nullptr);
        if (foundationPtr)
            ExpectNoSecretLogged(foundationPtr->log().LogList(), secrets);
        formsPtr.reset();
        windowsPtr.reset();
        sessionPtr.reset();
        foundationPtr.reset();
        std::error_code ec;
        std::filesystem::remove_all(root, ec);
    }

    // Built on first use, after the test has set up the host (and any settings files).
    Foundation& foundation() {
        if (!foundationPtr) {
            foundationPtr = std::make_unique<Foundation>(host, ui);
            foundationPtr->Start();
        }
        return *foundationPtr;
    }
    Session& session() {
        if (!sessionPtr) {
            sessionPtr = std::make_unique<Session>(foundation());
            sessionPtr->PrepareDatabaseConnection();
        }
        return *sessionPtr;
    }
    FormsContext& forms() {
        if (!formsPtr) {
            Session& s = session();
            windowsPtr = std::make_unique<WindowContext>(foundation());
            formsPtr = std::make_unique<FormsContext>(foundation(), *windowsPtr, s);
        }
        return *formsPtr;
    }
    Settings& settings() { return foundation().settings(); }

    std::string etcFolder() const { return root + "appdata/Brenmoto/etc/"; }
    // A settings file of the etc folder as it is on disk.
    IniFile DiskIni(const std::string& name) const {
        IniFile ini;
        ini.LoadFromFile(etcFolder() + name);
        return ini;
    }
    // Writes a settings file into the etc folder before the foundation starts.
    void WriteIni(const std::string& name, const std::string& text) const {
        std::filesystem::create_directories(etcFolder());
        IniFile ini;
        ini.LoadFromBytes(text);
        std::string error;
        ASSERT_TRUE(ini.SaveToFile(etcFolder() + name, error)) << error;
    }

    // Runs `action` on the logon window as soon as it is shown (within the modal loop that the
    // next ShowLogonWindow starts). If no logon window comes up the test fails.
    void WhenLogonShown(std::function<void(TLogonForm&)> action) {
        auto timer = std::make_shared<QElapsedTimer>();
        timer->start();
        auto attempt = std::make_shared<std::function<void()>>();
        *attempt = [this, action, timer, attempt] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                auto* logon = qobject_cast<TLogonForm*>(w);
                if (logon && logon->isVisible() && logon->IsModalRunning()) {
                    action(*logon);
                    return;
                }
            }
            if (timer->elapsed() > 10000) {
                ADD_FAILURE() << "the logon window did not come up";
                return;
            }
            QTimer::singleShot(10, *attempt);
        };
        QTimer::singleShot(0, *attempt);
    }

    FakeHost host;
    ScriptedInteraction ui;
    std::string root;
    std::vector<std::string> secrets;
    std::unique_ptr<Foundation> foundationPtr;
    std::unique_ptr<Session> sessionPtr;
    std::unique_ptr<WindowContext> windowsPtr;
    std::unique_ptr<FormsContext> formsPtr;
};

}  // namespace dravn::test
