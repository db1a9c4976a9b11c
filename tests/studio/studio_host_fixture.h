// A studio with the real plug-in for tests that play the browser: a host
// that has loaded and started the module, the studio's server on loopback
// and the event source that feeds the host's dialogs from it. The test runs
// the host's calls on a thread of its own, as the command's main thread
// would, and talks to the server as the page does.
#pragma once

#include <gtest/gtest.h>
#include <httplib.h>

#include <memory>
#include <string>
#include <utility>

#include "application/host.h"
#include "dialog_manager/dialog_manager.h"
#include "studio/studio_event_source.h"
#include "studio/studio_server.h"
#include "support/loaded_host.h"

namespace heart::testing {

class StudioHostFixture : public ::testing::Test {
 protected:
  using Json = nlohmann::json;

  // Loads the module with the given seed, starts the server and hands the
  // host's dialogs to the studio's event source.
  void startStudio(uint32_t seed, const studio::StudioSourceOptions& sourceOptions) {
    std::string error;
    host_ = loadedHost(seed, &error);
    ASSERT_TRUE(host_) << error;
    ASSERT_EQ(host_->startup(), kNoErr);
    server_ = std::make_unique<studio::StudioServer>(channel_, secret_);
    Result<void> started = server_->start();
    ASSERT_TRUE(started) << started.error();
    source_ = std::make_unique<studio::StudioEventSource>(*host_, channel_, sourceOptions);
    host_->dialogs().setEventSource(source_.get());
  }
  // Once the host's calls have returned.
  void stopStudio() {
    if (host_) host_->dialogs().setEventSource(nullptr);
    if (server_) server_->stop();
  }

  // What the page sends: the session's cookie and its own origin.
  httplib::Headers headers() const {
    const std::string port = std::to_string(server_->port());
    return {{"Cookie", "heart_studio" + port + "=" + secret_},
            {"Origin", "http://127.0.0.1:" + port}};
  }
  // The first published view newer than `since`.
  Json viewAfter(uint64_t since) {
    httplib::Client client("127.0.0.1", server_->port());
    client.set_read_timeout(60, 0);
    auto answer = client.Get("/api/view?since=" + std::to_string(since), headers());
    EXPECT_TRUE(answer && answer->status == 200);
    return answer ? Json::parse(answer->body) : Json();
  }
  // The answer's status and its JSON; status 0 when none came.
  std::pair<int, Json> post(const Json& action) {
    httplib::Client client("127.0.0.1", server_->port());
    client.set_read_timeout(60, 0);
    auto answer = client.Post("/api/action", headers(), action.dump(), "application/json");
    if (!answer) return {0, Json()};
    return {answer->status, Json::parse(answer->body, nullptr, false)};
  }

  const std::string secret_ = studio::makeSecret().value();
  std::unique_ptr<Host> host_;
  studio::StudioChannel channel_;
  std::unique_ptr<studio::StudioServer> server_;
  std::unique_ptr<studio::StudioEventSource> source_;
};

}  // namespace heart::testing
