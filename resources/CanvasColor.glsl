// Flat colour in canvas units: (0, 0) is the bottom-left, (1, 1) the top-right of the viewport.
//[VERT]
attribute vec3 position;

void main()
{
    gl_Position = vec4(position.xy * 2.0 - 1.0, 0.0, 1.0);
}
//[FRAG]
uniform vec4 color;

void main()
{
    gl_FragColor = color;
}
