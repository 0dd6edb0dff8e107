// Glowing points on the logo's surface, lifted along the smooth normal and twinkling;
// premultiplied colour for (ONE, ONE_MINUS_SRC_ALPHA) blending, far to near.
//[VERT]
attribute vec3 position;
attribute vec3 normal;
attribute vec3 normal2;
uniform mat4 projectionMatrix;
uniform mat4 modelViewMatrix;
uniform float time;
varying float brightness;
varying float warmth;

void main()
{
    float seed = fract(sin(dot(position, vec3(12.9898, 78.233, 37.719))) * 43758.5453);
    float pulse = 0.5 + 0.5 * sin(time * (1.5 + 2.0 * seed) + seed * 6.2832);
    vec3 lifted = position + normalize(normal2 + 0.001 * normal) * (0.05 + 0.25 * pulse * pulse);
    vec4 eye = modelViewMatrix * vec4(lifted, 1.0);
    gl_Position = projectionMatrix * eye;
    gl_PointSize = clamp(26.0 / max(-eye.z, 0.1), 1.0, 6.0) * (0.5 + 0.7 * pulse);
    brightness = 0.1 + 0.9 * pulse * pulse * pulse;
    warmth = seed;
}
//[FRAG]
varying float brightness;
varying float warmth;

void main()
{
    vec2 d = gl_PointCoord * 2.0 - 1.0;
    float r2 = dot(d, d);
    if (r2 > 1.0)
        discard;
    float glow = (1.0 - r2) * (1.0 - r2) * brightness;
    vec3 tint = mix(vec3(1.0, 0.7, 0.3), vec3(0.7, 0.85, 1.0), warmth);
    gl_FragColor = vec4(tint * glow * 0.8, glow * 0.4);
}
