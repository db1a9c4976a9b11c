// The suite pointers themselves: null until the suite table fills them at
// the start of a message, null again after a complete release.
#include "shell/suite_pointers.h"

const SPBlocksSuite* sSPBlocks = nullptr;
const SPAccessSuite* sSPAccess = nullptr;
const AIMdMemorySuite* sAIMdMemory = nullptr;
const AIRealMathSuite* sAIRealMath = nullptr;
const AIArtSuite* sAIArt = nullptr;
const AIUserSuite* sAIUser = nullptr;
const AIDocumentSuite* sAIDocument = nullptr;
const AIDocumentViewSuite* sAIDocumentView = nullptr;
const AIUndoSuite* sAIUndo = nullptr;
const AIPathSuite* sAIPath = nullptr;
const AIPathStyleSuite* sAIPathStyle = nullptr;
const AIRandomSuite* sAIRandom = nullptr;
const AITagSuite* sAITag = nullptr;
const AITransformArtSuite* sAITransformArt = nullptr;
const AISwatchListSuite* sAISwatchList = nullptr;
const AIBlendStyleSuite* sAIBlendStyle = nullptr;
const AIArtStyleSuite* sAIArtStyle = nullptr;
const AISymbolSuite* sAISymbol = nullptr;
const AIEnvelopeSuite* sAIEnvelope = nullptr;
const AIShapeConstructionSuite* sAIShapeConstruction = nullptr;
const AILayerSuite* sAILayer = nullptr;
const AIMenuSuite* sAIMenu = nullptr;
const AIFilterSuite* sAIFilter = nullptr;
const ADMBasicSuite* sADMBasic = nullptr;
const ADMDialogSuite* sADMDialog = nullptr;
const ADMItemSuite* sADMItem = nullptr;
const ADMIconSuite* sADMIcon = nullptr;
const ADMNotifierSuite* sADMNotifier = nullptr;
const ADMListSuite* sADMList = nullptr;
const ADMEntrySuite* sADMEntry = nullptr;
const ADMTrackerSuite* sADMTracker = nullptr;
