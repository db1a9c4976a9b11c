// The studio's web server: it serves the page and answers the page's
// requests from what the studio channel holds. It listens on the loopback
// address only, and every request must carry the session's secret (in the
// address the command prints, then as a cookie). Requests that name another
// host than the loopback address and this port are refused (a foreign page
// reaching the server through DNS rebinding), and so are changes whose
// Origin is not the page's own (a foreign page posting across sites).
//
//   GET  /?key=SECRET          the page; sets the secret cookie
//   GET  /studio.css, /studio.js, /picker-cursor.png
//   GET  /api/view?since=N     the published view, waiting for one newer than N;
//                              with &dialog=D, the dialog's state only when the
//                              page's (state D) is not current, as the changed
//                              items when D is the state just before
//   GET  /api/variation.png?cell=K  cell K (from 1) of the grid of variations
//   GET  /api/fields           the record field each dialog item edits (unit,
//                              range, default) and the pages' names
//   GET  /api/preview.png      the latest preview picture
//   GET  /api/history.png?entry=N  the small picture of variation N of the
//                              history (0 the oldest kept; the view lists them)
//   POST /api/save?format=F    the drawing OK would write now, as F (svg, png
//                              or pdf), downloaded as "hearts.F"
//   POST /api/action           one user action (see studio_actions.h); answers
//                              the view after it (&dialog=D as above) and, with
//                              &shown=P, the packed pixels of a picture newer than P
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "core/result.h"
#include "studio/studio_channel.h"

namespace httplib {
class Server;
struct Request;
}  // namespace httplib

namespace heart::studio {

struct StudioServerOptions {
  int port = 0;  // 0: any free port
  size_t maxBodyBytes = 16 * 1024;
  // How long a view request waits for something new before answering.
  std::chrono::milliseconds viewPatience{15000};
  // How long an action waits for the dialog to take it.
  std::chrono::milliseconds actionPatience{120000};
};

// A fresh secret: 192 random bits from the system, as 48 hexadecimal digits.
// Throws std::runtime_error when the system has no randomness to give.
Result<std::string> makeSecret();

class StudioServer {
 public:
  StudioServer(StudioChannel& channel, std::string secret, StudioServerOptions options = {});
  ~StudioServer();  // stops the server
  StudioServer(const StudioServer&) = delete;
  StudioServer& operator=(const StudioServer&) = delete;

  // Binds 127.0.0.1 and starts answering on a thread of its own, or says
  // why it cannot.
  Result<void> start();
  void stop();
  int port() const { return port_; }
  // The address that opens the page, secret included.
  std::string address() const;

 private:
  void installRoutes();

  StudioChannel& channel_;
  std::string secret_;
  StudioServerOptions options_;
  std::unique_ptr<httplib::Server> server_;
  std::thread thread_;
  std::atomic<bool> listenEnded_{false};
  // The requests let through whose answers are not written yet.
  std::mutex answeringMutex_;
  std::condition_variable answered_;
  std::set<const httplib::Request*> answering_;
  int port_ = 0;
};

}  // namespace heart::studio
