#include "TestSupport.h"

#include <atomic>
#include <cstdio>
#include <sys/wait.h>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <unistd.h>

namespace kvtest {

TempDir::TempDir() {
    static std::atomic<int> counter{0};
    auto base = std::filesystem::temp_directory_path();
    for (;;) {
        auto p = base / ("korvanel-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        if (std::filesystem::create_directory(p)) {
            path_ = p.string();
            break;
        }
    }
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

std::string TempDir::file(const std::string& name) const { return path_ + "/" + name; }

std::vector<uint8_t> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot open " + path);
    return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path);
}

const std::string& CliPath() {
    static const std::string path = KORVANEL_BINARY_DIR "/src/korvanel-cli";
    return path;
}

CliResult RunCli(const std::string& args) {
    TempDir tmp;
    const std::string cmd = Quoted(CliPath()) + " " + args + " 2>" + Quoted(tmp.file("err"));
    CliResult r;
    FILE* p = popen(cmd.c_str(), "r");
    if (!p) return r;
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0) r.out.append(buf, n);
    int status = pclose(p);
    r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    auto err = ReadBytes(tmp.file("err"));
    r.err.assign(err.begin(), err.end());
    return r;
}

std::string Quoted(const std::string& s) { return "'" + s + "'"; }

}  // namespace kvtest
