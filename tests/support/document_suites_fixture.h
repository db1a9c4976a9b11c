// A document, a random source and the host's document suites offered by a
// broker, as a plug-in would reach them.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <iomanip>
#include <limits>
#include <memory>
#include <optional>
#include <sstream>
#include <string>

#include "core/fault_injector.h"
#include "core/host_context.h"
#include "core/suite_broker.h"
#include "document/document.h"
#include "document/document_suites.h"
#include "document/random_source.h"
#include "plugin/host/suites.h"

namespace heart::testing {

template <typename Suite>
const Suite* acquireSuite(SuiteBroker& broker, const char* name, ASInt32 version) {
  const void* table = nullptr;
  EXPECT_EQ(broker.acquire(name, version, &table), kNoErr) << name;
  return static_cast<const Suite*>(table);
}

class SuiteTest : public ::testing::Test {
 protected:
  void SetUp() override { openDocument(DocumentSettings{}); }

  void openDocument(DocumentSettings settings) {
    document = std::make_unique<Document>(settings);
    registerDocumentSuites(broker);
    context.document = document.get();
    context.random = &random;
    if (!scope) scope.emplace(context);
    art = acquireSuite<AIArtSuite>(broker, kAIArtSuite, kAIArtSuiteVersion);
    path = acquireSuite<AIPathSuite>(broker, kAIPathSuite, kAIPathSuiteVersion);
    pathStyle = acquireSuite<AIPathStyleSuite>(broker, kAIPathStyleSuite, kAIPathStyleSuiteVersion);
    blend = acquireSuite<AIBlendStyleSuite>(broker, kAIBlendStyleSuite, kAIBlendStyleSuiteVersion);
    transform = acquireSuite<AITransformArtSuite>(broker, kAITransformArtSuite,
                                                  kAITransformArtSuiteVersion);
    envelope = acquireSuite<AIEnvelopeSuite>(broker, kAIEnvelopeSuite, kAIEnvelopeSuiteVersion);
    shape = acquireSuite<AIShapeConstructionSuite>(broker, kAIShapeConstructionSuite,
                                                   kAIShapeConstructionSuiteVersion);
    doc = acquireSuite<AIDocumentSuite>(broker, kAIDocumentSuite, kAIDocumentSuiteVersion);
    view = acquireSuite<AIDocumentViewSuite>(broker, kAIDocumentViewSuite,
                                             kAIDocumentViewSuiteVersion);
    layers = acquireSuite<AILayerSuite>(broker, kAILayerSuite, kAILayerSuiteVersion);
    swatches =
        acquireSuite<AISwatchListSuite>(broker, kAISwatchListSuite, kAISwatchListSuiteVersion);
    artStyles = acquireSuite<AIArtStyleSuite>(broker, kAIArtStyleSuite, kAIArtStyleSuiteVersion);
    symbols = acquireSuite<AISymbolSuite>(broker, kAISymbolSuite, kAISymbolSuiteVersion);
    undo = acquireSuite<AIUndoSuite>(broker, kAIUndoSuite, kAIUndoSuiteVersion);
    math = acquireSuite<AIRealMathSuite>(broker, kAIRealMathSuite, kAIRealMathSuiteVersion);
    rnd = acquireSuite<AIRandomSuite>(broker, kAIRandomSuite, kAIRandomSuiteVersion);
    tags = acquireSuite<AITagSuite>(broker, kAITagSuite, kAITagSuiteVersion);
  }

  void TearDown() override {
    scope.reset();
    faultInjector().clear();
  }

  // A closed path of the given anchors with handles on the anchors, above all.
  AIArtHandle newPath(std::initializer_list<AIRealPoint> anchors) {
    AIArtHandle made = nullptr;
    EXPECT_EQ(art->NewArt(kPathArt, kPlaceAboveAll, nullptr, &made), kNoErr);
    ASInt16 i = 0;
    for (AIRealPoint p : anchors) {
      AIPathSegment s{p, p, p, false};
      EXPECT_EQ(path->SetPathSegments(made, i++, 1, &s), kNoErr);
    }
    EXPECT_EQ(path->SetPathClosed(made, 1), kNoErr);
    return made;
  }

  AIArtHandle newSquare(float left, float bottom, float side) {
    return newPath({{left, bottom},
                    {left + side, bottom},
                    {left + side, bottom + side},
                    {left, bottom + side}});
  }

  AIRealRect bounds(AIArtHandle a) {
    AIRealRect r{};
    EXPECT_EQ(art->GetArtBounds(a, &r), kNoErr);
    return r;
  }

  ArtId id(AIArtHandle handle) const { return document->tree().artOf(handle); }

  // Everything about the document that a plug-in or a picture could see, with
  // reals written exactly.
  std::string dump() const {
    std::ostringstream out;
    out << std::hexfloat;
    out << "current " << document->currentLayer() << " symbols " << document->symbols().size()
        << "\n";
    for (LayerId layer : document->tree().layerOrder()) {
      out << "layer " << layer << " " << document->tree().layer(layer).name << "\n";
      for (ArtId a : document->tree().layerArts(layer)) dumpArt(out, a, 1);
    }
    return out.str();
  }

  void dumpArt(std::ostringstream& out, ArtId a, int depth) const {
    const ArtNode& node = document->tree().node(a);
    const ArtContent& c = node.content;
    out << std::string(depth * 2, ' ') << reinterpret_cast<uintptr_t>(document->tree().handleOf(a))
        << " type " << node.type << " closed " << c.closed << " opacity " << c.opacity << " style "
        << c.artStyle << " warp " << c.warp.style << "," << c.warp.bend << " fill "
        << int(c.style.fillPaint) << ":" << c.style.fillColor.kind << ":" << c.style.fillColor.c[0]
        << "," << c.style.fillColor.c[1] << "," << c.style.fillColor.c[2] << ","
        << c.style.fillColor.c[3] << " stroke " << int(c.style.strokePaint) << ":"
        << c.style.strokeColor.kind << ":" << c.style.strokeColor.c[0] << " width "
        << c.style.strokeWidth;
    if (const std::string* t = document->tag(a, "name")) out << " tag " << *t;
    out << "\n";
    for (const AIPathSegment& s : c.segments)
      out << std::string(depth * 2 + 2, ' ') << s.p.h << " " << s.p.v << " " << s.in.h << " "
          << s.in.v << " " << s.out.h << " " << s.out.v << " " << int(s.corner) << "\n";
    for (ArtId child : document->tree().childrenOf(a)) dumpArt(out, child, depth + 1);
  }

  RandomSource random{1234};
  std::unique_ptr<Document> document;
  HostContext context;
  std::optional<HostScope> scope;
  SuiteBroker broker;
  const AIArtSuite* art = nullptr;
  const AIPathSuite* path = nullptr;
  const AIPathStyleSuite* pathStyle = nullptr;
  const AIBlendStyleSuite* blend = nullptr;
  const AITransformArtSuite* transform = nullptr;
  const AIEnvelopeSuite* envelope = nullptr;
  const AIShapeConstructionSuite* shape = nullptr;
  const AIDocumentSuite* doc = nullptr;
  const AIDocumentViewSuite* view = nullptr;
  const AILayerSuite* layers = nullptr;
  const AISwatchListSuite* swatches = nullptr;
  const AIArtStyleSuite* artStyles = nullptr;
  const AISymbolSuite* symbols = nullptr;
  const AIUndoSuite* undo = nullptr;
  const AIRealMathSuite* math = nullptr;
  const AIRandomSuite* rnd = nullptr;
  const AITagSuite* tags = nullptr;
};

}  // namespace heart::testing
