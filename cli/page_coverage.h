// Whether a drawing shows anything: hearts placed wholly off the page make
// an empty picture, which the command line warns about.
#pragma once

namespace heart {
class Document;
}

namespace heart::cli {

// True when the bounds of some art at the top of a layer overlap the page
// (0, 0) to (width, height), edges included.
bool artMeetsPage(const Document& document);

}  // namespace heart::cli
