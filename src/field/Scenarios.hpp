#pragma once

#include <array>
#include <cstddef>

class FieldModel;

// What a scenario does to the boundary values shown in the parameter list.
struct ScenarioValues {
    bool verticalPeriodic;  // left and right sides become periodic
    bool zeroesAllSides;    // all four sides are fixed at 0.0 first
    double top;
    double bottom;
};

// A textbook charge distribution: `build` replaces the charge and sets the
// boundary sides it needs; the potential relaxes from where it is.
struct Scenario {
    const char* name;
    void (*build)(FieldModel&);
    ScenarioValues values;
};

// The rows of the table in Scenarios.cpp, which checks the count.
inline constexpr std::size_t scenarioCount = 7;

const std::array<Scenario, scenarioCount>& scenarios();

// All four sides fixed at 0.0, periodic pairs included.
void resetSides(FieldModel& model);
