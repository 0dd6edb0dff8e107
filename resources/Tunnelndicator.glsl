// A card added onto the picture: its black ground adds nothing, its lines
// glow, with a faint haze over the whole card.
//[VERT]
attribute vec3 position;
attribute vec2 texCoord0;
uniform mat4 projectionMatrix;
uniform mat4 modelViewMatrix;
varying vec2 uv;

void main()
{
    uv = vec2(-texCoord0.x, 1.0 + texCoord0.y); // the plane runs from 0 to -1; rows top first
    gl_Position = projectionMatrix * modelViewMatrix * vec4(position, 1.0);
}
//[FRAG]
uniform sampler2D tex0;
varying vec2 uv;

void main()
{
    vec3 lines = texture2D(tex0, uv).rgb;
    vec2 d = uv - 0.5;
    float haze = 0.12 * max(1.0 - 2.0 * length(d), 0.0);
    gl_FragColor = vec4(lines * 1.6 + vec3(0.3, 0.8, 1.0) * haze, 1.0);
}
