// Text in every script in every widget: characters the widget's font lacks are drawn with the
// first of the machine's fonts that has them, in the order fontconfig ranks fonts for the
// widget's font. Labels, inputs, browsers, menus, tooltips and message boxes all draw and
// measure through the display's graphics driver, so replacing that driver reaches them all.
#pragma once

namespace vx::ui {

// Installs the fallback driver on the display; once, at start-up, before any window is drawn.
// Text the widget font covers goes to the toolkit unchanged.
void UseFontFallback();

}  // namespace vx::ui
