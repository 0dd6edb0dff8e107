// seed
//[VERT]
attribute vec3 position;
attribute vec2 texCoord0;
varying vec2 uv;
void main() { uv = texCoord0; gl_Position = vec4(position, 1.0); }
//[FRAG]
varying vec2 uv;
uniform sampler2D tex;
void main() { gl_FragColor = texture2D(tex, uv); }
