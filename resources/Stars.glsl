// Flare sprites added onto the star texture, dimmer the farther their centre
// (the corner minus its offset in normal) lies from the camera.
//[VERT]
attribute vec3 position;
attribute vec3 normal;
attribute vec2 texCoord0;
uniform mat4 projectionMatrix;
uniform mat4 modelViewMatrix;
uniform vec3 camPos;
varying vec2 uv;
varying float glow;

void main()
{
    uv = texCoord0;
    float distance = length(position - normal - camPos);
    glow = clamp(1.5 - distance / 30.0, 0.3, 1.0);
    gl_Position = projectionMatrix * modelViewMatrix * vec4(position, 1.0);
}
//[FRAG]
uniform sampler2D tex0;
uniform float alpha;
varying vec2 uv;
varying float glow;

void main()
{
    vec4 flare = texture2D(tex0, uv);
    gl_FragColor = vec4(flare.rgb * vec3(2.0, 1.8, 1.7), flare.a * alpha * glow);
}
