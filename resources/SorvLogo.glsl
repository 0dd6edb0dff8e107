// The logo in two passes: maskSign +1 keeps the faces turned to the camera and
// shades them as warm copper; -1 keeps those turned away (seen through the
// openings) and lets them glow violet from inside.
//[VERT]
attribute vec3 position;
attribute vec3 normal;
attribute vec3 normal2;
uniform mat4 projectionMatrix;
uniform mat4 modelViewMatrix;
varying vec3 eyePosition;
varying vec3 faceNormal;
varying vec3 smoothNormal;

void main()
{
    vec4 eye = modelViewMatrix * vec4(position, 1.0);
    eyePosition = eye.xyz;
    faceNormal = (modelViewMatrix * vec4(normal, 0.0)).xyz;
    smoothNormal = (modelViewMatrix * vec4(normal2, 0.0)).xyz;
    gl_Position = projectionMatrix * eye;
}
//[FRAG]
uniform float maskSign;
varying vec3 eyePosition;
varying vec3 faceNormal;
varying vec3 smoothNormal;

void main()
{
    vec3 view = normalize(-eyePosition);
    vec3 face = normalize(faceNormal);
    float facing = dot(face, view);
    if (facing * maskSign < 0.0)
        discard;

    vec3 color;
    if (maskSign > 0.0) {
        vec3 n = normalize(mix(normalize(smoothNormal), face, 0.25));
        if (dot(n, view) < 0.0)
            n = -n;
        vec3 sun = normalize(vec3(-0.5, 0.6, 0.6));
        vec3 fill = normalize(vec3(0.8, -0.3, 0.3));
        float diffuse = max(dot(n, sun), 0.0);
        float back = max(dot(n, fill), 0.0);
        float specular = pow(max(dot(reflect(-sun, n), view), 0.0), 40.0);
        float rim = pow(1.0 - max(dot(n, view), 0.0), 3.0);
        vec3 copper = vec3(0.95, 0.48, 0.2);
        color = copper * (0.15 + 0.9 * diffuse) + back * vec3(0.1, 0.12, 0.3)
              + specular * vec3(1.0, 0.85, 0.6) * 0.8 + rim * vec3(1.0, 0.55, 0.3) * 0.5;
    } else {
        float depth = clamp(-facing, 0.0, 1.0);
        color = mix(vec3(0.55, 0.15, 0.8), vec3(0.2, 0.05, 0.35), depth);
    }
    gl_FragColor = vec4(color, 1.0);
}
