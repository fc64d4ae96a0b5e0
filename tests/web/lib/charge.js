// The charge the scenarios and the hard brush leave, node by node, with the program's
// arithmetic: JavaScript numbers are the same IEEE doubles, and Math.sqrt rounds as
// std::sqrt does, so every colour of the charge layer is known exactly. Metal too shows in
// known colours, for a potential whose induced charge saturates the colour map on the surface.
'use strict';

// The colour map for a value normalised to 0 ... 1: blue below the middle, black at it, red
// above; every channel truncated toward zero.
function blueRed(t) {
    const b = t < 0.5 ? Math.trunc((1.0 - (t + t)) * 255.0) : 0;
    const r = t > 0.5 ? Math.trunc((t - 0.5) * 510.0) : 0;
    return [Math.min(r, 255), 0, Math.min(b, 255)];
}

class ChargeModel {
    constructor(nx, ny) {
        this.nx = nx;
        this.ny = ny;
        this.v = new Float64Array(nx * ny);
        // The sign of the potential a metal node holds; 0 where the node is free.
        this.metal = new Int8Array(nx * ny);
    }

    index(i, j) { return i * this.ny + j; }

    set(i, j, value) {
        if (i < this.nx && j < this.ny) this.v[this.index(i, j)] = value;
    }

    // Calls f(i, j) for every node of the disc inside the grid.
    disc(cx, cy, r, f) {
        for (let i = Math.max(cx - r, 0); i <= Math.min(cx + r, this.nx - 1); ++i) {
            for (let j = Math.max(cy - r, 0); j <= Math.min(cy + r, this.ny - 1); ++j) {
                const di = i - cx;
                const dj = j - cy;
                if (di * di + dj * dj <= r * r) f(i, j, di, dj);
            }
        }
    }

    // Adds weight * density * 0.05 to every node of the disc, the weight falling from 1 at the
    // centre toward the rim; then clamps to -1 ... 1, or, for the eraser, toward zero.
    softStamp(cx, cy, r, density, eraser = false) {
        this.disc(cx, cy, r, (i, j, di, dj) => {
            const w = Math.sqrt(1.0 - (dj * dj + di * di) / ((r + 1) * (r + 1)));
            let v = this.v[this.index(i, j)] + w * (density * 0.05);
            if (!eraser)
                v = Math.max(-1.0, Math.min(v, 1.0));
            else
                v = density > 0 ? Math.min(v, 0.0) : Math.max(v, 0.0);
            this.v[this.index(i, j)] = v;
        });
    }

    // A hard-brush stroke: the whole disc set to +1 or -1, or cleared by the eraser (value 0).
    hardStamp(cx, cy, r, value) {
        this.disc(cx, cy, r, (i, j) => {
            this.v[this.index(i, j)] = value;
        });
    }

    // A metal-brush stroke: every interior node of the disc metal at a potential of the sign,
    // or free again for sign 0 (the eraser).
    metalStamp(cx, cy, r, sign) {
        this.disc(cx, cy, r, (i, j) => {
            if (i > 0 && j > 0 && i < this.nx - 1 && j < this.ny - 1)
                this.metal[this.index(i, j)] = sign;
        });
    }

    isMetal(i, j) { return this.metal[this.index(i, j)] !== 0; }

    // A metal node shows the charge it gathers: 0 inside a region at one potential; on its
    // surface, next to free nodes whose potential falls off toward the grounded sides, the sum
    // of those drops over h^2, positive for metal at +V. A disc of radius 25 at V = 0.005 on a
    // 400 x 400 grid (h = 1 / 400) gathers about 8 times full charge where it gathers least once
    // settled, and more before: its surface shows full red, or full blue for -V.
    colour(i, j) {
        const sign = this.metal[this.index(i, j)];
        if (sign === 0) return blueRed((this.v[this.index(i, j)] - -1.0) / (1.0 - -1.0));
        const surface = [[-1, 0], [1, 0], [0, -1], [0, 1]].some(
            ([di, dj]) => this.metal[this.index(i + di, j + dj)] !== sign);
        return surface ? blueRed(sign > 0 ? 1 : 0) : blueRed(0.5);
    }

    // The colour of window pixel (x, y) at `scale` pixels a node: the hatch's grey over metal
    // on every sixth diagonal, else its node's colour.
    pixel(x, y, scale = 1) {
        const i = Math.trunc(x / scale);
        const j = Math.trunc(y / scale);
        return this.isMetal(i, j) && (x + y) % 6 === 0 ? hatchGrey : this.colour(i, j);
    }
}

const hatchGrey = [200, 200, 200];

function plates(nx, ny, rows, across, offset, thickness) {
    const m = new ChargeModel(nx, ny);
    for (const i of across) {
        for (let k = 0; k < thickness; ++k) {
            m.set(i, rows - offset + k, 1.0);
            m.set(i, rows + offset + k, -1.0);
        }
    }
    return m;
}

function range(from, to) {
    return Array.from({length: Math.max(to - from, 0)}, (_, k) => from + k);
}

// The point-like scenarios' centre, spacing and disc radius.
function layout(nx, ny) {
    const t = Math.trunc(Math.min(nx, ny) / 8);
    return {cx: Math.trunc(nx / 2), cy: Math.trunc(ny / 2), t, r: Math.trunc((3 * t) / 5)};
}

const half = (n) => Math.trunc(n / 2);

// The seven scenarios, in the order J and K step through them.
const scenarios = [
    [
        'Infinite capacitor',
        (nx, ny) => plates(nx, ny, half(ny), range(0, nx), Math.trunc(ny / 4), 5)
    ],
    [
        'Finite capacitor',
        (nx, ny) => plates(
            nx, ny, half(ny), range(half(nx) - Math.trunc(nx / 5), half(nx) + Math.trunc(nx / 5)),
            Math.trunc(ny / 12), 3),
    ],
    [
        'Monopole field',
        (nx, ny) => {
            const m = new ChargeModel(nx, ny);
            const l = layout(nx, ny);
            m.softStamp(l.cx, l.cy, l.r, 10.0);
            return m;
        },
    ],
    [
        'Dipole field',
        (nx, ny) => {
            const m = new ChargeModel(nx, ny);
            const l = layout(nx, ny);
            m.softStamp(l.cx, l.cy - l.t, l.r, 10.0);
            m.softStamp(l.cx, l.cy + l.t, l.r, -10.0);
            return m;
        },
    ],
    [
        'Quadrupole field',
        (nx, ny) => {
            const m = new ChargeModel(nx, ny);
            const l = layout(nx, ny);
            m.softStamp(l.cx, l.cy - l.t, l.r, 10.0);
            m.softStamp(l.cx, l.cy + l.t, l.r, 10.0);
            m.softStamp(l.cx - l.t, l.cy, l.r, -10.0);
            m.softStamp(l.cx + l.t, l.cy, l.r, -10.0);
            return m;
        },
    ],
    [
        'Model of ionic crystal',
        (nx, ny) => {
            // A 6 x 6 checkerboard, the top-left ion positive, discs of 10 nodes on every grid.
            const m = new ChargeModel(nx, ny);
            const x0 = Math.trunc(nx / 12);
            const sx = Math.trunc(nx / 6);
            const y0 = Math.trunc(ny / 15);
            const sy = Math.trunc((ny - 2 * y0) / 5);
            for (let f = 0; f < 6; ++f) {
                for (let g = 0; g < 6; ++g) {
                    m.softStamp(x0 + f * sx, y0 + g * sy, 10, (f + g) % 2 === 0 ? 15.0 : -15.0);
                }
            }
            return m;
        },
    ],
    [
        'Charged shell',
        (nx, ny) => {
            const m = new ChargeModel(nx, ny);
            const l = layout(nx, ny);
            const r = Math.trunc(Math.min(nx, ny) / 4);
            m.softStamp(l.cx, l.cy, r, 20.0);
            m.softStamp(l.cx, l.cy, Math.trunc((3 * r) / 4), -25.0, true);
            return m;
        },
    ],
];

module.exports = {
    ChargeModel,
    blueRed,
    hatchGrey,
    scenarios
};
