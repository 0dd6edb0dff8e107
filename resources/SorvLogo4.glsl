// The solid logo mark: dark polished metal lit by a warm key and a cool back light.
//[VERT]
attribute vec3 position;
attribute vec3 normal;
attribute vec3 normal2;
uniform mat4 projectionMatrix;
uniform mat4 modelViewMatrix;
varying vec3 eyePosition;
varying vec3 smoothNormal;
varying vec3 faceNormal;

void main()
{
    vec4 eye = modelViewMatrix * vec4(position, 1.0);
    eyePosition = eye.xyz;
    smoothNormal = (modelViewMatrix * vec4(normal2, 0.0)).xyz;
    faceNormal = (modelViewMatrix * vec4(normal, 0.0)).xyz;
    gl_Position = projectionMatrix * eye;
}
//[FRAG]
varying vec3 eyePosition;
varying vec3 smoothNormal;
varying vec3 faceNormal;

void main()
{
    vec3 n = normalize(mix(normalize(smoothNormal), normalize(faceNormal), 0.2));
    vec3 view = normalize(-eyePosition);
    if (dot(n, view) < 0.0)
        n = -n;
    vec3 key = normalize(vec3(0.5, 0.6, 0.6));
    vec3 back = normalize(vec3(-0.6, -0.3, -0.4));
    float keyLight = max(dot(n, key), 0.0);
    float backLight = max(dot(n, back), 0.0);
    float specular = pow(max(dot(reflect(-key, n), view), 0.0), 40.0);
    float rim = pow(1.0 - max(dot(n, view), 0.0), 3.0);

    vec3 color = vec3(0.06, 0.05, 0.12)
        + keyLight * vec3(0.42, 0.3, 0.36)
        + backLight * vec3(0.08, 0.22, 0.4)
        + specular * vec3(1.0, 0.85, 0.6)
        + rim * vec3(0.35, 0.5, 0.9);
    gl_FragColor = vec4(color, 1.0);
}
