attribute mat4 m;
//[VERT]
attribute  vec3 p;
