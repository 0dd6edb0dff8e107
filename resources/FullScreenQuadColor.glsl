// One flat colour over the whole viewport.
//[VERT]
attribute vec2 position;

void main()
{
    gl_Position = vec4(position, 0.0, 1.0);
}
//[FRAG]
uniform vec4 color;

void main()
{
    gl_FragColor = color;
}
