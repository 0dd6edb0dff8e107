// Falling triangles: sky blue deep in the band warming to rose near its top,
// undersides dimmer than the faces turned to the camera, fading into the dark
// towards the far plane. Outlines are front-facing and so always bright.
//[VERT]
attribute vec3 position;
uniform mat4 projectionMatrix;
uniform mat4 modelViewMatrix;
varying float height;
varying float distance;

void main()
{
    vec4 eye = modelViewMatrix * vec4(position, 1.0);
    height = position.y;
    distance = -eye.z;
    gl_Position = projectionMatrix * eye;
}
//[FRAG]
uniform vec4 color;
varying float height;
varying float distance;

void main()
{
    float up = clamp((height + 10.0) / 11.0, 0.0, 1.0);
    vec3 tint = mix(vec3(0.15, 0.75, 1.0), vec3(1.0, 0.55, 0.85), up);
    float side = gl_FrontFacing ? 1.0 : 0.45;
    float fade = 1.0 - smoothstep(10.0, 55.0, distance);
    gl_FragColor = vec4(tint * side * fade, 1.0) * color;
}
