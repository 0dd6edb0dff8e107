#pragma once

// The GL driver allocates and frees large blocks every frame. By default the C
// library hands such blocks back to the kernel at once, and each frame then pays
// page faults to get them again; keepFreedBlocks() keeps them in the heap for
// reuse. Called before a GL context is made.
namespace DriverHeap {
void keepFreedBlocks();
}
