#include "app/Application.hpp"
#include "field/Scenarios.hpp"

void Application::loadPreset(std::uint8_t index) {
    if (index >= scenarios().size()) return;
    const Scenario& scenario = scenarios()[index];
    const ScenarioValues& v = scenario.values;
    loadedPresetText.setText(presetNames[index]);
    if (v.zeroesAllSides) resetBoundaries();
    // The scenario's charge replaces all metal too; its build repaints the charge layer.
    model.metal.clear();
    scenario.build(model);
    if (!v.zeroesAllSides) {
        topBoundaryValue = v.top;
        bottomBoundaryValue = v.bottom;
    }
    if (v.verticalPeriodic) verticalPeriodic = true;
    parameterPanel.refresh();
}

void Application::resetBoundaries() {
    resetSides(model);
    topBoundaryValue = bottomBoundaryValue = leftBoundaryValue = rightBoundaryValue = 0.0;
    parameterPanel.refresh();
}
