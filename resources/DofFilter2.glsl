// Depth of field: each pixel is blurred by how far its depth lies from the focal
// plane (focalDepth, in 0..1 depth units), sharp within focalRange of it.
//[VERT]
attribute vec2 position;
attribute vec2 texCoord0;
varying vec2 uv;

void main()
{
    uv = texCoord0;
    gl_Position = vec4(position, 0.0, 1.0);
}
//[FRAG]
uniform sampler2D tex0; // colour
uniform sampler2D tex1; // depth
uniform float focalDepth;
uniform float focalRange;
uniform float ds; // one point of the colour texture: S texels at content scale S
uniform float dt;
varying vec2 uv;

void main()
{
    float depth = texture2D(tex1, uv).r;
    float blur = clamp((abs(depth - focalDepth) - focalRange) / max(focalRange, 0.001), 0.0, 1.0);
    vec2 radius = vec2(ds, dt) * 4.0 * blur;

    // Twelve taps on two rings (a small Poisson-like disc) plus the centre.
    vec4 sum = texture2D(tex0, uv);
    sum += texture2D(tex0, uv + radius * vec2(1.0, 0.0));
    sum += texture2D(tex0, uv + radius * vec2(-1.0, 0.0));
    sum += texture2D(tex0, uv + radius * vec2(0.0, 1.0));
    sum += texture2D(tex0, uv + radius * vec2(0.0, -1.0));
    sum += texture2D(tex0, uv + radius * vec2(0.7071, 0.7071));
    sum += texture2D(tex0, uv + radius * vec2(-0.7071, 0.7071));
    sum += texture2D(tex0, uv + radius * vec2(0.7071, -0.7071));
    sum += texture2D(tex0, uv + radius * vec2(-0.7071, -0.7071));
    sum += texture2D(tex0, uv + radius * vec2(0.5, 0.0));
    sum += texture2D(tex0, uv + radius * vec2(-0.5, 0.0));
    sum += texture2D(tex0, uv + radius * vec2(0.0, 0.5));
    sum += texture2D(tex0, uv + radius * vec2(0.0, -0.5));
    gl_FragColor = sum / 13.0;
}
