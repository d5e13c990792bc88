// The one entry point that supplies every graphics routine.
#include "graphics/Graphics.h"

void Graphics_RegisterDisplayFunctions();
void Graphics_RegisterDrawFunctions();
void Graphics_RegisterSpriteFunctions();
void Graphics_RegisterTileFunctions();
void Graphics_RegisterTextFunctions();
void Graphics_RegisterShapeFunctions();
void Graphics_RegisterSurfaceFunctions();
void Graphics_RegisterSpriteResourceFunctions();
void Graphics_RegisterBackgroundResourceFunctions();
void Graphics_RegisterFontResourceFunctions();
void Graphics_RegisterTransitionFunctions();
void Graphics_RegisterGridDrawFunction();
void Graphics_RegisterDrawActions();
void Graphics_RegisterD3DFunctions();
void Graphics_RegisterD3DModelFunctions();

void Graphics_RegisterFunctions()
{
    Graphics_RegisterDisplayFunctions();
    Graphics_RegisterDrawFunctions();
    Graphics_RegisterSpriteFunctions();
    Graphics_RegisterTileFunctions();
    Graphics_RegisterTextFunctions();
    Graphics_RegisterShapeFunctions();
    Graphics_RegisterSurfaceFunctions();
    Graphics_RegisterSpriteResourceFunctions();
    Graphics_RegisterBackgroundResourceFunctions();
    Graphics_RegisterFontResourceFunctions();
    Graphics_RegisterTransitionFunctions();
    Graphics_RegisterGridDrawFunction();
    Graphics_RegisterDrawActions();
    Graphics_RegisterD3DFunctions();
    Graphics_RegisterD3DModelFunctions();
}
