// Plain texturing: the torus's own texture coordinates read the checker,
// with a little shading from a light over the viewer's shoulder.
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
    // 24 squares around the ring, 8 around the tube: close to square on a 1 : 0.3 torus.
    uv = texCoord0 * vec2(1.5, 0.5);
    vec3 n = normalize(mat3(modelViewMatrix) * normal);
    shade = 0.35 + 0.65 * max(dot(n, normalize(vec3(0.4, 0.6, 0.7))), 0.0);
    gl_Position = projectionMatrix * modelViewMatrix * vec4(position, 1.0);
}
//[FRAG]
uniform sampler2D tex0;
varying vec2 uv;
varying float shade;

void main()
{
    vec3 base = mix(vec3(0.95, 0.45, 0.15), vec3(1.0), texture2D(tex0, uv).r);
    gl_FragColor = vec4(base * shade, 1.0);
}
