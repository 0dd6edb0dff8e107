// Sky triangles: rose low down, blush high up, a soft sheen across the facets,
// sinking into a dusky violet with distance.
//[VERT]
attribute vec3 position;
uniform mat4 projectionMatrix;
uniform mat4 modelViewMatrix;
varying vec3 world;
varying float distance;

void main()
{
    vec4 eye = modelViewMatrix * vec4(position, 1.0);
    world = position;
    distance = -eye.z;
    gl_Position = projectionMatrix * eye;
}
//[FRAG]
uniform vec4 color;
varying vec3 world;
varying float distance;

void main()
{
    float height = clamp((world.y - 3.0) / 12.0, 0.0, 1.0);
    vec3 tint = mix(vec3(0.93, 0.25, 0.55), vec3(1.0, 0.8, 0.9), height);
    float sheen = 0.8 + 0.2 * sin(world.x * 1.7 + world.y * 2.9 + world.z * 0.8);
    float haze = smoothstep(4.0, 40.0, distance);
    vec3 dusk = vec3(0.24, 0.05, 0.2);
    gl_FragColor = vec4(mix(tint * sheen, dusk, haze), 1.0) * color;
}
