// Spherical environment mapping: the eye-space reflection vector picks a texel
// of a light-probe picture of a mirror ball, so the torus looks like chrome in
// the room the probe shows.
//[VERT]
attribute vec3 position;
attribute vec3 normal;
uniform mat4 projectionMatrix;
uniform mat4 modelViewMatrix;
varying vec2 uv;

void main()
{
    vec4 ec = modelViewMatrix * vec4(position, 1.0);
    vec3 i = normalize(ec.xyz);
    vec3 n = normalize(mat3(modelViewMatrix) * normal);
    vec3 r = reflect(i, n);
    float m = 2.0 * sqrt(r.x * r.x + r.y * r.y + (r.z + 1.0) * (r.z + 1.0));
    uv = r.xy / m + 0.5;
    gl_Position = projectionMatrix * ec;
}
//[FRAG]
uniform sampler2D tex0;
uniform float time;
varying vec2 uv;

void main()
{
    vec3 c = texture2D(tex0, vec2(uv.x, 1.0 - uv.y)).rgb;
    // A faint breathing of the exposure.
    gl_FragColor = vec4(c * (1.05 + 0.05 * sin(time)), 1.0);
}
