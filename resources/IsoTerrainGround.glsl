// Rock lit by a lamp riding just above the camera, fading into dark blue with
// distance; the gradient normal (packed in texCoord0) tints it, and fadeInColor
// (alpha clamped to 0..1) washes the whole surface towards one colour.
//[VERT]
attribute vec3 position;
attribute vec3 normal;
attribute vec2 texCoord0;
uniform mat4 projectionMatrix;
uniform mat4 modelViewMatrix;
varying vec3 viewPos;
varying vec3 viewNormal;
varying vec2 slope;

void main()
{
    vec4 p = modelViewMatrix * vec4(position, 1.0);
    viewPos = p.xyz;
    viewNormal = (modelViewMatrix * vec4(normal, 0.0)).xyz;
    slope = texCoord0 * 2.0 - 1.0;
    gl_Position = projectionMatrix * p;
}
//[FRAG]
uniform vec4 fadeInColor;
varying vec3 viewPos;
varying vec3 viewNormal;
varying vec2 slope;

void main()
{
    vec3 n = normalize(viewNormal);
    if (dot(n, viewPos) > 0.0)
        n = -n; // face the eye whatever the winding
    vec3 toLamp = vec3(0.0, 0.25, 0.0) - viewPos;
    float dist = length(toLamp);
    vec3 l = toLamp / dist;
    float diffuse = max(dot(n, l), 0.0);
    float highlight = pow(max(dot(reflect(-l, n), normalize(-viewPos)), 0.0), 12.0);
    float lamp = 1.45 / (1.0 + 0.3 * dist * dist);

    // Warm sandstone on walls that face sideways, cooler grey where they face up or down.
    vec3 warm = vec3(0.78, 0.52, 0.32);
    vec3 cool = vec3(0.46, 0.48, 0.52);
    vec3 rock = mix(warm, cool, clamp(abs(slope.y), 0.0, 1.0));
    vec3 color = rock * (0.1 + diffuse * lamp) + vec3(1.0, 0.9, 0.75) * highlight * lamp * 0.35;

    float fog = clamp((length(viewPos) - 1.5) / 9.0, 0.0, 1.0);
    color = mix(color, vec3(0.02, 0.06, 0.1), fog);
    color = mix(color, fadeInColor.rgb, clamp(fadeInColor.a, 0.0, 1.0));
    gl_FragColor = vec4(color, 1.0);
}
