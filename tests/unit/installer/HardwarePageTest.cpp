// The hardware page's rules without windows: node lists, the generic node and the choices
// between the two lists, and the Next rules in their order.
#include "installer/HardwarePageModel.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/unit/common/RecordingMessageSink.h"
#include "tests/unit/dialup/FakeRas.h"

namespace marvella::test {
namespace {

const char kGeneric[] = "908909909";

// A province listed twice apart, a pseudo-province holding the generic node.
const AccessNodeList kNodes = {
    {"Madrid", "Madrid", "915550001"},    {"Alcalá de Henares", "Madrid", "915550002"},
    {"Barcelona", "Barcelona", "935550001"}, {"Acceso nacional", "Zonas sin nodo local", kGeneric},
    {"Getafe", "Madrid", "915550003"},
};

TEST(HardwareNodeLists, ProvincesOnceInFileOrderWithTheirFirstNode) {
  EXPECT_EQ((NodeListItems{{"Sin selección", -1},
                           {"Madrid", 0},
                           {"Barcelona", 2},
                           {"Zonas sin nodo local", 3}}),
            BuildProvinceList(kNodes));
  std::string madrid = "Madrid";
  EXPECT_EQ((NodeListItems{{"Sin selección", -1}, {"Madrid", 0}, {"Alcalá de Henares", 1},
                           {"Getafe", 4}, {"Otra", 8193}}),
            BuildCityList(kNodes, &madrid));
}

// A user's action on the lists or the check box: province, city, tick, clear.
struct Action {
  char kind;  // 'p', 'c', 't', 'x'
  int position;
};

TEST(HardwareChoices, ListsFollowTheUsersChoices) {
  // The generic node listed second under its province: the check box still chooses it.
  const AccessNodeList secondGeneric = {{"Sevilla", "Sevilla", "954550001"},
                                        {"Nacional", "Sevilla", kGeneric}};
  const std::vector<std::string> none = {"Sin selección"};
  const std::vector<std::string> generic = {"Sin selección", "Acceso nacional", "Otra"};
  struct Case {
    const char* name;
    AccessNodeList nodes;
    std::vector<Action> actions;
    int province, city;  // selected positions afterwards
    bool enabled;
    std::string phone;  // chosen node phone
    std::vector<std::string> cities;
  } cases[] = {
      {"opened", kNodes, {}, 0, 0, true, "", none},
      {"city", kNodes, {{'p', 1}, {'c', 2}}, 1, 2, true, "915550002",
       {"Sin selección", "Madrid", "Alcalá de Henares", "Getafe", "Otra"}},
      {"Otra", kNodes, {{'p', 1}, {'c', 4}}, 3, 1, true, kGeneric, generic},
      {"ticked", kNodes, {{'p', 2}, {'t', 0}}, 3, 1, false, kGeneric, generic},
      {"cleared", kNodes, {{'t', 0}, {'x', 0}}, 0, 0, true, kGeneric, none},
      {"no generic node", {kNodes[0]}, {{'p', 1}, {'c', 2}}, -1, -1, true, "", none},
      {"generic node second", secondGeneric, {{'t', 0}}, 1, 2, false, kGeneric,
       {"Sin selección", "Sevilla", "Nacional", "Otra"}},
  };
  for (const Case& c : cases) {
    InstallerApp app;
    app.accessNodes = c.nodes;
    HardwarePageModel model(app, kGeneric);
    model.BuildLists();
    for (const Action& a : c.actions) {
      if (a.kind == 'p') model.ProvinceChosen(a.position);
      if (a.kind == 'c') model.CityChosen(a.position);
      if (a.kind == 't' || a.kind == 'x') model.GenericNodeClicked(a.kind == 't');
    }
    std::vector<std::string> cities;
    for (const NodeListItem& i : model.Cities()) cities.push_back(i.text);
    EXPECT_EQ(c.cities, cities) << c.name;
    EXPECT_EQ(c.province, model.ProvinceSelection()) << c.name;
    EXPECT_EQ(c.city, model.CitySelection()) << c.name;
    EXPECT_EQ(c.enabled, model.ListsEnabled()) << c.name;
    EXPECT_EQ(c.phone, app.nodePhone) << c.name;
    EXPECT_EQ(c.phone, app.account.dialupnum) << c.name << ": the sign-up number follows";
  }
}

class Prompt final : public ExistingConnectionPrompt {
 public:
  bool ConfirmNewConnection() override {
    ++shown;
    return accept;
  }
  bool accept = false;
  int shown = 0;
};

TEST(HardwareNext, RulesInTheirOrder) {
  struct Case {
    const char* name;
    std::string connectionName;
    std::uint32_t validation;  // RasValidateEntryName's answer
    bool accept;               // "Aceptar" in "Conexión ya existente"
    bool cityChosen;
    std::string message;  // "" when the page is left
    int prompts;
  } cases[] = {
      {"empty name", "", 0, true, true, "Debe selecionar un valor en el campo ''", 0},
      {"invalid name", "Mi:red", kErrorInvalidName, true, true,
       "El nombre de conexión 'Mi:red' contiene carácteres no permitidos.", 0},
      {"the sign-up entry's name", "MARVELLA alta", kErrorAlreadyExists, true, true,
       "El nombre de conexión 'MARVELLA alta' es el de la conexión que el instalador utiliza "
       "para darte de alta, que se borra y se vuelve a crear en cada llamada. Escribe otro "
       "nombre.",
       0},
      {"existing, Cancelar", "Marvella", kErrorAlreadyExists, false, true, "(stays)", 1},
      {"existing, Aceptar, no node", "Marvella", kErrorAlreadyExists, true, false,
       "Debe elegir un nodo de acceso", 1},
      {"other answers go on", "Marvella2", kMissingRasValidateEntryName, true, true, "", 0},
      {"all good", "Marvella2", 0, true, true, "", 0},
  };
  for (const Case& c : cases) {
    InstallerApp app;
    app.config.signUpEntryName = "Marvella Alta";
    app.accessNodes = kNodes;
    app.dialDevices.Append("modem", "Módem estándar");
    app.dialDevices.Append("isdn", "RDSI");
    HardwarePageModel model(app, kGeneric);
    model.BuildLists();
    model.ProvinceChosen(2);
    if (c.cityChosen) model.CityChosen(1);
    RecordingSleeper sleeper;
    FakeRas ras(sleeper);
    ras.validateResult = c.validation;
    RecordingMessageSink messages;
    Prompt prompt;
    prompt.accept = c.accept;

    bool moved = model.Next({"0", "amigo_de_siempre_y_mas", c.connectionName, 1}, ras, messages,
                            prompt);
    std::string shown = messages.shown.empty() ? (moved ? "" : "(stays)") : messages.shown[0].text;
    EXPECT_EQ(c.message, shown) << c.name;
    EXPECT_LE(messages.shown.size(), 1u) << c.name;
    EXPECT_EQ(c.prompts, prompt.shown) << c.name;
    EXPECT_EQ(c.connectionName, app.account.profileName) << c.name << ": stored in any case";
    if (!moved) continue;
    EXPECT_EQ(std::vector<std::string>{c.connectionName}, ras.names) << c.name;
    EXPECT_EQ("Barcelona", app.user.provincia);
    EXPECT_EQ("isdn", app.deviceType);
    EXPECT_EQ("RDSI", app.deviceName);
    EXPECT_EQ("0", app.account.dialPrefix);
    EXPECT_EQ("amigo_de_siempr", app.user.friendid) << "at most 15 characters";
  }
}

}  // namespace
}  // namespace marvella::test
