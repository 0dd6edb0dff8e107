//[VERT]
attribute vec2 uv;
//[FRAG]
