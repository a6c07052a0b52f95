// Conversions from the framework's drawing types to Qt's, shared by the drawing backends.
//
// Fonts: "Arial" and "MS Sans Serif" (and the other classic names) are mapped to installed
// metric-compatible faces (the Liberation fonts), so that text measurement, and therefore every
// layout that depends on it, is the same on every machine whatever fonts it has besides. Text is
// always measured against one 96-dpi reference device, by the real backend and the recording
// backend alike.
#pragma once

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QString>
#include <string>
#include <string_view>

#include "framework/core/Color.h"
#include "framework/core/Font.h"
#include "framework/core/Geometry.h"

namespace fw {

// The colour as drawn: system colours resolved, markers reduced to their low 24 bits.
QColor ToQColor(TColor color);

QString ToQString(std::string_view text);

// The installed face that stands for a font name ("Arial" → "Liberation Sans"); other names are
// returned unchanged.
QString MapFontFamily(const std::string& name);

// The Qt font for a framework font: mapped face, pixel size from Height (a positive Height is a
// cell height and is converted), bold, italic, underline, strike-out. Escapement is not part of
// it: the backend turns the text itself.
QFont ToQFont(const TFont& font);

// Metrics of a font on the 96-dpi reference device.
QFontMetrics ReferenceFontMetrics(const QFont& font);

// Width (sum of advances) and height (ascent + descent) of one line of text.
TSize MeasureText(const QFontMetrics& metrics, std::string_view text);

}  // namespace fw
