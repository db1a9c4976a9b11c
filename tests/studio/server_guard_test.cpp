// The studio server on loopback refuses what a foreign page or program could
// send: no secret, a wrong secret, another Host, another Origin, an
// oversized body, garbage. Only what it lets through reaches the dialog.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <httplib.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <thread>

#include "studio/studio_server.h"

namespace heart::testing {
namespace {

using namespace heart::studio;

using namespace std::chrono_literals;

class ServerGuard : public ::testing::Test {
 protected:
  void SetUp() override {
    channel_.publish(StudioView{});
    server_ = std::make_unique<StudioServer>(channel_, secret_);
    Result<void> started = server_->start();
    ASSERT_TRUE(started) << started.error();
    // Stands in for the dialog: accepts every action that arrives.
    responder_ = std::thread([this] {
      while (!stop_) {
        if (auto pending = channel_.take(20ms)) {
          ++applied_;
          uint64_t version = channel_.publish(StudioView{});
          // A save answers a drawing that names what was asked for.
          std::shared_ptr<const std::string> drawing;
          if (pending->action.value("action", "") == "save")
            drawing = std::make_shared<const std::string>(
                "drawing as " + pending->action.value("format", std::string()));
          channel_.answer(pending->ticket, {true, {}, version, drawing});
        }
      }
    });
  }
  void TearDown() override {
    stop_ = true;
    responder_.join();
    server_->stop();
  }

  std::string hostPort() const { return "127.0.0.1:" + std::to_string(server_->port()); }
  std::string origin() const { return "http://" + hostPort(); }
  std::string cookie() const {
    return "heart_studio" + std::to_string(server_->port()) + "=" + secret_;
  }
  httplib::Client client() const { return httplib::Client("127.0.0.1", server_->port()); }

  httplib::Result post(const std::string& body, httplib::Headers headers) {
    return client().Post("/api/action", headers, body, "application/json");
  }

  const std::string secret_ = "0123456789abcdef0123456789abcdef0123456789abcdef";
  StudioChannel channel_;
  std::unique_ptr<StudioServer> server_;
  std::thread responder_;
  std::atomic<bool> stop_{false};
  std::atomic<int> applied_{0};
};

TEST_F(ServerGuard, ThePageNeedsTheSecretAndHandsItOnAsACookie) {
  EXPECT_EQ(client().Get("/")->status, 403);
  std::string wrong = secret_;
  wrong.back() = wrong.back() == '0' ? '1' : '0';
  EXPECT_EQ(client().Get("/?key=" + wrong)->status, 403);
  EXPECT_EQ(client().Get("/?key=" + secret_ + "0")->status, 403);

  auto page = client().Get("/?key=" + secret_);
  ASSERT_TRUE(page);
  EXPECT_EQ(page->status, 200);
  EXPECT_NE(page->body.find("data-action=\"ok\""), std::string::npos);
  const std::string setCookie = page->get_header_value("Set-Cookie");
  EXPECT_EQ(setCookie.rfind(cookie() + ";", 0), 0u) << setCookie;
  EXPECT_NE(setCookie.find("HttpOnly"), std::string::npos);
  EXPECT_NE(setCookie.find("SameSite=Strict"), std::string::npos);
  EXPECT_EQ(server_->address(), "http://" + hostPort() + "/?key=" + secret_);
}

TEST_F(ServerGuard, EveryOtherRequestNeedsTheSecretToo) {
  for (const char* path :
       {"/studio.js", "/studio.css", "/api/view", "/api/preview.png", "/api/preview.pixels"}) {
    EXPECT_EQ(client().Get(path)->status, 403) << path;
    EXPECT_EQ(client()
                  .Get(path, {{"Cookie", "heart_studio" + std::to_string(server_->port()) + "=" +
                                             std::string(secret_.size(), 'f')}})
                  ->status,
              403)
        << path;
    // The cookie of a studio on another port is not this one's.
    EXPECT_EQ(client().Get(path, {{"Cookie", "heart_studio1=" + secret_}})->status, 403) << path;
  }
  EXPECT_EQ(client().Get("/studio.js", {{"Cookie", "other=1; " + cookie()}})->status, 200);
  EXPECT_EQ(client().Get("/api/view?since=0", {{"Cookie", cookie()}})->status, 200);
  // No preview drawn yet: nothing to send, but the secret was good.
  EXPECT_EQ(client().Get("/api/preview.png", {{"Cookie", cookie()}})->status, 404);
  EXPECT_EQ(post("{\"action\":\"ok\"}", {{"Origin", origin()}})->status, 403);
  EXPECT_EQ(applied_, 0);
}

TEST_F(ServerGuard, AForeignHostNameIsRefused) {
  const std::string port = std::to_string(server_->port());
  const std::vector<std::string> foreign = {"attacker.example:" + port, "127.0.0.1", "127.0.0.1:1",
                                            "127.0.0.2:" + port, ""};
  for (const std::string& host : foreign) {
    auto answer = client().Get("/?key=" + secret_, {{"Host", host}});
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->status, 403) << "Host: " << host;
  }
  EXPECT_EQ(client().Get("/?key=" + secret_, {{"Host", "localhost:" + port}})->status, 200);
}

TEST_F(ServerGuard, ChangesFromAnotherOriginAreRefused) {
  for (const std::string& from :
       {std::string("http://attacker.example"), std::string("null"),
        "http://127.0.0.1:" + std::to_string(server_->port() + 1), std::string()}) {
    httplib::Headers headers{{"Cookie", cookie()}};
    if (!from.empty()) headers.emplace("Origin", from);
    auto answer = post("{\"action\":\"ok\"}", headers);
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->status, 403) << "Origin: " << from;
  }
  EXPECT_EQ(applied_, 0);
  auto accepted = post("{\"action\":\"ok\"}", {{"Cookie", cookie()}, {"Origin", origin()}});
  ASSERT_TRUE(accepted);
  EXPECT_EQ(accepted->status, 200);
  EXPECT_EQ(applied_, 1);
}

TEST_F(ServerGuard, OversizedAndGarbageBodiesNeverReachTheDialog) {
  const httplib::Headers headers{{"Cookie", cookie()}, {"Origin", origin()}};
  std::string big = "{\"action\":\"ok\",\"pad\":\"" + std::string(16 * 1024, 'x') + "\"}";
  auto oversized = post(big, headers);
  ASSERT_TRUE(oversized);
  EXPECT_EQ(oversized->status, 413);

  auto garbage = post("{\"action\":", headers);
  ASSERT_TRUE(garbage);
  EXPECT_EQ(garbage->status, 400);
  EXPECT_NE(garbage->body.find("the action is not JSON"), std::string::npos);
  EXPECT_EQ(applied_, 0);
}

TEST_F(ServerGuard, ADrawingIsSavedUnderTheServersOwnNameBehindTheSameChecks) {
  const httplib::Headers page{{"Cookie", cookie()}, {"Origin", origin()}};
  auto save = [&](const std::string& query, const httplib::Headers& headers,
                  const std::string& body = {}) {
    return client().Post("/api/save" + query, headers, body, "text/plain");
  };
  EXPECT_EQ(save("?format=svg", {{"Origin", origin()}})->status, 403);
  EXPECT_EQ(
      save("?format=svg", {{"Cookie", cookie()}, {"Origin", "http://attacker.example"}})->status,
      403);
  EXPECT_EQ(save("?format=svg", page, std::string(16 * 1024 + 1, 'x'))->status, 413);
  for (const char* format : {"", "exe", "SVG", "svg/../x"})
    EXPECT_EQ(save(std::string("?format=") + format, page)->status, 400) << format;
  // Through the action route a save would lose its drawing.
  EXPECT_EQ(post("{\"action\":\"save\",\"format\":\"svg\"}", page)->status, 400);
  EXPECT_EQ(applied_, 0);

  const struct {
    const char* format;
    const char* type;
  } kinds[] = {{"svg", "image/svg+xml"}, {"png", "image/png"}, {"pdf", "application/pdf"}};
  for (const auto& kind : kinds) {
    auto saved = save(std::string("?format=") + kind.format + "&name=../../.bashrc", page);
    ASSERT_TRUE(saved);
    ASSERT_EQ(saved->status, 200) << kind.format;
    EXPECT_EQ(saved->body, std::string("drawing as ") + kind.format);
    EXPECT_EQ(saved->get_header_value("Content-Type"), kind.type);
    EXPECT_EQ(saved->get_header_value("Content-Disposition"),
              std::string("attachment; filename=\"hearts.") + kind.format + "\"");
  }
  EXPECT_EQ(applied_, 3);
}

// Stopping a server at once after it started must end it, however early its
// listening thread is caught. Runs on a thread of its own so that a server
// that never stops fails the test instead of hanging the run.
TEST(StudioServerStop, AServerStoppedRightAfterStartingEnds) {
  std::atomic<int> stopped{0};
  std::thread rounds([&stopped] {
    for (int round = 0; round < 200; ++round) {
      StudioChannel channel;
      StudioServer server(channel, "0123456789abcdef0123456789abcdef0123456789abcdef");
      if (!server.start()) continue;
      server.stop();
      ++stopped;
    }
  });
  for (int waited = 0; waited < 600 && stopped < 200; ++waited) std::this_thread::sleep_for(100ms);
  if (stopped < 200) {
    ADD_FAILURE() << "a server stopped right after starting is still running after " << stopped
                  << " rounds";
    std::_Exit(1);
  }
  rounds.join();
}

// A browser keeps spare connections open, some never used, others idle
// after an answer: stopping the server does not wait for them to time out.
TEST_F(ServerGuard, StoppingDoesNotWaitForIdleConnections) {
  int spare = socket(AF_INET, SOCK_STREAM, 0);
  ASSERT_GE(spare, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<uint16_t>(server_->port()));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ASSERT_EQ(connect(spare, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  httplib::Client used = client();
  used.set_keep_alive(true);
  ASSERT_EQ(used.Get("/studio.js", {{"Cookie", cookie()}})->status, 200);
  std::this_thread::sleep_for(50ms);  // both connections idle now

  auto from = std::chrono::steady_clock::now();
  server_->stop();
  auto took = std::chrono::steady_clock::now() - from;
  close(spare);
  // An idle connection held the server for the keep-alive timeout (2 s).
  EXPECT_LT(took, 1s) << std::chrono::duration<double>(took).count() << " s";
}

TEST_F(ServerGuard, ASecondServerOnTheSamePortIsRefused) {
  StudioChannel other;
  StudioServerOptions options;
  options.port = server_->port();
  StudioServer second(other, secret_, options);
  Result<void> started = second.start();
  ASSERT_FALSE(started);
  const std::string& error = started.error();
  EXPECT_NE(error.find("127.0.0.1:" + std::to_string(server_->port())), std::string::npos) << error;
  // The first one still answers every request.
  for (int i = 0; i < 8; ++i) EXPECT_EQ(client().Get("/?key=" + secret_)->status, 200);
}

TEST(StudioSecret, HasAtLeast128BitsAndIsFreshEachTime) {
  const std::string first = makeSecret().value(), second = makeSecret().value();
  EXPECT_EQ(first.size(), 48u);
  EXPECT_EQ(first.find_first_not_of("0123456789abcdef"), std::string::npos);
  EXPECT_NE(first, second);
}

}  // namespace
}  // namespace heart::testing
