// Drives the real module's options dialog with a sequence of user actions
// decoded from the input: any item, any value (extremes, NaN and infinities
// included), page switches, presses and picks, then Confirm or Cancel.
// After each sequence: a cancel leaves the document and the stored record
// as they were, byte for byte; a confirm with a preview standing keeps
// exactly the previewed art through Go.
#include <dlfcn.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <string>

#include "application/host.h"
#include "dialog_manager/dialog_manager.h"
#include "dialog_manager/event_source.h"
#include "export/svg_export.h"
#include "plugin/params/parameter_record.h"
#include "records/record_defaults.h"

namespace {

class Bytes {
 public:
  Bytes(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  bool empty() const { return at_ >= size_; }
  uint8_t byte() { return at_ < size_ ? data_[at_++] : 0; }
  template <size_t N>
  auto pick(const int32_t (&choices)[N]) {
    return choices[byte() % N];
  }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t at_ = 0;
};

const int32_t kSpinEdits[] = {4,  5,  6,  7,  8,  9,  11, 12, 13, 14, 15, 16, 17, 18,
                              19, 20, 21, 22, 23, 24, 25, 26, 27, 40, 41, 42, 43, 44,
                              45, 46, 47, 48, 49, 50, 51, 52, 53, 54, 55, 1,  99};
const int32_t kCheckBoxes[] = {3,   115, 116, 117, 118, 119, 120, 121, 122, 123, 124, 125,
                               126, 127, 128, 129, 130, 131, 132, 133, 134, 135, 136, 137,
                               138, 139, 140, 141, 142, 143, 144, 145, 146, 147, 11};
const int32_t kLists[] = {10, 65, 66, 67, 3};
const int32_t kButtons[] = {60, 61, 62, 63, 64, 90, 91, 92, 93, 94, 95, 2, 70};
const int32_t kPickers[] = {160, 161, 162, 163, 164, 165, 166, 167, 168};

double realValue(Bytes& in) {
  const double extremes[] = {0.0,
                             -0.0,
                             1.0,
                             -1.0,
                             2500.0,
                             -1500.0,
                             5000.0,
                             -5000.0,
                             1e30,
                             -1e30,
                             std::numeric_limits<double>::infinity(),
                             -std::numeric_limits<double>::infinity(),
                             std::numeric_limits<double>::quiet_NaN(),
                             std::numeric_limits<double>::denorm_min(),
                             std::numeric_limits<double>::max(),
                             0.005};
  uint8_t kind = in.byte();
  if (kind < 128) return extremes[kind % std::size(extremes)];
  int16_t whole = static_cast<int16_t>(in.byte() << 8 | in.byte());
  return whole / 4.0;
}

// Runs that build many hearts with many sketch copies are slow under the
// sanitizers and say nothing new; the counts are kept small.
int32_t integerValue(Bytes& in, int32_t item) {
  uint8_t kind = in.byte();
  if (item == 7 || item == 25) return static_cast<int32_t>(kind % 12) - 1;
  const int32_t extremes[] = {0, 1, -1, 400, 401, 60, 61, INT32_MAX, INT32_MIN};
  return extremes[kind % std::size(extremes)];
}

std::string fingerprint(heart::Host& host) {
  return heart::exportSvg(host.document(), heart::SvgMetadata{}).value();
}

}  // namespace

// Each input gets a host of its own, which loads and unloads the module. The
// module carries coverage counters that the fuzzer clears between inputs, so
// it is pinned in memory once here: the hosts' unloads then leave it mapped.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
  if (!dlopen(HEART_MODULE_PATH, RTLD_NOW | RTLD_NODELETE)) __builtin_trap();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Bytes in(data, size);
  heart::HostOptions options;
  options.pluginPath = HEART_MODULE_PATH;
  options.seed = 1u + in.byte();
  heart::Host host(options);
  if (!host.load() || host.startup() != kNoErr) __builtin_trap();

  ParameterRecord stored = heart::defaultRecord(AIRealPoint{306, 396});
  stored.currentPage = 1 + in.byte() % 6;
  stored.preview = in.byte() % 2;
  host.setStoredRecord(&stored, sizeof stored);

  heart::ScriptedEventSource events;
  for (int step = 0; step < 24 && !in.empty(); ++step) {
    switch (in.byte() % 8) {
      case 0: {
        int32_t item = in.pick(kSpinEdits);
        events.add(heart::DialogEvent::setReal(item, realValue(in)));
        break;
      }
      case 1: {
        int32_t item = in.pick(kSpinEdits);
        events.add(heart::DialogEvent::setInteger(item, integerValue(in, item)));
        break;
      }
      case 2:
        events.add(heart::DialogEvent::setCheckBox(in.pick(kCheckBoxes), in.byte() % 2));
        break;
      case 3:
        events.add(heart::DialogEvent::chooseEntry(in.pick(kLists),
                                                   static_cast<int32_t>(in.byte() % 32) - 2));
        break;
      case 4:
      case 5:
        events.add(heart::DialogEvent::press(in.pick(kButtons)));
        break;
      case 6: {
        int32_t picker = in.pick(kPickers);
        ASPoint point{static_cast<ASInt16>(static_cast<int8_t>(in.byte()) * 8),
                      static_cast<ASInt16>(static_cast<int8_t>(in.byte()) * 8)};
        events.add(heart::DialogEvent::pick(picker, point, in.byte() % 2 ? 0x20 : 0));
        break;
      }
      case 7:
        step = 24;
        break;
    }
  }
  const bool confirm = in.byte() % 2;
  events.add(confirm ? heart::DialogEvent::confirm() : heart::DialogEvent::cancel());
  host.dialogs().setEventSource(&events);

  const std::string before = fingerprint(host);
  ASErr result = host.getParameters();
  const auto* after = static_cast<const ParameterRecord*>(host.storedRecord().bytes);
  if (after == nullptr) __builtin_trap();

  if (result == kCanceledErr) {
    if (std::memcmp(after, &stored, sizeof stored) != 0) __builtin_trap();
    if (fingerprint(host) != before) __builtin_trap();
  } else if (result == kNoErr && after->previewDrawn) {
    const std::string previewed = fingerprint(host);
    if (host.go() != kNoErr) __builtin_trap();
    if (fingerprint(host) != previewed) __builtin_trap();
  }
  host.dialogs().setEventSource(nullptr);
  return 0;
}
