#pragma once

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

namespace e2e {

struct Rgb {
    std::uint8_t r;
    std::uint8_t g;
    std::uint8_t b;
    bool operator==(const Rgb&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const Rgb& c) {
    return out << "rgb(" << int(c.r) << "," << int(c.g) << "," << int(c.b) << ")";
}

// A rectangle of window pixels: columns left ... left + width - 1, rows top ... top + height - 1.
struct Area {
    int left;
    int top;
    int width;
    int height;
};

// The pixels of a window as the X server holds them. Only the part of the window that lies on
// the screen can be read back, so the picture may be smaller than the window; coordinates given
// to pixel() are always window coordinates.
class Screenshot {
  public:
    Screenshot(int left, int top, int width, int height, std::vector<Rgb> pixels);

    int left() const { return left_; }  // window x of the first column
    int top() const { return top_; }
    int width() const { return width_; }
    int height() const { return height_; }
    bool contains(int x, int y) const;
    Rgb pixel(int x, int y) const;  // throws outside the captured area
    template <typename Predicate>
    int count(Predicate&& matches) const {
        return static_cast<int>(std::count_if(pixels_.begin(), pixels_.end(), matches));
    }
    // Only the captured part of the area is looked at.
    template <typename Predicate>
    int count(Area area, Predicate&& matches) const {
        int n = 0;
        for (int y = std::max(area.top, top_); y < std::min(area.top + area.height, top_ + height_);
             ++y) {
            for (int x = std::max(area.left, left_);
                 x < std::min(area.left + area.width, left_ + width_); ++x) {
                if (matches(pixel(x, y))) ++n;
            }
        }
        return n;
    }

    // For people looking at a failure: writes <name>.ppm into the e2e output folder and returns
    // its path.
    std::filesystem::path save(const std::string& name) const;

  private:
    int left_;
    int top_;
    int width_;
    int height_;
    std::vector<Rgb> pixels_;
};

}  // namespace e2e
