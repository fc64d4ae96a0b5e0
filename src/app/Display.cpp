#include "app/Display.hpp"

#include <algorithm>

namespace {

// Room left for the window below the desktop's panels and title bars.
constexpr std::uint32_t reservedHeight = 105;

std::uint32_t usableHeight(std::uint32_t desktopHeight) {
    return desktopHeight > reservedHeight ? desktopHeight - reservedHeight : 0;
}

}  // namespace

std::uint8_t decideScale(std::int32_t requested, sf::Vector2u desktop, std::uint32_t nx,
                         std::uint32_t ny) {
    if (requested > 0) return static_cast<std::uint8_t>(std::min(requested, 255));
    const std::uint32_t qy = usableHeight(desktop.y) / std::max<std::uint32_t>(ny, 1);
    const std::uint32_t qx = desktop.x / std::max<std::uint32_t>(nx, 1);
    const std::uint32_t q = std::min(qx, qy);
    return static_cast<std::uint8_t>(std::clamp<std::uint32_t>(q, 1, 255));
}

sf::Vector2i windowPlacement(sf::Vector2u desktop, sf::Vector2u window) {
    const auto x =
        static_cast<std::int32_t>(desktop.x / 2) - static_cast<std::int32_t>(window.x / 2);
    const auto y = static_cast<std::int32_t>(usableHeight(desktop.y) / 2) -
                   static_cast<std::int32_t>(window.y / 2);
    return {x, y};
}
