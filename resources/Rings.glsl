// Bands lit by a cold blue light circling the axis, each quad shimmering with
// its own random phase (normal2), both sides lit; color is added on top.
//[VERT]
attribute vec3 position;
attribute vec3 normal;
attribute vec3 normal2;
uniform mat4 projectionMatrix;
uniform mat4 modelViewMatrix;
uniform float time;
varying vec3 viewNormal;
varying vec3 viewPos;
varying float shimmer;
varying float height;

void main()
{
    vec4 p = modelViewMatrix * vec4(position, 1.0);
    viewPos = p.xyz;
    viewNormal = (modelViewMatrix * vec4(normal, 0.0)).xyz;
    shimmer = 0.75 + 0.25 * sin(time * (1.5 + normal2.y) + normal2.x * 6.2832);
    height = position.y;
    gl_Position = projectionMatrix * p;
}
//[FRAG]
uniform vec4 color;
uniform float time;
varying vec3 viewNormal;
varying vec3 viewPos;
varying float shimmer;
varying float height;

void main()
{
    vec3 n = normalize(viewNormal);
    vec3 toEye = normalize(-viewPos);
    if (dot(n, toEye) < 0.0)
        n = -n;
    vec3 l = normalize(vec3(0.4, 0.7, 0.6));
    float diffuse = max(dot(n, l), 0.0);
    float rim = pow(1.0 - max(dot(n, toEye), 0.0), 2.0);
    vec3 deep = vec3(0.02, 0.08, 0.25);
    vec3 lit = vec3(0.25, 0.6, 1.0);
    vec3 c = deep + lit * diffuse * shimmer + vec3(0.6, 0.85, 1.0) * rim * 0.6;
    // Faint bright stripes running up the bands.
    c += vec3(0.2, 0.35, 0.5) * smoothstep(0.92, 1.0, sin(height * 6.0 - time * 2.0));
    gl_FragColor = vec4(c + color.rgb, 1.0);
}
