// One point light, evaluated at the vertices: the colour is interpolated
// across each triangle, so highlights smear along the coarse mesh.
// lightPos is in eye space.
//[VERT]
attribute vec3 position;
attribute vec3 normal;
uniform mat4 projectionMatrix;
uniform mat4 modelViewMatrix;
uniform vec3 lightPos;
uniform vec3 color;
varying vec3 lit;

void main()
{
    vec4 ec = modelViewMatrix * vec4(position, 1.0);
    vec3 n = normalize(mat3(modelViewMatrix) * normal);
    vec3 l = normalize(lightPos - ec.xyz);
    vec3 h = normalize(l + normalize(-ec.xyz));
    float diffuse = max(dot(n, l), 0.0);
    float specular = pow(max(dot(n, h), 0.0), 48.0);
    lit = color * (0.12 + 0.88 * diffuse) + vec3(0.8 * specular);
    gl_Position = projectionMatrix * ec;
}
//[FRAG]
varying vec3 lit;

void main()
{
    gl_FragColor = vec4(lit, 1.0);
}
