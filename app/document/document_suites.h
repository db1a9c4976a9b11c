// The host's "AI" suites over its document, random source and real maths:
// thin C adapters that find the current Document and RandomSource through
// currentHost(). With no document open every operation that answers a
// result code answers "PARM".
#pragma once

namespace heart {

class SuiteBroker;

// Offers "AI Art Suite", "AI Path Suite", "AI Path Style Suite", "AI Blend
// Style Suite", "AI Transform Art Suite", "AI Envelope Suite", "AI Shape
// Construction Suite", "AI Document Suite", "AI Document View Suite", "AI
// Layer Suite", "AI Swatch List Suite", "AI Art Style Suite", "AI Symbol
// Suite", "AI Undo Suite", "AI Real Math Suite", "AI Random Suite" and "AI
// Tag Suite" at their versions.
void registerDocumentSuites(SuiteBroker& broker);

}  // namespace heart
