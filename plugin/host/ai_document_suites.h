/* Document suites: the current document, its views, layers, swatches, art
 * styles and symbols. */
#ifndef HEART_HOST_AI_DOCUMENT_SUITES_H
#define HEART_HOST_AI_DOCUMENT_SUITES_H

#include "heart_types.h"

#ifdef __cplusplus
extern "C" {
#endif

struct AIColor;

/* Document colour models. */
enum { kDocGrayColor = 0, kDocRGBColor = 1, kDocCMYKColor = 2 };

#define kAIDocumentSuite "AI Document Suite"
#define kAIDocumentSuiteVersion 7

typedef struct AIDocumentSuite {
  /* The page spans (0, 0) to (size.h, size.v). */
  ASErr (*GetDocumentPageSize)(AIRealPoint* size);
  /* Show the current state of the document in its views. */
  ASErr (*RedrawDocument)(void);
  ASErr (*GetDocumentColorModel)(ASInt16* colorModel);
} AIDocumentSuite;

#define kAIDocumentViewSuite "AI Document View Suite"
#define kAIDocumentViewSuiteVersion 7

typedef struct AIDocumentViewSuite {
  /* View n of the current document; view 0 is the front view. */
  ASErr (*GetNthDocumentView)(ASInt32 n, AIDocumentViewHandle* view);
  /* The artwork point at the centre of the view. */
  ASErr (*GetDocumentViewCenter)(AIDocumentViewHandle view, AIRealPoint* center);
  ASErr (*SetDocumentViewCenter)(AIDocumentViewHandle view, const AIRealPoint* center);
  ASErr (*GetDocumentViewZoom)(AIDocumentViewHandle view, AIReal* zoom);
  /* 1 shows the artwork at its size, 2 twice as large. */
  ASErr (*SetDocumentViewZoom)(AIDocumentViewHandle view, AIReal zoom);
  /* View points are window pixels: origin at the top left, vertical axis down. */
  ASErr (*ViewPointToArtworkPoint)(AIDocumentViewHandle view, const ASPoint* viewPoint,
                                   AIRealPoint* artworkPoint);
  ASErr (*ArtworkPointToViewPoint)(AIDocumentViewHandle view, const AIRealPoint* artworkPoint,
                                   ASPoint* viewPoint);
} AIDocumentViewSuite;

#define kAILayerSuite "AI Layer Suite"
#define kAILayerSuiteVersion 9

typedef struct AILayerSuite {
  /* A new layer placed by paintOrder relative to `reference` (null: all
   * layers). It becomes the current layer, where new art goes. */
  ASErr (*InsertLayer)(AILayerHandle reference, ASInt16 paintOrder, AILayerHandle* layer);
  ASErr (*CountLayers)(ASInt32* count);
  ASErr (*GetNthLayer)(ASInt32 n, AILayerHandle* layer);
  ASErr (*GetCurrentLayer)(AILayerHandle* layer);
} AILayerSuite;

#define kAISwatchListSuite "AI Swatch List Suite"
#define kAISwatchListSuiteVersion 4

typedef struct AISwatchListSuite {
  /* Swatches of a list; the null list is the current document's. */
  ASInt32 (*CountSwatches)(AISwatchListRef list);
  /* Swatch at index (from 0); null when the index is outside the list. */
  AISwatchRef (*GetNthSwatch)(AISwatchListRef list, ASInt32 index);
  /* The swatch's whole colour; "PARM" for a null swatch, leaving color untouched. */
  ASErr (*GetAIColor)(AISwatchRef swatch, struct AIColor* color);
  ASErr (*GetSwatchName)(AISwatchRef swatch, char* buffer, ASInt32 bufferSize);
} AISwatchListSuite;

#define kAIArtStyleSuite "AI Art Style Suite"
#define kAIArtStyleSuiteVersion 3

typedef struct AIArtStyleSuite {
  ASErr (*CountArtStyles)(ASInt32* count);
  /* Style at index (from 0; 0 is the default style); "PARM" outside the list. */
  ASErr (*GetNthArtStyle)(ASInt32 index, AIArtStyleHandle* style);
  ASErr (*SetArtStyle)(AIArtHandle art, AIArtStyleHandle style);
  ASErr (*GetArtStyleName)(AIArtStyleHandle style, char* buffer, ASInt32 bufferSize);
} AIArtStyleSuite;

#define kAISymbolSuite "AI Symbol Suite"
#define kAISymbolSuiteVersion 1

typedef struct AISymbolSuite {
  /* A new symbol definition made from a copy of the art; the art stays. An
   * unlisted symbol is kept out of the document's symbol palette. */
  ASErr (*NewSymbolFromArt)(AIArtHandle art, AIBoolean unlisted, AISymbolHandle* symbol);
  ASErr (*CountSymbols)(ASInt32* count);
} AISymbolSuite;

#ifdef __cplusplus
}
#endif

#endif
