#include "foundation/program_log.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "foundation/encoding.h"
#include "support/foundation_fixture.h"

namespace dravn::test {
namespace {

namespace fs = std::filesystem;

class ProgramLogTest : public FoundationTest {
  protected:
    std::string logFile() const { return base() + "log/Dravn6SQLAdm.log"; }
    void WriteSettings(const std::string& standard) { WriteFile(etcIni(), "[STANDARD]\r\n" + standard); }
    static std::vector<std::string> Lines(const std::string& text) {
        std::vector<std::string> lines;
        size_t pos = 0;
        while (pos < text.size()) {
            size_t end = text.find("\r\n", pos);
            lines.push_back(text.substr(pos, end - pos));
            pos = end == std::string::npos ? text.size() : end + 2;
        }
        return lines;
    }
};

TEST_F(ProgramLogTest, PreviousRunsThisRunAndTheStartupTrace) {
    WriteSettings("LogToFile=1\r\n");
    WriteFile(logFile(), "one\r\ntwo\r\nthree\r\n");
    Foundation& f = foundation();
    f.Start();  // logs START, INIFIL and BRUKER
    f.log().LogLine("FEIL: noe gikk galt");
    f.FinishProgram();
    f.WriteLogAtEnd();

    const std::vector<std::string> lines = Lines(ReadFile(logFile()));
    ASSERT_EQ(lines.size(), 3u + 4u + 1u);
    EXPECT_EQ(lines[0], "one");
    EXPECT_EQ(lines[3], "05.03.2024 12:00:00 START: " + host.program);
    EXPECT_EQ(lines[4], "05.03.2024 12:00:00 INIFIL: " + etcIni());
    EXPECT_EQ(lines[5], "05.03.2024 12:00:00 BRUKER: kari");
    EXPECT_EQ(lines[6], "05.03.2024 12:00:00 FEIL: noe gikk galt");
    EXPECT_EQ(lines[7],
              "05.03.2024 12:00:00 LOGSTRING:  vt_basic_START: 05.03.2024 12:00:00 vt_basic_STOP: 05.03.2024 "
              "12:00:00 vt_reg_Start: 05.03.2024 12:00:00 vt_reg_Stop: 05.03.2024 12:00:00");
    EXPECT_TRUE(f.log().LogList().empty()) << "released at the end";
    EXPECT_EQ(std::distance(fs::directory_iterator(base() + "log"), fs::directory_iterator()), 1);
}

TEST_F(ProgramLogTest, LineFormat) {
    WriteSettings("LogToFile=1\r\n");
    Foundation& f = foundation();
    f.log().LogLine("before the set-up");
    f.Start();
    const size_t first = f.log().LogList().size();
    f.log().LogLine("");
    host.time = FakeHost::LocalTime(2024, 3, 6);  // exactly midnight: the time is left out
    f.log().LogLine("midnatt");
    const auto& list = f.log().LogList();
    ASSERT_EQ(list.size(), first + 2);
    EXPECT_EQ(list[0].find("before"), std::string::npos);
    EXPECT_EQ(list[first], "05.03.2024 12:00:00 ");
    EXPECT_EQ(list[first + 1], "06.03.2024 midnatt");
}

TEST_F(ProgramLogTest, LogToFileOffRecordsNothingButStillReadsTheFile) {
    WriteSettings("LogToFile=0\r\n");
    WriteFile(logFile(), "a\r\nb\r\nc\r\n");
    Foundation& f = foundation();
    f.Start();
    f.log().LogLine("not recorded");
    EXPECT_EQ(f.log().LogList(), (std::vector<std::string>{"a", "b", "c"}));
    fs::remove(logFile());
    f.FinishProgram();
    f.WriteLogAtEnd();
    EXPECT_FALSE(fs::exists(logFile())) << "not written at the end";
}

TEST_F(ProgramLogTest, ClearLogAtStartReplacesTheFileEvenWithLoggingOff) {
    WriteSettings("LogToFile=0\r\nClearLogFileOnStartup=1\r\n");
    WriteFile(logFile(), "old\r\nlines\r\n");
    Foundation& f = foundation();
    f.Start();
    const std::string cleared = "05.03.2024 12:00:00  LOGGFIL TØMT (TextFile.ClearLog).";
    EXPECT_EQ(f.log().LogList(), std::vector<std::string>{cleared});
    EXPECT_EQ(ReadFile(logFile()), Utf8ToCp1252(cleared) + "\r\n");
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(ProgramLogTest, ClearLogFailureIsShownAndTheStartGoesOn) {
    WriteSettings("LogToFile=1\r\nClearLogFileOnStartup=1\r\n");
    fs::create_directories(logFile());  // a folder where the file should be
    Foundation& f = foundation();
    f.Start();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0], "Feil under oppretting av ny fil: " + logFile() + "  (21)");
    ASSERT_GE(f.log().LogList().size(), 2u);
    EXPECT_NE(f.log().LogList()[0].find("LOGGFIL TØMT"), std::string::npos);
    EXPECT_NE(f.log().LogList()[1].find("START: "), std::string::npos);
}

TEST_F(ProgramLogTest, FileNameAndEncoding) {
    struct Case {
        const char* program;
        const char* logName;
    };
    for (const Case& c : {Case{"bin/Dravn6SQLAdm", "Dravn6SQLAdm.log"},
                          Case{"bin/Dravn11.exe", "Dravn11.log"}, Case{"", "Dravn6SQLAdm.log"}}) {
        NewRun();
        host.program = *c.program ? root + c.program : std::string();
        EXPECT_EQ(foundation().log().LogFileName(), base() + "log/" + c.logName) << c.program;
    }

    // A log loaded with a byte-order mark is written back in that encoding.
    NewRun();
    host.program = root + "bin/Dravn6SQLAdm";
    WriteSettings("LogToFile=1\r\n");
    WriteFile(logFile(), "\xEF\xBB\xBFæøå\r\n");
    foundation().Start();
    foundation().WriteLogAtEnd();
    const std::string bytes = ReadFile(logFile());
    EXPECT_EQ(bytes.rfind("\xEF\xBB\xBFæøå\r\n", 0), 0u) << bytes.substr(0, 20);
}

}  // namespace
}  // namespace dravn::test
