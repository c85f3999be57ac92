#ifndef GRAPHINGTYPES_H
#define GRAPHINGTYPES_H
// Public enumerations of the chart library: colours, pens, marker shapes, contour fill and
// mouse events (the first five are used by the library itself), and the marker, bar and
// hatch styles it publishes for callers.
#include <cstdint>

enum class GrColor : int32_t {
    BLACK = 0, Blue = 1, Green = 2, Cyan = 3, red = 4, Magenta = 5, Brown = 6, LightGrey = 7,
    Grey = 8, LightBlue = 9, LightGreen = 10, LightCyan = 11, lightred = 12, LightMagenta = 13,
    YELLOW = 14, white = 15, PaleBlue = 16, palegreen = 17, MedGrey = 18, OffWhite = 19
};

enum class GrPenStyle : int32_t {
    PenSolid = 0, Dash = 1, Dot = 2, DashDot = 3, DashDotDot = 4, Nowt = 5, InsideFrame = 6
};

enum class GrShape : int32_t { ShapeCircle = 1, ShapeSquare = 2 };

enum class GrContFill : int32_t { ContourLines = 20, ContourFill = 21 };

enum class GrMouseEvent : int32_t { LButtDown = 513, LButtUp = 514, RButtDown = 516, RButtUp = 517 };

enum class GrMarkerStyle : int32_t { Filled = 0, Transp = 1, CDot = 2 };

enum class GrMarkerShape : int32_t {
    None = 0, X = 1, UpTriangle = 2, DownTriangle = 3, Box = 4, Plus = 5, Asterix = 6, Diamond = 7,
    ACircle = 8, Dot = 9
};

enum class GrBarJustify : int32_t { BJBelow = 0, BJLeft = 1, BJRight = 2, BJMiddle = 3, BJAbove = 4 };

enum class GrBarType : int32_t { D2VBar = 6, D2HBar = 7, D3VBar = 8, D3HBaR = 9 };

enum class GrHatchStyle : int32_t {
    Solid = -1, Horizontal = 0, Vertical = 1, FDiagonal = 2, BDiagonal = 3, Cross = 4, DiagCross = 5
};

constexpr int32_t ToInt(GrColor c) { return static_cast<int32_t>(c); }
constexpr int32_t ToInt(GrPenStyle p) { return static_cast<int32_t>(p); }
constexpr int32_t ToInt(GrContFill f) { return static_cast<int32_t>(f); }

#endif
