// Soak: 10,000 preview cycles in one dialog session, then 1,000 whole
// invocations (open, preview, cancel), through the real host and module.
// Prints resident memory along the way and what the host still holds at the
// end; exits non-zero when memory grows past the allowance after warm-up or
// when art, handles, blocks, suites or dialogs are left behind.
//
//   heart_soak [--previews N] [--invocations N] [--allow-growth-kib K]
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include "application/host.h"
#include "core/fault_injector.h"
#include "core/suite_broker.h"
#include "dialog_manager/dialog_manager.h"
#include "dialog_manager/event_source.h"
#include "document/document.h"
#include "plugin/params/parameter_record.h"
#include "records/record_defaults.h"
#include "services/memory_blocks.h"
#include "services/memory_handles.h"

namespace {

long residentKib() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind("VmRSS:", 0) == 0) return std::atol(line.c_str() + 6);
  return -1;
}

struct Leftovers {
  size_t art, handles, blocks, dialogs;
  int suites;
};

Leftovers leftovers(heart::Host& host) {
  return {host.document().tree().liveCount(), host.handles().liveCount(), host.blocks().liveCount(),
          static_cast<size_t>(host.dialogs().openDialogs()), host.broker().totalHeld()};
}

void printLeftovers(const char* when, const Leftovers& l) {
  std::printf("%s: art %zu, handles %zu, blocks %zu, open dialogs %zu, suites held %d\n", when,
              l.art, l.handles, l.blocks, l.dialogs, l.suites);
}

// Heart heights that differ from one change to the next, so every change
// reruns the preview.
double height(int i) { return 80.0 + (i % 97); }

}  // namespace

int main(int argc, char** argv) {
  int previews = 10000;
  int invocations = 1000;
  long allowKib = 2048;
  for (int i = 1; i + 1 < argc; i += 2) {
    std::string option = argv[i];
    long value = std::atol(argv[i + 1]);
    if (option == "--previews")
      previews = static_cast<int>(value);
    else if (option == "--invocations")
      invocations = static_cast<int>(value);
    else if (option == "--allow-growth-kib")
      allowKib = value;
    else {
      std::fprintf(stderr, "heart_soak: unknown option %s\n", argv[i]);
      return 2;
    }
  }
  if (argc % 2 == 0) {
    std::fprintf(stderr,
                 "usage: heart_soak [--previews N] [--invocations N] [--allow-growth-kib K]\n");
    return 2;
  }

  heart::HostOptions options;
  options.pluginPath = HEART_MODULE_PATH;
  options.seed = 99;
  heart::Host host(options);
  heart::Result<void> loaded = host.load();
  if (!loaded || host.startup() != kNoErr) {
    std::fprintf(stderr, "heart_soak: cannot start the module: %s\n", loaded.error().c_str());
    return 1;
  }
  ParameterRecord record = heart::defaultRecord(AIRealPoint{306, 396});
  // Three hearts with shadows, sketch copies and random paint: most of the
  // generator's paths run in every preview.
  record.heartCount = 3;
  record.dropShadow = 1;
  record.sketchRepeats = 2;
  record.randomFill = 1;
  record.randomOpacity = 1;
  record.randomWarp = 1;
  host.setStoredRecord(&record, sizeof record);
  const Leftovers atStart = leftovers(host);
  // Every preview ends with one redraw of the document: counting them shows
  // that each change really ran the generator.
  heart::faultInjector().clear();
  heart::faultInjector().startCounting();
  bool ok = true;

  // One session of many previews. The first tenth is warm-up.
  heart::ScriptedEventSource events;
  const int warmUp = previews / 10;
  long warmKib = 0, peakKib = 0, afterPreviewsKib = 0;
  size_t artDuring = 0;
  for (int i = 0; i < previews; ++i) {
    events.add(heart::DialogEvent::setReal(11, height(i)));
    if (i == warmUp || (i + 1) % 1000 == 0)
      events.add(heart::DialogEvent::takeSnapshot([&, i](const heart::DialogState&) {
        long kib = residentKib();
        if (i == warmUp) warmKib = kib;
        if (kib > peakKib) peakKib = kib;
        if (i == previews - 1) artDuring = host.document().tree().liveCount();
        std::printf("preview %6d: resident %ld KiB, live art %zu\n", i + 1, kib,
                    host.document().tree().liveCount());
      }));
  }
  events.add(heart::DialogEvent::cancel());
  host.dialogs().setEventSource(&events);
  ASErr result = host.getParameters();
  host.dialogs().setEventSource(nullptr);
  host.dialogs().clearHistory();
  afterPreviewsKib = residentKib();
  if (result != kCanceledErr || !host.dialogs().lastError().empty()) {
    std::fprintf(stderr, "heart_soak: the preview session ended with %d: %s\n",
                 static_cast<int>(result), host.dialogs().lastError().c_str());
    ok = false;
  }
  const int redraws = heart::faultInjector().calls("AI Document Suite.RedrawDocument");
  std::printf(
      "previews: %d changes, %d preview runs, resident after warm-up %ld KiB, peak %ld "
      "KiB, growth %ld KiB; art standing at the end %zu\n",
      previews, redraws, warmKib, peakKib, peakKib - warmKib, artDuring);
  if (redraws < previews) ok = false;
  if (peakKib - warmKib > allowKib) ok = false;
  printLeftovers("after the preview session", leftovers(host));

  // Many whole invocations: open, preview, cancel.
  long invocationWarmKib = 0, invocationPeakKib = 0;
  for (int i = 0; i < invocations; ++i) {
    heart::ScriptedEventSource one;
    one.add(heart::DialogEvent::setReal(11, height(i)));
    one.add(heart::DialogEvent::cancel());
    host.dialogs().setEventSource(&one);
    if (host.getParameters() != kCanceledErr) {
      std::fprintf(stderr, "heart_soak: invocation %d did not cancel: %s\n", i + 1,
                   host.dialogs().lastError().c_str());
      ok = false;
      break;
    }
    host.dialogs().setEventSource(nullptr);
    host.dialogs().clearHistory();
    long kib = residentKib();
    if (i + 1 == invocations / 10) invocationWarmKib = kib;
    if (i + 1 >= invocations / 10 && kib > invocationPeakKib) invocationPeakKib = kib;
    if ((i + 1) % 100 == 0)
      std::printf("invocation %5d: resident %ld KiB, live art %zu\n", i + 1, kib,
                  host.document().tree().liveCount());
  }
  std::printf(
      "invocations: %d (%d preview runs in all), resident after warm-up %ld KiB, peak "
      "%ld KiB, growth %ld KiB\n",
      invocations, heart::faultInjector().calls("AI Document Suite.RedrawDocument"),
      invocationWarmKib, invocationPeakKib, invocationPeakKib - invocationWarmKib);
  if (invocationPeakKib - invocationWarmKib > allowKib) ok = false;

  const Leftovers atEnd = leftovers(host);
  printLeftovers("at the start", atStart);
  printLeftovers("at the end", atEnd);
  if (std::memcmp(host.storedRecord().bytes, &record, sizeof record) != 0) {
    std::fprintf(stderr,
                 "heart_soak: the stored record changed although every dialog was cancelled\n");
    ok = false;
  }
  if (atEnd.art != atStart.art || atEnd.handles != atStart.handles ||
      atEnd.blocks != atStart.blocks || atEnd.dialogs != 0 || atEnd.suites != atStart.suites)
    ok = false;
  std::printf("%s (%ld KiB resident after the previews)\n", ok ? "flat" : "NOT FLAT",
              afterPreviewsKib);
  return ok ? 0 : 1;
}
