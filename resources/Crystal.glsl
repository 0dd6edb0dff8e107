// One colour, darkened with distance from the viewer so the far side of the
// cage recedes.
//[VERT]
attribute vec3 position;
uniform mat4 projectionMatrix;
uniform mat4 modelViewMatrix;
varying float fade;

void main()
{
    vec4 ec = modelViewMatrix * vec4(position, 1.0);
    fade = clamp(1.6 - 0.2 * -ec.z, 0.45, 1.0);
    gl_Position = projectionMatrix * ec;
}
//[FRAG]
uniform vec4 color;
varying float fade;

void main()
{
    gl_FragColor = vec4(color.rgb * fade, color.a);
}
