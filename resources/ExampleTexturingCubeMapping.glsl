// Cube mapping. Objects (skybox 0) reflect the world-space view ray about their
// normal into the cube map tex0, tinted faintly by the checker tex1; scale
// shrinks the object about its origin. The sky (skybox 1, also spelt skyBox)
// shows the cube map in the direction of each vertex of a sphere around the eye.
//[VERT]
attribute vec3 position;
attribute vec3 normal;
attribute vec2 texCoord0;
uniform mat4 projectionMatrix;
uniform mat4 modelViewMatrix;
uniform mat4 modelWorldMatrix;
uniform vec3 camPos;
uniform float scale;
varying vec3 direction;
varying vec3 worldNormal;
varying vec2 uv;
varying vec3 sky;

void main()
{
    vec3 p = position * scale;
    direction = (modelWorldMatrix * vec4(p, 1.0)).xyz - camPos;
    worldNormal = mat3(modelWorldMatrix) * normal;
    uv = texCoord0 * vec2(1.5, 0.5);
    gl_Position = projectionMatrix * modelViewMatrix * vec4(p, 1.0);
    // The sky direction is the sphere's own (world-space) position.
    sky = position;
}
//[FRAG]
uniform samplerCube tex0;
uniform sampler2D tex1;
uniform float skybox;
uniform float skyBox;
varying vec3 direction;
varying vec3 worldNormal;
varying vec2 uv;
varying vec3 sky;

void main()
{
    if (max(skybox, skyBox) > 0.5) {
        gl_FragColor = vec4(textureCube(tex0, sky).rgb, 1.0);
        return;
    }
    vec3 i = normalize(direction);
    vec3 n = normalize(worldNormal);
    vec3 mirrored = textureCube(tex0, reflect(i, n)).rgb;
    float fresnel = 0.65 + 0.35 * pow(1.0 - max(dot(-i, n), 0.0), 2.0);
    float check = texture2D(tex1, uv).r;
    gl_FragColor = vec4(mirrored * fresnel * (0.85 + 0.15 * check), 1.0);
}
