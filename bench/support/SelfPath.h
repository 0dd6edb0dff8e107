#pragma once

#include <string>

// The running program's own file, for running it again; empty if unknown.
std::string selfPath();
