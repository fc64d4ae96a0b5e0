#include "Screenshot.hpp"

#include <fstream>
#include <stdexcept>

namespace e2e {

Screenshot::Screenshot(int left, int top, int width, int height, std::vector<Rgb> pixels)
    : left_(left), top_(top), width_(width), height_(height), pixels_(std::move(pixels)) {}

bool Screenshot::contains(int x, int y) const {
    return x >= left_ && y >= top_ && x < left_ + width_ && y < top_ + height_;
}

Rgb Screenshot::pixel(int x, int y) const {
    if (!contains(x, y)) {
        throw std::out_of_range("pixel (" + std::to_string(x) + "," + std::to_string(y) +
                                ") lies outside the captured part of the window");
    }
    return pixels_[static_cast<std::size_t>((y - top_) * width_ + (x - left_))];
}

std::filesystem::path Screenshot::save(const std::string& name) const {
    const std::filesystem::path dir = QUELVANE_E2E_OUT;
    std::filesystem::create_directories(dir);
    const auto path = dir / (name + ".ppm");
    std::ofstream out(path, std::ios::binary);
    out << "P6\n" << width_ << " " << height_ << "\n255\n";
    for (const Rgb& p : pixels_) {
        out.put(static_cast<char>(p.r)).put(static_cast<char>(p.g)).put(static_cast<char>(p.b));
    }
    return path;
}

}  // namespace e2e
