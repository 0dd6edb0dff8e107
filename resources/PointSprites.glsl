// Point sprites between two pictures. time is a phase: at pi the points rest
// on the first picture (position), at 3 pi on the second (position2), at 5 pi
// on the first again. Half-way they are pulled flat (position3) and thrown
// along their velocity. Each sprite is the flare tinted by its pixel, sized in
// points (contentScale: the frame's pixels per point).
//[VERT]
attribute vec3 position;
attribute vec3 position2;
attribute vec3 position3;
attribute vec3 velocity;
attribute vec2 texCoord0;
uniform mat4 projectionMatrix;
uniform mat4 modelViewMatrix;
uniform float time;
uniform float contentScale;
varying vec2 uv;
varying float toSecond;

void main()
{
    float a = (time - 3.1415927) * 0.5;
    toSecond = 0.5 - 0.5 * cos(a);
    float burst = sin(a) * sin(a);
    vec3 p = mix(position, position2, toSecond);
    p = mix(p, position3, burst) + velocity * (0.9 * burst * burst);
    vec4 ec = modelViewMatrix * vec4(p, 1.0);
    uv = texCoord0;
    gl_PointSize = 4.5 * 6.3 * contentScale / max(-ec.z, 0.5);
    gl_Position = projectionMatrix * ec;
}
//[FRAG]
uniform sampler2D tex0;
uniform sampler2D tex1;
uniform sampler2D tex2;
varying vec2 uv;
varying float toSecond;

void main()
{
    vec3 pixel = mix(texture2D(tex1, uv).rgb, texture2D(tex2, uv).rgb, toSecond);
    // The flare's core sharpens each sprite; a broad round falloff keeps the
    // densely overlapping sprites from beating against the pixel grid.
    vec4 flare = texture2D(tex0, gl_PointCoord, -6.0);
    vec2 d = gl_PointCoord * 2.0 - 1.0;
    float soft = max(1.0 - dot(d, d), 0.0);
    gl_FragColor = vec4(pixel * (0.7 + 0.6 * flare.rgb * flare.a), soft * 0.22);
}
