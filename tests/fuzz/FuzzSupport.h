#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// A broken invariant: prints what and where, then aborts so libFuzzer keeps the input.
#define FUZZ_CHECK(cond)                                                                           \
    do {                                                                                           \
        if (!(cond))                                                                               \
            fuzzFail(#cond, __FILE__, __LINE__);                                                   \
    } while (0)

[[noreturn]] void fuzzFail(const char* what, const char* file, int line);

// Once per process: log lines go to /dev/null and resource names resolve in a
// fresh temporary directory in memory where there is one (removed at exit),
// which is returned.
const std::string& fuzzResourceDir();

// A command line from bytes: the program name, then one argument per NUL-separated run.
class FuzzArguments {
public:
    FuzzArguments(const char* program, const uint8_t* data, size_t size);
    int argc() const { return static_cast<int>(pointers.size()); }
    const char* const* argv() const { return pointers.data(); }

private:
    std::vector<std::string> args;
    std::vector<const char*> pointers;
};

// True when a message stays on one line: no control characters.
bool isOneLine(const std::string& message);

// Writes bytes to a file of the resource directory.
void fuzzPutResource(const std::string& name, const uint8_t* data, size_t size);
