// Checkered, tinted tori for the cube-map faces and the screen. The light is
// fixed to each object, so every face of the cube map sees the same shading.
//[VERT]
attribute vec3 position;
attribute vec3 normal;
attribute vec2 texCoord0;
uniform mat4 projectionMatrix;
uniform mat4 modelViewMatrix;
varying vec2 uv;
varying float shade;

void main()
{
    uv = texCoord0 * vec2(1.5, 0.5);
    shade = 0.55 + 0.45 * dot(normal, normalize(vec3(0.3, 0.8, 0.5)));
    gl_Position = projectionMatrix * modelViewMatrix * vec4(position, 1.0);
}
//[FRAG]
uniform sampler2D tex0;
uniform vec3 color;
varying vec2 uv;
varying float shade;

void main()
{
    float check = texture2D(tex0, uv).r;
    gl_FragColor = vec4(color * (0.3 + 0.7 * check) * shade, 1.0);
}
