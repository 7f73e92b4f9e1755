// The portal web server: what the toolbar reads from it, the visits the installer makes,
// the admin endpoint, and the web fault modes as a client sees them on the wire.
#include <gtest/gtest.h>

#include <set>

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
  // As browsers ask: the connection may stay open, so only the server can end a body
  // that has no length.
  HttpResult GetKeepAlive(const std::string& target) {
    return RawGet(service_->HttpPort(), target, true);
  }
  std::string Base() { return "http://127.0.0.1:" + std::to_string(service_->HttpPort()); }
  TestService service_;
};

TEST_F(PortalServerTest, ConfigurationPageCarriesTheBannerAnchorAndTheFieldsTheToolbarReads) {
  HttpResult page = Get("/cgi-bin/mailtand");
  ASSERT_EQ(page.status, 200);
  EXPECT_NE(page.head.find("Content-Type: text/html; charset=windows-1252"), std::string::npos);
  EXPECT_EQ(HiddenField(page.body, "TOKENS"), "100");
  EXPECT_EQ(HiddenField(page.body, "WEBMAIL"), "0");
  EXPECT_EQ(HiddenField(page.body, "PAGPERS"), Base() + "/servicios/pagina/");
  EXPECT_EQ(Get("/servicios/pagina/").status, 200);
  // The anchor is the page's first "<A ", its IMG inside it, in the exact attribute form.
  std::size_t anchor = page.body.find("<A ");
  ASSERT_NE(anchor, std::string::npos);
  EXPECT_EQ(page.body.compare(anchor, 9 + Base().size(), "<A HREF=\"" + Base()), 0);
  std::size_t img =
      page.body.find("<IMG SRC=\"" + Base() + "/banners/banner1.jpg\" ALT=\"", anchor);
  EXPECT_LT(img, page.body.find("</A>", anchor));
  EXPECT_NE(page.body.find("ALT=\"Correo gratuito de Marvella: consúltalo desde cualquier sitio\""),
            std::string::npos);  // code page 1252 on the wire
  EXPECT_NE(page.body.find("consúltalo"), std::string::npos);
  EXPECT_EQ(page.body.find("consÃºltalo"), std::string::npos);

  // Banners rotate, and each is a real JPEG.
  std::set<std::string> seen;
  for (int i = 0; i < 4; ++i) {
    std::string body = Get("/cgi-bin/mailtand").body;
    std::size_t src = body.find("/banners/");
    std::string image = body.substr(src, body.find('"', src) - src);
    seen.insert(image);
    HttpResult jpeg = Get(image);
    ASSERT_EQ(jpeg.status, 200) << image;
    EXPECT_NE(jpeg.head.find("image/jpeg"), std::string::npos);
    EXPECT_EQ(jpeg.body.substr(0, 3), "\xff\xd8\xff");
    EXPECT_EQ(jpeg.body.substr(jpeg.body.size() - 2), "\xff\xd9");
  }
  EXPECT_EQ(seen.size(), 4u);
}

TEST_F(PortalServerTest, AdminMovesTheValuesTheToolbarShows) {
  EXPECT_EQ(Get("/admin/set?mail=3&tokens=4x&banner=2").status, 200);
  std::string body = Get("/cgi-bin/mailtand").body;
  EXPECT_EQ(HiddenField(body, "WEBMAIL"), "3");
  EXPECT_EQ(HiddenField(body, "TOKENS"), "4x");  // raw texts, so odd values can be tested
  EXPECT_NE(body.find("/banners/banner2.jpg"), std::string::npos);
  EXPECT_NE(Get("/cgi-bin/mailtand").body.find("/banners/banner2.jpg"), std::string::npos);
  EXPECT_EQ(Get("/admin/set?tokens=a%22b").status, 400);  // a quote would break the page
  EXPECT_EQ(Get("/admin/set?colour=red").status, 400);
  EXPECT_EQ(Get("/admin/reset").status, 200);
  EXPECT_EQ(HiddenField(Get("/cgi-bin/mailtand").body, "WEBMAIL"), "0");
}

TEST_F(PortalServerTest, BookmarksFileHasEverySectionTheToolbarReads) {
  Get("/admin/set?lastversion=1.02");
  HttpResult ini = Get("/tandem/tnbbookm.ini");
  ASSERT_EQ(ini.status, 200);
  const std::string& t = ini.body;
  for (const char* line : {"[INTERN]\r\nLastVersion=1.02\r\n",
                           "[MIMARVELLA]\r\nTarget=",
                           "[PERSONALITZACIONS]\r\n",
                           "[CERCADORS]\r\nCercador1=Marvella\r\n",
                           "Cercador2=SEPARATOR\r\n",
                           "Cercador3=Lengua Española\r\n",
                           "Cercador5=Inglés/Español\r\n",
                           "[Contenidos]\r\nIcon=1\r\nDescription1=Arte y Cultura\r\n",
                           "Description18=Viajes\r\n",
                           "[Comunidad]\r\nIcon=2\r\n",
                           "Description6=Netmeeting\r\n",
                           "[Servicios]\r\nIcon=3\r\n",
                           "Description4=SEPARATOR\r\n",
                           "Description9=SEPARATOR\r\n",
                           "Description19=",
                           "Horoscopo=",
                           "Angeles=",
                           "urlsalida=",
                           "Inicio=1&Query=%s",
                           "accion=e&Entrada=%s"}) {
    EXPECT_NE(t.find(line), std::string::npos) << line;
  }
  EXPECT_EQ(t.find("Description19=", t.find("[Contenidos]")),
            t.find("Description19=", t.find("[Servicios]")));
  // Every link of the file leads somewhere on this server.
  std::size_t at = 0;
  while ((at = t.find("=http://", at)) != std::string::npos) {
    std::size_t end = t.find("\r\n", at);
    std::string url = t.substr(at + 1, end - at - 1);
    at = end;
    if (url.find("%s") != std::string::npos) continue;
    HttpResult r = Get(url.substr(Base().size()));
    EXPECT_EQ(r.status, 200) << url;
  }
}

TEST_F(PortalServerTest, VisitsAreRecordedHitsCountedAndPersonalPagesServed) {
  std::string account = SignUp(service_->UserPort(), "ana", "pw");
  std::string pass = account.substr(account.find("pass=") + 5, 8);
  HttpResult welcome = Get("/cgi-bin/logon?user=ana&password=" + pass + "&conexion=1");
  EXPECT_EQ(welcome.status, 200);
  EXPECT_NE(welcome.head.find("Set-Cookie: MARVELLA_USER=ana"), std::string::npos);
  Get("/cgi-bin/gohome?user=ana&password=mala%20clave");
  // After the logon the configuration page names that user's personal page.
  EXPECT_EQ(HiddenField(Get("/cgi-bin/mailtand").body, "PAGPERS"), Base() + "/usuarios/ana/");
  std::string visits = Get("/admin/visits").body;
  EXPECT_NE(visits.find("/cgi-bin/logon known user=ana&password=" + pass + "&conexion=1\n"),
            std::string::npos)
      << visits;
  EXPECT_NE(visits.find("/cgi-bin/gohome unknown user=ana&password=mala%20clave\n"),
            std::string::npos);
  EXPECT_EQ(Get("/cgi-bin/hitlog").body, "OK 1\r\n");
  EXPECT_EQ(Get("/cgi-bin/hitlog").body, "OK 2\r\n");
  EXPECT_EQ(Get("/usuarios/ana/").status, 200);
  EXPECT_EQ(Get("/usuarios/nadie/").status, 404);
  EXPECT_EQ(Get("/no/such/page").status, 404);
  // Echoed input is escaped; the login hop stays on this server.
  EXPECT_NE(Get("/buscar?Inicio=1&Query=%3Cscript%3E").body.find("&lt;script&gt;"),
            std::string::npos);
  EXPECT_EQ(Get("/login_tandem.htm?urlsalida=http://elsewhere.example/").body.find("elsewhere"),
            std::string::npos);
  service_.Restart();
  EXPECT_EQ(Get("/cgi-bin/hitlog").body, "OK 3\r\n");  // kept across a restart
}

TEST_F(PortalServerTest, WebFaultsAsSeenOnTheWire) {
  HttpResult normal = Get("/cgi-bin/mailtand");
  ASSERT_GT(normal.body.size(), 100u);

  HttpResult missing = GetKeepAlive("/cgi-bin/mailtand?fault=nolength&fault_size=70000");
  EXPECT_EQ(missing.contentLength, -1);
  EXPECT_EQ(missing.ended, Ended::Eof);  // the close ends the body, promptly
  EXPECT_EQ(missing.body.size(), 70000u);
  EXPECT_LT(missing.took, 2000ms);

  HttpResult longer = GetKeepAlive("/cgi-bin/mailtand?fault=longlength");
  EXPECT_GT(longer.contentLength, static_cast<long>(longer.body.size()));
  EXPECT_EQ(longer.ended, Ended::Eof);

  HttpResult shorter = GetKeepAlive("/cgi-bin/mailtand?fault=shortlength");
  EXPECT_LT(shorter.contentLength, static_cast<long>(shorter.body.size()));
  EXPECT_EQ(shorter.ended, Ended::Eof);

  HttpResult slow = GetKeepAlive("/cgi-bin/mailtand?fault=slow&fault_pieces=4&fault_delay=150");
  EXPECT_GE(slow.took, 400ms);
  EXPECT_EQ(static_cast<long>(slow.body.size()), slow.contentLength);

  HttpResult reset = GetKeepAlive("/cgi-bin/mailtand?fault=reset");
  EXPECT_EQ(reset.status, 200);
  EXPECT_EQ(reset.ended, Ended::Reset);
  EXPECT_LT(reset.body.size(), static_cast<std::size_t>(reset.contentLength));

  HttpResult dropped = GetKeepAlive("/cgi-bin/mailtand?fault=drop");
  EXPECT_EQ(dropped.ended, Ended::Reset);
  EXPECT_EQ(dropped.head, "");

  EXPECT_EQ(Get("/cgi-bin/mailtand?fault=500").status, 500);
  EXPECT_EQ(Get("/cgi-bin/mailtand?fault=bogus").status, 400);
}

TEST_F(PortalServerTest, AdminRulesCountDownMatchTheirPathAndSpareTheAdminEndpoint) {
  ASSERT_EQ(Get("/admin/fault?scope=http&kind=404&path=/tandem/tnbbookm.ini&count=2").status, 200);
  ASSERT_EQ(Get("/admin/fault?scope=http&kind=drop").status, 200);
  EXPECT_EQ(Get("/tandem/tnbbookm.ini").status, 404);
  EXPECT_NE(Get("/admin/status")
                .body.find("fault http status code=404 path=/tandem/tnbbookm.ini count=1"),
            std::string::npos);
  EXPECT_EQ(Get("/tandem/tnbbookm.ini").status, 404);
  EXPECT_EQ(Get("/tandem/tnbbookm.ini").ended, Ended::Reset);  // now the catch-all drop
  EXPECT_EQ(Get("/").ended, Ended::Reset);
  ASSERT_EQ(Get("/admin/fault?scope=http&clear=1").status, 200);
  EXPECT_EQ(Get("/").status, 200);
  EXPECT_EQ(Get("/admin/fault?scope=user&kind=nolength").status, 400);
  service_.Stop();
  std::string log = service_.Log();
  EXPECT_NE(log.find("GET /tandem/tnbbookm.ini 404 "), std::string::npos) << log;
  EXPECT_NE(log.find("fault=status"), std::string::npos);
}

}  // namespace
