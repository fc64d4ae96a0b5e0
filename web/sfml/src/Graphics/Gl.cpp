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

GLuint compile(GLenum type, const char* source) {
    const GLuint shader = glCreateShader(type);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    return shader;
}

// The context, its program and the buffer the vertices stream through.
struct Gl {
    EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context = 0;
    GLuint program = 0;
    GLuint buffer = 0;
    GLint projection = -1;
    GLint model = -1;
    GLint texelSize = -1;
    GLint position = -1;
    GLint color = -1;
    GLint texCoords = -1;
    std::vector<Vertex> quads;

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
        link();
        glGenBuffers(1, &buffer);
        glEnable(GL_BLEND);
        glBlendEquation(GL_FUNC_ADD);
        glBlendFuncSeparate(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_CULL_FACE);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
    }

    void link() {
        program = glCreateProgram();
        glAttachShader(program, compile(GL_VERTEX_SHADER, vertexSource));
        glAttachShader(program, compile(GL_FRAGMENT_SHADER, fragmentSource));
        glLinkProgram(program);
        glUseProgram(program);
        projection = glGetUniformLocation(program, "projection");
        model = glGetUniformLocation(program, "model");
        texelSize = glGetUniformLocation(program, "texelSize");
        glUniform1i(glGetUniformLocation(program, "image"), 0);
        position = glGetAttribLocation(program, "position");
        color = glGetAttribLocation(program, "color");
        texCoords = glGetAttribLocation(program, "texCoords");
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
    if (type == Quads) vertices = asTriangles(vertices, count, g.quads);
    glViewport(0, 0, static_cast<GLsizei>(targetSize.x), static_cast<GLsizei>(targetSize.y));
    glUniformMatrix4fv(g.projection, 1, GL_FALSE, viewTransform(targetSize).getMatrix());
    glUniformMatrix4fv(g.model, 1, GL_FALSE, model.getMatrix());
    Texture::bind(texture);
    const Vector2u size = texture ? texture->getSize() : Vector2u(1, 1);
    glUniform2f(g.texelSize, 1.0f / static_cast<float>(size.x), 1.0f / static_cast<float>(size.y));
    glBindBuffer(GL_ARRAY_BUFFER, g.buffer);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(count * sizeof(Vertex)), vertices,
                 GL_STREAM_DRAW);
    const auto stride = static_cast<GLsizei>(sizeof(Vertex));
    glEnableVertexAttribArray(static_cast<GLuint>(g.position));
    glVertexAttribPointer(static_cast<GLuint>(g.position), 2, GL_FLOAT, GL_FALSE, stride,
                          reinterpret_cast<const void*>(offsetof(Vertex, position)));
    glEnableVertexAttribArray(static_cast<GLuint>(g.color));
    glVertexAttribPointer(static_cast<GLuint>(g.color), 4, GL_UNSIGNED_BYTE, GL_TRUE, stride,
                          reinterpret_cast<const void*>(offsetof(Vertex, color)));
    glEnableVertexAttribArray(static_cast<GLuint>(g.texCoords));
    glVertexAttribPointer(static_cast<GLuint>(g.texCoords), 2, GL_FLOAT, GL_FALSE, stride,
                          reinterpret_cast<const void*>(offsetof(Vertex, texCoords)));
    glDrawArrays(glMode(type), 0, static_cast<GLsizei>(count));
}

void glClear(float r, float g, float b, float a, Vector2u targetSize) {
    if (!glReady()) return;
    glViewport(0, 0, static_cast<GLsizei>(targetSize.x), static_cast<GLsizei>(targetSize.y));
    glClearColor(r, g, b, a);
    ::glClear(GL_COLOR_BUFFER_BIT);
}

}  // namespace sf::priv
