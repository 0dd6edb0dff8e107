// Sky sphere around the logo: a night gradient with a glowing horizon band,
// faint nebula and sparse stars, by direction from the centre.
//[VERT]
attribute vec3 position;
uniform mat4 projectionMatrix;
uniform mat4 modelViewMatrix;
varying vec3 direction;

void main()
{
    direction = position;
    gl_Position = projectionMatrix * modelViewMatrix * vec4(position, 1.0);
}
//[FRAG]
varying vec3 direction;

float hash(vec3 p)
{
    return fract(sin(dot(p, vec3(127.1, 311.7, 74.7))) * 43758.5453);
}

void main()
{
    vec3 d = normalize(direction);
    float h = d.y;
    vec3 color = mix(vec3(0.02, 0.01, 0.05), vec3(0.03, 0.06, 0.18), smoothstep(-0.8, 0.9, h));
    float band = exp(-h * h * 18.0);
    color += band * vec3(0.35, 0.08, 0.3);
    color += exp(-h * h * 120.0) * vec3(0.25, 0.2, 0.5);

    float a = atan(d.z, d.x);
    float nebula = sin(a * 3.0 + h * 5.0) * sin(a * 5.0 - h * 7.0);
    color += max(nebula, 0.0) * (1.0 - band) * vec3(0.05, 0.1, 0.2);

    vec3 p = d * 70.0;
    vec3 cell = floor(p);
    float star = hash(cell);
    float core = smoothstep(0.5, 0.1, length(fract(p) - 0.5));
    color += step(0.985, star) * core * (0.5 + (star - 0.985) * 50.0) * vec3(0.8, 0.85, 1.0);
    gl_FragColor = vec4(color, 1.0);
}
