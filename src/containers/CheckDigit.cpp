#include "containers/CheckDigit.h"

namespace kv {

namespace {

// Letters count from A = 10 upwards, skipping every multiple of 11.
int CharValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    if (c < 'A' || c > 'Z') return -1;
    int v = 10;
    for (char k = 'A'; k < c; ++k) {
        ++v;
        if (v % 11 == 0) ++v;
    }
    return v;
}

}  // namespace

int IsoCheckDigit(const std::string& id) {
    if (id.size() < 10) return -1;
    long sum = 0;
    for (int i = 0; i < 10; ++i) {
        int v = CharValue(id[size_t(i)]);
        if (v < 0) return -1;
        sum += long(v) << i;
    }
    return int(sum % 11 % 10);
}

bool IsoCheckDigitValid(const std::string& id) {
    if (id.size() != 11) return false;
    int d = IsoCheckDigit(id);
    return d >= 0 && id[10] == char('0' + d);
}

}  // namespace kv
