// A pale cube lit only by the room around it: the normal looks up the room's
// cube map, so each side takes the colour of the wall it faces. The normals
// are the rounded corner directions, which softens the edges.
//[VERT]
attribute vec3 position;
attribute vec3 normal;
uniform mat4 projectionMatrix;
uniform mat4 modelViewMatrix;
uniform mat4 modelWorldMatrix;
uniform mat3 normalMatrix;
varying vec3 worldNormal;
varying vec3 local;
varying float height;

void main()
{
    worldNormal = normalMatrix * normal;
    local = position;
    height = (modelWorldMatrix * vec4(position, 1.0)).y;
    gl_Position = projectionMatrix * modelViewMatrix * vec4(position, 1.0);
}
//[FRAG]
uniform samplerCube envMap;
varying vec3 worldNormal;
varying vec3 local;
varying float height;

void main()
{
    vec3 n = normalize(worldNormal);
    vec3 bounce = textureCube(envMap, n).rgb;
    vec3 sky = textureCube(envMap, vec3(0.0, 1.0, 0.0)).rgb;
    vec3 a = abs(local);
    float second = a.x + a.y + a.z - max(max(a.x, a.y), a.z) - min(min(a.x, a.y), a.z);
    float crease = 1.0 - 0.3 * smoothstep(0.6, 1.0, second);
    float open = 0.75 + 0.25 * clamp(n.y * 0.5 + 0.5, 0.0, 1.0) + 0.05 * height;
    vec3 light = bounce * 1.1 + sky * 0.15;
    gl_FragColor = vec4(vec3(0.92, 0.9, 0.88) * light * crease * open, 1.0);
}
