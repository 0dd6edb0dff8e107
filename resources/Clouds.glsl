// Soft cloud puffs as point sprites, sized by distance, tinted by their colour
// and faded by its alpha. contentScale: the frame's pixels per point.
//[VERT]
attribute vec3 position;
attribute vec4 color;
uniform mat4 projectionMatrix;
uniform mat4 modelViewMatrix;
uniform float contentScale;
varying vec4 tint;

void main()
{
    vec4 ec = modelViewMatrix * vec4(position, 1.0);
    tint = color;
    gl_PointSize = 150.0 * contentScale / max(-ec.z, 0.3);
    gl_Position = projectionMatrix * ec;
}
//[FRAG]
uniform sampler2D tex0;
varying vec4 tint;

void main()
{
    vec4 puff = texture2D(tex0, gl_PointCoord);
    gl_FragColor = vec4(tint.rgb * puff.rgb, puff.a * (0.25 + 0.55 * tint.a));
}
