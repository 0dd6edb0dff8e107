//[VERT]
attribute float a;
attribute vec4 c;
//[FRAG]
void main(){}
