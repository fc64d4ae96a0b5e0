#include "app/Application.hpp"

#include <SFML/Window/Mouse.hpp>
#include <cstdio>
#include <stdexcept>

#include "app/Display.hpp"
#include "app/Limits.hpp"
#include "field/Scenarios.hpp"
#include "metal/InducedCharge.hpp"

namespace {

const char* const helpString =
    "Press 'h' to show/hide help\n"
    "Press 'p' to show/hide parameter list\n"
    "\n"
    "Drawing charges (left/right click adds positive/negative charge):\n"
    "  'b' - hardbrush on/off\n"
    "  'e' - eraser on/off\n"
    "  mouse wheel - brush radius change\n"
    "  'o' - show/hide brush outline\n"
    "\n"
    "Layers:\n"
    "  'q' - switch between charges and potential\n"
    "  'v' - show/hide electric field\n"
    "  'n' - normalize electric vectors";

// The build gives the version, once, from the project's (CMakeLists.txt); a file compiled
// outside it still builds, with a title that says so.
#ifndef QUELVANE_VERSION
#define QUELVANE_VERSION "(version unknown)"
#endif
const char* const windowTitle = "Quelvane " QUELVANE_VERSION;

const char* const scenarioHelpString =
    "Predefined scenarios:\n"
    "  'j', 'k' - cycle through scenarios\n"
    "  'l' - load selected scenario";

std::array<const char*, scenarioCount> scenarioNames() {
    std::array<const char*, scenarioCount> names{};
    for (std::size_t k = 0; k < names.size(); ++k)
        names[k] = scenarios()[k].name;
    return names;
}

}  // namespace

Application::Application(Grid2D grid, std::int32_t requestedScale)
    : model(grid.xmin, grid.xmax, grid.ymin, grid.ymax, static_cast<std::uint16_t>(grid.nx),
            static_cast<std::uint16_t>(grid.ny)),
      overlayStyle{"courier.ttf", 18, sf::Color::Yellow},
      overlays(nullptr, static_cast<std::uint16_t>(maxOverlayTexts), overlayStyle),
      helpText(overlays, TopLeft, helpString),
      fpsText(overlays, TopRight, ""),
      cursorText(overlays, Cursor, ""),
      loadedPresetText(overlays, TopRight, "No preset"),
      scenarioHelpText(overlays, TopLeft, scenarioHelpString),
      selectedPresetText(overlays, TopLeft, "Selected preset: #1 Infinite capacitor"),
      layerText(overlays, BottomRight, ""),
      brushText(overlays, BottomLeft, ""),
      presetNames(scenarioNames()),
      parameterPanel(&overlays, "Parameters", 15),
      verticalPeriodicParam(&parameterPanel, &verticalPeriodic, "Vertical periodic boundaries", 1),
      topBoundaryParam(&parameterPanel, &topBoundaryValue, "Top boundary value", 1),
      bottomBoundaryParam(&parameterPanel, &bottomBoundaryValue, "Bottom boundary value", 1),
      leftBoundaryParam(&parameterPanel, &leftBoundaryValue, "Left boundary value", 1),
      rightBoundaryParam(&parameterPanel, &rightBoundaryValue, "Right boundary value", 1),
      blockSizeParam(&parameterPanel, &vectorFieldBlockSize, "Vector field block size", 1),
      normalizedParam(&parameterPanel, &vectorFieldNormalized, "Vector field is normalized", 1),
      lengthMultiplierParam(&parameterPanel, &vectorFieldLengthMultiplier,
                            "Vector field length multiplier", 1),
      normalizedLengthMultiplierParam(&parameterPanel, &vectorFieldNormalizedLengthMultiplier,
                                      "Vector field normalized length multiplier", 1) {
    openWindow(requestedScale);
    wireDisplay();
    blockSizeParam.hasMin = true;
    blockSizeParam.min = 1;
    blockSizeParam.hasMax = false;
    parameterPanel.text.anchor = BottomLeft;
    parameterPanel.refresh();
    parameterPanel.text.visible = false;
    overlays.registerText(equipotentials.legendText);
}

Application::~Application() {
    // The window goes first, while everything it shows still exists.
    window.reset();
}

void Application::openWindow(std::int32_t requestedScale) {
    const sf::VideoMode desktop = sf::VideoMode::getDesktopMode();
    const std::uint32_t nx = model.grid.nx;
    const std::uint32_t ny = model.grid.ny;
    std::printf("Domain size: %dx%d\n", static_cast<int>(nx), static_cast<int>(ny));
    std::printf("Detected video mode: %dx%d\n", static_cast<int>(desktop.width),
                static_cast<int>(desktop.height));
    scale = decideScale(requestedScale, {desktop.width, desktop.height}, nx, ny);
    std::printf("Scale set to %d.\n", static_cast<int>(scale));
    std::printf("Render area size: %dx%d\n", static_cast<int>(nx * scale),
                static_cast<int>(ny * scale));
    std::fflush(stdout);
    const std::uint64_t width = std::uint64_t{nx} * scale;
    const std::uint64_t height = std::uint64_t{ny} * scale;
    if (const auto problem = renderAreaProblem(width, height, sf::Texture::getMaximumSize())) {
        throw std::runtime_error(*problem);
    }
    window =
        std::make_unique<sf::RenderWindow>(sf::VideoMode(nx * scale, ny * scale, 32), windowTitle,
                                           sf::Style::Titlebar | sf::Style::Close);
    window->setPosition(windowPlacement({desktop.width, desktop.height}, window->getSize()));
    overlays.target = window.get();
}

void Application::wireDisplay() {
    prepareDisplay(model, static_cast<float>(scale));
    brushOutline.setFillColor(sf::Color(0, 0, 0, 0));
    brushOutline.setOutlineColor(sf::Color::White);
    brushOutline.setOutlineThickness(1.0f);
}

void Application::frameStep() {
    updateFrameRate();
    processEvents();
    model.relax(static_cast<std::uint32_t>(sweepsPerFrame));
    model.potential.findRange(true);
    model.potential.repaint();
    showMetal();
    updateField();
    updateMeasures();
    drawFrame();
}

void Application::updateField() {
    // The field and its arrows are left as they were while the overlay is off.
    if (!showField) return;
    model.field.refresh(model.potential, -1);
}

void Application::showMetal() {
    showInducedCharge(model);
    metalHatch.update(model.metal, model.grid, scale);
}

void Application::updateMeasures() {
    if (equipotentials.shown) equipotentials.update(model.potential);
    // With both off the frame asks nothing of the pointer.
    if (!probe.shown && crossSection.mode == CrossSection::Mode::Off) return;
    const sf::Vector2i mouse = sf::Mouse::getPosition(*window);
    const sf::Vector2u size = window->getSize();
    probe.update(model, mouse, scale, size);
    crossSection.update(model, mouse, scale, size);
}
