// The spinning triangle's face: its colour, with a faint sheen of the stars
// behind it (the star texture) sweeping across as it turns.
//[VERT]
attribute vec3 position;
attribute vec2 texCoord0;
uniform mat4 projectionMatrix;
uniform mat4 modelViewMatrix;
varying vec2 uv;
varying vec2 screen;

void main()
{
    uv = texCoord0;
    gl_Position = projectionMatrix * modelViewMatrix * vec4(position, 1.0);
    screen = gl_Position.xy / gl_Position.w * 0.5 + 0.5;
}
//[FRAG]
uniform sampler2D tex0;
uniform vec4 color;
uniform float time;
varying vec2 uv;
varying vec2 screen;

void main()
{
    float sweep = smoothstep(0.15, 0.0, abs(fract(uv.x + uv.y - time * 0.4) - 0.5));
    vec3 sheen = texture2D(tex0, screen).rgb * (0.08 + 0.25 * sweep);
    gl_FragColor = vec4(color.rgb + sheen, color.a);
}
