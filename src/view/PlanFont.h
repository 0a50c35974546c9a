#pragma once
// The font of the plan view's drawings on screen and on paper: Tahoma, whose widths the page
// layouts assume. On Debian the metric-compatible Tahoma of the package fonts-wine lies outside
// the system's font folders; it is added to the application's fonts on first use.
// User-interface thread only, after the QGuiApplication exists.

#include <QString>

namespace terminor {

/// "Tahoma", made available first when the system does not offer it by itself.
QString PlanFontFamily();

} // namespace terminor
