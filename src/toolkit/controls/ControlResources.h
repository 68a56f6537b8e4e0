// Registration of the controls' compiled-in art (resources/controls.qrc), which sits in a static
// library and so is not registered by itself.
#pragma once

// Registers the art once; every control that loads an image calls it first.
void InitControlResources();
