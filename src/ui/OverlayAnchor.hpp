#pragma once

// Where the layout places a text: a corner of the window, beside the mouse
// pointer, or nowhere (Free texts stay where their owner put them).
enum OverlayAnchor {
    TopLeft = 0,
    TopRight = 1,
    BottomLeft = 2,
    BottomRight = 3,
    Cursor = 4,
    Free = 5
};
