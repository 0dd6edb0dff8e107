// One point light, evaluated at every pixel from the interpolated position and
// normal: round highlights even on a coarse mesh. lightPos is in eye space.
//[VERT]
attribute vec3 position;
attribute vec3 normal;
uniform mat4 projectionMatrix;
uniform mat4 modelViewMatrix;
varying vec3 ecPosition;
varying vec3 ecNormal;

void main()
{
    vec4 ec = modelViewMatrix * vec4(position, 1.0);
    ecPosition = ec.xyz;
    ecNormal = mat3(modelViewMatrix) * normal;
    gl_Position = projectionMatrix * ec;
}
//[FRAG]
uniform vec3 lightPos;
uniform vec3 color;
varying vec3 ecPosition;
varying vec3 ecNormal;

void main()
{
    vec3 n = normalize(ecNormal);
    vec3 l = normalize(lightPos - ecPosition);
    vec3 h = normalize(l + normalize(-ecPosition));
    float diffuse = max(dot(n, l), 0.0);
    float specular = pow(max(dot(n, h), 0.0), 48.0);
    gl_FragColor = vec4(color * (0.12 + 0.88 * diffuse) + vec3(0.8 * specular), 1.0);
}
