// Rain triangles: bright near the camera, cooling to lilac and thinning out with
// distance; color.a fades the whole swarm.
//[VERT]
attribute vec3 position;
uniform mat4 projectionMatrix;
uniform mat4 modelViewMatrix;
varying float distance;

void main()
{
    vec4 eye = modelViewMatrix * vec4(position, 1.0);
    distance = -eye.z;
    gl_Position = projectionMatrix * eye;
}
//[FRAG]
uniform vec4 color;
varying float distance;

void main()
{
    float far = smoothstep(2.0, 30.0, distance);
    vec3 tint = mix(vec3(1.0, 0.97, 1.0), vec3(0.72, 0.6, 0.95), far);
    gl_FragColor = vec4(tint * color.rgb, color.a * (1.0 - 0.7 * far));
}
