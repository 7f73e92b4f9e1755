// Pages and files of the portal web server.
#include "devservice/PortalContent.h"

#include "devservice/BannerFiles.h"

namespace devservice {

const char kHtmlType[] = "text/html; charset=windows-1252";
const char kTextType[] = "text/plain; charset=windows-1252";

namespace {

struct Entry {
  const char* title;  // "SEPARATOR" draws a line in the toolbar's menu
  const char* path;
};

const Entry kContenidos[] = {
    {"Arte y Cultura", "/canales/arte/"},
    {"Ciencia", "/canales/ciencia/"},
    {"Cine", "/canales/cine/"},
    {"Deportes", "/canales/deportes/"},
    {"Economía", "/canales/economia/"},
    {"Educación", "/canales/educacion/"},
    {"Empleo", "/canales/empleo/"},
    {"Informática", "/canales/informatica/"},
    {"Internet", "/canales/internet/"},
    {"Juegos", "/canales/juegos/"},
    {"Motor", "/canales/motor/"},
    {"Música", "/canales/musica/"},
    {"Noticias", "/canales/noticias/"},
    {"Ocio", "/canales/ocio/"},
    {"Salud", "/canales/salud/"},
    {"Sociedad", "/canales/sociedad/"},
    {"Televisión", "/canales/television/"},
    {"Viajes", "/canales/viajes/"},
};

const Entry kComunidad[] = {
    {"Distritos", "/comunidad/distritos/"},  {"Foros", "/comunidad/foros/"},
    {"Chats", "/comunidad/chats/"},          {"Páginas Personales", "/comunidad/paginas/"},
    {"Gente Internet", "/comunidad/gente/"}, {"Netmeeting", "/comunidad/netmeeting/"},
};

const Entry kServicios[] = {
    {"Correo web", "/webmail/"},
    {"Tu página personal", "/servicios/pagina/"},
    {"Carpeta personal", "/carpeta/"},
    {"SEPARATOR", ""},
    {"Postales", "/servicios/postales/"},
    {"Agenda", "/agenda/"},
    {"Traductor", "/servicios/traductor/"},
    {"Callejero", "/servicios/callejero/"},
    {"SEPARATOR", ""},
    {"Noticias por correo", "/servicios/boletines/"},
    {"Alertas al móvil", "/servicios/alertas/"},
    {"Descargas", "/descargas/"},
    {"Antivirus en línea", "/servicios/antivirus/"},
    {"Tienda", "/servicios/tienda/"},
    {"Subastas", "/servicios/subastas/"},
    {"Clasificados", "/servicios/clasificados/"},
    {"Ofertas de empleo", "/servicios/empleo/"},
    {"Ayuda", "/ayuda/"},
    {"Contacto", "/servicios/contacto/"},
};

const Entry kPersonal[] = {
    {"Tiempo", "/personalizar/tiempo.htm"},     {"Bolsa", "/personalizar/bolsa.htm"},
    {"Deportes", "/personalizar/deportes.htm"}, {"Horoscopo", "/personalizar/horoscopo.htm"},
    {"Angeles", "/personalizar/angeles.htm"},
};

const Entry kOtherPages[] = {
    {"Mi Marvella", "/mimarvella/"},
    {"Agenda", "/agenda/"},
    {"Carpeta personal", "/carpeta/"},
    {"Ayuda del Tandem", "/ayuda/tandem.htm"},
    {"Nueva versión del Tandem", "/descargas/tandem.htm"},
    {"Tiempo", "/personalizar/tiempo.htm"},
    {"Bolsa", "/personalizar/bolsa.htm"},
    {"Deportes", "/personalizar/deportes.htm"},
    {"Horóscopo", "/personalizar/horoscopo.htm"},
    {"Ángeles", "/personalizar/angeles.htm"},
};

const char* const kBannerAlt[] = {
    "Correo gratuito de Marvella: consúltalo desde cualquier sitio",
    "Chats y foros: habla con gente como tú",
    "Tu página personal gratis en Marvella",
    "Marvella, Internet gratis",
};

const char* const kBannerTopic[] = {"Correo", "Chats y foros", "Páginas personales", "Marvella"};

std::string Head(const std::string& title) {
  return "<HTML><HEAD><TITLE>" + HtmlEscape(title) +
         "</TITLE></HEAD>\r\n<BODY BGCOLOR=\"#FFFFFF\">\r\n";
}

const char kTail[] = "</BODY></HTML>\r\n";

// The portal's menu bar, under the page title. Only pages that are not scraped carry it:
// the configuration page must keep its banner anchor as the first link.
std::string Nav(const std::string& base) {
  return "<P><A HREF=\"" + base + "/\">Portada</A> | <A HREF=\"" + base +
         "/webmail/\">Correo</A> | <A HREF=\"" + base +
         "/canales/noticias/\">Noticias</A> | <A HREF=\"" + base + "/ayuda/\">Ayuda</A></P>\r\n";
}

void AppendMenu(std::string& ini, const char* section, const char* icon, const Entry* entries,
                std::size_t count, const std::string& base) {
  ini += "[";
  ini += section;
  ini += "]\r\nIcon=";
  ini += icon;
  ini += "\r\n";
  for (std::size_t i = 0; i < count; ++i) {
    std::string n = std::to_string(i + 1);
    ini += "Description" + n + "=" + entries[i].title + "\r\n";
    ini += "URL" + n + "=" + (*entries[i].path ? base + entries[i].path : std::string()) + "\r\n";
  }
  ini += "\r\n";
}

template <std::size_t N>
const char* FindTitle(const Entry (&entries)[N], const std::string& path) {
  for (const Entry& e : entries) {
    if (*e.path && path == e.path) return e.title;
  }
  return nullptr;
}

}  // namespace

std::size_t BannerCount() { return kBannerFileCount < 4 ? kBannerFileCount : 4; }

Banner BannerAt(std::size_t n) {
  if (n < 1 || n > BannerCount()) return Banner();
  const EmbeddedFile& file = kBannerFiles[n - 1];
  return Banner{file.data, file.size, kBannerAlt[n - 1], kBannerTopic[n - 1]};
}

std::string HtmlEscape(std::string_view text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '&':
        out += "&amp;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
        break;
    }
  }
  return out;
}

void PadBody(std::string& body, std::size_t size) {
  while (body.size() < size) {
    std::size_t room = size - body.size();
    if (room <= 2) {
      body.append(room, ' ');
    } else {
      std::size_t blanks = room - 2 < 78 ? room - 2 : 78;
      body.append(blanks, ' ');
      body += "\r\n";
    }
  }
}

std::string ConfigPage(const std::string& base, std::size_t banner, const LiveValues& live,
                       const std::string& pagpers) {
  Banner b = BannerAt(banner);
  std::string page = "<HTML><HEAD><TITLE>Marvella Tandem</TITLE></HEAD>\r\n<BODY>\r\n";
  if (b.data) {
    std::string n = std::to_string(banner);
    page += "<A HREF=\"" + base + "/promo/" + n + "\"><IMG SRC=\"" + base + "/banners/banner" + n +
            ".jpg\" ALT=\"" + b.alt + "\" WIDTH=100 HEIGHT=18 BORDER=0></A>\r\n";
  }
  page += "<FORM NAME=\"tandem\">\r\n";
  page += "<INPUT TYPE=HIDDEN NAME=\"TOKENS\" VALUE=\"" + live.tokens + "\">\r\n";
  page += "<INPUT TYPE=HIDDEN NAME=\"PAGPERS\" VALUE=\"" + pagpers + "\">\r\n";
  page += "<INPUT TYPE=HIDDEN NAME=\"WEBMAIL\" VALUE=\"" + live.mail + "\">\r\n";
  page += "</FORM>\r\n";
  page += kTail;
  return page;
}

std::string BookmarksFile(const std::string& base, const std::string& lastVersion) {
  std::string ini;
  ini += "[INTERN]\r\n";
  ini += "LastVersion=" + lastVersion + "\r\n";
  ini += "LastVersionURL=" + base + "/descargas/tandem.htm\r\n";
  ini += "Help=" + base + "/ayuda/tandem.htm\r\n";
  ini += "WebMail=" + base + "/webmail/\r\n";
  ini += "CarpetaPersonal=" + base + "/carpeta/\r\n";
  ini += "Log=" + base + "/cgi-bin/hitlog\r\n\r\n";

  ini += "[MIMARVELLA]\r\n";
  ini += "Target=" + base + "/mimarvella/\r\n";
  ini += "Description1=Agenda\r\n";
  ini += "URL1=" + base + "/login_tandem.htm?urlsalida=/agenda/\r\n\r\n";

  ini += "[PERSONALITZACIONS]\r\n";
  for (const Entry& e : kPersonal) {
    ini += std::string(e.title) + "=" + base + "/login_tandem.htm?urlsalida=" + e.path + "\r\n";
  }
  ini += "\r\n";

  ini += "[CERCADORS]\r\n";
  ini += "Cercador1=Marvella\r\nURL1=" + base + "/buscar?Inicio=1&Query=%s\r\n";
  ini += "Cercador2=SEPARATOR\r\nURL2=\r\n";
  ini +=
      "Cercador3=Lengua Española\r\nURL3=" + base + "/diccionario/lengua?accion=e&Entrada=%s\r\n";
  ini += "Cercador4=Español/Inglés\r\nURL4=" + base + "/diccionario/esin?accion=e&Entrada=%s\r\n";
  ini +=
      "Cercador5=Inglés/Español\r\nURL5=" + base + "/diccionario/ines?accion=e&Entrada=%s\r\n\r\n";

  AppendMenu(ini, "Contenidos", "1", kContenidos, sizeof kContenidos / sizeof kContenidos[0], base);
  AppendMenu(ini, "Comunidad", "2", kComunidad, sizeof kComunidad / sizeof kComunidad[0], base);
  AppendMenu(ini, "Servicios", "3", kServicios, sizeof kServicios / sizeof kServicios[0], base);
  return ini;
}

std::string HomePage(const std::string& base) {
  std::string page = Head("Marvella - Portada");
  page += "<H1>Marvella</H1>\r\n" + Nav(base);
  page += "<P>Bienvenido a Marvella, tu acceso gratuito a Internet.</P>\r\n";
  page +=
      "<FORM ACTION=\"" + base +
      "/buscar\" METHOD=GET><INPUT TYPE=HIDDEN NAME=\"Inicio\" VALUE=\"1\">"
      "<INPUT TYPE=TEXT NAME=\"Query\" SIZE=30> <INPUT TYPE=SUBMIT VALUE=\"Buscar\"></FORM>\r\n";
  page += "<H2>Contenidos</H2>\r\n<UL>\r\n";
  for (const Entry& e : kContenidos) {
    page += "<LI><A HREF=\"" + base + e.path + "\">" + e.title + "</A>\r\n";
  }
  page += "</UL>\r\n<H2>Comunidad</H2>\r\n<UL>\r\n";
  for (const Entry& e : kComunidad) {
    page += "<LI><A HREF=\"" + base + e.path + "\">" + e.title + "</A>\r\n";
  }
  page += "</UL>\r\n";
  page += kTail;
  return page;
}

std::string LogonPage(const std::string& base, const std::string& user, bool known) {
  std::string page = Head("Marvella - Bienvenida");
  page += "<H1>Marvella</H1>\r\n" + Nav(base);
  if (known) {
    page += "<P>¡Hola, " + HtmlEscape(user) + "! Ya estás conectado a Marvella.</P>\r\n";
    page += "<P><A HREF=\"" + base + "/webmail/\">Consulta tu correo</A> o visita <A HREF=\"" +
            base + "/usuarios/" + HtmlEscape(user) + "/\">tu página personal</A>.</P>\r\n";
  } else {
    page += "<P>Usuario o contraseña incorrectos.</P>\r\n";
  }
  page += kTail;
  return page;
}

std::string WebMailPage(const std::string& base, const std::string& mail) {
  std::string page = Head("Marvella - Correo");
  page += "<H1>Correo</H1>\r\n" + Nav(base);
  page += "<P>Mensajes nuevos en tu buzón: " + HtmlEscape(mail) + "</P>\r\n";
  page += kTail;
  return page;
}

std::string PersonalPage(const std::string& base, const std::string& userid) {
  std::string page = Head("Página personal de " + userid);
  page += "<H1>Página personal de " + HtmlEscape(userid) + "</H1>\r\n" + Nav(base);
  page += "<P>Esta página todavía está en construcción.</P>\r\n";
  page += kTail;
  return page;
}

std::string PromoPage(const std::string& base, std::size_t banner) {
  Banner b = BannerAt(banner);
  std::string topic = b.data ? b.topic : "Promociones";
  std::string page = Head("Marvella - " + topic);
  page += "<H1>" + topic + "</H1>\r\n" + Nav(base);
  if (b.data) page += "<P>" + HtmlEscape(b.alt) + "</P>\r\n";
  page += kTail;
  return page;
}

std::string SearchPage(const std::string& base, const std::string& title,
                       const std::string& query) {
  std::string page = Head("Marvella - " + title);
  page += "<H1>" + HtmlEscape(title) + "</H1>\r\n" + Nav(base);
  page += "<P>Has buscado: <B>" + HtmlEscape(query) +
          "</B></P>\r\n<P>No se han encontrado resultados.</P>\r\n";
  page += kTail;
  return page;
}

std::string LoginHopPage(const std::string& base, const std::string& target) {
  // Only paths of this server: the hop must not send the browser anywhere else.
  std::string path = !target.empty() && target[0] == '/' && target.find("//") == std::string::npos
                         ? target
                         : std::string("/");
  std::string url = base + HtmlEscape(path);
  std::string page =
      "<HTML><HEAD><TITLE>Marvella</TITLE><META HTTP-EQUIV=\"Refresh\" CONTENT=\"0; URL=" + url +
      "\"></HEAD>\r\n<BODY>\r\n";
  page += "<P><A HREF=\"" + url + "\">Continuar</A></P>\r\n";
  page += kTail;
  return page;
}

std::string SectionPage(const std::string& base, const std::string& path) {
  const char* title = FindTitle(kContenidos, path);
  if (!title) title = FindTitle(kComunidad, path);
  if (!title) title = FindTitle(kServicios, path);
  if (!title) title = FindTitle(kOtherPages, path);
  std::string name = title ? title : HtmlEscape(path);
  std::string page = Head("Marvella - " + name);
  page += "<H1>" + name + "</H1>\r\n" + Nav(base);
  page += "<P>Contenidos de " + name + " en Marvella.</P>\r\n";
  page += kTail;
  return page;
}

std::string ErrorPage(int status) {
  std::string text = status == 404 ? "Página no encontrada" : "Error del servidor";
  std::string page = Head(std::to_string(status) + " " + text);
  page += "<H1>" + text + "</H1>\r\n";
  page += kTail;
  return page;
}

}  // namespace devservice
