#pragma once

// Font sizes in points snap to whole pixels of a 96-DPI device, whatever the
// device reports, the way a font renderer sizes them: a drawing looks the same
// in user units on every screen and in tests. Every canvas uses this one rule,
// so that a face drawn for the web view measures its texts as the window does.
namespace FontSize {

int toPixels(double points);
double toPoints(int pixels);

} // namespace FontSize
