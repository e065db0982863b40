// Test programs write their progress unbuffered: when one dies (a crash ends the process
// without flushing), its output still shows how far it got.
#include <cstdio>

namespace {
struct UnbufferedOutput {
    UnbufferedOutput()
    {
        setvbuf(stdout, nullptr, _IONBF, 0);
        setvbuf(stderr, nullptr, _IONBF, 0);
    }
} unbufferedOutput;
}  // namespace
