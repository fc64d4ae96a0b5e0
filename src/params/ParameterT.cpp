#include "params/ParameterT.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <type_traits>
#include <utility>

#include "field/PortableMath.hpp"
#include "params/ParameterPanel.hpp"

namespace {

// The highest exponent whose step T can hold: 10^9 is the last power of ten
// in an int, 10^38 and 10^308 the last finite ones in float and double. A bool
// step is always true, so its exponent only has to keep clear of overflow.
template <class T>
constexpr std::int32_t kStepCeiling = std::numeric_limits<T>::max_exponent10;
template <>
constexpr std::int32_t kStepCeiling<int> = std::numeric_limits<int>::digits10;
template <>
constexpr std::int32_t kStepCeiling<bool> = std::numeric_limits<std::int32_t>::max();

// An int step can carry a value past the int range; signed overflow is
// undefined, so the sum is formed wider and pinned to the range.
int saturate(std::int64_t wide) {
    return static_cast<int>(std::clamp<std::int64_t>(wide, std::numeric_limits<int>::min(),
                                                     std::numeric_limits<int>::max()));
}

// Sums and differences in T's own arithmetic; bool counts as the integers 0 and 1.
template <class T>
auto plus(T a, T b) {
    if constexpr (std::is_same_v<T, bool>) {
        return int{a} + int{b};
    } else if constexpr (std::is_same_v<T, int>) {
        return saturate(std::int64_t{a} + b);
    } else {
        return a + b;
    }
}

template <class T>
auto minus(T a, T b) {
    if constexpr (std::is_same_v<T, bool>) {
        return int{a} - int{b};
    } else if constexpr (std::is_same_v<T, int>) {
        return saturate(std::int64_t{a} - b);
    } else {
        return a - b;
    }
}

std::string textOf(bool v) {
    return v ? "1" : "0";
}

std::string textOf(int v) {
    return std::to_string(v);
}

std::string textOf(double v) {
    const int length = std::snprintf(nullptr, 0, "%f", v);
    std::string text(static_cast<std::size_t>(length), '\0');
    std::snprintf(text.data(), text.size() + 1, "%f", v);
    return text;
}

std::string textOf(float v) {
    return textOf(static_cast<double>(v));
}

}  // namespace

template <class T>
ParameterT<T>::ParameterT(ParameterPanel* panel, T* values, std::string name, std::uint32_t count)
    : ParameterT(values, std::move(name), count) {
    panel->add(this);
}

template <class T>
ParameterT<T>::ParameterT(T* values, std::string name, std::uint32_t count)
    : Parameter(std::move(name)), values(values), count(count) {
    updateStep();
}

// The limit tests are written as "not below" and "not above" so that a NaN
// sum takes the limit branch instead of being stored.
template <class T>
void ParameterT<T>::increase() {
    T& value = values[index];
    const auto sum = plus(value, step);
    if (hasMax && !(sum < static_cast<decltype(sum)>(max))) {
        if (!maxExclusive) value = max;
    } else {
        value = static_cast<T>(sum);
    }
    changed = true;
}

template <class T>
void ParameterT<T>::decrease() {
    T& value = values[index];
    const auto difference = minus(value, step);
    if (hasMin && !(difference > static_cast<decltype(difference)>(min))) {
        if (!minExclusive) value = min;
    } else {
        value = static_cast<T>(difference);
    }
    changed = true;
}

template <class T>
void ParameterT<T>::increaseStep() {
    if (exponent < kStepCeiling<T>) ++exponent;
    updateStep();
}

template <class T>
void ParameterT<T>::decreaseStep() {
    // Only bool can get this far down; every other type is stopped by updateStep.
    if (exponent > std::numeric_limits<std::int32_t>::min()) --exponent;
    updateStep();
}

template <class T>
void ParameterT<T>::nextElement() {
    if (index < count - 1) ++index;
}

template <class T>
void ParameterT<T>::previousElement() {
    if (index != 0) --index;
}

template <class T>
std::string ParameterT<T>::valueLine() const {
    std::string line = name;
    if (count >= 2) {
        line += '[';
        line += std::to_string(index);
        line += ']';
    }
    line += " = ";
    line += textOf(values[index]);
    return line;
}

template <class T>
std::string ParameterT<T>::stepText() const {
    return textOf(step);
}

template <class T>
double ParameterT<T>::stepMagnitude() const {
    // exponent is public data; past the ceiling the power would not fit in T.
    // Our own power of ten: the C libraries' pow differ in the last bits.
    const double power = portablePow10(std::min(exponent, kStepCeiling<T>));
    return static_cast<double>(static_cast<T>(power));
}

template <class T>
void ParameterT<T>::updateStep() {
    exponent = std::min(exponent, kStepCeiling<T>);
    const T base = exponent > 0 ? static_cast<T>(10) : static_cast<T>(0.1);
    const std::int64_t times = exponent < 0 ? -std::int64_t{exponent} : std::int64_t{exponent};
    step = static_cast<T>(1);
    for (std::int64_t k = 0; k < times; ++k) {
        const T next = static_cast<T>(base * step);
        // Zero absorbs every later factor, so restarting one exponent higher
        // until the product is non-zero ends at the last non-zero one, -k.
        if (next == static_cast<T>(0)) {
            exponent = static_cast<std::int32_t>(-k);
            return;
        }
        // A product that stops moving (bool's true) stays put to the end.
        if (next == step) return;
        step = next;
    }
}

template class ParameterT<bool>;
template class ParameterT<int>;
template class ParameterT<float>;
template class ParameterT<double>;
