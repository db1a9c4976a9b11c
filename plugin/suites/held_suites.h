// The suites held for the current message. Each pointer is null while its
// suite is not held; the suite table fills and clears them around every
// message, and every handler, dialog procedure and the generator call the
// host only through them.
#pragma once

#include "plugin/host/suites.h"

// Every suite the plug-in holds, in the order the suite table acquires and
// releases them. An entry names a suite by its type without the "Suite"
// ending: the entry AIArt is the type AIArtSuite, which the host knows by the
// name kAIArtSuite and the version kAIArtSuiteVersion, held in sAIArt.
#define HEART_HELD_SUITES(SUITE) \
  SUITE(SPBlocks)                \
  SUITE(SPAccess)                \
  SUITE(AIMdMemory)              \
  SUITE(AIRealMath)              \
  SUITE(AIArt)                   \
  SUITE(AIUser)                  \
  SUITE(AIDocument)              \
  SUITE(AIDocumentView)          \
  SUITE(AIUndo)                  \
  SUITE(AIPath)                  \
  SUITE(AIPathStyle)             \
  SUITE(AIRandom)                \
  SUITE(AITag)                   \
  SUITE(AITransformArt)          \
  SUITE(AISwatchList)            \
  SUITE(AIBlendStyle)            \
  SUITE(AIArtStyle)              \
  SUITE(AISymbol)                \
  SUITE(AIEnvelope)              \
  SUITE(AIShapeConstruction)     \
  SUITE(AILayer)                 \
  SUITE(AIMenu)                  \
  SUITE(AIFilter)                \
  SUITE(ADMBasic)                \
  SUITE(ADMDialog)               \
  SUITE(ADMItem)                 \
  SUITE(ADMIcon)                 \
  SUITE(ADMNotifier)             \
  SUITE(ADMList)                 \
  SUITE(ADMEntry)                \
  SUITE(ADMTracker)

// The host's name and version of a suite type; only the held suites have one.
template <class Suite>
struct SuiteIdentity;

#define HEART_HELD_SUITE(Name)                                  \
  extern const Name##Suite* s##Name;                            \
  template <>                                                   \
  struct SuiteIdentity<Name##Suite> {                           \
    static constexpr const char* name = k##Name##Suite;         \
    static constexpr ASInt32 version = k##Name##Suite##Version; \
  };
HEART_HELD_SUITES(HEART_HELD_SUITE)
#undef HEART_HELD_SUITE
