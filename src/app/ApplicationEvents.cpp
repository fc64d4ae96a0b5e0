#include <SFML/Window/Event.hpp>
#include <SFML/Window/Mouse.hpp>
#include <algorithm>
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "app/Application.hpp"
#include "field/Scenarios.hpp"
#include "measure/NodeReading.hpp"
#include "metal/MetalBrush.hpp"
#include "field/MetalPotential.hpp"
#include "ui/BrushControl.hpp"

namespace {

using Action = void (*)(Application&);

constexpr std::int32_t lastPreset = static_cast<std::int32_t>(scenarioCount) - 1;

struct AppKey {
    sf::Keyboard::Key key;
    Action action;
    std::string_view effect;
};

void selectPreset(Application& app, std::int32_t index) {
    app.selectedPreset = index;
    app.selectedPresetText.setText("Selected preset: #" + std::to_string(index + 1) + " " +
                                   app.presetNames[static_cast<std::size_t>(index)]);
}

void pinReference(Application& a) {
    a.probe.pin(
        nodeUnder(sf::Mouse::getPosition(*a.window), a.scale, a.model.grid.nx, a.model.grid.ny));
}

// The application's keys; the brush and the parameter panel read theirs
// from the same key presses. The measuring tools' keys follow the specified ones.
void stepMetalPotential(Application& a, std::int8_t (*step)(std::int8_t)) {
    Brush& brush = a.model.charge.brush;
    brush.metalLevel = step(brush.metalLevel);
}

const std::array<AppKey, 15> appKeys{{
    {sf::Keyboard::H,
     [](Application& a) {
         a.helpText.visible = !a.helpText.visible;
         a.scenarioHelpText.visible = !a.scenarioHelpText.visible;
         a.selectedPresetText.visible = !a.selectedPresetText.visible;
     },
     "show/hide help"},
    {sf::Keyboard::J,
     [](Application& a) {
         selectPreset(a, a.selectedPreset == 0 ? lastPreset : a.selectedPreset - 1);
     },
     "select previous preset"},
    {sf::Keyboard::K,
     [](Application& a) {
         selectPreset(a, a.selectedPreset >= lastPreset ? 0 : a.selectedPreset + 1);
     },
     "select next preset"},
    {sf::Keyboard::L,
     [](Application& a) { a.loadPreset(static_cast<std::uint8_t>(a.selectedPreset)); },
     "load selected preset"},
    {sf::Keyboard::N,
     [](Application& a) { a.model.field.arrows.equalLength = !a.model.field.arrows.equalLength; },
     "normalize electric vectors on/off"},
    {sf::Keyboard::O, [](Application& a) { a.showBrushOutline = !a.showBrushOutline; },
     "show/hide brush outline"},
    {sf::Keyboard::P,
     [](Application& a) { a.parameterPanel.text.visible = !a.parameterPanel.text.visible; },
     "show/hide parameter list"},
    {sf::Keyboard::Q, [](Application& a) { a.showCharges = !a.showCharges; },
     "switch between charges and potential"},
    {sf::Keyboard::V, [](Application& a) { a.showField = !a.showField; },
     "show/hide electric field"},
    {sf::Keyboard::C, [](Application& a) { a.equipotentials.toggle(); },
     "equipotential lines on/off"},
    {sf::Keyboard::M, [](Application& a) { a.probe.toggle(); }, "probe on/off"},
    {sf::Keyboard::R, pinReference, "pin probe reference"},
    {sf::Keyboard::G, [](Application& a) { a.crossSection.toggle(); },
     "cross-section: row, column, off"},
    {sf::Keyboard::LBracket, [](Application& a) { stepMetalPotential(a, loweredMetalLevel); },
     "metal potential down"},
    {sf::Keyboard::RBracket, [](Application& a) { stepMetalPotential(a, raisedMetalLevel); },
     "metal potential up"},
}};

void applyVerticalPeriodic(Application& a) {
    if (a.verticalPeriodic) {
        a.model.makeLeftRightPeriodic();
    } else {
        a.model.setBoundary(Left, a.leftBoundaryValue, false);
        a.model.setBoundary(Right, a.rightBoundaryValue, false);
    }
}

void applyBlockSize(Application& a) {
    // The lower limit of the parameter keeps the block size at 1 or more.
    a.model.field.arrows.blockSize =
        static_cast<std::uint32_t>(std::max(a.vectorFieldBlockSize, 1));
    a.model.field.resizeArrows();
}

void applyLengthMultiplier(Application& a) {
    a.model.field.arrows.lengthMultiplier = a.vectorFieldLengthMultiplier;
    a.parameterPanel.refresh();
}

void applyNormalizedLength(Application& a) {
    a.model.field.arrows.normalizedLength = a.vectorFieldNormalizedLengthMultiplier;
    a.parameterPanel.refresh();
}

struct ParameterRow {
    Parameter& parameter;
    Action apply;
};

}  // namespace

std::vector<BoundInput> boundInputs() {
    std::vector<BoundInput> inputs;
    for (const AppKey& k : appKeys) {
        inputs.push_back(
            {BoundInput::Kind::Key, BoundInput::Handler::Application, k.key, k.effect});
    }
    for (const std::vector<BoundInput>& more : {brushInputs(), panelInputs()})
        inputs.insert(inputs.end(), more.begin(), more.end());
    return inputs;
}

void Application::handleKeyPress(sf::Keyboard::Key key) {
    for (const AppKey& k : appKeys) {
        if (k.key == key) k.action(*this);
    }
}

void Application::handleEvent(const sf::Event& event) {
    if (event.type == sf::Event::Closed) window->close();
    if (event.type == sf::Event::KeyPressed) {
        handleKeyPress(event.key.code);
        // Tested after the application's keys, so the press that shows
        // the panel is offered to it too.
        if (parameterPanel.text.visible) parameterPanel.handleKey(event);
    }
    ::handleEvent(model.charge.brush, event);
}

void Application::processEvents() {
    sf::Event event;
    while (window->pollEvent(event))
        handleEvent(event);
    if (window->hasFocus()) {
        if (model.charge.brush.metal) {
            paintMetal(model, *window);
        } else {
            paint(model.charge, *window);
        }
    }
    brushText.setText(statusText(model.charge.brush));
    applyParameterChanges();
}

void Application::applyParameterChanges() {
    // Changed parameters reach the simulation once per frame, in this order.
    const std::array<ParameterRow, 9> rows{{
        {verticalPeriodicParam, applyVerticalPeriodic},
        {topBoundaryParam,
         [](Application& a) { a.model.setBoundary(Top, a.topBoundaryValue, true); }},
        {bottomBoundaryParam,
         [](Application& a) { a.model.setBoundary(Bottom, a.bottomBoundaryValue, true); }},
        {leftBoundaryParam,
         [](Application& a) { a.model.setBoundary(Left, a.leftBoundaryValue, true); }},
        {rightBoundaryParam,
         [](Application& a) { a.model.setBoundary(Right, a.rightBoundaryValue, true); }},
        {blockSizeParam, applyBlockSize},
        {normalizedParam,
         [](Application& a) { a.model.field.arrows.normalized = a.vectorFieldNormalized; }},
        {lengthMultiplierParam, applyLengthMultiplier},
        {normalizedLengthMultiplierParam, applyNormalizedLength},
    }};
    for (const ParameterRow& row : rows) {
        if (!row.parameter.changed) continue;
        row.apply(*this);
        row.parameter.changed = false;
    }
    // In normalized mode the panel shows the multiplier the arrows computed.
    if (vectorFieldNormalized) {
        vectorFieldLengthMultiplier = model.field.arrows.lengthMultiplier;
        parameterPanel.refresh();
    }
}
