#include "Twips.h"

#include <QFontMetricsF>
#include <cmath>

namespace twips {

namespace {
constexpr double kDigitTwips = 75.0;
}  // namespace

double PixelsPerTwip(const QFont& font) {
    return QFontMetricsF(font).horizontalAdvance(QLatin1Char('0')) / kDigitTwips;
}

int ToPixels(int twips, const QFont& font) { return static_cast<int>(std::lround(twips * PixelsPerTwip(font))); }

int FromPixels(int pixels, const QFont& font) { return static_cast<int>(std::lround(pixels / PixelsPerTwip(font))); }

}  // namespace twips
