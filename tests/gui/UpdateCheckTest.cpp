// The update check from the info menu against an HTTP server on the loopback
// address: what the window shows for each answer, and that it is shown after
// every check, also one that stopped early.
#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <memory>
#include <string>
#include <vector>

#include "GuiTestSupport.h"
#include "app/AppState.h"
#include "app/Ids.h"
#include "dialogs/UpdateWindow.h"
#include "support/LoopbackHttpServer.h"
#include "toolkit/Window.h"
#include "toolkit/core/HttpClient.h"

namespace {

namespace gid = app::gadget_id;

constexpr const char* kHead = "[Versions]\n; newest releases\n\n";

std::string VersionFile(const std::string& program, const std::string& library,
                        const char* lineEnd = "\n") {
  return std::string(kHead) + "Gtk3=" + program + lineEnd + "Codes=" + library + lineEnd;
}

class UpdateCheck : public testing::Test {
 protected:
  void SetUp() override {
    app_ = testsupport::NewAppWithMainWindow();
    ASSERT_TRUE(app_);
    dialogs::CreateUpdateWindow(*app_);
    app_->database.versionWord = "2026-11-28";
  }

  // Chooses "Auf Updates prüfen ..." against a server that answers with the handler.
  void CheckWith(LoopbackHttpServer::Handler handler) {
    LoopbackHttpServer server(std::move(handler));
    app_->updateHost = server.HostAndPort();
    Check();
    requests_ = server.Requests();
  }
  void Check() {
    ShowWindow(false);
    app_->ui.PostEvent(toolkit::EventKind::Menu, app::window_id::kMain,
                       app::menu_item::kCheckUpdates, 0);
    testsupport::Settle(*app_);
  }
  void ShowWindow(bool visible) { app_->ui.ShowWindow(app::window_id::kUpdate, visible); }
  bool WindowVisible() const { return app_->ui.FindWindow(app::window_id::kUpdate)->Visible(); }
  std::vector<std::string> Results() const {
    return {app_->ui.GadgetText(gid::kUpdateGtk2Result),
            app_->ui.GadgetText(gid::kUpdateGtk3Result),
            app_->ui.GadgetText(gid::kUpdateLibraryResult)};
  }

  std::unique_ptr<app::AppState> app_;
  std::vector<LoopbackHttpServer::Request> requests_;
};

TEST_F(UpdateCheck, WindowHasItsLabelsAndReadOnlyResultsThatNeverTakeTheFocus) {
  toolkit::Ui& ui = app_->ui;
  EXPECT_EQ(ui.GadgetText(gid::kUpdateGtk2Label), "App-Update gtk2 verfügbar? ");
  EXPECT_EQ(ui.GadgetText(gid::kUpdateGtk3Label), "App-Update gtk3 verfügbar? ");
  EXPECT_EQ(ui.GadgetText(gid::kUpdateLibraryLabel), "API-Update (Codes & Datenbank) verfügbar? ");
  for (int id : {gid::kUpdateGtk2Result, gid::kUpdateGtk3Result, gid::kUpdateLibraryResult}) {
    GtkWidget* field = ui.GadgetWidget(id);
    ASSERT_TRUE(GTK_IS_ENTRY(field)) << id;
    EXPECT_FALSE(gtk_editable_get_editable(GTK_EDITABLE(field)));
    EXPECT_FALSE(gtk_widget_get_can_focus(field));
    EXPECT_EQ(ui.GadgetX(id), 355);
    EXPECT_EQ(ui.GadgetWidth(id), 280);
  }
  EXPECT_EQ(ui.GadgetY(gid::kUpdateLibraryResult), 70);
  toolkit::Window* window = ui.FindWindow(app::window_id::kUpdate);
  EXPECT_EQ(window->Title(), "Orvex-Linux-API-Viewer: Update check");
  EXPECT_FALSE(gtk_window_get_resizable(window->Handle()));
}

TEST_F(UpdateCheck, GoodVersionFilesGiveTheThreeResults) {
  const struct {
    const char* program;
    const char* library;
    std::vector<std::string> results;
  } cases[] = {
      {"0.25.37", "2026-11-28", {" - ", "no:  0.25.37", "no:  2026-11-28"}},
      {"1.0.0", "2026-11-29", {" - ", "yes:  0.25.37 → 1.0.0", "yes:  2026-11-28 → 2026-11-29"}},
      {"0.26.0", "2027-01-01", {" - ", "yes:  0.25.37 → 0.26.0", "yes:  2026-11-28 → 2027-01-01"}},
      {"0.25.38", "2026-11-27", {" - ", "yes:  0.25.37 → 0.25.38", "no:  2026-11-27"}},
      {"0.24.30", "2025-12-31", {" - ", "no:  0.25.37", "no:  2025-12-31"}},
      // Each part on its own: 99 > 37 although 0.24 is older.
      {"0.24.99x", "2026-1-30", {" - ", "yes:  0.25.37 → 0.24.99x", "no:  2026-1-30"}},
  };
  for (const auto& each : cases) {
    SCOPED_TRACE(each.program);
    CheckWith(LoopbackHttpServer::Serve(200, VersionFile(each.program, each.library)));
    EXPECT_EQ(Results(), each.results);
    EXPECT_EQ(app_->serverVersion, each.program);
    EXPECT_EQ(app_->serverLibraryDate, each.library);
    EXPECT_TRUE(WindowVisible());
  }
  ASSERT_EQ(requests_.size(), 1u);
  EXPECT_EQ(requests_[0].method, "GET");
  EXPECT_EQ(requests_[0].target, "/Linux/OX-Linux-API-Version.ini");
}

TEST_F(UpdateCheck, CarriageReturnsStayInTheShownValues) {
  CheckWith(LoopbackHttpServer::Serve(200, VersionFile("0.25.37", "2026-12-01", "\r\n")));
  EXPECT_EQ(Results(),
            (std::vector<std::string>{" - ", "no:  0.25.37", "yes:  2026-11-28 → 2026-12-01\r"}));
  EXPECT_EQ(app_->serverVersion, "0.25.37\r");
}

// Bytes that are no UTF-8 reach the fields as replacement characters, with
// no toolkit warning (which would end the test).
TEST_F(UpdateCheck, InvalidTextIsMadeValidBeforeItIsShown) {
  CheckWith(LoopbackHttpServer::Serve(200, VersionFile("0.26.0\xFF", "2027-01-01\xC3")));
  EXPECT_EQ(Results(), (std::vector<std::string>{" - ", "yes:  0.25.37 → 0.26.0\uFFFD",
                                                 "yes:  2026-11-28 → 2027-01-01\uFFFD"}));
}

TEST_F(UpdateCheck, AnErrorPageIsReadLikeTheFile) {
  CheckWith(LoopbackHttpServer::Serve(404, VersionFile("0.30.0", "2030-01-01")));
  EXPECT_EQ(Results()[1], "yes:  0.25.37 → 0.30.0");
}

TEST_F(UpdateCheck, WithoutADatabaseDateTheLibraryIsAlwaysNewer) {
  app_->database.versionWord.clear();
  CheckWith(LoopbackHttpServer::Serve(200, VersionFile("0.25.37", "2000-01-01")));
  EXPECT_EQ(Results()[2], "yes:   → 2000-01-01") << "an empty local date between the blanks";
}

// Answers that stop the check: the window shows the last good results.
TEST_F(UpdateCheck, UnusableAnswersKeepTheLastResultsAndStillShowTheWindow) {
  CheckWith(LoopbackHttpServer::Serve(200, VersionFile("0.26.0", "2027-01-01")));
  const std::vector<std::string> good = Results();
  const std::vector<std::pair<const char*, LoopbackHttpServer::Handler>> answers = {
      {"four lines", LoopbackHttpServer::Serve(200, std::string(kHead) + "Gtk3=1.0.0\n")},
      {"no = in line 4",
       LoopbackHttpServer::Serve(200, std::string(kHead) + "1.0.0\nC=2030-01-01\n")},
      {"empty value", LoopbackHttpServer::Serve(200, VersionFile("", "2030-01-01"))},
      {"empty body", LoopbackHttpServer::Serve(200, "")},
      {"endless body", LoopbackHttpServer::EndlessBody()},
      {"10 MB body", LoopbackHttpServer::Serve(200, std::string(10 << 20, 'x'))},
      {"redirect loop", LoopbackHttpServer::RedirectTo("/Linux/OX-Linux-API-Version.ini")},
      {"redirect to a file", LoopbackHttpServer::RedirectTo("file:///etc/hostname")},
  };
  for (const auto& [what, handler] : answers) {
    SCOPED_TRACE(what);
    CheckWith(handler);
    EXPECT_EQ(Results(), good);
    EXPECT_EQ(app_->serverVersion, "0.26.0");
    EXPECT_TRUE(WindowVisible());
  }
  app_->updateHost = "127.0.0.1:1";  // nobody listens: refused
  Check();
  EXPECT_EQ(Results(), good);
  EXPECT_TRUE(WindowVisible());
}

TEST_F(UpdateCheck, WithoutTheHttpLibraryOneLineOnStandardErrorOnce) {
  app_->http = std::make_unique<toolkit::HttpClient>(
      std::vector<std::string>{"libcurl-none-here.so.9", "libcurl-nor-here.so.8"});
  LoopbackHttpServer server(LoopbackHttpServer::Serve(200, VersionFile("1.0.0", "2030-01-01")));
  app_->updateHost = server.HostAndPort();
  testing::internal::CaptureStderr();
  Check();
  Check();
  const std::string errors = testing::internal::GetCapturedStderr();
  EXPECT_EQ(errors,
            "[Error] can't open 'libcurl' dynamic library needed by Mail and HTTP commands\n");
  EXPECT_EQ(Results(), (std::vector<std::string>{"", "", ""}));
  EXPECT_TRUE(WindowVisible());
  EXPECT_TRUE(server.Requests().empty());
}

}  // namespace
