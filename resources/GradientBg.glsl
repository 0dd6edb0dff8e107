// A vertical two-colour gradient across the viewport: color1 at the top, color2 at the bottom.
//[VERT]
attribute vec2 position;
attribute vec2 texCoord0;
varying float height;

void main()
{
    height = texCoord0.y;
    gl_Position = vec4(position, 0.0, 1.0);
}
//[FRAG]
uniform vec3 color1;
uniform vec3 color2;
varying float height;

void main()
{
    gl_FragColor = vec4(mix(color2, color1, smoothstep(0.0, 1.0, height)), 1.0);
}
