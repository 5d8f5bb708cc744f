#include "webgl_drawing.h"

#include <emscripten.h>
#include <emscripten/html5.h>
#include <webgl/webgl1.h>

#include <cstddef>
#include <cstring>

namespace {

// Per vertex, as OpenGL 1.x lights it: one point or directional light, a
// viewer at infinity, one-sided lighting, and normals carried by the inverse
// transpose but never normalised, so scaled shapes are lit as scaled.
const char* const litVertexShader = R"(
attribute vec3 position;
attribute vec3 normal;
uniform mat4 modelView;
uniform mat4 modelViewProjection;
uniform mat3 normalMatrix;
uniform vec4 lightPosition;
uniform vec3 sceneColour;
uniform vec3 diffuseProduct;
uniform vec3 specularProduct;
uniform float shininess;
uniform float alpha;
uniform float size;
varying vec4 shade;
void main() {
    vec4 eye = modelView * vec4(size * position, 1.0);
    gl_Position = modelViewProjection * vec4(size * position, 1.0);
    vec3 n = normalMatrix * normal;
    vec3 toLight = normalize(lightPosition.xyz - lightPosition.w * eye.xyz);
    vec3 halfway = normalize(toLight + vec3(0.0, 0.0, 1.0));
    float diffuse = dot(n, toLight);
    float specular = diffuse > 0.0 ? pow(max(dot(n, halfway), 0.0), shininess) : 0.0;
    vec3 colour = sceneColour + max(diffuse, 0.0) * diffuseProduct + specular * specularProduct;
    shade = vec4(clamp(colour, 0.0, 1.0), alpha);
}
)";

const char* const lineVertexShader = R"(
attribute vec3 position;
attribute vec3 colour;
uniform mat4 modelViewProjection;
varying vec4 shade;
void main() {
    gl_Position = modelViewProjection * vec4(position, 1.0);
    shade = vec4(colour, 1.0);
}
)";

const char* const fragmentShader = R"(
precision mediump float;
varying vec4 shade;
void main() {
    gl_FragColor = shade;
}
)";

// Both programs read a position first and a normal or colour second.
constexpr GLuint positionAttribute = 0;
constexpr GLuint secondAttribute = 1;

struct LitProgram {
    GLuint program;
    GLint modelView, modelViewProjection, normalMatrix, lightPosition, sceneColour, diffuseProduct,
        specularProduct, shininess, alpha, size;
};

struct LineProgram {
    GLuint program;
    GLint modelViewProjection;
    GLuint buffer;
};

LitProgram lit;
LineProgram lines;

struct Shaders {
    GLuint litVertex, lineVertex, fragment;
};
Shaders shaders;
bool parallelBuilds = false;  // the browser builds programs on threads of its own

bool drawingHeld = false;

// A program keeps its uniforms' values, and the context its program and
// its attributes' buffer: what is already so is not set again. The hand's
// parts share one material and one light, and its spheres and boxes one
// buffer each, so this spares about half of a frame's calls.
template <int size>
struct SentValue {
    float value[size];
    bool sent = false;

    bool update(const float* next)
    {
        if (sent && std::memcmp(value, next, sizeof value) == 0)
            return false;
        std::memcpy(value, next, sizeof value);
        sent = true;
        return true;
    }
};

struct LitValues {
    SentValue<4> lightPosition;
    SentValue<3> sceneColour, diffuseProduct, specularProduct;
    SentValue<1> shininess, alpha, size;
};

LitValues litSent;
GLuint programInUse = 0;
GLuint attributesBuffer = 0;

template <int size>
void sendUniform(SentValue<size>& sent, GLint location, const float* value)
{
    if (!sent.update(value))
        return;
    if constexpr (size == 4)
        emscripten_glUniform4fv(location, 1, value);
    else if constexpr (size == 3)
        emscripten_glUniform3fv(location, 1, value);
    else
        emscripten_glUniform1fv(location, 1, value);
}

// The first failure to compile or link, and the log that says why.
char failure[1024] = "";

// `readLog` is glGetShaderInfoLog or glGetProgramInfoLog, for `object`.
void noteFailure(const char* what, GLuint object, void (*readLog)(GLuint, GLsizei, GLsizei*, GLchar*))
{
    if (failure[0])
        return;
    char log[sizeof failure];
    readLog(object, sizeof log, nullptr, log);
    std::strncat(failure, what, sizeof failure - 1);
    std::strncat(failure, log, sizeof failure - 1 - std::strlen(failure));
}

GLuint compile(GLenum type, const char* source)
{
    const GLuint shader = emscripten_glCreateShader(type);
    emscripten_glShaderSource(shader, 1, &source, nullptr);
    emscripten_glCompileShader(shader);
    return shader;
}

GLuint link(GLuint vertexShader, GLuint fragmentShader, const char* secondAttributeName)
{
    const GLuint program = emscripten_glCreateProgram();
    emscripten_glAttachShader(program, vertexShader);
    emscripten_glAttachShader(program, fragmentShader);
    emscripten_glBindAttribLocation(program, positionAttribute, "position");
    emscripten_glBindAttribLocation(program, secondAttribute, secondAttributeName);
    emscripten_glLinkProgram(program);
    return program;
}

bool compiled(GLuint shader, const char* what)
{
    GLint status = GL_FALSE;
    emscripten_glGetShaderiv(shader, GL_COMPILE_STATUS, &status);
    if (!status)
        noteFailure(what, shader, emscripten_glGetShaderInfoLog);
    return status;
}

// Where the browser builds programs on threads of its own
// (KHR_parallel_shader_compile), it can be asked whether one is built
// without waiting for it.
bool built(GLuint program)
{
    constexpr GLenum completionStatus = 0x91B1;  // GL_COMPLETION_STATUS_KHR
    if (!parallelBuilds)
        return true;
    GLint status = GL_FALSE;
    emscripten_glGetProgramiv(program, completionStatus, &status);
    return status == GL_TRUE;
}

// Asking whether a program linked waits for it, and each question is a round
// trip to the browser's GPU process: asked only once every program has been
// handed over, they are built side by side, and a shader's own status is
// asked only when its program did not link, to say why.
bool linked(GLuint program, GLuint vertexShader, GLuint fragmentShader)
{
    GLint status = GL_FALSE;
    emscripten_glGetProgramiv(program, GL_LINK_STATUS, &status);
    if (status)
        return true;
    if (compiled(vertexShader, "vertex shader: ") && compiled(fragmentShader, "fragment shader: "))
        noteFailure("linking: ", program, emscripten_glGetProgramInfoLog);
    return false;
}

void useProgram(GLuint program)
{
    if (program != programInUse)
        emscripten_glUseProgram(program);
    programInUse = program;
}

// A buffer's vertices are always of one kind, so its pointers are too.
void pointAttributesAt(GLuint buffer, GLsizei stride, std::size_t secondOffset)
{
    if (buffer == attributesBuffer)
        return;
    attributesBuffer = buffer;
    emscripten_glBindBuffer(GL_ARRAY_BUFFER, buffer);
    emscripten_glVertexAttribPointer(positionAttribute, 3, GL_FLOAT, GL_FALSE, stride, nullptr);
    emscripten_glVertexAttribPointer(secondAttribute, 3, GL_FLOAT, GL_FALSE, stride,
                                     reinterpret_cast<const void*>(secondOffset));
}

}  // namespace

void buildWebGLPrograms()
{
    parallelBuilds = emscripten_webgl_enable_extension(emscripten_webgl_get_current_context(),
                                                       "KHR_parallel_shader_compile");
    shaders.litVertex = compile(GL_VERTEX_SHADER, litVertexShader);
    shaders.lineVertex = compile(GL_VERTEX_SHADER, lineVertexShader);
    shaders.fragment = compile(GL_FRAGMENT_SHADER, fragmentShader);
    lit.program = link(shaders.litVertex, shaders.fragment, "normal");
    lines.program = link(shaders.lineVertex, shaders.fragment, "colour");
}

bool webGLProgramsBuilt()
{
    return built(lit.program) && built(lines.program);
}

const char* startWebGLDrawing()
{
    if (!linked(lit.program, shaders.litVertex, shaders.fragment) ||
        !linked(lines.program, shaders.lineVertex, shaders.fragment))
        return failure;
    auto uniform = [](GLuint program, const char* name) {
        return emscripten_glGetUniformLocation(program, name);
    };
    lit.modelView = uniform(lit.program, "modelView");
    lit.modelViewProjection = uniform(lit.program, "modelViewProjection");
    lit.normalMatrix = uniform(lit.program, "normalMatrix");
    lit.lightPosition = uniform(lit.program, "lightPosition");
    lit.sceneColour = uniform(lit.program, "sceneColour");
    lit.diffuseProduct = uniform(lit.program, "diffuseProduct");
    lit.specularProduct = uniform(lit.program, "specularProduct");
    lit.shininess = uniform(lit.program, "shininess");
    lit.alpha = uniform(lit.program, "alpha");
    lit.size = uniform(lit.program, "size");
    lines.modelViewProjection = uniform(lines.program, "modelViewProjection");
    emscripten_glGenBuffers(1, &lines.buffer);
    emscripten_glEnableVertexAttribArray(positionAttribute);
    emscripten_glEnableVertexAttribArray(secondAttribute);
    return nullptr;
}

ShapeBuffer uploadShape(const SolidShape& shape)
{
    ShapeBuffer uploaded{0, shape.vertexCount, shape.strips};
    emscripten_glGenBuffers(1, &uploaded.buffer);
    emscripten_glBindBuffer(GL_ARRAY_BUFFER, uploaded.buffer);
    emscripten_glBufferData(GL_ARRAY_BUFFER, shape.vertexCount * sizeof(ShapeVertex),
                            shape.vertices.get(), GL_STATIC_DRAW);
    return uploaded;
}

void drawLitShape(const ShapeBuffer& shape, const LitDraw& draw)
{
    if (drawingHeld)
        return;
    useProgram(lit.program);
    emscripten_glUniformMatrix4fv(lit.modelView, 1, GL_FALSE, draw.modelView.m);
    emscripten_glUniformMatrix4fv(lit.modelViewProjection, 1, GL_FALSE, draw.modelViewProjection.m);
    emscripten_glUniformMatrix3fv(lit.normalMatrix, 1, GL_FALSE, draw.normalMatrix);
    sendUniform(litSent.lightPosition, lit.lightPosition, draw.lightPosition);
    sendUniform(litSent.sceneColour, lit.sceneColour, draw.sceneColour);
    sendUniform(litSent.diffuseProduct, lit.diffuseProduct, draw.diffuseProduct);
    sendUniform(litSent.specularProduct, lit.specularProduct, draw.specularProduct);
    sendUniform(litSent.shininess, lit.shininess, &draw.shininess);
    sendUniform(litSent.alpha, lit.alpha, &draw.alpha);
    sendUniform(litSent.size, lit.size, &draw.size);
    pointAttributesAt(shape.buffer, sizeof(ShapeVertex), offsetof(ShapeVertex, normal));
    emscripten_glDrawArrays(shape.strips ? GL_TRIANGLE_STRIP : GL_TRIANGLES, 0, shape.vertexCount);
}

void drawUnlit(const LineVertex* vertices, int count, const Matrix4& modelViewProjection, unsigned mode)
{
    if (drawingHeld)
        return;
    useProgram(lines.program);
    emscripten_glUniformMatrix4fv(lines.modelViewProjection, 1, GL_FALSE, modelViewProjection.m);
    emscripten_glBindBuffer(GL_ARRAY_BUFFER, lines.buffer);
    emscripten_glBufferData(GL_ARRAY_BUFFER, count * sizeof(LineVertex), vertices, GL_STREAM_DRAW);
    pointAttributesAt(lines.buffer, sizeof(LineVertex), offsetof(LineVertex, colour));
    emscripten_glDrawArrays(mode, 0, count);
}

void setClearColour(float red, float green, float blue, float alpha)
{
    emscripten_glClearColor(red, green, blue, alpha);
}

void setClearDepth(float depth)
{
    emscripten_glClearDepthf(depth);
}

void clearCanvas(unsigned mask)
{
    if (!drawingHeld)
        emscripten_glClear(mask);
}

void setDepthFunction(unsigned function)
{
    emscripten_glDepthFunc(function);
}

void drawFarthest(bool on)
{
    emscripten_glDepthRangef(on ? 1.0f : 0.0f, 1.0f);
}

void setDepthTest(bool on)
{
    on ? emscripten_glEnable(GL_DEPTH_TEST) : emscripten_glDisable(GL_DEPTH_TEST);
}

void setViewport(int x, int y, int width, int height)
{
    emscripten_glViewport(x, y, width, height);
}

void holdDrawing(bool held)
{
    drawingHeld = held;
}
