// Edge lines in one colour, fading out with distance so the far edges seen
// through the crystal stay faint.
//[VERT]
attribute vec3 position;
uniform mat4 projectionMatrix;
uniform mat4 modelViewMatrix;
varying float nearness;

void main()
{
    vec4 ec = modelViewMatrix * vec4(position, 1.0);
    nearness = clamp(2.6 - 0.8 * -ec.z, 0.2, 1.0);
    gl_Position = projectionMatrix * ec;
}
//[FRAG]
uniform vec4 color;
varying float nearness;

void main()
{
    gl_FragColor = vec4(color.rgb, color.a * nearness);
}
