// The cloud puffs of Clouds.glsl as quads, for puffs larger than the largest
// point the renderer draws: the same square in pixels around the same centre,
// the same shading. corner: (-1, -1) to (1, 1); the viewport in pixels.
//[VERT]
attribute vec3 position;
attribute vec4 color;
attribute vec2 corner;
uniform mat4 projectionMatrix;
uniform mat4 modelViewMatrix;
uniform float contentScale;
uniform float viewportWidth;
uniform float viewportHeight;
varying vec4 tint;
varying vec2 spriteCoord;

void main()
{
    vec4 ec = modelViewMatrix * vec4(position, 1.0);
    tint = color;
    float side = 150.0 * contentScale / max(-ec.z, 0.3);
    vec4 clip = projectionMatrix * ec;
    clip.xy += corner * side / vec2(viewportWidth, viewportHeight) * clip.w;
    spriteCoord = vec2(0.5 + 0.5 * corner.x, 0.5 - 0.5 * corner.y); // as gl_PointCoord, top row at 0
    gl_Position = clip;
}
//[FRAG]
uniform sampler2D tex0;
varying vec4 tint;
varying vec2 spriteCoord;

void main()
{
    vec4 puff = texture2D(tex0, spriteCoord);
    gl_FragColor = vec4(tint.rgb * puff.rgb, puff.a * (0.25 + 0.55 * tint.a));
}
