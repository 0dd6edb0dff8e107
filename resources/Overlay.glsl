// Draws a texture over the whole viewport, tinted; invertT = -1 flips it vertically.
//[VERT]
attribute vec2 position;
attribute vec2 texCoord0;
uniform float invertT;
varying vec2 uv;

void main()
{
    uv = vec2(texCoord0.x, invertT < 0.0 ? 1.0 - texCoord0.y : texCoord0.y);
    gl_Position = vec4(position, 0.0, 1.0);
}
//[FRAG]
uniform sampler2D tex0;
uniform vec4 color;
varying vec2 uv;

void main()
{
    gl_FragColor = texture2D(tex0, uv) * color;
}
