// Full-screen distortions. Every mode computes, per pixel, the texture
// coordinates to read the picture from (the look-up); crossFade blends the
// distorted picture into the look-up itself, its coordinates shown as red and
// green, so a drag reveals how each mode bends the picture.
// Modes: 0 ripples, 1 tunnel, 2 floor, 3 swirl, 4 lens, 5 kaleidoscope,
// 6 self-displacement, 7 roto-zoom, 8 radial waves.
//[VERT]
attribute vec2 position;
attribute vec2 position2;
attribute vec2 texCoord0;
varying vec2 uv;
varying vec2 screen;

void main()
{
    uv = texCoord0;
    screen = position2 * vec2(1.5, 1.0); // 3:2, so circles stay round
    gl_Position = vec4(position, 0.0, 1.0);
}
//[FRAG]
uniform sampler2D diffuseTex;
uniform float time;
uniform float mode;
uniform float crossFade;
varying vec2 uv;
varying vec2 screen;

const float TAU = 6.2831853;

vec2 rotate(vec2 v, float a)
{
    float c = cos(a);
    float s = sin(a);
    return vec2(c * v.x - s * v.y, s * v.x + c * v.y);
}

vec2 lookUp(float m, vec2 p, float t)
{
    float r = length(p);
    if (m < 0.5)
        return uv + 0.03 * vec2(sin(uv.y * 20.0 + t * 2.0), cos(uv.x * 20.0 + t * 1.7));
    if (m < 1.5)
        return vec2(atan(p.y, p.x) / TAU * 2.0, 0.35 / max(r, 0.02) + t * 0.3);
    if (m < 2.5) {
        float d = max(abs(p.y), 0.02);
        return vec2(p.x / d * 0.25 + 0.5, 0.5 / d + t * 0.4);
    }
    if (m < 3.5)
        return rotate(p, (1.6 - r) * 2.5 * sin(t * 0.7)) * 0.5 + 0.5;
    if (m < 4.5) {
        vec2 c = vec2(0.6 * sin(t * 0.8), 0.35 * cos(t * 0.6));
        vec2 d = p - c;
        float k = length(d) < 0.8 ? mix(0.2, 1.0, smoothstep(0.0, 0.8, length(d))) : 1.0;
        return (c + d * k) * 0.5 + 0.5;
    }
    if (m < 5.5) {
        float sector = TAU / 6.0;
        float a = mod(atan(p.y, p.x) + t * 0.2, sector);
        a = abs(a - sector * 0.5);
        return vec2(cos(a), sin(a)) * r * 0.6 + vec2(0.2 * t, 0.1);
    }
    if (m < 6.5) {
        vec2 offset = texture2D(diffuseTex, uv * 0.5 + vec2(t * 0.02, t * 0.013)).rg - 0.5;
        return uv + offset * 0.25;
    }
    if (m < 7.5)
        return rotate(p, t * 0.3) * (1.2 + 0.6 * sin(t * 0.5)) * 0.5 + 0.5;
    return uv + (r > 0.0 ? p / r : p) * 0.025 * sin(r * 18.0 - t * 4.0);
}

void main()
{
    vec2 coordinates = lookUp(floor(mode + 0.5), screen, time);
    vec4 picture = texture2D(diffuseTex, coordinates);
    vec4 table = vec4(fract(coordinates), 0.25, 1.0);
    gl_FragColor = mix(picture, table, clamp(crossFade, 0.0, 1.0));
}
