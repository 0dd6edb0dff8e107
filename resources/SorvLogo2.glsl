// The logo cut by a slanted plane through its centre: maskSign +1 keeps one
// side as polished steel, -1 the other side as thin glowing slices.
//[VERT]
attribute vec3 position;
attribute vec3 normal;
attribute vec3 normal2;
uniform mat4 projectionMatrix;
uniform mat4 modelViewMatrix;
varying vec3 eyePosition;
varying vec3 smoothNormal;
varying vec3 model;

void main()
{
    vec4 eye = modelViewMatrix * vec4(position, 1.0);
    eyePosition = eye.xyz;
    smoothNormal = (modelViewMatrix * vec4(mix(normal2, normal, 0.2), 0.0)).xyz;
    model = position;
    gl_Position = projectionMatrix * eye;
}
//[FRAG]
uniform float maskSign;
varying vec3 eyePosition;
varying vec3 smoothNormal;
varying vec3 model;

void main()
{
    float side = dot(model, normalize(vec3(1.0, 0.45, 0.2)));
    if (side * maskSign < 0.0)
        discard;

    vec3 view = normalize(-eyePosition);
    vec3 n = normalize(smoothNormal);
    if (dot(n, view) < 0.0)
        n = -n;
    vec3 color;
    if (maskSign > 0.0) {
        vec3 light = normalize(vec3(-0.5, 0.6, 0.6));
        float diffuse = max(dot(n, light), 0.0);
        float specular = pow(max(dot(reflect(-light, n), view), 0.0), 48.0);
        vec3 sky = mix(vec3(0.05, 0.06, 0.15), vec3(0.45, 0.55, 0.8), n.y * 0.5 + 0.5);
        color = sky * 0.6 + vec3(0.8, 0.85, 0.95) * diffuse * 0.8 + specular * vec3(1.0);
    } else {
        if (fract(model.y * 2.0) > 0.55)
            discard;
        float edge = 1.0 - smoothstep(0.0, 2.5, side * maskSign);
        float rim = pow(1.0 - max(dot(n, view), 0.0), 2.0);
        color = mix(vec3(0.1, 0.9, 1.0), vec3(1.0, 0.3, 0.8), clamp(model.y / 6.0 + 0.5, 0.0, 1.0))
              * (0.55 + 0.45 * rim) * (0.6 + 0.6 * edge);
    }
    gl_FragColor = vec4(color, 1.0);
}
