#pragma once

// The two update forms of the over-relaxation, written once for any lane type
// (double or a group of doubles). The parenthesisation is the reference
// sweep's, operation for operation: with -ffp-contract=off every lane then
// rounds exactly as the straightforward code does.

// Equal steps: phi + (omega * 0.25) * (((((W + E) + N) + S) - 4 phi) + h^2 rho).
struct EqualStepRule {
    double factor;  // omega * 0.25
    double h2;      // hx * hx

    // The charge term depends on rho alone, so it is computed once per relax.
    template <class V>
    [[gnu::always_inline]] V charge(const V& rho) const {
        return h2 * rho;
    }

    template <class V>
    [[gnu::always_inline]] V update(const V& phi, const V& west, const V& east, const V& north,
                                    const V& south, const V& charge) const {
        const V sum = (((((west + east) + north) + south) - 4.0 * phi) + charge);
        return phi + factor * sum;
    }
};

// General steps: (omega * stencilFactor) * ((((E + W) / hx^2) + rho / divisor) +
// (N + S) / hy^2) + (1 - omega) * phi.
struct GeneralStepRule {
    double factor;   // omega * stencilFactor
    double keep;     // 1 - omega
    double hx2;      // hx * hx
    double hy2;      // hy * hy
    double divisor;  // chargeDivisor

    template <class V>
    [[gnu::always_inline]] V charge(const V& rho) const {
        return rho / divisor;
    }

    template <class V>
    [[gnu::always_inline]] V update(const V& phi, const V& west, const V& east, const V& north,
                                    const V& south, const V& charge) const {
        const V across = (east + west) / hx2;
        const V along = (north + south) / hy2;
        return factor * ((across + charge) + along) + keep * phi;
    }
};
