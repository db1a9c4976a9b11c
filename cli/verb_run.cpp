// `heart run`: one use of the heart filter on a new document, the options
// dialog confirmed as it opens (after the actions the options ask for), and
// the drawing written.
//   heart run -o hearts.svg
//   heart run --preset "Sketchy heart 1" --seed 7 -o sketchy.png
#include "cli_verbs.h"
#include "plugin/params/dialog_items.h"
#include "plugin_location.h"
#include "session_options.h"

namespace heart::cli {
namespace {

struct RunArguments {
  SessionArguments session;
  std::string preset;
  int heartPreset = 0;
  int tumble = 0, tweak = 0, jitter = 0, boost = 0;
  bool noPreview = false;
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
  verb->callback([arguments, &context] {
    SessionOptions& options = arguments->session.options;
    options.verb = "run";
    options.host.pluginPath = pluginLocation(context.pluginPath);
    if (Result<void> listed = dialogActions(*arguments, &options.actions); !listed) {
      context.exitCode = reportUsageError("run", listed.error());
      return;
    }
    if (int code = completeSessionOptions(&arguments->session, "run")) {
      context.exitCode = code;
      return;
    }
    context.exitCode = runFilterSession(options);
  });
}

}  // namespace

HEART_CLI_VERB(40, addRunVerb);

}  // namespace heart::cli
