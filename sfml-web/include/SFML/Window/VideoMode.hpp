#pragma once

namespace sf {

class VideoMode {
  public:
    unsigned int width = 0;
    unsigned int height = 0;
    unsigned int bitsPerPixel = 0;

    VideoMode() = default;
    VideoMode(unsigned int width, unsigned int height, unsigned int bitsPerPixel = 32)
        : width(width), height(height), bitsPerPixel(bitsPerPixel) {}

    // The browser's viewport (inner width and height in CSS pixels) as it was at start-up.
    static VideoMode getDesktopMode();
};

}  // namespace sf
