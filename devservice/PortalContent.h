// What the portal web server says: the configuration page the toolbar scrapes (banner
// anchor and the hidden fields TOKENS, PAGPERS, WEBMAIL), the bookmarks file, the banner
// images and the plain pages behind every link. Texts are code page 1252; `base` is the
// address the pages point back to ("http://127.0.0.1:8080").
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "devservice/LiveSettings.h"

namespace devservice {

extern const char kHtmlType[];  // "text/html; charset=windows-1252"
extern const char kTextType[];

struct Banner {
  const unsigned char* data = nullptr;  // a JPEG file
  std::size_t size = 0;
  const char* alt = "";    // tooltip the toolbar shows
  const char* topic = "";  // what the promotion page is about
};

std::size_t BannerCount();
// Banner number n, 1-based; data is nullptr when there is none.
Banner BannerAt(std::size_t n);

// "/cgi-bin/mailtand": the banner anchor comes first in the page, the fields after it,
// each exactly <INPUT TYPE=HIDDEN NAME="X" VALUE="v">.
std::string ConfigPage(const std::string& base, std::size_t banner, const LiveValues& live,
                       const std::string& pagpers);

// "/tandem/tnbbookm.ini": INTERN, MIMARVELLA, PERSONALITZACIONS, CERCADORS and the three
// user menus, every link on this server.
std::string BookmarksFile(const std::string& base, const std::string& lastVersion);

std::string HomePage(const std::string& base);
std::string LogonPage(const std::string& base, const std::string& user, bool known);
std::string WebMailPage(const std::string& base, const std::string& mail);
std::string PersonalPage(const std::string& base, const std::string& userid);
std::string PromoPage(const std::string& base, std::size_t banner);
std::string SearchPage(const std::string& base, const std::string& title, const std::string& query);
// Login hop of the personal links: on to `target` (a path of this server only).
std::string LoginHopPage(const std::string& base, const std::string& target);
// Any other page of the portal, titled after its path.
std::string SectionPage(const std::string& base, const std::string& path);
std::string ErrorPage(int status);

// For echoing outside text inside a page.
std::string HtmlEscape(std::string_view text);

// Pads a body to `size` bytes with blank lines (harmless in HTML and INI files).
void PadBody(std::string& body, std::size_t size);

}  // namespace devservice
