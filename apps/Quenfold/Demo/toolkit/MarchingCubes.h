#pragma once

// Marching-cubes case tables. A case index has bit i set when corner i lies
// above the iso level. Corners 0-3 go round one face, 4-7 round the opposite
// one (4 over 0); edges 0-3 join 0-1, 1-2, 2-3, 3-0, edges 4-7 join 4-5, 5-6,
// 6-7, 7-4 and edges 8-11 join corner i to i + 4.

// Per case, bit e set when edge e crosses the surface.
extern const int CubeEdgeFlags[256];
// Per case, up to five triangles as edge triples, ended by -1.
extern const int TriangleConnectionTable[256][16];
