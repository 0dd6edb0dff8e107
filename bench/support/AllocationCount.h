#pragma once

#include <cstdint>

// Heap allocations made through operator new since the program started; linking
// this file replaces the global operator new of the whole program.
uint64_t allocationCount();
