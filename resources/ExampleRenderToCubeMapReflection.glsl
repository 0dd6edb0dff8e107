// A mirror: the world-space view ray reflected about the normal looks up the
// cube map that was rendered from the object's centre this frame.
//[VERT]
attribute vec3 position;
attribute vec3 normal;
uniform mat4 projectionMatrix;
uniform mat4 modelViewMatrix;
uniform mat4 modelWorldMatrix;
uniform vec3 camPos;
varying vec3 incident;
varying vec3 worldNormal;

void main()
{
    vec3 world = (modelWorldMatrix * vec4(position, 1.0)).xyz;
    incident = world - camPos;
    worldNormal = mat3(modelWorldMatrix) * normal;
    gl_Position = projectionMatrix * modelViewMatrix * vec4(position, 1.0);
}
//[FRAG]
uniform samplerCube tex0;
varying vec3 incident;
varying vec3 worldNormal;

void main()
{
    vec3 i = normalize(incident);
    vec3 n = normalize(worldNormal);
    vec3 mirrored = textureCube(tex0, reflect(i, n)).rgb;
    // Grazing angles reflect more, facing ones show a little of the chrome's own grey.
    float fresnel = 0.6 + 0.4 * pow(1.0 - max(dot(-i, n), 0.0), 3.0);
    gl_FragColor = vec4(mix(vec3(0.25, 0.27, 0.3), mirrored, fresnel), 1.0);
}
