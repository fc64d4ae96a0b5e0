#pragma once

// Shared by the tests that drive a real Application: building one on a grid of
// the program's own shape, pressing keys through its event step, and reading
// back charge and texts.

#include <SFML/Window/Event.hpp>
#include <cstdint>
#include <memory>
#include <sstream>
#include <string>

#include "app/Application.hpp"
#include "field/Grid2D.hpp"

// The domain main builds. Scale 1 keeps the window as small as the grid.
inline std::unique_ptr<Application> makeApp(std::uint32_t nx, std::uint32_t ny) {
    return std::make_unique<Application>(domainGrid(nx, ny), 1);
}

// One key press, through the event step's own routing.
inline void pressKey(Application& app, sf::Keyboard::Key key) {
    sf::Event event{};
    event.type = sf::Event::KeyPressed;
    event.key.code = key;
    app.handleEvent(event);
}

// Shows the panel if needed and moves its marker down to `row`.
inline void selectParameter(Application& app, std::uint32_t row) {
    if (!app.parameterPanel.text.visible) pressKey(app, sf::Keyboard::P);
    for (int guard = 0; guard < 16 && app.parameterPanel.selected != row; ++guard) {
        pressKey(app, sf::Keyboard::Down);
    }
}

inline double chargeAt(const Application& app, std::uint32_t i, std::uint32_t j) {
    return app.model.charge.density.data[std::size_t{i} * app.model.grid.ny + j];
}

inline std::string stringOf(const OverlayText& t) {
    return t.text.getString().toAnsiString();
}

inline std::string panelText(const Application& app) {
    return stringOf(app.parameterPanel.text);
}

// Everything a key press could change, one item per line, so that a test can
// compare the whole state before and after and a failure shows what moved.
inline std::string stateText(const Application& app) {
    std::ostringstream s;
    const OverlayText* texts[] = {
        &app.helpText,         &app.fpsText,          &app.cursorText,
        &app.loadedPresetText, &app.scenarioHelpText, &app.selectedPresetText,
        &app.layerText,        &app.brushText,        &app.parameterPanel.text};
    for (const OverlayText* t : texts)
        s << "text " << t->visible << " [" << stringOf(*t) << "]\n";
    s << "switches " << app.showCharges << app.showField << app.showBrushOutline
      << app.model.field.arrows.equalLength << app.model.field.arrows.normalized << "\n";
    s << "brush " << app.model.charge.brush.hard << app.model.charge.brush.eraser << " "
      << app.model.charge.brush.radius << " metal " << app.model.charge.brush.metal << " "
      << int{app.model.charge.brush.metalLevel} << " " << app.model.metal.count << "\n";
    s << "preset " << app.selectedPreset << " panel " << app.parameterPanel.selected << "\n";
    s << "values " << app.verticalPeriodic << " " << app.topBoundaryValue << " "
      << app.bottomBoundaryValue << " " << app.leftBoundaryValue << " " << app.rightBoundaryValue
      << " " << app.vectorFieldBlockSize << " " << app.vectorFieldNormalized << " "
      << app.vectorFieldLengthMultiplier << " " << app.vectorFieldNormalizedLengthMultiplier
      << "\n";
    const Parameter* params[] = {&app.verticalPeriodicParam,
                                 &app.topBoundaryParam,
                                 &app.bottomBoundaryParam,
                                 &app.leftBoundaryParam,
                                 &app.rightBoundaryParam,
                                 &app.blockSizeParam,
                                 &app.normalizedParam,
                                 &app.lengthMultiplierParam,
                                 &app.normalizedLengthMultiplierParam};
    s << "changed";
    for (const Parameter* p : params)
        s << " " << p->changed;
    s << "\nsides";
    for (const BoundarySide& side : app.model.boundaries)
        s << " " << side.kind << ":" << side.value;
    double sum = 0.0;
    int nonZero = 0;
    for (const double v : app.model.charge.density.data) {
        sum += v;
        nonZero += v != 0.0;
    }
    s << "\ncharge " << sum << " " << nonZero << "\n";
    return s.str();
}
