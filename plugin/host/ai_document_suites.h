/* Document suites: the current document, its views, layers, swatches, art
 * styles and symbols. Calling contexts and ownership are written as
 * suites.h explains.
 *
 * Every operation works on the document that is current when it is called;
 * with none open, each answers "PARM" (or 0 or null). The host opens and
 * closes documents between messages. Handles of views, swatches and art
 * styles are valid while their document stays open; handles of layers and
 * symbols while the layer or symbol exists: one made during a filter
 * invocation goes again when UndoChanges takes the invocation back.
 *
 * One run of heart's generator, as a preview inside the options dialog:
 *   UndoChanges()                        the last preview's hearts go
 *   GetDocumentPageSize(&size)           read once per run
 *   CountSwatches(null), CountArtStyles(&n)
 *   InsertLayer(null, kPlaceAboveAll, &layer)   with "New layer" on
 *   ... each heart (ai_art_suites.h) ...
 *   RedrawDocument()                     the views show the new hearts
 * Go runs the same steps without the redraw, or none of them when a preview
 * stands: then the previewed hearts are the result. */
#ifndef HEART_HOST_AI_DOCUMENT_SUITES_H
#define HEART_HOST_AI_DOCUMENT_SUITES_H

#include "plugin/host/heart_types.h"

#ifdef __cplusplus
extern "C" {
#endif

struct AIColor;

/* Document colour models. */
enum { kDocGrayColor = 0, kDocRGBColor = 1, kDocCMYKColor = 2 };

#define kAIDocumentSuite "AI Document Suite"
#define kAIDocumentSuiteVersion 7

typedef struct AIDocumentSuite {
  /* The page spans (0, 0) to (size.h, size.v).
   * [plug-in, while the suites are held]
   * Heart: the generator, once per run. */
  ASErr (*GetDocumentPageSize)(AIRealPoint* size);
  /* Show the current state of the document in its views.
   * [plug-in, while the suites are held]
   * Heart: the generator, at the end of a preview run. */
  ASErr (*RedrawDocument)(void);
  /* The document's colour model (kDocGrayColor, kDocRGBColor or
   * kDocCMYKColor) into *colorModel.
   * [plug-in, while the suites are held]
   * Heart: the generator, for the colour kind of a drop shadow. */
  ASErr (*GetDocumentColorModel)(ASInt16* colorModel);
} AIDocumentSuite;

#define kAIDocumentViewSuite "AI Document View Suite"
#define kAIDocumentViewSuiteVersion 7

typedef struct AIDocumentViewSuite {
  /* View n of the current document; view 0 is the front view. "PARM" for
   * a view the document does not have. *view receives the host's handle,
   * valid while the document stays open.
   * [plug-in, while the suites are held]
   * Heart: the defaults of a new record and the settings list (the front
   * view's centre), the view zoom item and the point picker. */
  ASErr (*GetNthDocumentView)(ASInt32 n, AIDocumentViewHandle* view);
  /* The artwork point at the centre of the view.
   * [plug-in, while the suites are held]
   * Heart: the defaults of a new record, the settings list, and the point
   * picker, which measures a picked slant from it. */
  ASErr (*GetDocumentViewCenter)(AIDocumentViewHandle view, AIRealPoint* center);
  /* A centre that is not finite answers "PARM".
   * [plug-in, while the suites are held]
   * Heart: never. */
  ASErr (*SetDocumentViewCenter)(AIDocumentViewHandle view, const AIRealPoint* center);
  /* [plug-in, while the suites are held]
   * Heart: never. */
  ASErr (*GetDocumentViewZoom)(AIDocumentViewHandle view, AIReal* zoom);
  /* 1 shows the artwork at its size, 2 twice as large. A zoom that is not
   * finite or not above 0 answers "PARM"; others are limited to 0.01 to 64.
   * [plug-in, while the suites are held]
   * Heart: the view zoom item, with its percentage / 100. */
  ASErr (*SetDocumentViewZoom)(AIDocumentViewHandle view, AIReal zoom);
  /* View points are window pixels: origin at the top left, vertical axis down.
   * [plug-in, while the suites are held]
   * Heart: the point picker, for the point a tracker gave. */
  ASErr (*ViewPointToArtworkPoint)(AIDocumentViewHandle view, const ASPoint* viewPoint,
                                   AIRealPoint* artworkPoint);
  /* "PARM" for an artwork point that is not finite or whose pixel does not
   * fit in 32 bits.
   * [plug-in, while the suites are held]
   * Heart: never. */
  ASErr (*ArtworkPointToViewPoint)(AIDocumentViewHandle view, const AIRealPoint* artworkPoint,
                                   ASPoint* viewPoint);
} AIDocumentViewSuite;

#define kAILayerSuite "AI Layer Suite"
#define kAILayerSuiteVersion 9

typedef struct AILayerSuite {
  /* A new layer placed by paintOrder relative to `reference` (null: all
   * layers). It becomes the current layer, where new art goes. Without a
   * reference, kPlaceAbove and kPlaceAboveAll put it on top and kPlaceBelow
   * and kPlaceBelowAll at the bottom; the inside orders answer "PARM".
   * *layer receives the host's handle, valid while the layer exists.
   * [plug-in, while the suites are held]
   * Heart: the generator with "New layer" on, once per run, before the
   * first heart. */
  ASErr (*InsertLayer)(AILayerHandle reference, ASInt16 paintOrder, AILayerHandle* layer);
  /* [plug-in, while the suites are held]
   * Heart: never. */
  ASErr (*CountLayers)(ASInt32* count);
  /* Layer n, counted from the top layer (0) down; "PARM" past the last.
   * [plug-in, while the suites are held]
   * Heart: never. */
  ASErr (*GetNthLayer)(ASInt32 n, AILayerHandle* layer);
  /* The layer where new art goes.
   * [plug-in, while the suites are held]
   * Heart: never. */
  ASErr (*GetCurrentLayer)(AILayerHandle* layer);
} AILayerSuite;

#define kAISwatchListSuite "AI Swatch List Suite"
#define kAISwatchListSuiteVersion 4

typedef struct AISwatchListSuite {
  /* Swatches of a list; the null list is the current document's, the only
   * one this host has (any other answers 0).
   * [plug-in, while the suites are held]
   * Heart: the generator, once per run. */
  ASInt32 (*CountSwatches)(AISwatchListRef list);
  /* Swatch at index (from 0); null when the index is outside the list. The
   * swatch is the host's, valid while its document stays open.
   * [plug-in, while the suites are held]
   * Heart: the generator, for a random swatch colour. */
  AISwatchRef (*GetNthSwatch)(AISwatchListRef list, ASInt32 index);
  /* The swatch's whole colour, copied into the caller's *color; "PARM" for
   * a null swatch, leaving color untouched.
   * [plug-in, while the suites are held]
   * Heart: the generator, right after GetNthSwatch, ignoring the result: a
   * null swatch leaves the colour it had. */
  ASErr (*GetAIColor)(AISwatchRef swatch, struct AIColor* color);
  /* The swatch's name into the caller's buffer; a name that does not fit is
   * cut, zero-terminated, and answers "PARM".
   * [plug-in, while the suites are held]
   * Heart: never. */
  ASErr (*GetSwatchName)(AISwatchRef swatch, char* buffer, ASInt32 bufferSize);
} AISwatchListSuite;

#define kAIArtStyleSuite "AI Art Style Suite"
#define kAIArtStyleSuiteVersion 3

typedef struct AIArtStyleSuite {
  /* [plug-in, while the suites are held]
   * Heart: the generator, once per run. */
  ASErr (*CountArtStyles)(ASInt32* count);
  /* Style at index (from 0; 0 is the default style); "PARM" outside the list.
   * *style receives the host's handle, valid while the document stays open.
   * [plug-in, while the suites are held]
   * Heart: the generator with "Random style" on, once per heart. */
  ASErr (*GetNthArtStyle)(ASInt32 index, AIArtStyleHandle* style);
  /* The art carries the style from now on (UndoChanges takes it back).
   * [plug-in, while the suites are held]
   * Heart: the generator, right after GetNthArtStyle. */
  ASErr (*SetArtStyle)(AIArtHandle art, AIArtStyleHandle style);
  /* The style's name into the caller's buffer; a name that does not fit is
   * cut, zero-terminated, and answers "PARM".
   * [plug-in, while the suites are held]
   * Heart: never. */
  ASErr (*GetArtStyleName)(AIArtStyleHandle style, char* buffer, ASInt32 bufferSize);
} AIArtStyleSuite;

#define kAISymbolSuite "AI Symbol Suite"
#define kAISymbolSuiteVersion 1

typedef struct AISymbolSuite {
  /* A new symbol definition made from a copy of the art; the art stays. An
   * unlisted symbol is kept out of the document's symbol palette. The copy
   * is the art as drawn at this moment (warped by the envelopes it lies in);
   * later changes to the art do not reach the symbol. symbol may be null;
   * otherwise it receives the host's handle, valid while the symbol exists.
   * [plug-in, while the suites are held]
   * Heart: the generator with "Symbolize" on, once per heart, after its
   * paint and before its warp. */
  ASErr (*NewSymbolFromArt)(AIArtHandle art, AIBoolean unlisted, AISymbolHandle* symbol);
  /* [plug-in, while the suites are held]
   * Heart: never. */
  ASErr (*CountSymbols)(ASInt32* count);
} AISymbolSuite;

#ifdef __cplusplus
}
#endif

#endif
