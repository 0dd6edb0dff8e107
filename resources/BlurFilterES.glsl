// One direction of a separable Gaussian blur: nine binomial taps (1 8 28 56 70 56 28 8 1)/256
// spaced (ds, dt) apart.
//[VERT]
attribute vec2 position;
attribute vec2 texCoord0;
uniform float ds;
uniform float dt;
varying vec2 uv0;
varying vec4 uvNear; // taps at -1 and +1 steps
varying vec4 uvMid;  // -2, +2
varying vec4 uvFar;  // -3, +3
varying vec4 uvEdge; // -4, +4

void main()
{
    vec2 step = vec2(ds, dt);
    uv0 = texCoord0;
    uvNear = vec4(texCoord0 - step, texCoord0 + step);
    uvMid = vec4(texCoord0 - 2.0 * step, texCoord0 + 2.0 * step);
    uvFar = vec4(texCoord0 - 3.0 * step, texCoord0 + 3.0 * step);
    uvEdge = vec4(texCoord0 - 4.0 * step, texCoord0 + 4.0 * step);
    gl_Position = vec4(position, 0.0, 1.0);
}
//[FRAG]
uniform sampler2D tex0;
varying vec2 uv0;
varying vec4 uvNear;
varying vec4 uvMid;
varying vec4 uvFar;
varying vec4 uvEdge;

void main()
{
    vec4 sum = texture2D(tex0, uv0) * 0.2734375;
    sum += (texture2D(tex0, uvNear.xy) + texture2D(tex0, uvNear.zw)) * 0.21875;
    sum += (texture2D(tex0, uvMid.xy) + texture2D(tex0, uvMid.zw)) * 0.109375;
    sum += (texture2D(tex0, uvFar.xy) + texture2D(tex0, uvFar.zw)) * 0.03125;
    sum += (texture2D(tex0, uvEdge.xy) + texture2D(tex0, uvEdge.zw)) * 0.00390625;
    gl_FragColor = sum;
}
