#include "Graphics/Gl.hpp"

#include <GLES2/gl2.h>
#include <emscripten.h>
#include <emscripten/html5.h>

#include <SFML/Graphics/Texture.hpp>
#include <vector>

namespace sf::priv {

namespace {

const char* const vertexSource = R"(
attribute vec2 position;
attribute vec4 color;
attribute vec2 texCoords;
uniform mat4 projection;
uniform mat4 model;
uniform vec2 texelSize;
varying vec4 vColor;
varying vec2 vTexCoords;
void main() {
    gl_Position = projection * (model * vec4(position, 0.0, 1.0));
    vColor = color;
    vTexCoords = texCoords * texelSize;
}
)";

// High precision where the device has it: texture coordinates of large textures need more than
// medium precision's ten bits to hit their texels.
const char* const fragmentSource = R"(
#ifdef GL_FRAGMENT_PRECISION_HIGH
precision highp float;
#else
precision mediump float;
#endif
uniform sampler2D image;
varying vec4 vColor;
varying vec2 vTexCoords;
void main() {
    gl_FragColor = vColor * texture2D(image, vTexCoords);
}
)";

// Lines are drawn by the layer itself, each as the rectangle around it a pixel wider on every
// side, whose fragment program keeps the pixels that GL's rule for lines draws: along the major
// axis (x for a line wider than tall, else y) each pixel the line leaves the diamond of, and in
// each the one pixel the line crosses the centre line of; colours mixed by how far the centre
// lies along the major axis, as desktop GL drivers (Mesa) mix them. WebGL's own lines snap their
// ends to a coarse subpixel grid first (1/16 pixel is common) and mix colours by projection onto
// the line: on the field's short sloping lines one pixel in fourteen landed a row or column away
// from the desktop's and colours differed by up to 16 levels.
const char* const lineVertexSource = R"(
attribute vec2 position;
attribute vec2 endA;
attribute vec2 endB;
attribute vec4 colorA;
attribute vec4 colorB;
uniform mat4 projection;
uniform mat4 model;
uniform vec2 viewport;
varying vec2 vEndA;
varying vec2 vEndB;
varying vec4 vColorA;
varying vec4 vColorB;
vec2 windowOf(vec2 p) {
    vec4 clip = projection * (model * vec4(p, 0.0, 1.0));
    return (clip.xy + 1.0) * 0.5 * viewport;
}
void main() {
    vEndA = windowOf(endA);
    vEndB = windowOf(endB);
    vec2 low = min(vEndA, vEndB) - 1.0;
    vec2 high = max(vEndA, vEndB) + 1.0;
    vec2 corner = mix(low, high, position);
    gl_Position = vec4(corner / viewport * 2.0 - 1.0, 0.0, 1.0);
    vColorA = colorA;
    vColorB = colorB;
}
)";

const char* const lineFragmentSource = R"(
#ifdef GL_FRAGMENT_PRECISION_HIGH
precision highp float;
#else
precision mediump float;
#endif
varying vec2 vEndA;
varying vec2 vEndB;
varying vec4 vColorA;
varying vec4 vColorB;
void main() {
    vec2 p = gl_FragCoord.xy;
    vec2 d = vEndB - vEndA;
    vec2 along = p - vEndA;
    bool xMajor = abs(d.x) >= abs(d.y);
    float major = xMajor ? d.x : d.y;
    if (major == 0.0) discard;
    float t = (xMajor ? along.x : along.y) / major;
    // A pixel is drawn where the line leaves its diamond (the centre's points within half a
    // pixel, counted along x plus along y): never the pixel whose diamond holds the last end,
    // always the one whose diamond holds the first.
    vec2 toB = abs(vEndB - p);
    vec2 toA = abs(along);
    if (toB.x + toB.y < 0.5) discard;
    if (toA.x + toA.y < 0.5) {
        gl_FragColor = clamp(vColorA + (vColorB - vColorA) * t, 0.0, 1.0);
        return;
    }
    // The centres from the first end on, short of the last, along the major axis.
    float c = xMajor ? p.x : p.y;
    float from = xMajor ? vEndA.x : vEndA.y;
    float to = xMajor ? vEndB.x : vEndB.y;
    if (major > 0.0 ? (c < from || c >= to) : (c > from || c <= to)) discard;
    // In each, the pixel the line crosses the centre line in.
    float minor = xMajor ? vEndA.y + t * d.y : vEndA.x + t * d.x;
    float centre = xMajor ? p.y : p.x;
    if (minor <= centre - 0.5 || minor > centre + 0.5) discard;
    gl_FragColor = clamp(vColorA + (vColorB - vColorA) * t, 0.0, 1.0);
}
)";

GLuint compile(GLenum type, const char* source) {
    const GLuint shader = glCreateShader(type);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    return shader;
}

// One linked program with the locations of its inputs (-1 where it has none by that name).
struct Program {
    GLuint id = 0;
    GLint projection = -1;
    GLint model = -1;
    GLint texelSize = -1;
    GLint viewport = -1;
    GLint position = -1;
    GLint color = -1;
    GLint texCoords = -1;
    GLint endA = -1;
    GLint endB = -1;
    GLint colorA = -1;
    GLint colorB = -1;

    void link(const char* vertex, const char* fragment) {
        id = glCreateProgram();
        glAttachShader(id, compile(GL_VERTEX_SHADER, vertex));
        glAttachShader(id, compile(GL_FRAGMENT_SHADER, fragment));
        glLinkProgram(id);
        glUseProgram(id);
        projection = glGetUniformLocation(id, "projection");
        model = glGetUniformLocation(id, "model");
        texelSize = glGetUniformLocation(id, "texelSize");
        viewport = glGetUniformLocation(id, "viewport");
        const GLint image = glGetUniformLocation(id, "image");
        if (image >= 0) glUniform1i(image, 0);
        position = glGetAttribLocation(id, "position");
        color = glGetAttribLocation(id, "color");
        texCoords = glGetAttribLocation(id, "texCoords");
        endA = glGetAttribLocation(id, "endA");
        endB = glGetAttribLocation(id, "endB");
        colorA = glGetAttribLocation(id, "colorA");
        colorB = glGetAttribLocation(id, "colorB");
    }
};

// A line's vertex as the line program takes it.
struct LineVertex {
    Vector2f position;
    Vector2f endA;
    Vector2f endB;
    Color colorA;
    Color colorB;
};

// The context, its two programs and the buffer the vertices stream through.
struct Gl {
    EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context = 0;
    Program plain;
    Program lines;
    GLuint buffer = 0;
    std::vector<Vertex> quads;
    std::vector<LineVertex> lineVertices;

    Gl() {
        if (!EM_ASM_INT({
                return typeof document != 'undefined' && document.getElementById('canvas') != null;
            }))
            return;
        EmscriptenWebGLContextAttributes attributes;
        emscripten_webgl_init_context_attributes(&attributes);
        // An opaque canvas of exact pixels: no alpha to blend with the page, no multisampling;
        // the drawing stays in the canvas between frames so that it can be read back.
        attributes.alpha = EM_FALSE;
        attributes.depth = EM_FALSE;
        attributes.stencil = EM_FALSE;
        attributes.antialias = EM_FALSE;
        attributes.preserveDrawingBuffer = EM_TRUE;
        attributes.majorVersion = 1;
        attributes.minorVersion = 0;
        context = emscripten_webgl_create_context("#canvas", &attributes);
        if (context <= 0) {
            context = 0;
            return;
        }
        emscripten_webgl_make_context_current(context);
        lines.link(lineVertexSource, lineFragmentSource);
        plain.link(vertexSource, fragmentSource);
        glGenBuffers(1, &buffer);
        glEnable(GL_BLEND);
        glBlendEquation(GL_FUNC_ADD);
        glBlendFuncSeparate(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_CULL_FACE);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
    }
};

// The page has one canvas, and emscripten one current context for it: made once, at the first
// need, and kept for the page's life.
Gl& gl() {
    static Gl instance;
    return instance;
}

// SFML's default view of a target: x from 0 to width left to right, y from 0 to height top to
// bottom, as the matrix of the view's centre and size.
Transform viewTransform(Vector2u size) {
    const float w = static_cast<float>(size.x);
    const float h = static_cast<float>(size.y);
    const float a = 2.0f / w;
    const float b = -2.0f / h;
    const float c = -a * (w / 2.0f);
    const float d = -b * (h / 2.0f);
    return Transform(a, 0.0f, c, 0.0f, b, d, 0.0f, 0.0f, 1.0f);
}

GLenum glMode(PrimitiveType type) {
    switch (type) {
        case Points:
            return GL_POINTS;
        case Lines:
            return GL_LINES;
        case LineStrip:
            return GL_LINE_STRIP;
        case Triangles:
            return GL_TRIANGLES;
        case TriangleStrip:
            return GL_TRIANGLE_STRIP;
        case TriangleFan:
            return GL_TRIANGLE_FAN;
        case Quads:
            return GL_TRIANGLES;
    }
    return GL_POINTS;
}

// Each quad (a, b, c, d) as the triangles (a, b, c) and (a, c, d).
const Vertex* asTriangles(const Vertex* vertices, std::size_t& count, std::vector<Vertex>& out) {
    out.clear();
    for (std::size_t q = 0; q + 3 < count; q += 4) {
        for (const std::size_t k : {q, q + 1, q + 2, q, q + 2, q + 3})
            out.push_back(vertices[k]);
    }
    count = out.size();
    return out.data();
}

void attribute(GLint location, GLint size, GLenum type, GLboolean normalized, GLsizei stride,
               std::size_t offset) {
    if (location < 0) return;
    glEnableVertexAttribArray(static_cast<GLuint>(location));
    glVertexAttribPointer(static_cast<GLuint>(location), size, type, normalized, stride,
                          reinterpret_cast<const void*>(offset));
}

// WebGL keeps attribute arrays enabled across programs: the next draw enables its own.
void disableAttributes(const Program& program) {
    for (const GLint location : {program.position, program.color, program.texCoords, program.endA,
                                 program.endB, program.colorA, program.colorB}) {
        if (location >= 0) glDisableVertexAttribArray(static_cast<GLuint>(location));
    }
}

void setView(const Program& program, const Transform& model, Vector2u targetSize) {
    glUseProgram(program.id);
    glViewport(0, 0, static_cast<GLsizei>(targetSize.x), static_cast<GLsizei>(targetSize.y));
    glUniformMatrix4fv(program.projection, 1, GL_FALSE, viewTransform(targetSize).getMatrix());
    glUniformMatrix4fv(program.model, 1, GL_FALSE, model.getMatrix());
}

void drawLines(const Vertex* vertices, std::size_t count, const Transform& model,
               Vector2u targetSize) {
    Gl& g = gl();
    count -= count % 2;
    g.lineVertices.clear();
    for (std::size_t k = 0; k < count; k += 2) {
        const Vertex& a = vertices[k];
        const Vertex& b = vertices[k + 1];
        for (const Vector2f corner : {Vector2f(0, 0), Vector2f(1, 0), Vector2f(0, 1),
                                      Vector2f(0, 1), Vector2f(1, 0), Vector2f(1, 1)})
            g.lineVertices.push_back({corner, a.position, b.position, a.color, b.color});
    }
    const Program& p = g.lines;
    setView(p, model, targetSize);
    glUniform2f(p.viewport, static_cast<float>(targetSize.x), static_cast<float>(targetSize.y));
    glBufferData(GL_ARRAY_BUFFER,
                 static_cast<GLsizeiptr>(g.lineVertices.size() * sizeof(LineVertex)),
                 g.lineVertices.data(), GL_STREAM_DRAW);
    const auto stride = static_cast<GLsizei>(sizeof(LineVertex));
    attribute(p.position, 2, GL_FLOAT, GL_FALSE, stride, offsetof(LineVertex, position));
    attribute(p.endA, 2, GL_FLOAT, GL_FALSE, stride, offsetof(LineVertex, endA));
    attribute(p.endB, 2, GL_FLOAT, GL_FALSE, stride, offsetof(LineVertex, endB));
    attribute(p.colorA, 4, GL_UNSIGNED_BYTE, GL_TRUE, stride, offsetof(LineVertex, colorA));
    attribute(p.colorB, 4, GL_UNSIGNED_BYTE, GL_TRUE, stride, offsetof(LineVertex, colorB));
    glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(g.lineVertices.size()));
    disableAttributes(p);
}

}  // namespace

bool glReady() {
    Gl& g = gl();
    if (!g.context) return false;
    emscripten_webgl_make_context_current(g.context);
    return true;
}

void glDraw(const Vertex* vertices, std::size_t count, PrimitiveType type, const Transform& model,
            const Texture* texture, Vector2u targetSize) {
    if (!glReady() || count == 0 || targetSize.x == 0 || targetSize.y == 0) return;
    Gl& g = gl();
    glBindBuffer(GL_ARRAY_BUFFER, g.buffer);
    // Textured lines are drawn as other primitives are; no drawing asks for them.
    if (type == Lines && !texture) {
        drawLines(vertices, count, model, targetSize);
        return;
    }
    if (type == Quads) vertices = asTriangles(vertices, count, g.quads);
    const Program& p = g.plain;
    setView(p, model, targetSize);
    Texture::bind(texture);
    const Vector2u size = texture ? texture->getSize() : Vector2u(1, 1);
    glUniform2f(p.texelSize, 1.0f / static_cast<float>(size.x), 1.0f / static_cast<float>(size.y));
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(count * sizeof(Vertex)), vertices,
                 GL_STREAM_DRAW);
    const auto stride = static_cast<GLsizei>(sizeof(Vertex));
    attribute(p.position, 2, GL_FLOAT, GL_FALSE, stride, offsetof(Vertex, position));
    attribute(p.color, 4, GL_UNSIGNED_BYTE, GL_TRUE, stride, offsetof(Vertex, color));
    attribute(p.texCoords, 2, GL_FLOAT, GL_FALSE, stride, offsetof(Vertex, texCoords));
    glDrawArrays(glMode(type), 0, static_cast<GLsizei>(count));
    disableAttributes(p);
}

void glClear(float r, float g, float b, float a, Vector2u targetSize) {
    if (!glReady()) return;
    glViewport(0, 0, static_cast<GLsizei>(targetSize.x), static_cast<GLsizei>(targetSize.y));
    glClearColor(r, g, b, a);
    ::glClear(GL_COLOR_BUFFER_BIT);
}

}  // namespace sf::priv
