// The crystal as its own centre sees it, for the cube-map faces: translucent
// coloured facets over the sky, brighter where they face the light.
//[VERT]
attribute vec3 position;
attribute vec3 normal;
attribute vec3 snormal;
uniform mat4 projectionMatrix;
uniform mat4 modelViewMatrix;
uniform mat4 modelWorldMatrix;
varying vec3 worldPosition;
varying vec3 worldNormal;
varying float height;

void main()
{
    worldPosition = (modelWorldMatrix * vec4(position, 1.0)).xyz;
    vec3 n = dot(normal, normal) < 1e-6 ? snormal : normal;
    worldNormal = mat3(modelWorldMatrix) * n;
    height = position.y;
    gl_Position = projectionMatrix * modelViewMatrix * vec4(position, 1.0);
}
//[FRAG]
uniform samplerCube envMap;
uniform vec3 camPos;
uniform vec4 ambientColor;
uniform vec4 diffuseColor;
uniform vec4 diffuseColor2;
uniform vec4 specularColor;
varying vec3 worldPosition;
varying vec3 worldNormal;
varying float height;

void main()
{
    vec3 n = normalize(worldNormal);
    vec3 i = normalize(worldPosition - camPos);
    vec4 tint = mix(diffuseColor, diffuseColor2, clamp(height * 0.55 + 0.5, 0.0, 1.0));
    float diffuse = abs(dot(n, normalize(vec3(0.4, 0.9, 0.3))));
    vec3 mirrored = textureCube(envMap, reflect(i, n)).rgb;
    vec3 c = ambientColor.rgb * ambientColor.a + tint.rgb * diffuse + mirrored * specularColor.a * 0.3;
    gl_FragColor = vec4(c, tint.a);
}
