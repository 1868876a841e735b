// A Foundation of its own for each test: a FakeHost whose APPDATA, HOME and working directory
// lie in a fresh temporary folder (removed afterwards), and a scripted user.
#pragma once

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "foundation/foundation.h"
#include "support/fake_host.h"
#include "support/scripted_interaction.h"

namespace dravn::test {

class FoundationTest : public ::testing::Test {
  protected:
    void SetUp() override {
        root = MakeTestHome(host, "fcore");
        ASSERT_FALSE(root.empty());
        appData = root + "appdata";
        home = root + "home";
    }

    void TearDown() override {
        foundationPtr.reset();
        std::error_code ec;
        // Give back write permission that a test took away, so everything can be removed.
        for (auto it = std::filesystem::recursive_directory_iterator(root, ec);
             it != std::filesystem::recursive_directory_iterator(); it.increment(ec))
            ::chmod(it->path().c_str(), 0755);
        ::chmod(root.c_str(), 0755);
        std::filesystem::remove_all(root, ec);
    }

    // Built on first use, so a test can set up the host before.
    Foundation& foundation() {
        if (!foundationPtr)
            foundationPtr = std::make_unique<Foundation>(host, ui);
        return *foundationPtr;
    }
    // Ends this Foundation (as a new program run would) without touching the files.
    void NewRun() { foundationPtr.reset(); }

    std::string base() const { return appData + "/Brenmoto/"; }
    std::string etcIni() const { return base() + "etc/brenmoto.ini"; }

    static std::string ReadFile(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    static void WriteFile(const std::string& path, const std::string& bytes) {
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        std::ofstream(path, std::ios::binary) << bytes;
    }

    FakeHost host;
    ScriptedInteraction ui;
    std::string root, appData, home;
    std::unique_ptr<Foundation> foundationPtr;
};

}  // namespace dravn::test
