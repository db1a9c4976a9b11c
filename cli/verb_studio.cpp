// `heart studio`: the options dialog in a browser, with a live preview of
// the document. The dialog runs on this thread as in `heart dialog`, taking
// its actions from the page through the studio's web server; a confirmed
// dialog draws the hearts, writes the drawing and saves the record exactly
// as a scripted session does.
//   heart studio -o hearts.svg
//   heart studio --no-browser --port 8123
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <iostream>
#include <optional>
#include <thread>

#include "application/host.h"
#include "cli_verbs.h"
#include "plugin/resources/resource_ids.h"
#include "plugin_location.h"
#include "records/named_settings.h"
#include "session_options.h"
#include "studio/studio_event_source.h"
#include "studio/studio_server.h"

extern char** environ;

namespace heart::cli {
namespace {

struct StudioArguments {
  SessionArguments session;
  int port = 0;
  bool noBrowser = false;
  double contactTimeout = 30;
  double firstContactTimeout = 300;
};

std::atomic<bool> interrupted{false};

void onInterrupt(int) { interrupted = true; }

// Opens the address with the desktop's opener, when there is one, without
// waiting for it and without letting it write into this command's output.
void openInBrowser(const std::string& address) {
  std::string opener;
  for (const char* name : {"xdg-open", "open"}) {
    const char* path = std::getenv("PATH");
    std::string folders = path ? path : "/usr/bin:/bin";
    size_t at = 0;
    while (opener.empty() && at <= folders.size()) {
      size_t end = folders.find(':', at);
      if (end == std::string::npos) end = folders.size();
      std::filesystem::path candidate = std::filesystem::path(folders.substr(at, end - at)) / name;
      if (access(candidate.c_str(), X_OK) == 0) opener = candidate.string();
      at = end + 1;
    }
    if (!opener.empty()) break;
  }
  if (opener.empty()) {
    std::cerr << "heart studio: no browser opener found; open the address above in a browser\n";
    return;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  std::vector<char*> argv = {opener.data(), const_cast<char*>(address.c_str()), nullptr};
  pid_t child = 0;
  if (posix_spawn(&child, opener.c_str(), &actions, nullptr, argv.data(), environ) == 0) {
    // The opener returns quickly once it has handed the address on; reap it
    // in the background so it leaves no zombie.
    std::thread([child] { waitpid(child, nullptr, 0); }).detach();
  }
  posix_spawn_file_actions_destroy(&actions);
}

nlohmann::json endedNote(int exitCode, const studio::StudioEventSource* source,
                         const std::string& output) {
  std::string result, message;
  if (exitCode != kExitDone && exitCode != kExitCancelled) {
    result = "failed";
    message = "The session failed; the terminal says why. Nothing was written.";
  } else if (exitCode == kExitDone && source && source->confirmed()) {
    result = "confirmed";
    message = output.empty() || output == "-"
                  ? "Confirmed. The hearts were drawn."
                  : "Confirmed. The drawing was written to " + output + ".";
  } else {
    result = "cancelled";
    message = "Cancelled";
    if (source && !source->cancelReason().empty()) message += " (" + source->cancelReason() + ")";
    message += ". Nothing was written.";
  }
  return {{"result", result}, {"exitCode", exitCode}, {"message", message}};
}

int runStudio(StudioArguments& arguments, SessionOptions& options) {
  studio::StudioChannel channel;
  studio::StudioServerOptions serverOptions;
  serverOptions.port = arguments.port;
  // An open page keeps a view request waiting and asks again when it is
  // answered: it must ask often enough to count as present.
  const auto contactTimeout =
      std::chrono::milliseconds(static_cast<int64_t>(arguments.contactTimeout * 1000));
  serverOptions.viewPatience = std::min(serverOptions.viewPatience, contactTimeout / 3);
  // Everything that can refuse the session is checked before the server
  // starts: a refused studio opens no port and leaves at once.
  if (Result<void> refused = refuseOverwritingInputs(options); !refused)
    return reportUsageError("studio", refused.error());
  if (Result<void> folder = checkOutputFolder(options.output); !folder)
    return reportFailure("studio", folder.error());
  Result<std::string> secret = studio::makeSecret();
  if (!secret) return reportFailure("studio", secret.error());
  studio::StudioServer server(channel, *secret, serverOptions);
  if (Result<void> started = server.start(); !started)
    return reportFailure("studio", started.error());
  std::cout << server.address() << std::endl;
  if (!arguments.noBrowser) openInBrowser(server.address());

  struct sigaction interrupt {
  }, previous{};
  interrupt.sa_handler = onInterrupt;
  interrupt.sa_flags = SA_RESETHAND;  // a second Ctrl-C ends the command at once
  sigemptyset(&interrupt.sa_mask);
  interrupted = false;
  sigaction(SIGINT, &interrupt, &previous);

  studio::StudioSourceOptions sourceOptions;
  sourceOptions.interrupted = &interrupted;
  sourceOptions.contactTimeout = contactTimeout;
  sourceOptions.firstContactTimeout =
      std::chrono::milliseconds(static_cast<int64_t>(arguments.firstContactTimeout * 1000));
  sourceOptions.mainDialogResource = kOptionsDialogId;
  if (Result<std::filesystem::path> folder = namedSettingsFolder())
    sourceOptions.settingsFolder = *folder;
  else
    sourceOptions.noSettingsFolder = folder.error();
  std::optional<studio::StudioEventSource> source;
  options.frontEnd = [&](Host& host) -> EventSource& {
    // The page's "Save as..." writes what OK would write, through the same
    // writers as the output.
    sourceOptions.saveDrawing = [&options, &host](const std::string& format,
                                                  const ParameterRecord& confirmed) {
      const OutputFormat kind = format == "png"   ? OutputFormat::Png
                                : format == "pdf" ? OutputFormat::Pdf
                                                  : OutputFormat::Svg;
      return drawingOfThePreview(options, host, confirmed, kind);
    };
    source.emplace(host, channel, sourceOptions);
    return *source;
  };
  int exitCode = runFilterSession(options);
  sigaction(SIGINT, &previous, nullptr);
  if (source && !source->cancelReason().empty())
    reportNote("studio", "cancelled because " + source->cancelReason());

  nlohmann::json ended = endedNote(exitCode, source ? &*source : nullptr, options.output);
  if (source)
    source->finish(ended);
  else
    channel.close(ended);
  // Let a page that is watching see how the session ended before the server
  // goes: the page that ended it has its answer already, a watching one is
  // woken at once; a page that stays silent is not waited for long.
  if (channel.lastContact())
    for (int waited = 0; waited < 400 && !channel.endShown(); waited += 5)
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
  server.stop();
  return exitCode;
}

void addStudioVerb(CLI::App& app, CliContext& context) {
  auto arguments = std::make_shared<StudioArguments>();
  CLI::App* verb = app.add_subcommand(
      "studio", "Open the options dialog in a browser, with a live preview, then draw the hearts");
  addSessionOptions(*verb, arguments->session);
  verb->add_option("--port", arguments->port,
                   "The port on 127.0.0.1 to serve the page from (0: any free port)")
      ->capture_default_str();
  verb->add_flag("--no-browser", arguments->noBrowser,
                 "Only print the address; do not open a browser");
  verb->add_option("--contact-timeout", arguments->contactTimeout,
                   "Seconds without a word from an open page after which the dialog is cancelled")
      ->capture_default_str()
      ->check(CLI::Range(0.5, 86400.0));
  verb->add_option("--first-contact-timeout", arguments->firstContactTimeout,
                   "Seconds to wait for a browser to open the page at all (time enough to "
                   "open the printed address by hand) before the dialog is cancelled")
      ->capture_default_str()
      ->check(CLI::Range(0.5, 86400.0));
  verb->callback([arguments, &context] {
    SessionOptions& options = arguments->session.options;
    options.verb = "studio";
    options.host.pluginPath = pluginLocation(context.pluginPath);
    std::string error;
    if (int code = completeSessionOptions(&arguments->session, "studio")) {
      context.exitCode = code;
      return;
    }
    context.exitCode = runStudio(*arguments, options);
  });
}

}  // namespace

HEART_CLI_VERB(55, addStudioVerb);

}  // namespace heart::cli
