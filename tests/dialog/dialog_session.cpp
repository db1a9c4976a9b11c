#include "dialog_session.h"

#include <gtest/gtest.h>

#include <cstring>
#include <sstream>

#include "core/fault_injector.h"
#include "core/suite_broker.h"
#include "document/document.h"
#include "plugin/params/field_table.h"

namespace heart::testing {
namespace {

// The host's item suite, and a copy whose SendNotify also notes the item,
// so that tests see the order of the plug-in's notifications.
const ADMItemSuite* gHostItemSuite = nullptr;
ADMItemSuite gObservedItemSuite;
std::vector<int32_t> gSentNotifications;

void observedSendNotify(ADMItemRef item, const char* notifierType) {
  gSentNotifications.push_back(gHostItemSuite->GetID(item));
  gHostItemSuite->SendNotify(item, notifierType);
}

void observeSendNotify(SuiteBroker& broker) {
  const void* table = nullptr;
  ASSERT_EQ(broker.acquire(kADMItemSuite, kADMItemSuiteVersion, &table), kNoErr);
  broker.release(kADMItemSuite, kADMItemSuiteVersion);
  gHostItemSuite = static_cast<const ADMItemSuite*>(table);
  gObservedItemSuite = *gHostItemSuite;
  gObservedItemSuite.SendNotify = observedSendNotify;
  broker.add(kADMItemSuite, kADMItemSuiteVersion, &gObservedItemSuite);
  gSentNotifications.clear();
}

HostOptions sessionOptions() {
  HostOptions options;
  options.pluginPath = HEART_MODULE_PATH;
  options.seed = 20240611u;
  return options;
}

}  // namespace

DialogSession::DialogSession() : host_(sessionOptions()) {
  Result<void> loaded = host_.load();
  EXPECT_TRUE(loaded) << loaded.error();
  EXPECT_EQ(host_.startup(), kNoErr);
  observeSendNotify(host_.broker());
  host_.dialogs().setEventSource(&events_);
  faultInjector().clear();
  faultInjector().startCounting();
  store(defaults());
}

DialogSession::~DialogSession() {
  host_.dialogs().setEventSource(nullptr);
  faultInjector().clear();
}

ParameterRecord DialogSession::stored() const {
  ParameterRecord record{};
  if (const void* bytes = host_.storedRecord().bytes) std::memcpy(&record, bytes, sizeof record);
  return record;
}

void DialogSession::store(const ParameterRecord& record) {
  host_.setStoredRecord(&record, sizeof record);
}

AIRealPoint DialogSession::viewCentre() const {
  return const_cast<Host&>(host_).document().view(0).centre();
}

ParameterRecord DialogSession::defaultsFor(AIRealPoint centre) {
  ParameterRecord record{};
  setDefaults(&record, centre);
  return record;
}

const Moment& DialogSession::capture() {
  Moment& moment = moments_.emplace_back();
  events_.add(DialogEvent::takeSnapshot([this, &moment](const DialogState& state) {
    moment.state = state;
    std::memcpy(&moment.record, host_.dialogs().currentDialog()->userData(), sizeof moment.record);
    moment.previews = previewsSoFar();
  }));
  return moment;
}

DialogSession& DialogSession::then(std::function<void()> step) {
  return add(DialogEvent::takeSnapshot([step](const DialogState&) { step(); }));
}

DialogSession& DialogSession::add(DialogEvent event) {
  events_.add(std::move(event));
  return *this;
}

DialogSession& DialogSession::pickAtArtwork(int32_t picker, AIRealPoint artwork,
                                            int32_t modifiers) {
  ASPoint viewPoint{0, 0};
  EXPECT_TRUE(host_.document().view(0).toView(artwork, &viewPoint));
  return add(DialogEvent::pick(picker, viewPoint, modifiers));
}

ASErr DialogSession::runDialog() {
  ASErr result = host_.getParameters();
  EXPECT_EQ(host_.dialogs().lastError(), "");
  return result;
}

int DialogSession::previewsSoFar() const {
  return faultInjector().calls("AI Document Suite.RedrawDocument");
}

const std::vector<int32_t>& DialogSession::sentNotifications() const { return gSentNotifications; }

const ItemState* captionItem(const DialogState& state, int32_t id) {
  for (const ItemState& item : state.items)
    if (item.id == id && item.type == kADMTextStaticType) return &item;
  return nullptr;
}

std::set<std::string> fieldNames(const std::string& spaceSeparated) {
  std::set<std::string> names;
  std::istringstream words(spaceSeparated);
  for (std::string name; words >> name;) names.insert(name);
  return names;
}

std::string differences(const ParameterRecord& actual, const ParameterRecord& expected,
                        const std::set<std::string>& ignoring) {
  std::string named;
  for (const FieldInfo& field : kFieldTable) {
    if (ignoring.count(field.name) || fieldValue(&actual, field) == fieldValue(&expected, field))
      continue;
    named += std::string(field.name) + "=" + std::to_string(fieldValue(&actual, field)) +
             " (expected " + std::to_string(fieldValue(&expected, field)) + ") ";
  }
  return named;
}

}  // namespace heart::testing
