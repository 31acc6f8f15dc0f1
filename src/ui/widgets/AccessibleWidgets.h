#pragma once

// Accessibility for the widgets that paint themselves: the picture buttons over the live picture
// report themselves as buttons a screen reader can press, and the exposure slider as a slider
// with its value, range and step. Installing twice does nothing; each such widget installs it
// when it is made. Main thread.
void installAccessibleWidgets();
