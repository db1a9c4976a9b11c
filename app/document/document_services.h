// The document and random source that the document suites work on, as
// hostServices() holds the objects of the service suites. The Host points
// these at its own objects; with no document open `document` is null and
// the suites answer as the host does without one.
#pragma once

namespace heart {

class Document;
class RandomSource;

struct DocumentServices {
  Document* document = nullptr;    // the current document; null when none is open
  RandomSource* random = nullptr;  // the source behind "AI Random Suite"
};

DocumentServices& documentServices();

}  // namespace heart
