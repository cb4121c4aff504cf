#include <cstdio>

int main(int argc, char** argv) {
    std::fprintf(stderr, "usage: korvanel-shipgen SHIPDIR --out DIR\n");
    return 2;
}
