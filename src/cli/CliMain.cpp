#include <cstdio>

int main(int argc, char** argv) {
    std::fprintf(stderr, "usage: korvanel-cli [--data DIR] info [--json]\n");
    return 2;
}
