#pragma once

namespace sf {

// Quads, which WebGL cannot draw, are drawn as two triangles each.
enum PrimitiveType { Points, Lines, LineStrip, Triangles, TriangleStrip, TriangleFan, Quads };

}  // namespace sf
