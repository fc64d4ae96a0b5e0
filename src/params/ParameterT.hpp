#pragma once

#include <cstdint>
#include <string>

#include "params/Parameter.hpp"

class ParameterPanel;

// A parameter over `count` consecutive values of type T (bool, int, float or
// double), stepped by a power of ten within optional limits.
template <class T>
class ParameterT final : public Parameter {
  public:
    T* values;
    std::uint32_t count;
    bool hasMin = false;
    bool hasMax = false;
    bool minExclusive = false;
    bool maxExclusive = false;
    T min{};
    T max{};
    std::int32_t exponent = 0;
    T step{1};

    // Appends itself to the panel's list.
    ParameterT(ParameterPanel* panel, T* values, std::string name, std::uint32_t count);
    // Not registered: the owner calls the panel's add where it wants the line.
    ParameterT(T* values, std::string name, std::uint32_t count);

    void increase() override;
    void decrease() override;
    void increaseStep() override;
    void decreaseStep() override;
    void nextElement() override;
    void previousElement() override;
    std::string valueLine() const override;
    std::string stepText() const override;
    double stepMagnitude() const override;

    // step = 10^exponent as an iterated product in T; an exponent whose step
    // would be zero is raised to the lowest one that is not.
    void updateStep();
};

extern template class ParameterT<bool>;
extern template class ParameterT<int>;
extern template class ParameterT<float>;
extern template class ParameterT<double>;
