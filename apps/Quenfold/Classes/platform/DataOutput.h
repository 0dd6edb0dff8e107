#pragma once

#include <cstdio>

// The programs' one rule for their output: data on standard output, everything
// else on standard error. Made first thing in main, it keeps standard output
// for the data and points file descriptor 1 at standard error, so the log, the
// drivers' messages and any library's printing all go there.
class DataOutput {
public:
    DataOutput();
    ~DataOutput();
    DataOutput(const DataOutput&) = delete;
    DataOutput& operator=(const DataOutput&) = delete;

    // Where data goes: the standard output the program was started with.
    FILE* stream() const { return data; }

private:
    FILE* data;
};
