// The logo mark in two tones: maskSign +1 keeps the half at x > 0 in gold,
// -1 the half at x < 0 in ice blue. Facets (normal) mixed with smooth shading (normal2).
//[VERT]
attribute vec3 position;
attribute vec3 normal;
attribute vec3 normal2;
uniform mat4 projectionMatrix;
uniform mat4 modelViewMatrix;
uniform float maskSign;
varying vec3 eyePosition;
varying vec3 faceNormal;
varying vec3 smoothNormal;
varying float side;

void main()
{
    vec4 eye = modelViewMatrix * vec4(position, 1.0);
    eyePosition = eye.xyz;
    faceNormal = (modelViewMatrix * vec4(normal, 0.0)).xyz;
    smoothNormal = (modelViewMatrix * vec4(normal2, 0.0)).xyz;
    side = maskSign * position.x;
    gl_Position = projectionMatrix * eye;
}
//[FRAG]
uniform float maskSign;
varying vec3 eyePosition;
varying vec3 faceNormal;
varying vec3 smoothNormal;
varying float side;

void main()
{
    if (side < 0.0)
        discard;
    vec3 n = normalize(mix(normalize(smoothNormal), normalize(faceNormal), 0.35));
    vec3 view = normalize(-eyePosition);
    if (dot(n, view) < 0.0)
        n = -n;
    vec3 light = normalize(vec3(-0.4, 0.7, 0.6));
    float diffuse = max(dot(n, light), 0.0);
    float specular = pow(max(dot(reflect(-light, n), view), 0.0), 24.0);
    float rim = pow(1.0 - max(dot(n, view), 0.0), 2.5);

    vec3 base = maskSign > 0.0 ? vec3(1.0, 0.62, 0.18) : vec3(0.3, 0.78, 1.0);
    vec3 shade = maskSign > 0.0 ? vec3(0.35, 0.08, 0.12) : vec3(0.05, 0.1, 0.35);
    vec3 color = mix(shade, base, diffuse) + specular * vec3(1.0, 0.95, 0.85) + rim * base * 0.8;
    gl_FragColor = vec4(color, 1.0);
}
