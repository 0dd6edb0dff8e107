// Off-screen landscape tinted by a vertical gradient, with a soft glow from
// four diagonal taps; added onto the screen.
//[VERT]
attribute vec2 position;
attribute vec2 texCoord0;
varying vec2 uv;

void main()
{
    uv = texCoord0;
    gl_Position = vec4(position, 0.0, 1.0);
}
//[FRAG]
uniform sampler2D baseTex;
uniform sampler2D blendTex;
varying vec2 uv;

// A texel of the 256 x 256 target at content scale 1: the glow keeps its
// reach in the picture when the target has more texels.
const float texel = 1.0 / 256.0;

void main()
{
    vec3 scene = texture2D(baseTex, uv).rgb;
    vec3 glow = texture2D(baseTex, uv + vec2(texel, texel) * 1.5).rgb
              + texture2D(baseTex, uv + vec2(-texel, texel) * 1.5).rgb
              + texture2D(baseTex, uv + vec2(texel, -texel) * 1.5).rgb
              + texture2D(baseTex, uv + vec2(-texel, -texel) * 1.5).rgb;
    vec3 tint = texture2D(blendTex, vec2(0.5, uv.y)).rgb;
    gl_FragColor = vec4((scene * 1.1 + glow * 0.15) * tint, 1.0);
}
