// Colour by world height: the tiles' outlines run from violet in the hollows to
// cyan on the crests, the box above them shades from deep blue to ice on top;
// everything dims with distance.
//[VERT]
attribute vec3 position;
uniform mat4 projectionMatrix;
uniform mat4 modelViewMatrix;
uniform mat4 modelWorldMatrix;
varying float height;
varying float distance;

void main()
{
    vec4 eye = modelViewMatrix * vec4(position, 1.0);
    height = (modelWorldMatrix * vec4(position, 1.0)).y;
    distance = -eye.z;
    gl_Position = projectionMatrix * eye;
}
//[FRAG]
uniform vec4 color;
varying float height;
varying float distance;

void main()
{
    vec3 land = mix(vec3(0.55, 0.2, 1.0), vec3(0.25, 1.0, 0.9), smoothstep(-1.35, -0.7, height));
    vec3 box = mix(vec3(0.08, 0.2, 0.55), vec3(0.8, 0.95, 1.0), smoothstep(-0.25, 0.25, height));
    vec3 tint = height > -0.5 ? box : land;
    float near = 1.0 - 0.6 * smoothstep(3.0, 10.0, distance);
    gl_FragColor = vec4(tint * near, 1.0) * color;
}
