// Inside of a box lined with a cube map, looked up by the direction from the
// centre; the corners and edges of the room fall into a soft shade.
//[VERT]
attribute vec3 position;
uniform mat4 projectionMatrix;
uniform mat4 modelViewMatrix;
varying vec3 direction;

void main()
{
    direction = position;
    gl_Position = projectionMatrix * modelViewMatrix * vec4(position, 1.0);
}
//[FRAG]
uniform samplerCube envMap;
varying vec3 direction;

void main()
{
    vec3 a = abs(direction) / max(max(abs(direction.x), abs(direction.y)), abs(direction.z));
    float second = a.x + a.y + a.z - 1.0 - min(min(a.x, a.y), a.z);
    float shade = 1.0 - 0.45 * smoothstep(0.55, 1.0, second);
    gl_FragColor = vec4(textureCube(envMap, normalize(direction)).rgb * shade, 1.0);
}
