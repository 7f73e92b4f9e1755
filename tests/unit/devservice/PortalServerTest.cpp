// The portal web server: the configuration page as the toolbar reads it, the admin
// endpoint the kit's walks move it with, and the web faults the downloads meet.
#include <gtest/gtest.h>

#include "tests/unit/devservice/DevServiceTestSupport.h"

namespace {

using namespace std::chrono_literals;
using devservice_test::Ended;
using devservice_test::HiddenField;
using devservice_test::HttpResult;
using devservice_test::RawGet;
using devservice_test::SignUp;
using devservice_test::TestService;

class PortalServerTest : public ::testing::Test {
 protected:
  HttpResult Get(const std::string& target) { return RawGet(service_->HttpPort(), target); }
  std::string Base() { return "http://127.0.0.1:" + std::to_string(service_->HttpPort()); }
  TestService service_;
};

TEST_F(PortalServerTest, ConfigurationPageCarriesTheBannerAnchorAndTheFieldsTheToolbarReads) {
  HttpResult page = Get("/cgi-bin/mailtand");
  ASSERT_EQ(page.status, 200);
  EXPECT_NE(page.head.find("Content-Type: text/html; charset=windows-1252"), std::string::npos);
  EXPECT_NE(page.body.find("consúltalo"), std::string::npos);  // code page 1252 on the wire
  // The anchor is the page's first "<A ", its IMG inside it, in the exact attribute form.
  std::size_t anchor = page.body.find("<A ");
  ASSERT_NE(anchor, std::string::npos);
  EXPECT_EQ(page.body.compare(anchor, 9 + Base().size(), "<A HREF=\"" + Base()), 0);
  const std::string image = "/banners/banner1.jpg";
  EXPECT_LT(page.body.find("<IMG SRC=\"" + Base() + image + "\" ALT=\"", anchor),
            page.body.find("</A>", anchor));
  HttpResult jpeg = Get(image);
  EXPECT_NE(jpeg.head.find("image/jpeg"), std::string::npos);
  EXPECT_EQ(jpeg.body.substr(0, 3), "\xff\xd8\xff");
  EXPECT_EQ(jpeg.body.substr(jpeg.body.size() - 2), "\xff\xd9");
  // Every link of the bookmarks file leads somewhere on this server.
  const std::string ini = Get("/tandem/tnbbookm.ini").body;
  for (std::size_t at = 0; (at = ini.find("=http://", at)) != std::string::npos;) {
    std::size_t end = ini.find("\r\n", at);
    std::string url = ini.substr(at + 1, end - at - 1);
    at = end;
    if (url.find("%s") == std::string::npos) {
      EXPECT_EQ(Get(url.substr(Base().size())).status, 200) << url;
    }
  }
}

TEST_F(PortalServerTest, AdminEndpointMovesWhatTheWalksRead) {
  // Values: raw texts, so odd ones can be shown; a quote would break the page.
  const struct {
    const char* set;
    int status;
    const char* field;  // hidden field of the configuration page, or the banner shown
    const char* value;
  } rows[] = {
      {"mail=3&tokens=4x", 200, "WEBMAIL", "3"},
      {"tokens=4x", 200, "TOKENS", "4x"},
      {"banner=2", 200, "banner", "/banners/banner2.jpg"},
      {"tokens=a%22b", 400, "TOKENS", "4x"},
      {"colour=red", 400, "WEBMAIL", "3"},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(Get(std::string("/admin/set?") + row.set).status, row.status) << row.set;
    const std::string page = Get("/cgi-bin/mailtand").body;
    if (std::string(row.field) == "banner") {
      EXPECT_NE(page.find(row.value), std::string::npos) << row.set;
    } else {
      EXPECT_EQ(HiddenField(page, row.field), row.value) << row.set;
    }
  }
  Get("/admin/set?lastversion=1.02");
  EXPECT_NE(Get("/tandem/tnbbookm.ini").body.find("[INTERN]\r\nLastVersion=1.02\r\n"),
            std::string::npos);

  // A user fault for the next sign-up only, as the busy-server walk sets it.
  EXPECT_EQ(Get("/admin/fault?scope=user&kind=busy&count=1").body, "OK\n");
  EXPECT_EQ(SignUp(service_->UserPort(), "ana", "pw"), "BUSY\r\n");
  const std::string account = SignUp(service_->UserPort(), "ana", "pw");
  // What the walks compare the kit's pages with: the user, then the account as sent.
  const std::string user = Get("/admin/user?userid=ana").body;
  const std::string pass = account.substr(account.find("pass="), 13);
  EXPECT_EQ(user.rfind("userid=ana;", 0), 0u) << user;
  EXPECT_EQ(user.find("\nuserid=ana;" + pass + ";"), user.find('\n')) << user;
  EXPECT_EQ(Get("/admin/user?userid=nadie").status, 404);

  EXPECT_EQ(Get("/admin/fault?scope=user&kind=busy").status, 200);
  EXPECT_EQ(Get("/admin/reset").status, 200);
  EXPECT_EQ(HiddenField(Get("/cgi-bin/mailtand").body, "WEBMAIL"), "0");
  EXPECT_EQ(SignUp(service_->UserPort(), "eva", "pw").rfind("userid=eva;", 0), 0u);
}

TEST_F(PortalServerTest, WebFaultsTheDownloadsMeet) {
  const struct {
    const char* fault;
    int status;
    Ended ended;
    int length;        // the Content-Length against the body: -1 none, 0 equal, 1 above it
    std::size_t size;  // of the body; 0: any
  } rows[] = {
      {"nolength&fault_size=70000", 200, Ended::Eof, -1, 70000},
      {"longlength", 200, Ended::Eof, 1, 0},
      {"slow&fault_pieces=4&fault_delay=150", 200, Ended::Open, 0, 0},
      {"pad&fault_size=70000", 200, Ended::Open, 0, 70000},
      {"reset", 200, Ended::Reset, 1, 0},
      {"drop", 0, Ended::Reset, -1, 0},
      {"500", 500, Ended::Open, 0, 0},
  };
  for (const auto& row : rows) {
    // As browsers ask: the connection may stay open, so only the server can end a body
    // that has no length.
    HttpResult r =
        RawGet(service_->HttpPort(), std::string("/cgi-bin/mailtand?fault=") + row.fault, true);
    EXPECT_EQ(r.status, row.status) << row.fault;
    EXPECT_EQ(r.ended, row.ended) << row.fault;
    const long body = static_cast<long>(r.body.size());
    EXPECT_EQ(r.contentLength < 0 ? -1 : r.contentLength > body ? 1 : 0, row.length) << row.fault;
    if (row.size) {
      EXPECT_EQ(r.body.size(), row.size) << row.fault;
    }
  }
}

}  // namespace
