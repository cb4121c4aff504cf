// Small helpers shared by the test suites.
#pragma once

#include <string>
#include <vector>
#include <cstdint>

namespace kvtest {

// A fresh empty folder under the system temp folder, removed at destruction.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return path_; }
    // path() + "/" + name
    std::string file(const std::string& name) const;

private:
    std::string path_;
};

std::vector<uint8_t> ReadBytes(const std::string& path);

// Runs the built korvanel-cli with the given argument text (shell words) and
// collects its exit code, standard output and standard error.
struct CliResult {
    int exitCode = -1;
    std::string out, err;
};
const std::string& CliPath();
CliResult RunCli(const std::string& args);
// The text in single quotes, for a shell word.
std::string Quoted(const std::string& s);
void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace kvtest
