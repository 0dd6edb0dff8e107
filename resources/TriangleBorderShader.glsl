// The spinning triangle's rim: its colour, pulsing gently.
//[VERT]
attribute vec3 position;
uniform mat4 projectionMatrix;
uniform mat4 modelViewMatrix;

void main()
{
    gl_Position = projectionMatrix * modelViewMatrix * vec4(position, 1.0);
}
//[FRAG]
uniform vec4 color;
uniform float time;

void main()
{
    gl_FragColor = vec4(color.rgb * (0.85 + 0.15 * sin(time * 6.0)), color.a);
}
