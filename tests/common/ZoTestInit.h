#pragma once

#include "FontSubstitutes.h"

#include <QtGlobal>

// Registers the compiled-in pictures (when the resources library is built)
// and the font substitutes; call from initTestCase() of widget tests.
inline void zoInitWidgetTest()
{
#ifdef ZO_HAVE_RESOURCES
    Q_INIT_RESOURCE(resources);
#endif
    installFontSubstitutes();
}
