#ifndef TWIPS_H
#define TWIPS_H
// Twips, the layout unit of the program's windows, in pixels. The layout was made for a
// window font whose digits are 75 twips wide (5 pixels at 15 twips a pixel); a window
// shows it in its own font, so a twip is mapped from that font's digit width. Columns,
// labels and windows sized in twips then hold in any font what they held in that one: a
// 700-twip grid column, for one, a count such as 99999.00.
#include <QFont>

namespace twips {

double PixelsPerTwip(const QFont& font);
// Rounded to whole pixels.
int ToPixels(int twips, const QFont& font);
int FromPixels(int pixels, const QFont& font);

}  // namespace twips

#endif
