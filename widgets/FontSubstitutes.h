#pragma once

// Maps the families the style sheets ask for ("Avenir") to installed ones.
// Call once after the QApplication exists and before the first widget.
void installFontSubstitutes();
