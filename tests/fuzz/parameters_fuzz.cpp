// Sequences of parameter operations on each of the four types, with random values, limits and
// exponents (set directly, as the owner may, and then brought into range by updateStep). After
// every operation: the limits hold for a value that started within them, an exclusive limit is
// never reached, sums neither overflow nor wrap (UndefinedBehaviorSanitizer stops on signed
// overflow), the step is the iterated power of ten of an exponent inside the type's range, only
// the selected element changes, and only increase and decrease raise `changed`. A loop that does
// not end is libFuzzer's timeout.

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <type_traits>

#include "FuzzCheck.hpp"
#include "params/ParameterT.hpp"

namespace {

template <class T>
T anyValue(FuzzedDataProvider& in) {
    if constexpr (std::is_same_v<T, bool>) {
        return in.ConsumeBool();
    } else if constexpr (std::is_same_v<T, int>) {
        return in.ConsumeIntegral<int>();
    } else if constexpr (std::is_same_v<T, float>) {
        return std::bit_cast<float>(in.ConsumeIntegral<std::uint32_t>());
    } else {
        return std::bit_cast<double>(in.ConsumeIntegral<std::uint64_t>());
    }
}

// The range of exponents whose step T holds: below it the step would be zero, above it not a
// finite power of ten. bool has a step of true at every exponent.
template <class T>
struct ExponentRange;
template <>
struct ExponentRange<float> {
    static constexpr std::int32_t low = -45;
    static constexpr std::int32_t high = 38;
};
template <>
struct ExponentRange<double> {
    static constexpr std::int32_t low = -323;
    static constexpr std::int32_t high = 308;
};
template <>
struct ExponentRange<int> {
    static constexpr std::int32_t low = 0;
    static constexpr std::int32_t high = 9;
};
template <>
struct ExponentRange<bool> {
    static constexpr std::int32_t low = std::numeric_limits<std::int32_t>::min();
    static constexpr std::int32_t high = std::numeric_limits<std::int32_t>::max();
};

// 10^e as the product of |e| factors of 10 or 0.1, each rounded to T.
template <class T>
T iteratedPower(std::int32_t e) {
    if constexpr (std::is_same_v<T, bool>) {
        return true;
    } else {
        const T base = e > 0 ? T(10) : T(0.1);
        T step = 1;
        for (std::int64_t k = 0; k < std::abs(std::int64_t{e}); ++k)
            step = static_cast<T>(base * step);
        return step;
    }
}

template <class T>
bool lessOrEqual(T a, T b) {
    return a <= b;  // false for a NaN, as "inside the limits" must be
}

// The selected value after increase (up) or decrease: the limit branch is taken when the plain
// result reaches or passes the limit, or is not a number.
template <class T>
T expectedStep(const ParameterT<T>& p, T before, bool up) {
    const bool limited = up ? p.hasMax : p.hasMin;
    const T limit = up ? p.max : p.min;
    const bool exclusive = up ? p.maxExclusive : p.minExclusive;
    if constexpr (std::is_same_v<T, bool> || std::is_same_v<T, int>) {
        // Exact in 64 bits; an int result beyond the int range is pinned to it.
        const std::int64_t exact = up ? std::int64_t{before} + std::int64_t{p.step}
                                      : std::int64_t{before} - std::int64_t{p.step};
        const bool reached = up ? exact >= std::int64_t{limit} : exact <= std::int64_t{limit};
        if (limited && reached) return exclusive ? before : limit;
        if constexpr (std::is_same_v<T, bool>) {
            return exact != 0;
        } else {
            return static_cast<int>(std::clamp<std::int64_t>(exact, std::numeric_limits<int>::min(),
                                                             std::numeric_limits<int>::max()));
        }
    } else {
        const T plain = up ? before + p.step : before - p.step;
        const bool shortOfLimit = up ? plain < limit : plain > limit;
        if (limited && !shortOfLimit) return exclusive ? before : limit;
        return plain;
    }
}

template <class T>
bool same(T a, T b) {
    if constexpr (std::is_floating_point_v<T>) {
        if (std::isnan(a) && std::isnan(b)) return true;
    }
    return a == b;
}

// Within the limits that are on (a NaN is within none). A bool is an integer 0 or 1 whose
// decrease from 0 wraps to true, so for bool only the limit in the direction of the step counts.
template <class T>
bool inside(const ParameterT<T>& p, T v, bool up) {
    const bool lowOk = !p.hasMin || lessOrEqual(p.min, v);
    const bool highOk = !p.hasMax || lessOrEqual(v, p.max);
    if constexpr (std::is_same_v<T, bool>) return up ? highOk : lowOk;
    return lowOk && highOk;
}

// A value that started within the limits stays within them, and an exclusive limit it had not
// reached is still not reached.
template <class T>
void checkLimitsHeld(const ParameterT<T>& p, T before, T after, bool up) {
    if (!inside(p, before, up)) return;
    FUZZ_CHECK(inside(p, after, up));
    if (up && p.hasMax && p.maxExclusive && before < p.max) FUZZ_CHECK(after < p.max);
    if (!up && p.hasMin && p.minExclusive && p.min < before) FUZZ_CHECK(p.min < after);
}

template <class T>
void checkStep(const ParameterT<T>& p) {
    FUZZ_CHECK(p.exponent >= ExponentRange<T>::low && p.exponent <= ExponentRange<T>::high);
    FUZZ_CHECK(p.step == iteratedPower<T>(p.exponent));
    FUZZ_CHECK(p.step != T(0));
    if constexpr (std::is_floating_point_v<T>) FUZZ_CHECK(std::isfinite(p.step) && p.step > 0);
    const double magnitude = p.stepMagnitude();
    FUZZ_CHECK(std::isfinite(magnitude) && magnitude >= 0.0);
}

template <class T>
void run(FuzzedDataProvider& in) {
    const auto count = in.ConsumeIntegralInRange<std::uint32_t>(1, 4);
    // Exactly count values on the heap, so that an element outside them is an error.
    const auto values = std::make_unique<T[]>(count);
    for (std::uint32_t k = 0; k < count; ++k)
        values[k] = anyValue<T>(in);
    ParameterT<T> p(values.get(), "Fuzzed value", count);
    p.hasMin = in.ConsumeBool();
    p.hasMax = in.ConsumeBool();
    p.minExclusive = in.ConsumeBool();
    p.maxExclusive = in.ConsumeBool();
    p.min = anyValue<T>(in);
    p.max = anyValue<T>(in);
    checkStep(p);

    for (int n = 0; n < 2000 && in.remaining_bytes() > 0; ++n) {
        const std::uint32_t index = p.index;
        const T before = values[index];
        const auto all = std::make_unique<T[]>(count);
        std::copy(values.get(), values.get() + count, all.get());
        p.changed = in.ConsumeBool();
        const bool changedBefore = p.changed;
        bool edits = false;
        bool up = false;
        switch (in.ConsumeIntegralInRange<int>(0, 9)) {
            case 0: {
                const T want = expectedStep(p, before, true);
                p.increase();
                FUZZ_CHECK(same(values[index], want));
                edits = true;
                up = true;
                break;
            }
            case 1: {
                const T want = expectedStep(p, before, false);
                p.decrease();
                FUZZ_CHECK(same(values[index], want));
                edits = true;
                break;
            }
            case 2:
                p.increaseStep();
                break;
            case 3:
                p.decreaseStep();
                break;
            case 4:
                p.nextElement();
                FUZZ_CHECK(p.index == std::min(index + 1, count - 1));
                break;
            case 5:
                p.previousElement();
                FUZZ_CHECK(p.index == (index == 0 ? 0 : index - 1));
                break;
            case 6: {
                const std::string line = p.valueLine();
                FUZZ_CHECK(line.starts_with(p.name));
                FUZZ_CHECK(line.find(" = ") != std::string::npos);
                const std::string bracket = "[" + std::to_string(p.index) + "]";
                FUZZ_CHECK((line.compare(p.name.size(), bracket.size(), bracket) == 0) ==
                           (count >= 2));
                break;
            }
            case 7:
                FUZZ_CHECK(!p.stepText().empty());
                break;
            case 8:
                // The owner may set the exponent directly; updateStep brings it into range.
                p.exponent = in.ConsumeIntegral<std::int32_t>();
                p.updateStep();
                break;
            default:
                // Or set the value directly, to anything the type holds.
                values[index] = anyValue<T>(in);
                all[index] = values[index];
                break;
        }
        FUZZ_CHECK(p.index < count);
        FUZZ_CHECK(p.changed == (edits || changedBefore));
        checkStep(p);
        for (std::uint32_t k = 0; k < count; ++k) {
            if (k != index) FUZZ_CHECK(same(values[k], all[k]));
        }
        if (edits) checkLimitsHeld(p, before, values[index], up);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    switch (in.ConsumeIntegralInRange<int>(0, 3)) {
        case 0:
            run<bool>(in);
            break;
        case 1:
            run<int>(in);
            break;
        case 2:
            run<float>(in);
            break;
        default:
            run<double>(in);
            break;
    }
    return 0;
}
