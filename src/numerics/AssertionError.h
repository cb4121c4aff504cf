// The error raised when a routine is called with arguments it cannot work
// with (for example a spline over fewer than two points). It carries the
// routine's message text unchanged and unwinds to the caller's handler.
#pragma once

#include <stdexcept>
#include <string>

namespace kv {

class AssertionError : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

}  // namespace kv
