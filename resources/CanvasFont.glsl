// Glyphs in canvas units, their coverage (the atlas alpha) taken as the colour's alpha.
//[VERT]
attribute vec3 position;
attribute vec2 texCoord0;
varying vec2 uv;

void main()
{
    uv = texCoord0;
    gl_Position = vec4(position.xy * 2.0 - 1.0, 0.0, 1.0);
}
//[FRAG]
uniform sampler2D fontTex;
uniform vec4 color;
varying vec2 uv;

void main()
{
    gl_FragColor = vec4(color.rgb, color.a * texture2D(fontTex, uv).a);
}
