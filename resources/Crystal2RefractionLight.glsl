// The crystal seen from outside. Each facet refracts the view ray into
// internalReflectionMap (the surroundings rendered from the crystal's centre)
// and reflects it into the sky envMap, mixed by a Fresnel term; diffuse light
// tints the facets from diffuseColor at the bottom to diffuseColor2 at the top,
// and each facet glints when its blink phase comes round.
//[VERT]
attribute vec3 position;
attribute vec3 normal;
attribute float blink;
attribute vec3 snormal;
uniform mat4 projectionMatrix;
uniform mat4 modelViewMatrix;
uniform mat4 modelWorldMatrix;
varying vec3 worldPosition;
varying vec3 worldNormal;
varying vec3 smoothNormal;
varying float height;
varying float phase;

void main()
{
    worldPosition = (modelWorldMatrix * vec4(position, 1.0)).xyz;
    worldNormal = mat3(modelWorldMatrix) * normal;
    smoothNormal = mat3(modelWorldMatrix) * snormal;
    height = position.y;
    phase = blink;
    gl_Position = projectionMatrix * modelViewMatrix * vec4(position, 1.0);
}
//[FRAG]
uniform samplerCube envMap;
uniform samplerCube internalReflectionMap;
uniform vec3 camPos;
uniform vec4 ambientColor;
uniform vec4 diffuseColor;
uniform vec4 diffuseColor2;
uniform vec4 specularColor;
uniform float time;
uniform float internalMix;
varying vec3 worldPosition;
varying vec3 worldNormal;
varying vec3 smoothNormal;
varying float height;
varying float phase;

void main()
{
    vec3 i = normalize(worldPosition - camPos);
    vec3 n = worldNormal;
    if (dot(n, n) < 1e-6)
        n = smoothNormal; // the collapsed triangles at the tips have no face normal
    n = normalize(n);
    if (dot(n, i) > 0.0)
        n = -n; // back facets, seen through the front ones
    vec3 l = normalize(vec3(0.4, 0.9, 0.3));

    vec3 inside = textureCube(internalReflectionMap, refract(i, n, 0.66)).rgb;
    vec3 outside = textureCube(envMap, reflect(i, n)).rgb;
    float fresnel = 0.15 + 0.85 * pow(1.0 - max(dot(-i, n), 0.0), 3.0);
    vec4 tint = mix(diffuseColor, diffuseColor2, clamp(height * 0.55 + 0.5, 0.0, 1.0));
    float diffuse = max(dot(n, l), 0.0);
    vec3 body = ambientColor.rgb + tint.rgb * (0.35 + 0.65 * diffuse);
    vec3 c = mix(body, body * 0.5 + inside * 0.8, internalMix);
    c = mix(c, outside, fresnel);
    float glint = pow(max(sin(time + phase * 6.2831853), 0.0), 24.0);
    float highlight = pow(max(dot(reflect(i, n), l), 0.0), 30.0);
    c += specularColor.rgb * (highlight + glint) * specularColor.a * 2.0;
    gl_FragColor = vec4(c, mix(tint.a, 1.0, fresnel));
}
