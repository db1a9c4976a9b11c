// `heart run`: one use of the heart filter on a new document, the options
// dialog confirmed as it opens (after the actions the options ask for), and
// the drawing written.
//   heart run -o hearts.svg
//   heart run --preset "Sketchy heart 1" --seed 7 -o sketchy.png
#include <cctype>
#include <filesystem>

#include "cli_verbs.h"
#include "plugin/params/dialog_items.h"
#include "plugin_location.h"
#include "seed_batch.h"
#include "session_options.h"

namespace heart::cli {
namespace {

struct RunArguments {
  SessionArguments session;
  std::string preset;
  int heartPreset = 0;
  int tumble = 0, tweak = 0, jitter = 0, boost = 0;
  bool noPreview = false;
  std::string seeds;
  BatchSheet sheet;
};

DialogAction press(int32_t item) {
  DialogAction action;
  action.kind = DialogAction::Kind::Press;
  action.item = item;
  return action;
}

Result<void> dialogActions(const RunArguments& arguments, std::vector<DialogAction>* actions) {
  if (!arguments.preset.empty()) {
    DialogAction choose;
    choose.item = kSettingsListItem;
    int32_t position = -1;
    try {
      size_t used = 0;
      position = std::stoi(arguments.preset, &used);
      if (used != arguments.preset.size()) position = -1;
    } catch (const std::exception&) {
      position = -1;
    }
    if (position >= 0) {
      choose.kind = DialogAction::Kind::ChooseAt;
      choose.number = position;
    } else {
      choose.kind = DialogAction::Kind::ChooseText;
      choose.text = arguments.preset;
    }
    actions->push_back(choose);
  }
  if (arguments.heartPreset != 0) {
    if (arguments.heartPreset < 1 || arguments.heartPreset > 9) {
      return fail("--heart-preset takes a heart from 1 to 9");
    }
    // The heart preset list stands on page 3, "Tweak": a user opens it first.
    DialogAction page;
    page.kind = DialogAction::Kind::Page;
    page.number = 3;
    actions->push_back(page);
    DialogAction choose;
    choose.kind = DialogAction::Kind::ChooseAt;
    choose.item = kHeartPresetListItem;
    choose.number = arguments.heartPreset - 1;
    actions->push_back(choose);
  }
  for (int i = 0; i < arguments.tumble; ++i) actions->push_back(press(kTumbleItem));
  for (int i = 0; i < arguments.tweak; ++i) actions->push_back(press(kTweakItem));
  for (int i = 0; i < arguments.jitter; ++i) actions->push_back(press(kJitterItem));
  for (int i = 0; i < arguments.boost; ++i) actions->push_back(press(kBoostItem));
  if (arguments.noPreview) {
    DialogAction off;
    off.kind = DialogAction::Kind::Check;
    off.item = kPreviewItem;
    off.on = false;
    actions->push_back(off);
  }
  return {};
}

// A batch of seeds names each drawing apart, and draws from nothing that
// fixes the random draws itself.
Result<void> batchAllowed(const SessionArguments& arguments) {
  const SessionOptions& options = arguments.options;
  if (options.output.find("{seed}") == std::string::npos) {
    return fail(
        "--seeds writes one drawing per seed: put {seed} in the output's name (-o "
        "'hearts-{seed}.svg')");
  }
  if (!arguments.from.empty() || !arguments.edit.empty() || !options.randomValuesFile.empty() ||
      !options.randomValues.empty()) {
    return fail(
        "--seeds draws from seeds; it cannot be given with --from, --edit or --random-values");
  }
  if (options.host.seed) {
    return fail("give --seed or --seeds, not both");
  }
  return {};
}

void addRunVerb(CLI::App& app, CliContext& context) {
  auto arguments = std::make_shared<RunArguments>();
  CLI::App* verb = app.add_subcommand(
      "run", "Draw hearts on a new document with the stored record and save the drawing");
  addSessionOptions(*verb, arguments->session);
  verb->add_option("--preset", arguments->preset,
                   "Choose a settings entry first, by its text in any case (\"Sketchy heart "
                   "1\") or its number (0 to 26); `heart presets` lists them");
  verb->add_option("--heart-preset", arguments->heartPreset,
                   "Choose a heart preset, 1 to 9 (\" Heart 1\" to \" Heart 9\")");
  verb->add_flag("--tumble", arguments->tumble, "Press \"Tumble\" (repeatable)");
  verb->add_flag("--tweak", arguments->tweak, "Press \"Tweak\" (repeatable)");
  verb->add_flag("--jitter", arguments->jitter, "Press \"Jitter\" (repeatable)");
  verb->add_flag("--boost", arguments->boost, "Press \"Boost\" (repeatable)");
  verb->add_flag("--no-preview", arguments->noPreview,
                 "Turn \"Preview\" off before confirming, so Go draws afresh");
  verb->add_option("--seeds", arguments->seeds,
                   "Draw once per seed (1-50, 1,4,9-12), on every core: -o names each drawing "
                   "with {seed} in it (-o 'cards/heart-{seed}.svg'); each is what --seed N "
                   "draws. The stored record is read once and saved by the first seed's run");
  verb->add_option("--sheet", arguments->sheet.path,
                   "With --seeds: also a contact sheet (.png or .pdf), the variations in a grid "
                   "with the seed under each");
  verb->add_option("--sheet-cell", arguments->sheet.cellSize,
                   "The contact sheet's cells, in pixels a side (32 to 2048, default 200)")
      ->check(CLI::Range(32, 2048));
  verb->callback([arguments, &context] {
    SessionOptions& options = arguments->session.options;
    options.verb = "run";
    options.host.pluginPath = pluginLocation(context.pluginPath);
    options.actionsFromOptions = true;
    if (Result<void> listed = dialogActions(*arguments, &options.actions); !listed) {
      context.exitCode = reportUsageError("run", listed.error());
      return;
    }
    if (int code = completeSessionOptions(&arguments->session, "run")) {
      context.exitCode = code;
      return;
    }
    if (arguments->seeds.empty()) {
      if (!arguments->sheet.path.empty()) {
        context.exitCode = reportUsageError("run", "--sheet goes with --seeds");
        return;
      }
      context.exitCode = runFilterSession(options);
      return;
    }
    if (Result<void> allowed = batchAllowed(arguments->session); !allowed) {
      context.exitCode = reportUsageError("run", allowed.error());
      return;
    }
    Result<std::vector<uint32_t>> seeds = parseSeedList(arguments->seeds);
    if (!seeds) {
      context.exitCode = reportUsageError("run", seeds.error());
      return;
    }
    if (!arguments->sheet.path.empty()) {
      std::string extension = std::filesystem::path(arguments->sheet.path).extension().string();
      for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      if (extension != ".png" && extension != ".pdf") {
        context.exitCode =
            reportUsageError("run", "--sheet " + arguments->sheet.path + ": name it .png or .pdf");
        return;
      }
    }
    context.exitCode = runSeedBatch(options, *seeds, arguments->sheet);
  });
}

}  // namespace

HEART_CLI_VERB(40, addRunVerb);

}  // namespace heart::cli
