// The suites held for the current message. Each pointer is null while its
// suite is not held; the suite table fills and clears them around every
// message, and every handler, dialog procedure and the generator call the
// host only through them.
#pragma once

#include "host/suites.h"

extern const SPBlocksSuite* sSPBlocks;
extern const SPAccessSuite* sSPAccess;
extern const AIMdMemorySuite* sAIMdMemory;
extern const AIRealMathSuite* sAIRealMath;
extern const AIArtSuite* sAIArt;
extern const AIUserSuite* sAIUser;
extern const AIDocumentSuite* sAIDocument;
extern const AIDocumentViewSuite* sAIDocumentView;
extern const AIUndoSuite* sAIUndo;
extern const AIPathSuite* sAIPath;
extern const AIPathStyleSuite* sAIPathStyle;
extern const AIRandomSuite* sAIRandom;
extern const AITagSuite* sAITag;
extern const AITransformArtSuite* sAITransformArt;
extern const AISwatchListSuite* sAISwatchList;
extern const AIBlendStyleSuite* sAIBlendStyle;
extern const AIArtStyleSuite* sAIArtStyle;
extern const AISymbolSuite* sAISymbol;
extern const AIEnvelopeSuite* sAIEnvelope;
extern const AIShapeConstructionSuite* sAIShapeConstruction;
extern const AILayerSuite* sAILayer;
extern const AIMenuSuite* sAIMenu;
extern const AIFilterSuite* sAIFilter;
extern const ADMBasicSuite* sADMBasic;
extern const ADMDialogSuite* sADMDialog;
extern const ADMItemSuite* sADMItem;
extern const ADMIconSuite* sADMIcon;
extern const ADMNotifierSuite* sADMNotifier;
extern const ADMListSuite* sADMList;
extern const ADMEntrySuite* sADMEntry;
extern const ADMTrackerSuite* sADMTracker;
