// korvanel-shipgen SHIPDIR --out DIR: compiles a ship definition folder into
// the data set the program reads.
#include <cstdio>
#include <exception>
#include <string>

#include "shipgen/Compiler.h"

int main(int argc, char** argv) {
    std::string shipDir, outDir;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--out" && i + 1 < argc) outDir = argv[++i];
        else if (a.rfind("--out=", 0) == 0) outDir = a.substr(6);
        else if (!a.empty() && a[0] != '-' && shipDir.empty()) shipDir = a;
        else {
            std::fprintf(stderr, "korvanel-shipgen: unexpected argument \"%s\"\n", a.c_str());
            shipDir.clear();
            break;
        }
    }
    if (shipDir.empty() || outDir.empty()) {
        std::fprintf(stderr, "usage: korvanel-shipgen SHIPDIR --out DIR\n");
        return 1;
    }
    try {
        for (const std::string& f : kv::shipgen::CompileShip(shipDir, outDir)) std::printf("%s\n", f.c_str());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "korvanel-shipgen: %s\n", e.what());
        return 1;
    }
    return 0;
}
