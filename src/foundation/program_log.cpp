#include "foundation/program_log.h"

#include <sys/stat.h>

#include <filesystem>
#include <iostream>

#include "foundation/foundation.h"

namespace dravn {

ProgramLog::ProgramLog(Foundation& foundation) : f_(foundation) {}

void ProgramLog::LogLine(const std::string& text) {
    if (!active_ || !LogEnabled)
        return;
    list_.push_back(f_.textDate().DateTimeText(f_.host().now()) + " " + text);
}

const std::string& ProgramLog::LogFileName() {
    if (!nameKnown_) {
        std::string program = std::filesystem::path(f_.host().programPath()).filename().string();
        if (program.empty())
            program = "Dravn6SQLAdm";
        fileName_ =
            f_.folders().GetFolder("log") + std::filesystem::path(program).replace_extension(".log").string();
        nameKnown_ = true;
    }
    return fileName_;
}

void ProgramLog::ClearLog() {
    const std::string line =
        f_.textDate().DateTimeText(f_.host().now()) + "  LOGGFIL TØMT (TextFile.ClearLog).";
    list_.assign(1, line);
    encoding_ = TextEncoding::Ansi;  // the file is created anew
    std::string error;
    int number = 0;
    if (!WriteFileAtomically(LogFileName(), EncodeTextFile(line + "\r\n", encoding_), error, &number))
        f_.ui().showMessage(
            "Feil under oppretting av ny fil: " + LogFileName() + "  (" + std::to_string(number) + ")",
            "FEIL");
}

void ProgramLog::SetUp(bool keepEnabled) {
    list_.clear();
    active_ = true;
    Settings& settings = f_.settings();
    LogEnabled = settings.ReadIniBool("LogToFile") || keepEnabled;
    const std::string path = LogFileName();  // may create the log folder and log a failed save
    if (settings.ReadIniBool("ClearLogFileOnStartup")) {
        ClearLog();  // the list now holds what the file should hold
    } else if (struct stat st{}; ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode)) {
        std::string bytes, error;
        if (ReadWholeFile(path, bytes, error)) {
            std::vector<std::string> previous;
            std::string text = DecodeTextFile(bytes, encoding_);
            size_t pos = 0;
            while (pos < text.size()) {
                size_t end = text.find_first_of("\r\n", pos);
                if (end == std::string::npos)
                    end = text.size();
                previous.push_back(text.substr(pos, end - pos));
                pos = end;
                if (pos < text.size())
                    pos += (text[pos] == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n') ? 2 : 1;
            }
            list_.insert(list_.begin(), previous.begin(), previous.end());
        } else {
            // Writing at the end would replace the earlier runs' lines that could not be read.
            unreadable_ = true;
            LogLine("FEIL: kan ikke lese loggfila " + path + " (" + error + ")");
        }
    }
    if (!VerboseLogging)
        VerboseLogging = settings.ReadIniBool("VerboseLogging");
}

void ProgramLog::WriteAtEnd() {
    if (active_ && LogEnabled) {
        LogLine(startupTrace_);
        std::string text;
        for (const std::string& line : list_)
            text += line + "\r\n";
        std::string error = "fila kunne ikke leses ved start";
        if (unreadable_ || !WriteFileAtomically(LogFileName(), EncodeTextFile(text, encoding_), error))
            std::cerr << "FEIL: kan ikke skrive loggfila " << LogFileName() << " (" << error << ")\n";
    }
    list_.clear();
    list_.shrink_to_fit();
    active_ = false;
}

}  // namespace dravn
