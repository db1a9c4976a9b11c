#include "studio/studio_server.h"

#include <arpa/inet.h>
#include <dirent.h>
#include <httplib.h>
#include <netinet/in.h>
#include <sys/random.h>
#include <sys/socket.h>

#include <cctype>
#include <cstdlib>
#include <optional>

#include "plugin/params/dialog_pages.h"
#include "plugin/params/field_table.h"
#include "studio/web_assets.h"

namespace heart::studio {
namespace {

using Json = nlohmann::json;

// Compares without stopping at the first difference, so the time taken does
// not tell how much of a guessed secret was right.
bool sameSecret(const std::string& given, const std::string& secret) {
  if (given.size() != secret.size()) return false;
  unsigned char difference = 0;
  for (size_t i = 0; i < given.size(); ++i)
    difference |= static_cast<unsigned char>(given[i] ^ secret[i]);
  return difference == 0;
}

// The value of the named cookie in a Cookie header, or empty.
std::string cookieValue(const std::string& header, const std::string& name) {
  size_t at = 0;
  while (at < header.size()) {
    size_t end = header.find(';', at);
    if (end == std::string::npos) end = header.size();
    std::string pair = header.substr(at, end - at);
    size_t start = pair.find_first_not_of(' ');
    if (start != std::string::npos) pair.erase(0, start);
    if (pair.size() > name.size() && pair.compare(0, name.size(), name) == 0 &&
        pair[name.size()] == '=')
      return pair.substr(name.size() + 1);
    at = end + 1;
  }
  return {};
}

const char* contentTypeOf(std::string_view name) {
  if (name.ends_with(".html")) return "text/html; charset=utf-8";
  if (name.ends_with(".css")) return "text/css; charset=utf-8";
  if (name.ends_with(".js")) return "text/javascript; charset=utf-8";
  if (name.ends_with(".png")) return "image/png";
  return "application/octet-stream";
}

void refuse(httplib::Response& response, int status, const std::string& why) {
  response.status = status;
  response.set_content(Json{{"error", why}}.dump(), "application/json");
}

// A view or picture number: decimal digits only.
bool parseVersion(const std::string& text, uint64_t* version) {
  if (text.empty() || text.size() > 19 || text.find_first_not_of("0123456789") != std::string::npos)
    return false;
  *version = std::stoull(text);
  return true;
}

// The view as the page reads it. A page that says which dialog state it
// holds (`knownDialog`) gets no state when it has this one, and only the
// changed items when it has the one before: the dialog's state is some
// 20 KB, a change touches an item or two.
Json viewJson(const StudioView& view, std::optional<uint64_t> knownDialog = std::nullopt) {
  Json json = {{"version", view.version},
               {"dialogVersion", view.dialogVersion},
               {"modal", view.modal},
               {"preview", {{"version", view.previewVersion}, {"info", view.previewInfo}}},
               {"ended", view.ended},
               {"history", view.history},
               {"variations", view.variations},
               {"ownSettings", view.ownSettings}};
  if (knownDialog && *knownDialog == view.dialogVersion) return json;
  if (knownDialog && *knownDialog + 1 == view.dialogVersion && view.dialogChanges.is_array())
    json["dialogChanges"] = view.dialogChanges;
  else
    json["dialog"] = view.dialog;
  return json;
}

// The dialog state the page says it holds, from its "dialog" parameter.
bool knownDialogOf(const httplib::Request& request, std::optional<uint64_t>* known) {
  if (!request.has_param("dialog")) return true;
  uint64_t version = 0;
  if (!parseVersion(request.get_param_value("dialog"), &version)) return false;
  *known = version;
  return true;
}

// What the page tells a user about the dialog's items: the record field each
// item edits, with its unit, range and default, and the pages' names.
Json fieldsJson() {
  static const char* const kTypes[] = {"switch", "whole", "real"};
  Json fields = Json::array();
  for (const FieldInfo& field : kFieldTable) {
    if (field.dialogItem == 0) continue;
    Json entry = {{"item", field.dialogItem},
                  {"field", field.name},
                  {"type", kTypes[field.type]},
                  {"unit", field.unit}};
    if (field.ranged) entry["range"] = {field.minimum, field.maximum};
    if (field.defaultKind == kDefaultConstant)
      entry["default"] = field.defaultValue;
    else if (field.defaultKind == kDefaultViewX)
      entry["default"] = "the front view's centre x - 200";
    else if (field.defaultKind == kDefaultViewY)
      entry["default"] = "the front view's centre y";
    fields.push_back(std::move(entry));
  }
  Json pages = Json::array();
  for (const DialogPage& page : kDialogPages)
    pages.push_back({{"button", page.button}, {"name", page.name}});
  return {{"fields", std::move(fields)}, {"pages", std::move(pages)}};
}

constexpr const char* kBadPageName =
    "\"page\" is a page's name: up to 64 letters, digits, '-' and '_'";

// The name a page gives itself, from its "page" parameter: up to 64
// letters, digits, '-' and '_'; none when it gives none.
bool pageOf(const httplib::Request& request, std::string* page) {
  if (!request.has_param("page")) return true;
  std::string name = request.get_param_value("page");
  if (name.empty() || name.size() > 64) return false;
  for (char c : name)
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '-' && c != '_') return false;
  *page = std::move(name);
  return true;
}

// Stopping the server waits for every connection it holds, and a browser
// keeps spare ones open, some never used, others idle after an answer, each
// for the keep-alive timeout. Every socket of this process whose own end is
// 127.0.0.1:port is one the server accepted (the listening one is closed
// by now): no more is read from them, so idle ones end at once, while an
// answer being written still goes out in full.
void endReadingConnections(int port) {
  DIR* folder = opendir("/proc/self/fd");
  if (!folder) return;
  while (dirent* entry = readdir(folder)) {
    char* end = nullptr;
    long fd = std::strtol(entry->d_name, &end, 10);
    if (end == entry->d_name || *end != '\0' || fd == dirfd(folder)) continue;
    sockaddr_in own{};
    socklen_t size = sizeof own;
    if (getsockname(static_cast<int>(fd), reinterpret_cast<sockaddr*>(&own), &size) != 0 ||
        own.sin_family != AF_INET || ntohs(own.sin_port) != port ||
        own.sin_addr.s_addr != htonl(INADDR_LOOPBACK))
      continue;
    shutdown(static_cast<int>(fd), SHUT_RD);
  }
  closedir(folder);
}

}  // namespace

Result<std::string> makeSecret() {
  unsigned char bytes[24];
  size_t filled = 0;
  while (filled < sizeof bytes) {
    ssize_t got = getrandom(bytes + filled, sizeof bytes - filled, 0);
    if (got < 0) {
      if (errno == EINTR) continue;
      return fail("the system gave no random bytes for the session's secret");
    }
    filled += static_cast<size_t>(got);
  }
  static const char kDigits[] = "0123456789abcdef";
  std::string secret;
  for (unsigned char byte : bytes) {
    secret += kDigits[byte >> 4];
    secret += kDigits[byte & 15];
  }
  return secret;
}

StudioServer::StudioServer(StudioChannel& channel, std::string secret, StudioServerOptions options)
    : channel_(channel),
      secret_(std::move(secret)),
      options_(std::move(options)),
      server_(std::make_unique<httplib::Server>()) {}

StudioServer::~StudioServer() { stop(); }

std::string StudioServer::address() const {
  return "http://127.0.0.1:" + std::to_string(port_) + "/?key=" + secret_;
}

Result<void> StudioServer::start() {
  // Several tabs each hold a waiting view request and the browser keeps a
  // few connections open: enough threads that none of them starves.
  server_->new_task_queue = [] { return new httplib::ThreadPool(24); };
  server_->set_keep_alive_timeout(2);
  // Answers go out at once: with Nagle's algorithm the body, written after
  // the headers, waits for the browser's delayed acknowledgement (40 ms on
  // Linux), once for the action's answer and again for the picture.
  server_->set_tcp_nodelay(true);
  server_->set_payload_max_length(options_.maxBodyBytes);
  // The library's own socket options share the port (SO_REUSEPORT): a second
  // studio would bind the same port and the system would hand each browser
  // connection to either of them. Only a port left in TIME_WAIT is taken
  // again; one that another server listens on is refused.
  server_->set_socket_options([](socket_t socket) {
    int yes = 1;
    setsockopt(socket, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
  });
  installRoutes();
  if (options_.port < 0 || options_.port > 65535)
    return fail("the port " + std::to_string(options_.port) + " is not between 0 and 65535");
  if (options_.port == 0) {
    port_ = server_->bind_to_any_port("127.0.0.1");
    if (port_ <= 0) return fail("no free port on 127.0.0.1");
  } else {
    if (!server_->bind_to_port("127.0.0.1", options_.port))
      return fail("cannot listen on 127.0.0.1:" + std::to_string(options_.port) +
                  " (is the port in use?)");
    port_ = options_.port;
  }
  listenEnded_ = false;
  thread_ = std::thread([this] {
    server_->listen_after_bind();
    listenEnded_ = true;
  });
  // Stopping only reaches a server that is already listening: one stopped
  // before its thread got going would go on listening and never be joined.
  // Wait until it listens (or has already given up).
  while (!server_->is_running() && !listenEnded_)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  return {};
}

void StudioServer::stop() {
  if (server_) server_->stop();
  if (port_ > 0) {
    // Answers on their way (how the session ended, to the page that ended
    // it and to a watching one) go out first; a request that would keep a
    // connection busy for longer is cut short.
    std::unique_lock lock(answeringMutex_);
    answered_.wait_for(lock, std::chrono::seconds(1), [this] { return answering_.empty(); });
    lock.unlock();
    endReadingConnections(port_);
  }
  if (thread_.joinable()) thread_.join();
}

void StudioServer::installRoutes() {
  const std::string cookieName = "heart_studio";
  server_->set_pre_routing_handler([this, cookieName](const httplib::Request& request,
                                                      httplib::Response& response) {
    const std::string port = std::to_string(port_);
    const std::string host = request.get_header_value("Host");
    if (host != "127.0.0.1:" + port && host != "localhost:" + port) {
      refuse(response, 403, "this server answers only to 127.0.0.1:" + port);
      return httplib::Server::HandlerResponse::Handled;
    }
    // Cookies are shared by every port of a host: the cookie's name carries
    // the port, so two studios do not overwrite each other's secret.
    std::string given = request.has_param("key")
                            ? request.get_param_value("key")
                            : cookieValue(request.get_header_value("Cookie"), cookieName + port);
    if (!sameSecret(given, secret_)) {
      refuse(response, 403,
             "this address needs the session's secret; open the address that "
             "heart studio printed");
      return httplib::Server::HandlerResponse::Handled;
    }
    if (request.method != "GET" && request.method != "HEAD" &&
        request.get_header_value("Origin") != "http://" + host) {
      refuse(response, 403, "changes are accepted only from the studio's own page");
      return httplib::Server::HandlerResponse::Handled;
    }
    channel_.touch();
    std::lock_guard lock(answeringMutex_);
    answering_.insert(&request);
    return httplib::Server::HandlerResponse::Unhandled;
  });
  // Called once an answer has been written.
  server_->set_logger([this](const httplib::Request& request, const httplib::Response&) {
    std::lock_guard lock(answeringMutex_);
    if (answering_.erase(&request)) answered_.notify_all();
  });

  auto serveAsset = [](const std::string& name, httplib::Response& response) {
    for (const WebAsset& asset : webAssets())
      if (asset.name == name) {
        response.set_content(std::string(asset.bytes), contentTypeOf(name));
        response.set_header("Cache-Control", "no-cache");
        return;
      }
    refuse(response, 404, "no such page");
  };
  server_->Get(
      "/", [this, serveAsset, cookieName](const httplib::Request&, httplib::Response& response) {
        response.set_header("Set-Cookie", cookieName + std::to_string(port_) + "=" + secret_ +
                                              "; Path=/; HttpOnly; SameSite=Strict");
        response.set_header("Content-Security-Policy",
                            "default-src 'self'; img-src 'self' blob:; connect-src 'self'");
        serveAsset("index.html", response);
      });
  for (const char* name : {"studio.css", "studio.js"}) {
    server_->Get(std::string("/") + name,
                 [serveAsset, name](const httplib::Request&, httplib::Response& response) {
                   serveAsset(name, response);
                 });
  }
  server_->Get("/picker-cursor.png", [this](const httplib::Request&, httplib::Response& response) {
    StudioChannel::Cursor cursor = channel_.pickerCursor();
    if (!cursor.png) return refuse(response, 404, "no picker cursor");
    response.set_content(std::string(cursor.png->begin(), cursor.png->end()), "image/png");
    response.set_header("X-Hotspot",
                        std::to_string(cursor.hotspotX) + " " + std::to_string(cursor.hotspotY));
  });
  server_->Get("/api/fields", [](const httplib::Request&, httplib::Response& response) {
    static const std::string fields = fieldsJson().dump();
    response.set_content(fields, "application/json");
  });
  server_->Get("/api/view", [this](const httplib::Request& request, httplib::Response& response) {
    uint64_t since = 0;
    if (request.has_param("since") && !parseVersion(request.get_param_value("since"), &since))
      return refuse(response, 400, "\"since\" is a view number");
    std::optional<uint64_t> knownDialog;
    if (!knownDialogOf(request, &knownDialog))
      return refuse(response, 400, "\"dialog\" is a dialog state number");
    std::string page;
    if (!pageOf(request, &page)) return refuse(response, 400, kBadPageName);
    StudioView view = channel_.view(since, options_.viewPatience, page);
    response.set_content(viewJson(view, knownDialog).dump(), "application/json");
    response.set_header("Cache-Control", "no-store");
  });
  server_->Get("/api/preview.png", [this](const httplib::Request&, httplib::Response& response) {
    StudioView view = channel_.view();
    if (!view.preview) return refuse(response, 404, "no preview has been drawn yet");
    Result<std::vector<unsigned char>> png = previewPng(*view.preview);
    if (!png) return refuse(response, 500, png.error());
    response.set_content(std::string(png->begin(), png->end()), "image/png");
    response.set_header("X-Preview-Version", std::to_string(view.previewVersion));
    response.set_header("Cache-Control", "no-store");
  });
  server_->Get("/api/preview.pixels", [this](const httplib::Request&, httplib::Response& response) {
    StudioView view = channel_.view();
    if (!view.packedPreview) return refuse(response, 404, "no preview has been drawn yet");
    response.set_content(std::string(view.packedPreview->begin(), view.packedPreview->end()),
                         "application/x-heart-pixels");
    response.set_header("X-Preview-Version", std::to_string(view.previewVersion));
    response.set_header("Cache-Control", "no-store");
  });
  server_->Get(
      "/api/history.png", [this](const httplib::Request& request, httplib::Response& response) {
        StudioView view = channel_.view();
        uint64_t entry = 0;
        if (!request.has_param("entry") || !parseVersion(request.get_param_value("entry"), &entry))
          return refuse(response, 400, "\"entry\" is a variation's number");
        if (entry >= view.thumbnails.size())
          return refuse(response, 404,
                        view.thumbnails.empty() ? std::string("no variation has been shown yet")
                                                : "there is no variation " + std::to_string(entry) +
                                                      "; the history holds 0 to " +
                                                      std::to_string(view.thumbnails.size() - 1));
        const auto& png = view.thumbnails[entry];
        if (!png)
          return refuse(response, 404, "variation " + std::to_string(entry) + " has no picture");
        response.set_content(std::string(png->begin(), png->end()), "image/png");
        response.set_header("X-History-Serial", view.history["entries"][entry][0].dump());
        response.set_header("Cache-Control", "no-store");
      });
  server_->Get(
      "/api/variation.png", [this](const httplib::Request& request, httplib::Response& response) {
        StudioView view = channel_.view();
        uint64_t cell = 0;
        if (!request.has_param("cell") || !parseVersion(request.get_param_value("cell"), &cell))
          return refuse(response, 400, "\"cell\" is a grid cell's number");
        if (!view.variations.is_object())
          return refuse(response, 404, "no grid of variations has been drawn");
        // A page that names the grid it shows gets no cell of a newer one.
        if (request.has_param("version")) {
          uint64_t version = 0;
          if (!parseVersion(request.get_param_value("version"), &version))
            return refuse(response, 400, "\"version\" is a grid's number");
          if (version != view.variations.value("version", uint64_t{0}))
            return refuse(response, 404,
                          "grid " + std::to_string(version) + " has been drawn over since");
        }
        const uint64_t count = view.variations.value("count", uint64_t{0});
        const uint64_t drawn = view.variationPictures.size();
        if (cell < 1 || cell > count)
          return refuse(response, 404,
                        "there is no cell " + std::to_string(cell) + "; the grid holds 1 to " +
                            std::to_string(count));
        if (cell > drawn)
          return refuse(response, 404,
                        "cell " + std::to_string(cell) + " is not drawn (" + std::to_string(drawn) +
                            " of " + std::to_string(count) + " drawn)");
        const auto& png = view.variationPictures[cell - 1];
        if (!png) return refuse(response, 404, "cell " + std::to_string(cell) + " has no picture");
        response.set_content(std::string(png->begin(), png->end()), "image/png");
        response.set_header("X-Variations-Version", view.variations.value("version", 0) == 0
                                                        ? std::string("0")
                                                        : view.variations["version"].dump());
        response.set_header("Cache-Control", "no-store");
      });
  server_->Post(
      "/api/action", [this](const httplib::Request& request, httplib::Response& response) {
        // The page that says which picture it shows gets a newer
        // one in the same answer, after the view: one trip a change.
        std::optional<uint64_t> shown;
        if (request.has_param("shown")) {
          uint64_t version = 0;
          if (!parseVersion(request.get_param_value("shown"), &version))
            return refuse(response, 400, "\"shown\" is a picture number");
          shown = version;
        }
        std::optional<uint64_t> knownDialog;
        if (!knownDialogOf(request, &knownDialog))
          return refuse(response, 400, "\"dialog\" is a dialog state number");
        std::string page;
        if (!pageOf(request, &page)) return refuse(response, 400, kBadPageName);
        Json action = Json::parse(request.body, nullptr, false);
        if (action.is_discarded()) return refuse(response, 400, "the action is not JSON");
        if (action.is_object() && action.value("action", Json()) == "save")
          return refuse(response, 400, "a drawing is saved through /api/save?format=F");
        ActionAnswer answer = channel_.submit(std::move(action), options_.actionPatience, page);
        if (!answer.accepted) return refuse(response, 400, answer.error);
        StudioView view = channel_.view(0, std::chrono::milliseconds(0));
        Json answered = viewJson(view, knownDialog);
        answered["applied"] = answer.version;  // the view this action produced
        std::string body = answered.dump();
        if (!shown || !view.packedPreview || view.previewVersion <= *shown)
          return response.set_content(body, "application/json");
        // The pixels start on a word boundary; JSON ends in blanks.
        body.append((4 - body.size() % 4) % 4, ' ');
        response.set_header("X-View-Length", std::to_string(body.size()));
        body.append(view.packedPreview->begin(), view.packedPreview->end());
        response.set_content(body, "application/x-heart-view");
      });
  server_->Post("/api/save", [this](const httplib::Request& request, httplib::Response& response) {
    static const struct {
      const char* format;
      const char* type;
    } kKinds[] = {{"svg", "image/svg+xml"}, {"png", "image/png"}, {"pdf", "application/pdf"}};
    const std::string format = request.get_param_value("format");
    const char* type = nullptr;
    for (const auto& kind : kKinds)
      if (format == kind.format) type = kind.type;
    if (!type) return refuse(response, 400, "\"format\" is svg, png or pdf");
    ActionAnswer answer =
        channel_.submit({{"action", "save"}, {"format", format}}, options_.actionPatience);
    if (!answer.accepted) return refuse(response, 400, answer.error);
    if (!answer.download) return refuse(response, 500, "the host saved nothing");
    response.set_content(*answer.download, type);
    // The name is the server's own: a name from the page could point anywhere.
    response.set_header("Content-Disposition", "attachment; filename=\"hearts." + format + "\"");
    response.set_header("X-Content-Type-Options", "nosniff");
    response.set_header("Cache-Control", "no-store");
  });
}

}  // namespace heart::studio
