// Two point lights evaluated per pixel: the moving light in eye space (ecLightPos,
// diffuseColor, with a specular highlight), the second one in world space
// (lightPos2, diffuseColor2). Both fall off with distance.
//[VERT]
attribute vec3 position;
attribute vec3 normal;
uniform mat4 projectionMatrix;
uniform mat4 modelViewMatrix;
uniform mat4 modelWorldMatrix;
varying vec3 ecPosition;
varying vec3 ecNormal;
varying vec3 worldPosition;
varying vec3 worldNormal;

void main()
{
    vec4 ec = modelViewMatrix * vec4(position, 1.0);
    ecPosition = ec.xyz;
    ecNormal = mat3(modelViewMatrix) * normal;
    worldPosition = (modelWorldMatrix * vec4(position, 1.0)).xyz;
    worldNormal = mat3(modelWorldMatrix) * normal;
    gl_Position = projectionMatrix * ec;
}
//[FRAG]
uniform vec3 ecLightPos;
uniform vec3 lightPos2;
uniform vec3 cameraPos;
uniform vec4 ambientColor;
uniform vec4 diffuseColor;
uniform vec4 diffuseColor2;
uniform vec4 specularColor;
varying vec3 ecPosition;
varying vec3 ecNormal;
varying vec3 worldPosition;
varying vec3 worldNormal;

float falloff(float d) { return 1.0 / (1.0 + 0.02 * d * d); }

void main()
{
    vec3 n = normalize(ecNormal);
    vec3 toLight = ecLightPos - ecPosition;
    vec3 l = normalize(toLight);
    vec3 v = normalize(-ecPosition);
    float a1 = falloff(length(toLight));
    float diffuse1 = max(dot(n, l), 0.0) * a1;
    float specular = pow(max(dot(n, normalize(l + v)), 0.0), 40.0) * a1;

    vec3 wn = normalize(worldNormal);
    vec3 toLight2 = lightPos2 - worldPosition;
    float a2 = falloff(length(toLight2));
    float diffuse2 = max(dot(wn, normalize(toLight2)), 0.0) * a2;
    float specular2 = pow(max(dot(wn, normalize(normalize(toLight2) + normalize(cameraPos - worldPosition))), 0.0), 40.0) * a2;

    vec3 c = ambientColor.rgb + diffuseColor.rgb * diffuse1 + diffuseColor2.rgb * diffuse2
           + specularColor.rgb * (specular + 0.5 * specular2);
    gl_FragColor = vec4(c, 1.0);
}
