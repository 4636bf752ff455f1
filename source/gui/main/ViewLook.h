#pragma once

// The fonts and background colours of the options on the main window's views: the template
// tree and the four event lists. A system colour (the options' "window background" and
// "window text") keeps the desktop's own colour, so a dark desktop theme stays readable.

#include "core/options/paFont.h"

#include <QColor>
#include <QFont>

class QWidget;

namespace kelvo {

QFont ToViewFont(const TFont& font);
// The colour as drawn; system colours resolved as the settings resolve them.
QColor ToViewColor(TColor color);

// The font (with its colour as the text colour) and the background on view and everything
// in it; the headers keep their own colours.
void ApplyViewLook(QWidget& view, const TFont& font, TColor background);

} // namespace kelvo
