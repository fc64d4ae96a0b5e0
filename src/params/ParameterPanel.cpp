#include "params/ParameterPanel.hpp"

#include <SFML/System/String.hpp>
#include <algorithm>
#include <cstddef>
#include <string_view>
#include <utility>

#include "ui/OverlaySet.hpp"

namespace {

void selectNext(ParameterPanel& p) {
    p.selected = p.selected < p.count - 1 ? p.selected + 1 : 0;
}

void selectPrevious(ParameterPanel& p) {
    p.selected = p.selected == 0 ? p.count - 1 : p.selected - 1;
}

struct PanelBinding {
    sf::Keyboard::Key key;
    void (*action)(ParameterPanel&);
    std::string_view effect;
};

// The panel's key table; `keys` is filled from it and keeps its order, so a
// position in `keys` is also the position of the action here.
constexpr std::array<PanelBinding, 8> kBindings{{
    {sf::Keyboard::Down, selectNext, "select next parameter"},
    {sf::Keyboard::Up, selectPrevious, "select previous parameter"},
    {sf::Keyboard::Add, [](ParameterPanel& p) { p.items[p.selected]->increase(); },
     "increase value"},
    {sf::Keyboard::Subtract, [](ParameterPanel& p) { p.items[p.selected]->decrease(); },
     "decrease value"},
    {sf::Keyboard::PageUp, [](ParameterPanel& p) { p.items[p.selected]->increaseStep(); },
     "step times 10"},
    {sf::Keyboard::PageDown, [](ParameterPanel& p) { p.items[p.selected]->decreaseStep(); },
     "step divided by 10"},
    {sf::Keyboard::Right, [](ParameterPanel& p) { p.items[p.selected]->nextElement(); },
     "next element"},
    {sf::Keyboard::Left, [](ParameterPanel& p) { p.items[p.selected]->previousElement(); },
     "previous element"},
}};

}  // namespace

ParameterPanel::ParameterPanel(OverlaySet* overlays, std::string title, std::uint32_t capacity)
    : items(std::make_unique<Parameter*[]>(capacity)),
      capacity(capacity),
      selected(capacity),
      overlays(overlays) {
    overlays->add(text);
    text.setText(sf::String());
    this->title = std::move(title);
    for (std::size_t k = 0; k < kBindings.size(); ++k)
        keys[k] = kBindings[k].key;
}

void ParameterPanel::add(Parameter* parameter) {
    if (count < capacity) items[count++] = parameter;
    if (selected == capacity) selected = 0;
}

void ParameterPanel::refresh() {
    std::string list = title + ":\n";
    for (std::uint32_t k = 0; k < count; ++k) {
        list += k == selected ? "* " : "  ";
        list += items[k]->valueLine();
        list += " +-";
        list += items[k]->stepText();
        list += '\n';
    }
    text.setText(sf::String(list));
}

void ParameterPanel::handleKey(const sf::Event& event) {
    const auto hit = std::find(keys.begin(), keys.end(), static_cast<int>(event.key.code));
    if (hit == keys.end()) return;
    if (selected != capacity) kBindings[static_cast<std::size_t>(hit - keys.begin())].action(*this);
    // Rebuilt for every panel key, even with nothing selected to act on.
    refresh();
}

std::vector<BoundInput> panelInputs() {
    std::vector<BoundInput> inputs;
    for (const PanelBinding& b : kBindings)
        inputs.push_back({BoundInput::Kind::Key, BoundInput::Handler::Panel, b.key, b.effect});
    return inputs;
}
