// korvanel-cli [--data DIR] <command> [arguments]
// The data folder defaults to the folder of the executable, as for the
// desktop program; --data may stand before or after the command.
#include <cstring>
#include <exception>
#include <filesystem>
#include <iostream>

#include "cli/Commands.h"

namespace kvcli {

namespace {

struct CommandEntry {
    const char* name;
    CommandFn run;
    const char* usage;
};

// One line per command.
const CommandEntry kCommands[] = {
    {"info", CmdInfo, "info [--json]        show the loaded ship data"},
    {"show", CmdShow, "show FILE.LCF [--json]  show a loading condition"},
    {"new", CmdNew, "new FILE.LCF         write a new, empty loading condition"},
    {"hydro", CmdHydro, "hydro (--disp D | --draft T) [--trim t] [--json]  hydrostatics at a point"},
    {"kn", CmdKn, "kn --disp D [--trim t] [--json]  cross-curve KN at every tabulated angle"},
    {"calc", CmdCalc,
     "calc FILE.LCF [--json] [--harbour|--sea] [--intervals] [--flood-hold N] [--flood-all]\n"
     "                       calculate a loading condition (N: hold number from 1)"},
    {"bench", CmdBench, "bench FILE.LCF [--runs N]  time the calculation cycle and the strength balancing"},
};

void PrintUsage(std::ostream& os) {
    os << "usage: korvanel-cli [--data DIR] <command> [arguments]\n"
          "  --data DIR           folder that holds Project/ (default: the program's folder)\n"
          "commands:\n";
    for (const CommandEntry& c : kCommands) os << "  " << c.usage << "\n";
}

std::string ExecutableFolder() {
    std::error_code ec;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec || exe.empty()) return ".";
    return exe.parent_path().string();
}

}  // namespace

void StderrSink::ShowMessage(const std::string& text) { std::cerr << ToUtf8(text) << "\n"; }

kv::MsgAnswer StderrSink::Ask(const std::string& text, kv::MsgButtons buttons) {
    kv::MsgAnswer a = kv::MsgAnswer::Ok;
    switch (buttons) {
        case kv::MsgButtons::Ok: a = kv::MsgAnswer::Ok; break;
        case kv::MsgButtons::YesNo: a = kv::MsgAnswer::No; break;
        case kv::MsgButtons::OkCancel:
        case kv::MsgButtons::YesNoCancel:
        case kv::MsgButtons::YesNoCancelAll: a = kv::MsgAnswer::Cancel; break;
    }
    std::cerr << ToUtf8(text) << " [" << (a == kv::MsgAnswer::No ? "No" : a == kv::MsgAnswer::Ok ? "OK" : "Cancel")
              << "]\n";
    return a;
}

CliContext::CliContext(std::string dataDir, std::ostream& out, std::ostream& err)
    : DataDir(std::move(dataDir)), Out(out), Err(err), State(std::make_unique<kv::KvState>()) {
    State->Messages = &Sink;
}

const kv::InitReport& CliContext::LoadShipData() {
    if (!loaded_) {
        report_ = kv::InitShipData(*State, DataDir);
        loaded_ = true;
    }
    return report_;
}

int ParseFileAndJson(CliContext& ctx, const char* cmd, const std::vector<std::string>& args, std::string& file,
                     bool& asJson) {
    asJson = false;
    file.clear();
    for (const std::string& a : args) {
        if (a == "--json") {
            asJson = true;
        } else if (file.empty()) {
            file = a;
        } else {
            ctx.Err << "korvanel-cli " << cmd << ": unknown argument '" << a << "'\n";
            return 2;
        }
    }
    if (file.empty()) {
        ctx.Err << "korvanel-cli " << cmd << ": a condition file is needed\n";
        return 2;
    }
    return 0;
}

std::string ToUtf8(const std::string& s) {
    std::string out;
    out.reserve(s.size());
    for (unsigned char c : s) {
        if (c < 0x80) {
            out.push_back(char(c));
        } else {
            out.push_back(char(0xC0 | (c >> 6)));
            out.push_back(char(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

}  // namespace kvcli

int main(int argc, char** argv) {
    using namespace kvcli;
    std::string dataDir;
    bool dataGiven = false;
    std::string command;
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--data") {
            if (i + 1 >= argc) {
                std::cerr << "korvanel-cli: --data needs a folder\n";
                return 2;
            }
            dataDir = argv[++i];
            dataGiven = true;
        } else if (a.rfind("--data=", 0) == 0) {
            dataDir = a.substr(7);
            dataGiven = true;
        } else if (command.empty() && (a == "--help" || a == "-h")) {
            PrintUsage(std::cout);
            return 0;
        } else if (command.empty()) {
            command = a;
        } else {
            args.push_back(a);
        }
    }
    if (command.empty()) {
        PrintUsage(std::cerr);
        return 2;
    }
    const CommandEntry* entry = nullptr;
    for (const CommandEntry& c : kCommands)
        if (command == c.name) entry = &c;
    if (!entry) {
        std::cerr << "korvanel-cli: unknown command '" << command << "'\n";
        PrintUsage(std::cerr);
        return 2;
    }
    if (!dataGiven) dataDir = ExecutableFolder();
    std::error_code ec;
    if (dataDir.empty() || !std::filesystem::is_directory(dataDir, ec)) {
        std::cerr << "korvanel-cli: data folder not found: " << dataDir << "\n";
        return 1;
    }
    try {
        CliContext ctx(dataDir, std::cout, std::cerr);
        int rc = entry->run(ctx, args);
        std::cout.flush();
        if (!std::cout) {
            std::cerr << "korvanel-cli: cannot write the output\n";
            return 1;
        }
        return rc;
    } catch (const kv::IoError& e) {
        std::cerr << "korvanel-cli: " << ToUtf8(e.what()) << "\n";
    } catch (const std::exception& e) {
        std::cerr << "korvanel-cli: error: " << ToUtf8(e.what()) << "\n";
    }
    return 1;
}
