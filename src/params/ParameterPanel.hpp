#pragma once

#include <SFML/Window/Event.hpp>
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "params/Parameter.hpp"
#include "ui/BoundInput.hpp"
#include "ui/OverlayText.hpp"

class OverlaySet;

// The on-screen list of parameters, one line each with a marker on the
// selected one, and the eight keys that select and edit them.
class ParameterPanel {
  public:
    std::unique_ptr<Parameter*[]> items;
    std::uint32_t capacity;
    std::uint32_t count = 0;
    // Equal to capacity while nothing is selected.
    std::uint32_t selected;
    OverlayText text;
    OverlaySet* overlays;
    std::string title;
    // Key codes indexed by action: select next, select previous, increase,
    // decrease, increase step, decrease step, next element, previous element.
    std::array<int, 8> keys{};

    ParameterPanel(OverlaySet* overlays, std::string title, std::uint32_t capacity);
    ParameterPanel(const ParameterPanel&) = delete;
    ParameterPanel& operator=(const ParameterPanel&) = delete;

    // Appends a parameter; ignored once all slots are taken.
    void add(Parameter* parameter);
    // The panel does not watch the values: call this after anything changes them.
    void refresh();
    void handleKey(const sf::Event& event);
};

// The panel's eight keys in the order of `keys`; they act only while the panel is shown.
std::vector<BoundInput> panelInputs();
