// Dawn sky around the logo, by direction from the centre: deep blue overhead,
// a rose horizon under streaks of cloud, a low sun off to the left.
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

void main()
{
    vec3 d = normalize(direction);
    float h = d.y;
    vec3 color = mix(vec3(0.8, 0.42, 0.48), vec3(0.06, 0.1, 0.32), smoothstep(-0.05, 0.7, h));
    color = mix(color, vec3(0.12, 0.07, 0.12), smoothstep(0.0, -0.5, h));

    vec3 sunDirection = normalize(vec3(-0.7, 0.3, -1.0));
    float sun = max(dot(d, sunDirection), 0.0);
    color += vec3(1.0, 0.75, 0.45) * (pow(sun, 400.0) * 2.0 + pow(sun, 12.0) * 0.35);

    float a = atan(d.z, d.x);
    float streaks = sin(h * 40.0 + sin(a * 3.0) * 2.0) * 0.5 + 0.5;
    float cloud = smoothstep(0.6, 0.95, streaks) * smoothstep(0.35, 0.05, abs(h - 0.12));
    color = mix(color, vec3(1.0, 0.62, 0.5), cloud * 0.35);
    gl_FragColor = vec4(color, 1.0);
}
