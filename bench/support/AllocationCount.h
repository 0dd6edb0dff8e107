#pragma once

#include <cstdint>

// Heap allocations made through operator new since the program started, those
// made inside the GL driver (its shader compiler) left out; linking this file
// replaces the global operator new of the whole program.
uint64_t allocationCount();
// Counting is off until switched on: telling the driver's allocations apart is slow.
void countAllocations(bool on);
