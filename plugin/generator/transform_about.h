// Transforms about a point, built from the host's matrix steps: translate
// the point to the origin, apply the steps, translate back. Every matrix is
// applied with line scale 1, so stroke widths never change with the art.
#pragma once

#include "plugin/host/suites.h"

// The centre of a bounds rectangle, computed as left - width * -0.5 and
// bottom - height * -0.5.
AIRealPoint boundsCentre(const AIRealRect& bounds);

// The art's bounds and their centre.
ASErr artCentre(AIArtHandle art, AIRealPoint* centre);

// Starts a matrix that moves `centre` to the origin.
void beginAbout(AIRealMatrix* matrix, AIRealPoint centre);
// Appends the move from the origin back to `centre`.
void endAbout(AIRealMatrix* matrix, AIRealPoint centre);

ASErr transformArt(AIArtHandle art, const AIRealMatrix& matrix);

// Rotation (radians, counter-clockwise) and scale about a point.
ASErr rotateAbout(AIArtHandle art, AIRealPoint centre, AIReal radians);
ASErr scaleAbout(AIArtHandle art, AIRealPoint centre, AIReal sx, AIReal sy);

// A plain move.
ASErr translateArt(AIArtHandle art, AIReal dx, AIReal dy);
