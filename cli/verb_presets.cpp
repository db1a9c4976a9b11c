// `heart presets`: the settings list's 27 entries and the nine heart presets,
// each with the fields it sets. The entries and what they set are the
// plug-in's own: each is chosen in the options dialog over a record of the
// defaults, and the confirmed record is compared field by
// field with the one the dialog started from.
#include <cstring>
#include <iostream>
#include <memory>
#include <span>
#include <sstream>

#include "application/host.h"
#include "cli_verbs.h"
#include "core/alert_sink.h"
#include "dialog_manager/dialog_manager.h"
#include "dialog_manager/dialog_state.h"
#include "dialog_manager/event_source.h"
#include "document/document.h"
#include "plugin/params/field_table.h"
#include "plugin_location.h"
#include "records/record_defaults.h"
#include "records/record_file.h"
#include "result_text.h"

namespace heart::cli {
namespace {

constexpr int32_t kSettingsList = 65;
constexpr int32_t kHeartPresetList = 66;
constexpr int32_t kTweakPageButton = 92;  // page 3, where the heart preset list stands

std::string valueText(const FieldInfo& field, float value) {
  if (field.type == kFieldBool) return value != 0 ? "true" : "false";
  std::ostringstream text;
  text << value;
  return text.str();
}

// "field=value" for every field that differs, leaving out the list that was
// chosen and the page the dialog shows.
std::string changes(const ParameterRecord& before, const ParameterRecord& after) {
  std::string text;
  for (const FieldInfo& field : std::span(kFieldTable, kFieldCount)) {
    if (!field.ranged) continue;
    std::string name = field.name;
    if (name == "settingsPreset" || name == "heartPreset" || name == "currentPage" ||
        name == "previewDrawn" || name == "finalRun")
      continue;
    float was = fieldValue(&before, field), now = fieldValue(&after, field);
    if (std::memcmp(&was, &now, sizeof was) == 0) continue;
    text += (text.empty() ? "" : " ") + name + "=" + valueText(field, now);
  }
  return text.empty() ? "(the defaults)" : text;
}

// List entries start with a blank (" Reset"); --preset and scripts take them
// without it.
std::string withoutLeadingBlank(const std::string& text) {
  return !text.empty() && text[0] == ' ' ? text.substr(1) : text;
}

struct Chooser {
  std::unique_ptr<Host> host;
  ParameterRecord base;

  // Runs the dialog with `events` over the base record; answers the
  // confirmed record and the dialog's state before the first event.
  Result<ParameterRecord> run(std::vector<DialogEvent> events, DialogState* shown) {
    ScriptedEventSource source;
    source.add(DialogEvent::takeSnapshot([shown](const DialogState& state) { *shown = state; }));
    for (DialogEvent& event : events) source.add(std::move(event));
    source.add(DialogEvent::confirm());
    host->dialogs().setEventSource(&source);
    if (!host->setStoredRecord(&base, sizeof base)) return fail(host->lastError());
    ASErr result = host->getParameters();
    host->dialogs().setEventSource(nullptr);
    const Host::StoredBlock stored = host->storedRecord();
    if (result != kNoErr || !stored.bytes)
      return fail("the options dialog answered " + resultText(result));
    return recordFromBlock(stored.bytes, stored.size);
  }
};

int listPresets(const CliContext& context) {
  Chooser chooser;
  HostOptions options;
  options.pluginPath = pluginLocation(context.pluginPath);
  Result<std::unique_ptr<Host>> made = Host::create(options);
  if (!made) return reportFailure("presets", made.error());
  chooser.host = std::move(*made);
  Host& host = *chooser.host;
  if (Result<void> loaded = host.load(); !loaded) return reportFailure("presets", loaded.error());
  host.alerts().setStream(&std::cerr);
  if (ASErr result = host.startup())
    return reportFailure("presets", "the plug-in's Startup answered " + resultText(result));
  chooser.base = defaultRecord(host.document().view(0).centre());

  DialogState shown;
  // The settings entries, by their position in the list.
  if (Result<ParameterRecord> first = chooser.run({}, &shown); !first)
    return reportFailure("presets", first.error());
  const ItemState* settings = shown.item(kSettingsList);
  if (!settings) return reportFailure("presets", "the options dialog has no settings list");
  std::vector<ListEntryState> entries = settings->entries;
  std::cout << "Settings entries (run --preset TEXT or NUMBER; script: choose settingsPreset "
               "N):\n";
  for (size_t i = 0; i < entries.size(); ++i) {
    Result<ParameterRecord> chosen =
        chooser.run({DialogEvent::chooseEntry(kSettingsList, static_cast<int32_t>(i))}, &shown);
    if (!chosen) return reportFailure("presets", chosen.error());
    std::cout << "  " << i << (i < 10 ? "  " : " ") << "\"" << withoutLeadingBlank(entries[i].text)
              << "\"  " << changes(chooser.base, *chosen) << "\n";
  }

  std::cout << "\nHeart presets (run --heart-preset N; script: page 3, choose heartPreset "
               "N-1):\n";
  Result<ParameterRecord> onTweakPage = chooser.run({DialogEvent::press(kTweakPageButton)}, &shown);
  if (!onTweakPage) return reportFailure("presets", onTweakPage.error());
  DialogState tweakPage;
  (void)chooser.run(
      {DialogEvent::press(kTweakPageButton),
       DialogEvent::takeSnapshot([&](const DialogState& state) { tweakPage = state; })},
      &shown);
  const ItemState* hearts = tweakPage.item(kHeartPresetList);
  if (!hearts) return reportFailure("presets", "the options dialog has no heart preset list");
  std::vector<ListEntryState> heartEntries = hearts->entries;
  for (size_t i = 0; i < heartEntries.size(); ++i) {
    Result<ParameterRecord> chosen =
        chooser.run({DialogEvent::press(kTweakPageButton),
                     DialogEvent::chooseEntry(kHeartPresetList, static_cast<int32_t>(i))},
                    &shown);
    if (!chosen) return reportFailure("presets", chosen.error());
    std::cout << "  " << i + 1 << "  \"" << withoutLeadingBlank(heartEntries[i].text) << "\"  "
              << changes(*onTweakPage, *chosen) << "\n";
  }
  host.shutdown();
  return kExitDone;
}

void addPresetsVerb(CLI::App& app, CliContext& context) {
  CLI::App* verb = app.add_subcommand(
      "presets", "List the settings entries and heart presets, with the fields each sets");
  verb->callback([&context] { context.exitCode = listPresets(context); });
}

}  // namespace

HEART_CLI_VERB(55, addPresetsVerb);

}  // namespace heart::cli
