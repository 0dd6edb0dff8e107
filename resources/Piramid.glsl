// Pyramid faces lit from the upper left of the view, or a flat outline colour
// for the pass that pulls its lines towards the viewer (dz < 0). The face
// normal follows from the model-space position: below y = 0.001 the bottom,
// otherwise the side whose axis dominates (sides slope 7 up over 5 in).
//[VERT]
attribute vec3 position;
attribute vec2 texCoord0;
uniform mat4 projectionMatrix;
uniform mat4 modelViewMatrix;
uniform float dz;
varying vec2 uv;
varying vec3 local;
varying vec3 light; // the view-space light, in model space

void main()
{
    uv = texCoord0;
    local = position;
    // v * M is transpose(M) * v: back through the rotation of the modelview.
    light = normalize((vec4(-0.5, 0.6, 0.7, 0.0) * modelViewMatrix).xyz);
    gl_Position = projectionMatrix * modelViewMatrix * vec4(position, 1.0);
    // dz in device depth, scaled to about ten steps of a 16-bit depth buffer:
    // enough to lift the lines off their faces, too little to show hidden ones.
    gl_Position.z += dz * 0.3 * gl_Position.w;
}
//[FRAG]
uniform sampler2D tex0;
uniform vec4 color;
uniform float dz;
uniform float useTexture;
varying vec2 uv;
varying vec3 local;
varying vec3 light;

void main()
{
    vec4 base = useTexture > 0.5 ? color * texture2D(tex0, uv) : color;
    if (dz < 0.0) {
        gl_FragColor = base;
        return;
    }
    vec3 n;
    if (local.y < 0.001)
        n = vec3(0.0, -1.0, 0.0);
    else if (abs(local.x) > abs(local.z))
        n = normalize(vec3(sign(local.x) * 7.0, 5.0, 0.0));
    else
        n = normalize(vec3(0.0, 5.0, sign(local.z) * 7.0));
    float diffuse = max(dot(n, normalize(light)), 0.0);
    // A touch brighter towards the apex.
    float shade = 0.42 + 0.55 * diffuse + 0.08 * uv.y;
    gl_FragColor = vec4(base.rgb * shade, base.a);
}
