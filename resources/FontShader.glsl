// Text of the second bitmap font in canvas units, with a one-texel dark drop shadow
// so it stays readable over bright frames.
//[VERT]
attribute vec3 position;
attribute vec2 texCoord0;
varying vec2 uv;

void main()
{
    uv = texCoord0;
    gl_Position = vec4(position.x * 2.0 - 1.0, position.y * 2.0 - 1.0, 0.0, 1.0);
}
//[FRAG]
uniform sampler2D fontTex;
uniform vec4 color;
varying vec2 uv;

void main()
{
    float glyph = texture2D(fontTex, uv).a;
    float shadow = texture2D(fontTex, uv - vec2(1.0 / 256.0)).a;
    float alpha = max(glyph, 0.6 * shadow);
    vec3 rgb = color.rgb * glyph / max(alpha, 0.001);
    gl_FragColor = vec4(rgb, color.a * alpha);
}
