// Points on the logo's surface, drawn opaque as round beads just above it:
// tinted gold to ice blue by the smooth normal's direction, lit by the key
// light with a bright core, smaller with distance. Sizes are in points:
// contentScale pixels each.
//[VERT]
attribute vec3 position;
attribute vec3 normal;
attribute vec3 normal2;
uniform mat4 projectionMatrix;
uniform mat4 modelViewMatrix;
uniform float contentScale;
varying vec3 tint;

void main()
{
    vec3 n = normalize(normal2 + 0.001 * normal);
    vec4 eye = modelViewMatrix * vec4(position + n * 0.06, 1.0);
    gl_Position = projectionMatrix * eye;
    gl_PointSize = clamp(24.0 / max(-eye.z, 0.1), 1.5, 5.0) * contentScale;

    vec3 eyeNormal = normalize((modelViewMatrix * vec4(n, 0.0)).xyz);
    float facing = 0.5 + 0.5 * eyeNormal.y;
    vec3 base = mix(vec3(1.0, 0.62, 0.22), vec3(0.45, 0.8, 1.0), facing);
    float light = 0.35 + 0.65 * max(dot(eyeNormal, normalize(vec3(0.5, 0.6, 0.6))), 0.0);
    tint = base * light;
}
//[FRAG]
varying vec3 tint;

void main()
{
    vec2 d = gl_PointCoord * 2.0 - 1.0;
    float r2 = dot(d, d);
    if (r2 > 1.0)
        discard;
    float core = 1.0 - r2;
    gl_FragColor = vec4(tint * (0.55 + 0.45 * core) + vec3(0.5) * core * core * core, 1.0);
}
