#include "foundation/program_log.h"

#include "foundation/foundation.h"

namespace dravn {

ProgramLog::ProgramLog(Foundation& foundation) : f_(foundation) {}
void ProgramLog::LogLine(const std::string&) {}
void ProgramLog::ClearLog() {}
const std::string& ProgramLog::LogFileName() {
    return fileName_;
}
void ProgramLog::SetUp(bool) {}
void ProgramLog::WriteAtEnd() {}

}  // namespace dravn
