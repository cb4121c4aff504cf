// Commands of korvanel-cli. Each command lives in its own file and is listed
// by one line in the command table of CliMain.cpp.
#pragma once

#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "model/Messages.h"
#include "model/kvGlobal.h"
#include "startup/Initialize.h"

namespace kvcli {

// Messages of the core go to standard error; questions get the cautious
// answer (Cancel where offered, else No, else OK), as nobody is there to ask.
class StderrSink : public kv::MessageSink {
public:
    void ShowMessage(const std::string& text) override;
    kv::MsgAnswer Ask(const std::string& text, kv::MsgButtons buttons) override;
};

struct CliContext {
    CliContext(std::string dataDir, std::ostream& out, std::ostream& err);

    std::string DataDir;  // the folder that holds Project/, Save/, ...
    std::ostream& Out;
    std::ostream& Err;
    StderrSink Sink;
    std::unique_ptr<kv::KvState> State;

    // Runs the start-up loader on DataDir once and keeps its report. Throws
    // kv::IoError on a damaged ship data file.
    const kv::InitReport& LoadShipData();

private:
    bool loaded_ = false;
    kv::InitReport report_;
};

// A command gets the arguments after its name (with --data DIR taken out)
// and returns the process exit code: 0 success, 1 failure, 2 wrong usage.
using CommandFn = int (*)(CliContext&, const std::vector<std::string>& args);

int CmdInfo(CliContext& ctx, const std::vector<std::string>& args);
int CmdShow(CliContext& ctx, const std::vector<std::string>& args);
int CmdNew(CliContext& ctx, const std::vector<std::string>& args);
int CmdHydro(CliContext& ctx, const std::vector<std::string>& args);  // HydroCommand.cpp
int CmdKn(CliContext& ctx, const std::vector<std::string>& args);     // HydroCommand.cpp
int CmdCalc(CliContext& ctx, const std::vector<std::string>& args);   // CalcCommand.cpp
int CmdBench(CliContext& ctx, const std::vector<std::string>& args);  // BenchCommand.cpp
// Opens a condition for calculation and brings every item of the weight
// summary up to date; 0, or the exit code after saying why not.
int OpenForCalculation(CliContext& ctx, const char* cmd, const std::string& file);  // CalcCommand.cpp

// Arguments "FILE [--json]" of a command that works on one condition file:
// 0 with file and asJson set, or 2 after saying what is wrong.
int ParseFileAndJson(CliContext& ctx, const char* cmd, const std::vector<std::string>& args, std::string& file,
                     bool& asJson);

// Characters of the ship data (single-byte code page) as UTF-8 for printing
// and JSON: bytes from 0x80 are taken as Latin-1.
std::string ToUtf8(const std::string& s);

}  // namespace kvcli
