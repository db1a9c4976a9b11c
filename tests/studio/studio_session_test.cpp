// A studio session with the real plug-in: the options dialog runs on its own
// thread as on the command's main thread, and this test plays the browser.
#include <gtest/gtest.h>
#include <httplib.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <set>
#include <thread>

#include "plugin/params/parameter_record.h"
#include "studio/studio_host_fixture.h"

namespace heart::testing {
namespace {

using namespace heart::studio;

using Json = nlohmann::json;

const Json* itemIn(const Json& dialog, int id, const char* type = nullptr) {
  for (const Json& item : dialog["items"])
    if (item["id"] == id && (!type || item["type"] == type)) return &item;
  return nullptr;
}

class StudioSession : public StudioHostFixture {
 protected:
  void SetUp() override {
    startStudio(11, sourceOptions_);
    if (HasFatalFailure()) return;
    dialogThread_ = std::thread([this] { result_ = host_->getParameters(); });
    if (openPage_) view_ = view(0);
  }
  void TearDown() override {
    if (dialogThread_.joinable()) {
      // The action that ends the dialog is answered once the session is over.
      std::thread cancel([this] { post({{"action", "cancel"}}); });
      dialogThread_.join();
      source_->finish({{"result", "cancelled"}});
      cancel.join();
    }
    stopStudio();
  }
  Json view(uint64_t since) { return viewAfter(since); }
  // The views from `since` on until one satisfies `done`, every one seen.
  std::vector<Json> viewsUntil(uint64_t since, const std::function<bool(const Json&)>& done) {
    std::vector<Json> views;
    for (;;) {
      Json next = viewAfter(since);
      if (!next.is_object()) return views;
      views.push_back(next);
      if (done(next)) return views;
      since = next["version"];
    }
  }

  StudioSourceOptions sourceOptions_;
  bool openPage_ = true;  // whether a page makes contact as the dialog opens
  std::thread dialogThread_;
  ASErr result_ = -1;
  Json view_;
};

TEST_F(StudioSession, TheOpenedDialogAndItsPreviewArePublished) {
  ASSERT_GE(view_["version"].get<int>(), 1);
  EXPECT_EQ(view_["dialog"]["resourceId"], 16100);
  EXPECT_EQ(view_["dialog"]["size"], Json::array({530, 320}));
  EXPECT_TRUE(view_["modal"].is_null());
  EXPECT_TRUE(view_["ended"].is_null());
  const Json& info = view_["preview"]["info"];
  EXPECT_EQ(info["width"], 800);
  EXPECT_EQ(info["height"], 600);
  EXPECT_GT(info["paths"].get<int>(), 0) << "the default record previews one heart";

  httplib::Client client("127.0.0.1", server_->port());
  auto png = client.Get("/api/preview.png", headers());
  ASSERT_TRUE(png);
  EXPECT_EQ(png->status, 200);
  ASSERT_GT(png->body.size(), 8u);
  EXPECT_EQ(png->body.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
}

TEST_F(StudioSession, BadActionsAreAnsweredAndTheSessionGoesOn) {
  const Json before = view_["dialog"];
  const uint64_t version = view_["version"];
  const Json bad[] = {
      {{"action", "set"}, {"item", 999}, {"value", 1}},    // no such item
      {{"action", "set"}, {"item", 17}, {"value", 1}},     // on the hidden page 2
      {{"action", "check"}, {"item", 143}, {"on", true}},  // disabled: no drop shadow
      {{"action", "set"}, {"item", 3}, {"value", 1}},      // a check box
      {{"action", "press"}, {"item", 11}},                 // a spin edit
      {{"action", "fly"}},
  };
  for (const Json& action : bad) {
    auto [status, answer] = post(action);
    EXPECT_EQ(status, 400) << action.dump();
    EXPECT_TRUE(answer["error"].is_string()) << action.dump();
  }
  httplib::Client client("127.0.0.1", server_->port());
  EXPECT_EQ(client.Post("/api/action", headers(), "{{{", "application/json")->status, 400);
  // Nothing was applied: no new view, the same dialog, the dialog still open.
  Json now = view(0);
  EXPECT_EQ(now["version"], version);
  EXPECT_EQ(now["dialog"], before);

  auto [status, answer] = post({{"action", "set"}, {"item", 11}, {"value", 150.5}});
  ASSERT_EQ(status, 200) << answer.dump();
  EXPECT_DOUBLE_EQ((*itemIn(answer["dialog"], 11))["value"].get<double>(), 150.5);
  EXPECT_GT(answer["version"].get<uint64_t>(), version);
}

// Three Tumbles, then back twice: the first Tumble's picture and dialog
// again, drawn from the random source as it stood when that preview ran.
TEST_F(StudioSession, AVariationBroughtBackIsTheSamePictureAndDialog) {
  httplib::Client client("127.0.0.1", server_->port());
  auto pixels = [&] { return client.Get("/api/preview.pixels", headers())->body; };
  std::vector<std::string> pictures;
  std::vector<Json> dialogs;
  for (int i = 0; i < 3; ++i) {
    auto [status, answer] = post({{"action", "press"}, {"item", 61}});
    ASSERT_EQ(status, 200) << answer.dump();
    pictures.push_back(pixels());
    dialogs.push_back(answer["dialog"]);
  }
  ASSERT_NE(pictures[0], pictures[1]);
  Json history = view(0)["history"];
  ASSERT_EQ(history["entries"].size(), 4u) << history.dump();  // the opened dialog first
  EXPECT_EQ(history["entries"][1][1], "Tumble");
  EXPECT_EQ(history["current"], 3);

  for (int entry : {2, 1}) {
    auto [status, answer] = post({{"action", "history"}, {"entry", entry}});
    ASSERT_EQ(status, 200) << answer.dump();
  }
  EXPECT_EQ(pixels(), pictures[0]);
  Json now = view(0);
  EXPECT_EQ(now["dialog"], dialogs[0]);
  EXPECT_EQ(now["history"]["entries"], history["entries"]) << "going back adds nothing";
  EXPECT_EQ(now["history"]["current"], 1);
  auto thumbnail = client.Get("/api/history.png?entry=1", headers());
  ASSERT_TRUE(thumbnail && thumbnail->status == 200);
  EXPECT_EQ(thumbnail->body.substr(1, 3), "PNG");

  // A number outside the history is refused and changes nothing.
  for (const Json& entry : {Json(4), Json(-1), Json("1")}) {
    auto [status, answer] = post({{"action", "history"}, {"entry", entry}});
    EXPECT_EQ(status, 400) << entry;
    EXPECT_TRUE(answer["error"].is_string());
  }
  EXPECT_EQ(view(0)["version"], now["version"]);
  EXPECT_EQ(client.Get("/api/history.png?entry=4", headers())->status, 404);

  // A change now starts a branch after entry 1.
  ASSERT_EQ(post({{"action", "set"}, {"item", 11}, {"value", 150}}).first, 200);
  Json branched = view(0)["history"];
  ASSERT_EQ(branched["entries"].size(), 3u);
  EXPECT_EQ(branched["entries"][2][1], "heartHeight 150");
  EXPECT_EQ(branched["current"], 2);
}

// A grid of variations is answered at once and filled one cell a
// publication; the page's preview and the history stay meanwhile, and the
// grid done, the random source is back where the current variation left it.
// A drawn cell chosen is the preview and a history entry.
TEST_F(StudioSession, AGridIsFilledACellAtATimeAndLeavesThePreviewAndTheHistory) {
  httplib::Client client("127.0.0.1", server_->port());
  auto pixels = [&] { return client.Get("/api/preview.pixels", headers())->body; };
  // A heart placed anywhere in the document: where, the random source says.
  ASSERT_EQ(post({{"action", "press"}, {"item", 93}}).first, 200);
  ASSERT_EQ(post({{"action", "choose"}, {"item", 10}, {"position", 2}}).first, 200);
  const std::string shown = pixels();
  // What a Tumble from here draws, without a grid before it.
  ASSERT_EQ(post({{"action", "press"}, {"item", 61}}).first, 200);
  const std::string tumbled = pixels();
  ASSERT_TRUE(tumbled != shown);
  ASSERT_EQ(post({{"action", "history"}, {"entry", 1}}).first, 200);
  const Json before = view(0);
  for (const Json& count : {Json(0), Json(37), Json("9")})
    EXPECT_EQ(post({{"action", "variations"}, {"count", count}}).first, 400) << count;
  EXPECT_EQ(post({{"action", "variation"}, {"cell", 1}}).first, 400) << "no grid drawn yet";

  auto [status, answer] = post({{"action", "variations"}, {"count", 9}});
  ASSERT_EQ(status, 200) << answer.dump();
  const uint64_t applied = answer["applied"];
  std::vector<Json> views = viewsUntil(applied - 1, [](const Json& view) {
    return view["variations"].value("state", "") != "filling";
  });
  // The request's own view has no cell yet, each later one a cell more.
  for (const Json& seen : views) {
    const Json& grid = seen["variations"];
    const uint64_t drawn = seen["version"].get<uint64_t>() - applied;
    EXPECT_EQ(grid["drawn"], drawn) << grid.dump();
    EXPECT_EQ(grid["count"], 9);
    EXPECT_EQ(grid["state"], drawn < 9 ? "filling" : "done") << grid.dump();
    EXPECT_EQ(seen["preview"], before["preview"]) << "drawn " << drawn;
    EXPECT_EQ(seen["history"], before["history"]) << "drawn " << drawn;
  }
  EXPECT_EQ(views.back()["variations"]["drawn"], 9);
  EXPECT_TRUE(pixels() == shown) << "the grid left another preview";
  std::set<std::string> cells;
  for (int cell = 1; cell <= 9; ++cell) {
    auto png = client.Get("/api/variation.png?cell=" + std::to_string(cell), headers());
    ASSERT_TRUE(png && png->status == 200) << cell;
    EXPECT_EQ(png->get_header_value("X-Variations-Version"),
              views.back()["variations"]["version"].dump());
    cells.insert(png->body);
  }
  EXPECT_EQ(cells.size(), 9u) << "each cell draws from its own seed";
  // The 800 x 600 view drawn 200 pixels high: 266.7 pixels wide, rounded.
  const std::string& png = *cells.begin();
  ASSERT_GT(png.size(), 24u);
  auto word = [&](size_t at) {
    return static_cast<unsigned char>(png[at]) << 24 |
           static_cast<unsigned char>(png[at + 1]) << 16 |
           static_cast<unsigned char>(png[at + 2]) << 8 | static_cast<unsigned char>(png[at + 3]);
  };
  EXPECT_EQ(word(16), 267);  // the header's width and height
  EXPECT_EQ(word(20), 200);
  for (const char* cell : {"0", "10"})
    EXPECT_EQ(client.Get(std::string("/api/variation.png?cell=") + cell, headers())->status, 404);
  // The random source stands where the current variation's run left it.
  ASSERT_EQ(post({{"action", "press"}, {"item", 61}}).first, 200);
  EXPECT_TRUE(pixels() == tumbled) << "a Tumble after the grid drew another shape";
  ASSERT_EQ(post({{"action", "history"}, {"entry", 1}}).first, 200);

  EXPECT_EQ(post({{"action", "variation"}, {"cell", 10}}).first, 400);
  auto [chosen, view] = post({{"action", "variation"}, {"cell", 3}});
  ASSERT_EQ(chosen, 200) << view.dump();
  EXPECT_FALSE(pixels() == shown);
  ASSERT_EQ(view["history"]["entries"].size(), 3u);
  EXPECT_EQ(view["history"]["entries"][2][1], "Variation 3");
  // Back to the entry before: the session's own seed again.
  ASSERT_EQ(post({{"action", "history"}, {"entry", 1}}).first, 200);
  EXPECT_TRUE(pixels() == shown);
}

// With many heavy cells to draw, a change made while the grid is filled
// stops it and applies to the current variation; the cells not drawn cannot
// be chosen, a drawn one can, while filling, and is drawn as its seed draws.
TEST_F(StudioSession, AChangeStopsTheFillingAndFindsTheCurrentVariation) {
  httplib::Client client("127.0.0.1", server_->port());
  auto pixels = [&] { return client.Get("/api/preview.pixels", headers())->body; };
  // The heaviest record the dialog allows: 400 hearts anywhere in the
  // document, 60 sketch repeats, a drop shadow and the basic pattern.
  const Json heaviest[] = {
      {{"action", "press"}, {"item", 93}},
      {{"action", "choose"}, {"item", 10}, {"position", 2}},
      {{"action", "set"}, {"item", 7}, {"value", 400}},
      {{"action", "set"}, {"item", 25}, {"value", 60}},
      {{"action", "press"}, {"item", 94}},
      {{"action", "check"}, {"item", 126}, {"on", true}},
      {{"action", "press"}, {"item", 95}},
      {{"action", "check"}, {"item", 147}, {"on", true}},
  };
  for (const Json& action : heaviest) ASSERT_EQ(post(action).first, 200) << action.dump();
  const Json setUp = view(0)["history"];
  const int entry = setUp["current"];
  const std::string shown = pixels();
  ASSERT_EQ(post({{"action", "press"}, {"item", 61}}).first, 200);
  const std::string tumbled = pixels();
  ASSERT_EQ(post({{"action", "history"}, {"entry", entry}}).first, 200);
  auto filling = [this](uint64_t since, int64_t drawn) {
    return viewsUntil(since,
                      [drawn](const Json& view) { return view["variations"]["drawn"] >= drawn; })
        .back();
  };

  auto [status, answer] = post({{"action", "variations"}, {"count", 36}});
  ASSERT_EQ(status, 200) << answer.dump();
  Json seen = filling(answer["applied"], 1);
  ASSERT_EQ(seen["variations"]["state"], "filling") << seen.dump();
  // A cell not drawn yet is refused and the filling goes on.
  auto [refused, why] = post({{"action", "variation"}, {"cell", 36}});
  EXPECT_EQ(refused, 400);
  EXPECT_EQ(why["error"].get<std::string>().rfind("cell 36 is not drawn yet (", 0), 0u)
      << why.dump();
  seen = filling(seen["version"], seen["variations"]["drawn"].get<int64_t>() + 1);
  EXPECT_EQ(seen["variations"]["state"], "filling");

  auto [tumble, stopped] = post({{"action", "press"}, {"item", 61}});
  ASSERT_EQ(tumble, 200) << stopped.dump();
  const Json grid = stopped["variations"];
  EXPECT_EQ(grid["state"], "stopped");
  const int64_t drawn = grid["drawn"];
  EXPECT_GE(drawn, 2);
  EXPECT_LT(drawn, 36);
  EXPECT_TRUE(pixels() == tumbled) << "the Tumble did not start from the current variation";
  const Json history = stopped["history"];
  ASSERT_EQ(history["entries"].size(), entry + 2u) << history.dump();
  EXPECT_EQ(history["entries"][entry + 1][1], "Tumble");
  // The first cell not drawn: refused, nothing changed.
  auto [undrawn, reason] = post({{"action", "variation"}, {"cell", drawn + 1}});
  EXPECT_EQ(undrawn, 400);
  EXPECT_EQ(reason["error"], "cell " + std::to_string(drawn + 1) +
                                 " was not drawn: the grid was stopped at " +
                                 std::to_string(drawn) + " of 36");
  EXPECT_EQ(client.Get("/api/variation.png?cell=" + std::to_string(drawn + 1), headers())->status,
            404);
  EXPECT_EQ(view(0)["version"], stopped["applied"]);

  // Cell 1 chosen from the stopped grid, then from a grid being filled, of
  // the variation the grids were drawn from.
  ASSERT_EQ(post({{"action", "history"}, {"entry", entry}}).first, 200);
  ASSERT_EQ(post({{"action", "variation"}, {"cell", 1}}).first, 200);
  const std::string first = pixels();
  EXPECT_TRUE(first != shown) << "cell 1 is the picture shown";
  ASSERT_EQ(post({{"action", "history"}, {"entry", entry}}).first, 200);
  auto [again, restarted] = post({{"action", "variations"}, {"count", 36}});
  ASSERT_EQ(again, 200);
  const Json drawing = filling(restarted["applied"], 1)["variations"];
  // A picture asked for the grid before is not one of this grid's.
  const uint64_t now = drawing["version"];
  EXPECT_EQ(now, grid["version"].get<uint64_t>() + 1);
  for (uint64_t version : {now - 1, now}) {
    auto png =
        client.Get("/api/variation.png?cell=1&version=" + std::to_string(version), headers());
    ASSERT_TRUE(png);
    EXPECT_EQ(png->status, version == now ? 200 : 404) << version;
  }
  auto [chosen, view] = post({{"action", "variation"}, {"cell", 1}});
  ASSERT_EQ(chosen, 200) << view.dump();
  EXPECT_EQ(view["variations"]["state"], "stopped");
  EXPECT_TRUE(pixels() == first);
}

// A page that says which dialog state it holds is sent only what changed.
TEST_F(StudioSession, APageHoldingTheDialogGetsOnlyTheChangedItems) {
  const Json before = view_["dialog"];
  const uint64_t held = view_["dialogVersion"];
  httplib::Client client("127.0.0.1", server_->port());
  const std::string query = "?dialog=" + std::to_string(held);
  const std::string change = Json{{"action", "set"}, {"item", 11}, {"value", 180}}.dump();
  auto answer = client.Post("/api/action" + query, headers(), change, "application/json");
  ASSERT_TRUE(answer && answer->status == 200);
  Json changed = Json::parse(answer->body);
  EXPECT_EQ(changed["dialogVersion"], held + 1);
  EXPECT_FALSE(changed.contains("dialog"));
  // Heart height, the one item typed: its new value and nothing else.
  ASSERT_EQ(changed["dialogChanges"].size(), 1u) << changed["dialogChanges"].dump();
  const Json& pair = changed["dialogChanges"][0];
  EXPECT_EQ(before["items"][pair[0].get<size_t>()]["id"], 11);
  EXPECT_EQ(pair[1]["id"], 11);
  EXPECT_DOUBLE_EQ(pair[1]["value"].get<double>(), 180);
  // The held state with the change applied is the state a page without one gets.
  Json patched = before;
  patched["items"][pair[0].get<size_t>()] = pair[1];
  const Json whole = view(0);
  EXPECT_EQ(whole["dialog"], patched);

  // Holding the current state: none is sent. An older one: the whole state.
  auto same = client.Get("/api/view?since=0&dialog=" + std::to_string(held + 1), headers());
  ASSERT_TRUE(same && same->status == 200);
  EXPECT_FALSE(Json::parse(same->body).contains("dialog"));
  EXPECT_FALSE(Json::parse(same->body).contains("dialogChanges"));
  auto older = client.Get("/api/view?since=0&dialog=0", headers());
  ASSERT_TRUE(older && older->status == 200);
  EXPECT_EQ(Json::parse(older->body)["dialog"], patched);
  EXPECT_EQ(client.Get("/api/view?since=0&dialog=x", headers())->status, 400);
}

TEST_F(StudioSession, AnActionThatDrewANewPictureBringsItAlong) {
  const uint64_t shown = view_["preview"]["version"];
  httplib::Client client("127.0.0.1", server_->port());
  const std::string change = Json{{"action", "set"}, {"item", 11}, {"value", 180}}.dump();
  auto answer = client.Post("/api/action?shown=" + std::to_string(shown), headers(), change,
                            "application/json");
  ASSERT_TRUE(answer);
  ASSERT_EQ(answer->status, 200) << answer->body;
  EXPECT_EQ(answer->get_header_value("Content-Type"), "application/x-heart-view");
  const size_t length = std::stoul(answer->get_header_value("X-View-Length"));
  ASSERT_LT(length, answer->body.size());
  EXPECT_EQ(length % 4, 0u) << "the pixels start on a word boundary";
  Json view = Json::parse(answer->body.substr(0, length));
  EXPECT_EQ(view["preview"]["version"], shown + 1);
  EXPECT_DOUBLE_EQ((*itemIn(view["dialog"], 11))["value"].get<double>(), 180);
  auto pixels = client.Get("/api/preview.pixels", headers());
  ASSERT_TRUE(pixels);
  EXPECT_EQ(pixels->get_header_value("X-Preview-Version"), std::to_string(shown + 1));
  EXPECT_EQ(answer->body.substr(length), pixels->body);

  // A page that already shows the newest picture gets the view alone: a
  // page button draws nothing new.
  answer = client.Post("/api/action?shown=" + std::to_string(shown + 1), headers(),
                       Json{{"action", "press"}, {"item", 91}}.dump(), "application/json");
  ASSERT_TRUE(answer);
  ASSERT_EQ(answer->status, 200) << answer->body;
  EXPECT_EQ(answer->get_header_value("Content-Type"), "application/json");
  EXPECT_EQ(Json::parse(answer->body)["preview"]["version"], shown + 1);
  // Not a picture number: refused like any bad request, and nothing applied.
  answer = client.Post("/api/action?shown=-1", headers(), change, "application/json");
  ASSERT_TRUE(answer);
  EXPECT_EQ(answer->status, 400);
}

TEST_F(StudioSession, ConcurrentActionsAreAppliedOneAtATime) {
  constexpr int kSenders = 6;
  std::vector<std::thread> senders;
  std::vector<std::pair<int, Json>> answers(kSenders);
  for (int i = 0; i < kSenders; ++i)
    senders.emplace_back([this, i, &answers] {
      answers[i] = post({{"action", "set"}, {"item", 11}, {"value", 101 + i}});
    });
  for (std::thread& sender : senders) sender.join();
  std::vector<uint64_t> applied;
  for (const auto& [status, answer] : answers) {
    ASSERT_EQ(status, 200) << answer.dump();
    applied.push_back(answer["applied"].get<uint64_t>());
    EXPECT_GE(answer["version"].get<uint64_t>(), applied.back());
  }
  // Each action was applied alone: each got a view of its own.
  std::vector<uint64_t> sorted = applied;
  std::sort(sorted.begin(), sorted.end());
  EXPECT_EQ(std::adjacent_find(sorted.begin(), sorted.end()), sorted.end());
  // The one applied last decides what the dialog shows.
  int last = static_cast<int>(std::max_element(applied.begin(), applied.end()) - applied.begin());
  Json now = view(0);
  EXPECT_DOUBLE_EQ((*itemIn(now["dialog"], 11))["value"].get<double>(), 101 + last);
}

// A page's waiting view request sleeps through the view its own action
// made (the action's answer brings it) and wakes for another tab's change.
TEST_F(StudioSession, APageIsWokenOnlyForChangesItDidNotMake) {
  const uint64_t since = view_["version"];
  httplib::Client waiting("127.0.0.1", server_->port());
  waiting.set_read_timeout(60, 0);
  Json woken;
  std::thread poll([&] {
    auto answer =
        waiting.Get("/api/view?since=" + std::to_string(since) + "&page=tab-a", headers());
    if (answer && answer->status == 200) woken = Json::parse(answer->body);
  });
  // Gives the request time to be waiting before the first change, so that
  // a request woken by its own page's change is caught; the outcome does
  // not depend on it.
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  httplib::Client client("127.0.0.1", server_->port());
  auto change = [&](const char* page, int height) {
    auto answer = client.Post("/api/action?page=" + std::string(page), headers(),
                              Json{{"action", "set"}, {"item", 11}, {"value", height}}.dump(),
                              "application/json");
    EXPECT_TRUE(answer && answer->status == 200);
    return answer ? Json::parse(answer->body)["applied"].get<uint64_t>() : 0;
  };
  const uint64_t own = change("tab-a", 170);
  const uint64_t other = change("tab-b", 171);
  poll.join();
  EXPECT_EQ(own, since + 1);
  EXPECT_EQ(other, since + 2);
  ASSERT_TRUE(woken.is_object());
  EXPECT_EQ(woken["version"], other);
  EXPECT_DOUBLE_EQ((*itemIn(woken["dialog"], 11))["value"].get<double>(), 171);

  // Names that are not a page's are refused, and nothing is applied.
  for (const std::string& bad :
       {std::string(), std::string("a%20b"), std::string("a/b"), std::string(65, 'a')}) {
    EXPECT_EQ(client.Get("/api/view?since=0&page=" + bad, headers())->status, 400) << bad;
    auto refused = client.Post("/api/action?page=" + bad, headers(),
                               Json{{"action", "set"}, {"item", 11}, {"value", 190}}.dump(),
                               "application/json");
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->status, 400) << bad;
  }
  EXPECT_EQ(view(0)["version"], other);
}

TEST_F(StudioSession, ConfirmEndsTheDialogWithTheValuesShown) {
  ASSERT_EQ(post({{"action", "press"}, {"item", 93}}).first, 200);  // page 4, "Create"
  auto [status, answer] = post({{"action", "set"}, {"item", 7}, {"value", 12}});
  ASSERT_EQ(status, 200) << answer.dump();
  EXPECT_EQ((*itemIn(answer["dialog"], 7))["value"], 12);
  EXPECT_FALSE((*itemIn(answer["dialog"], 7))["integer"].is_null());

  std::thread confirm([this] { post({{"action", "ok"}}); });
  dialogThread_.join();
  source_->finish({{"result", "confirmed"}});
  confirm.join();
  EXPECT_EQ(result_, kNoErr);
  EXPECT_TRUE(source_->confirmed());
  ParameterRecord record;
  std::memcpy(&record, host_->storedRecord().bytes, sizeof record);
  EXPECT_EQ(record.heartCount, 12);
  EXPECT_EQ(record.currentPage, 4);
  EXPECT_EQ(view(0)["ended"]["result"], "confirmed");
  EXPECT_EQ(post({{"action", "ok"}}).first, 400) << "the dialog has closed";
}

// A short first-contact allowance, with and without a page.
class FirstContact : public StudioSession {
 protected:
  FirstContact() { sourceOptions_.firstContactTimeout = std::chrono::milliseconds(300); }
};

class FirstContactNoPage : public FirstContact {
 protected:
  FirstContactNoPage() { openPage_ = false; }
};

TEST_F(FirstContactNoPage, ADialogNoPageEverOpensIsCancelledAndSaysWhy) {
  dialogThread_.join();
  EXPECT_EQ(result_, kCanceledErr);
  EXPECT_EQ(source_->cancelReason(), "no browser opened the page within 0.3 seconds");
}

class FirstContactOneSecondNoPage : public StudioSession {
 protected:
  FirstContactOneSecondNoPage() {
    sourceOptions_.firstContactTimeout = std::chrono::milliseconds(1000);
    openPage_ = false;
  }
};

TEST_F(FirstContactOneSecondNoPage, TheReasonSaysOneSecondInTheSingular) {
  dialogThread_.join();
  EXPECT_EQ(source_->cancelReason(), "no browser opened the page within 1 second");
}

TEST_F(FirstContact, AnOpenPageOutlastsTheAllowance) {
  std::this_thread::sleep_for(std::chrono::milliseconds(900));
  // Still open: the user's own cancel ends it, and the source gives no reason of its own.
  std::thread cancel([this] { post({{"action", "cancel"}}); });
  dialogThread_.join();
  source_->finish({{"result", "cancelled"}});
  cancel.join();
  EXPECT_EQ(result_, kCanceledErr);
  EXPECT_EQ(source_->cancelReason(), "");
}

}  // namespace
}  // namespace heart::testing
