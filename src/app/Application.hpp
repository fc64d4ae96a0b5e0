#pragma once

#include <SFML/Graphics/CircleShape.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/System/Clock.hpp>
#include <SFML/Window/Event.hpp>
#include <SFML/Window/Keyboard.hpp>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "field/FieldModel.hpp"
#include "field/Grid2D.hpp"
#include "field/Scenarios.hpp"
#include "measure/CrossSection.hpp"
#include "measure/Equipotentials.hpp"
#include "measure/Probe.hpp"
#include "metal/MetalHatch.hpp"
#include "params/ParameterPanel.hpp"
#include "params/ParameterT.hpp"
#include "ui/BoundInput.hpp"
#include "ui/OverlaySet.hpp"
#include "ui/OverlayStyle.hpp"
#include "ui/OverlayText.hpp"

// The one owner of everything that lives as long as the window: the field
// model, the window, the texts, the tunable values with their parameters and
// panel, the display switches and the frame-rate state.
class Application {
  public:
    FieldModel model;
    std::unique_ptr<sf::RenderWindow> window;
    std::int32_t maxOverlayTexts = 15;
    OverlayStyle overlayStyle;
    OverlaySet overlays;
    OverlayText helpText;
    OverlayText fpsText;
    OverlayText cursorText;
    OverlayText loadedPresetText;
    OverlayText scenarioHelpText;
    OverlayText selectedPresetText;
    OverlayText layerText;
    OverlayText brushText;
    std::array<const char*, scenarioCount> presetNames;
    std::int32_t selectedPreset = 0;
    bool verticalPeriodic = false;
    double topBoundaryValue = 0.0;
    double bottomBoundaryValue = 0.0;
    double leftBoundaryValue = 0.0;
    double rightBoundaryValue = 0.0;
    bool vectorFieldNormalized = true;
    std::int32_t vectorFieldBlockSize = 7;
    float vectorFieldLengthMultiplier = 1000.0f;
    float vectorFieldNormalizedLengthMultiplier = 20.0f;
    ParameterPanel parameterPanel;
    ParameterT<bool> verticalPeriodicParam;
    ParameterT<double> topBoundaryParam;
    ParameterT<double> bottomBoundaryParam;
    ParameterT<double> leftBoundaryParam;
    ParameterT<double> rightBoundaryParam;
    ParameterT<int> blockSizeParam;
    ParameterT<bool> normalizedParam;
    ParameterT<float> lengthMultiplierParam;
    ParameterT<float> normalizedLengthMultiplierParam;
    bool showCharges = true;
    bool showField = true;
    bool showBrushOutline = true;
    sf::Clock fpsClock;
    std::int32_t frameCounter = 0;
    std::int32_t sweepsPerFrame = 10;
    bool sweepsAdjusted = false;
    std::int32_t fps = 60;
    std::uint8_t scale = 1;
    sf::CircleShape brushOutline{0.0f, 30};
    // The measuring tools, off at start: while they are off the program is as without them.
    Equipotentials equipotentials;
    Probe probe{overlays};
    CrossSection crossSection{overlays.font};
    // The sign of metal over the layers; nothing until metal is painted.
    MetalHatch metalHatch;

    // Prints the start-up report, decides the display scale and opens the window.
    Application(Grid2D grid, std::int32_t scale);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    void frameStep();

    void updateFrameRate();
    void drawFrame();
    void processEvents();
    // One window event as the event step routes it: a close request, the
    // application's keys, the parameter panel (while shown), then the brush.
    void handleEvent(const sf::Event& event);
    void handleKeyPress(sf::Keyboard::Key key);
    void applyParameterChanges();
    void loadPreset(std::uint8_t index);
    // The measuring tools that are on, from this frame's potential and pointer.
    void updateMeasures();
    void resetBoundaries();

  private:
    void openWindow(std::int32_t requestedScale);
    void wireDisplay();
    void updateField();
    void showMetal();
    void drawLayer();
};

// Every input the program binds, in the order a key press reaches its handlers: the
// application's keys, the brush's keys and wheel, the parameter panel's keys.
std::vector<BoundInput> boundInputs();
