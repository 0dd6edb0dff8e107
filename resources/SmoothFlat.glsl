// Smooth against flat shading on one mesh: the normal blends from the
// interpolated vertex normal (x < 0, smooth) to the triangle's own normal
// (x > 0, faceted). Sky and ground light in color1 and color2, plus a highlight.
//[VERT]
attribute vec3 position;
attribute vec3 normal;
attribute vec3 flatNormal;
uniform mat4 projectionMatrix;
uniform mat4 modelViewMatrix;
varying vec3 ecNormal;
varying vec3 ecPosition;

void main()
{
    float faceted = smoothstep(-0.25, 0.25, position.x);
    ecNormal = mat3(modelViewMatrix) * mix(normal, flatNormal, faceted);
    vec4 ec = modelViewMatrix * vec4(position, 1.0);
    ecPosition = ec.xyz;
    gl_Position = projectionMatrix * ec;
}
//[FRAG]
uniform vec4 color;
uniform vec3 color1;
uniform vec3 color2;
varying vec3 ecNormal;
varying vec3 ecPosition;

void main()
{
    vec3 n = normalize(ecNormal);
    vec3 l = normalize(vec3(-0.4, 0.8, 0.6));
    vec3 hemisphere = mix(color2 * 0.55, color1, 0.5 + 0.5 * n.y);
    float diffuse = max(dot(n, l), 0.0);
    float specular = pow(max(dot(n, normalize(l - normalize(ecPosition))), 0.0), 30.0);
    vec3 c = color.rgb * (hemisphere * (0.45 + 0.6 * diffuse)) + vec3(0.6 * specular);
    gl_FragColor = vec4(c, color.a);
}
