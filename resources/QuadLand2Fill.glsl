// Landscape quads: the colour lit by a low sun from the far left, fading into
// the dark towards the horizon. Normals are world-space face normals, not
// normalised (the landscape is drawn without a model transform).
//[VERT]
attribute vec3 position;
attribute vec3 normal;
uniform mat4 projectionMatrix;
uniform mat4 modelViewMatrix;
varying vec3 faceNormal;
varying float distance;

void main()
{
    vec4 eye = modelViewMatrix * vec4(position, 1.0);
    faceNormal = normal;
    distance = -eye.z;
    gl_Position = projectionMatrix * eye;
}
//[FRAG]
uniform vec4 color;
varying vec3 faceNormal;
varying float distance;

const vec3 sun = vec3(-0.45, 0.75, -0.5);

void main()
{
    vec3 n = normalize(faceNormal);
    float diffuse = max(dot(n, normalize(sun)), 0.0);
    // Steep slopes glow a little warmer than the flats.
    float slope = 1.0 - n.y;
    vec3 lit = color.rgb * (0.3 + 0.85 * diffuse) + vec3(0.25, 0.05, 0.0) * slope;
    float haze = 1.0 - smoothstep(35.0, 92.0, distance);
    gl_FragColor = vec4(lit * haze, color.a);
}
