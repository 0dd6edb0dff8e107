// Faceted diffuse light from each triangle's flat normal, with highlights and
// rim light from the smooth vertex normals: a cut-glass look.
//[VERT]
attribute vec3 position;
attribute vec3 normal;
attribute vec3 flatNormal;
uniform mat4 projectionMatrix;
uniform mat4 modelViewMatrix;
varying vec3 ecNormal;
varying vec3 ecFlatNormal;
varying vec3 ecPosition;

void main()
{
    ecNormal = mat3(modelViewMatrix) * normal;
    ecFlatNormal = mat3(modelViewMatrix) * flatNormal;
    vec4 ec = modelViewMatrix * vec4(position, 1.0);
    ecPosition = ec.xyz;
    gl_Position = projectionMatrix * ec;
}
//[FRAG]
uniform vec4 color;
uniform vec3 color1;
uniform vec3 color2;
varying vec3 ecNormal;
varying vec3 ecFlatNormal;
varying vec3 ecPosition;

void main()
{
    vec3 n = normalize(ecNormal);
    vec3 f = normalize(ecFlatNormal);
    vec3 v = normalize(-ecPosition);
    vec3 l = normalize(vec3(0.5, 0.7, 0.5));
    vec3 body = mix(vec3(0.12, 0.18, 0.35), color1, 0.35 + 0.65 * max(dot(f, l), 0.0));
    float specular = pow(max(dot(n, normalize(l + v)), 0.0), 60.0);
    float rim = pow(1.0 - max(dot(n, v), 0.0), 3.0);
    vec3 c = color.rgb * body + color2 * (0.8 * specular + 0.5 * rim);
    gl_FragColor = vec4(c, color.a);
}
