// The hardware page's rules without windows: node lists, the generic node and the choices
// between the two lists, the Next rules in their order, and the environment check.
#include "installer/HardwarePageModel.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/unit/common/RecordingMessageSink.h"
#include "tests/unit/dialup/FakeRas.h"

namespace marvella::test {
namespace {

const char kGeneric[] = "908909909";

// A province twice apart, a pseudo-province holding the generic node, a province whose
// generic-looking number comes second.
const AccessNodeList kNodes = {
    {"Madrid", "Madrid", "915550001"},
    {"Alcalá de Henares", "Madrid", "915550002"},
    {"Barcelona", "Barcelona", "935550001"},
    {"Acceso nacional", "Zonas sin nodo local", kGeneric},
    {"Getafe", "Madrid", "915550003"},
    {"Móvil", "MoviStar", "606550001"},
};

NodeListItems Items(std::vector<NodeListItem> items) { return items; }

TEST(HardwareNodeLists, ProvincesOnceInFileOrderAndCitiesOfOneProvince) {
  EXPECT_EQ(Items({{"Sin selección", -1},
                   {"Madrid", 0},
                   {"Barcelona", 2},
                   {"Zonas sin nodo local", 3},
                   {"MoviStar", 5}}),
            BuildProvinceList(kNodes));
  std::string madrid = "Madrid";
  EXPECT_EQ(Items({{"Sin selección", -1},
                   {"Madrid", 0},
                   {"Alcalá de Henares", 1},
                   {"Getafe", 4},
                   {"Otra", 8193}}),
            BuildCityList(kNodes, &madrid));
  EXPECT_EQ(Items({{"Sin selección", -1}}), BuildCityList(kNodes, nullptr));
  EXPECT_EQ(Items({{"Sin selección", -1}}), BuildProvinceList({}));
  EXPECT_EQ(3, FindGenericNode(kNodes, kGeneric));
  EXPECT_EQ(-1, FindGenericNode(kNodes, "900"));
}

// A user's action on the lists and the check box.
struct Action {
  enum Kind { kProvince, kCity, kTick, kClear } kind;
  int position = 0;
};

struct ChoiceCase {
  const char* name;
  AccessNodeList nodes;
  std::vector<Action> actions;
  int province, city;  // selected positions after the actions
  bool enabled;
  std::string phone;  // chosen node phone
  std::vector<std::string> cities;
};

std::vector<std::string> Texts(const NodeListItems& items) {
  std::vector<std::string> texts;
  for (const NodeListItem& i : items) texts.push_back(i.text);
  return texts;
}

TEST(HardwareChoices, ListsFollowTheUsersChoices) {
  // The generic node listed second under its province: the check box still chooses it.
  AccessNodeList secondGeneric = {{"Sevilla", "Sevilla", "954550001"},
                                  {"Nacional", "Sevilla", kGeneric}};
  const std::vector<std::string> noCity = {"Sin selección"};
  const std::vector<std::string> madrid = {"Sin selección", "Madrid", "Alcalá de Henares",
                                           "Getafe", "Otra"};
  const std::vector<std::string> generic = {"Sin selección", "Acceso nacional", "Otra"};
  const ChoiceCase cases[] = {
      {"opened", kNodes, {}, 0, 0, true, "", noCity},
      {"province", kNodes, {{Action::kProvince, 1}}, 1, 0, true, "", madrid},
      {"city", kNodes, {{Action::kProvince, 1}, {Action::kCity, 2}}, 1, 2, true, "915550002",
       madrid},
      {"back to no province",
       kNodes,
       {{Action::kProvince, 1}, {Action::kCity, 2}, {Action::kProvince, 0}},
       0, 0, true, "915550002", noCity},
      {"Otra goes to the generic node",
       kNodes,
       {{Action::kProvince, 1}, {Action::kCity, 4}},
       3, 1, true, kGeneric, generic},
      {"ticked", kNodes, {{Action::kProvince, 2}, {Action::kTick}}, 3, 1, false, kGeneric, generic},
      {"cleared", kNodes, {{Action::kTick}, {Action::kClear}}, 0, 0, true, kGeneric, noCity},
      {"no generic node: Otra", {kNodes[0], kNodes[2]}, {{Action::kProvince, 1}, {Action::kCity, 2}},
       -1, -1, true, "", noCity},
      {"no generic node: ticked", {kNodes[0]}, {{Action::kTick}}, -1, -1, false, "", noCity},
      {"generic node second", secondGeneric, {{Action::kTick}}, 1, 2, false, kGeneric,
       {"Sin selección", "Sevilla", "Nacional", "Otra"}},
  };
  for (const ChoiceCase& c : cases) {
    InstallerApp app;
    app.accessNodes = c.nodes;
    HardwarePageModel model(app, kGeneric);
    model.BuildLists();
    for (const Action& a : c.actions) {
      if (a.kind == Action::kProvince) model.ProvinceChosen(a.position);
      if (a.kind == Action::kCity) model.CityChosen(a.position);
      if (a.kind == Action::kTick) model.GenericNodeClicked(true);
      if (a.kind == Action::kClear) model.GenericNodeClicked(false);
    }
    EXPECT_EQ(c.province, model.ProvinceSelection()) << c.name;
    EXPECT_EQ(c.city, model.CitySelection()) << c.name;
    EXPECT_EQ(c.enabled, model.ListsEnabled()) << c.name;
    EXPECT_EQ(c.phone, app.nodePhone) << c.name;
    EXPECT_EQ(c.phone, app.account.dialupnum) << c.name << ": the sign-up number follows";
    EXPECT_EQ(c.cities, Texts(model.Cities())) << c.name;
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

struct NextCase {
  const char* name;
  std::string connectionName;
  std::uint32_t validation;  // RasValidateEntryName's answer
  bool accept;               // "Aceptar" in "Conexión ya existente"
  bool cityChosen;
  bool moves;
  std::vector<std::string> messages;
  int prompts;
};

TEST(HardwareNext, RulesInTheirOrder) {
  const NextCase cases[] = {
      {"empty name", "", 0, true, true, false, {"Debe selecionar un valor en el campo ''"}, 0},
      {"invalid name", "Mi:red", kErrorInvalidName, true, true, false,
       {"El nombre de conexión 'Mi:red' contiene carácteres no permitidos."}, 0},
      {"existing, Cancelar", "Marvella", kErrorAlreadyExists, false, true, false, {}, 1},
      {"existing, Aceptar, no node", "Marvella", kErrorAlreadyExists, true, false, false,
       {"Debe elegir un nodo de acceso"}, 1},
      {"existing, Aceptar", "Marvella", kErrorAlreadyExists, true, true, true, {}, 1},
      {"no node", "Marvella2", 0, true, false, false, {"Debe elegir un nodo de acceso"}, 0},
      {"other answers go on", "Marvella2", kMissingRasValidateEntryName, true, true, true, {}, 0},
      {"all good", "Marvella2", 0, true, true, true, {}, 0},
  };
  for (const NextCase& c : cases) {
    InstallerApp app;
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
    HardwareEntries entries{"0", "amigo_de_siempre_y_mas", c.connectionName, 1};

    EXPECT_EQ(c.moves, model.Next(entries, ras, messages, prompt)) << c.name;
    std::vector<std::string> shown;
    for (const ShownMessage& m : messages.shown) shown.push_back(m.text);
    EXPECT_EQ(c.messages, shown) << c.name;
    EXPECT_EQ(c.prompts, prompt.shown) << c.name;
    std::vector<std::string> asked;
    if (!c.connectionName.empty()) asked.push_back(c.connectionName);
    EXPECT_EQ(asked, ras.names) << c.name << ": the service is asked about the typed name";
    // The boxes are stored whatever the outcome.
    EXPECT_EQ(c.connectionName, app.account.profileName) << c.name;
    EXPECT_EQ("0", app.account.dialPrefix) << c.name;
    EXPECT_EQ("amigo_de_siempr", app.user.friendid) << c.name << ": at most 15 characters";
    if (c.moves) {
      EXPECT_EQ("Barcelona", app.user.provincia) << c.name;
      EXPECT_EQ("isdn", app.deviceType) << c.name;
      EXPECT_EQ("RDSI", app.deviceName) << c.name;
      EXPECT_EQ("935550001", app.nodePhone) << c.name;
    } else {
      EXPECT_EQ("", app.user.provincia) << c.name;
    }
  }
}

TEST(HardwareEnvironment, FirstProblemThatApplies) {
  using P = EnvironmentProblem;
  struct Case {
    bool remoteAccess;
    std::size_t adapters;
    bool sockets;
    P expected;
  } cases[] = {
      {false, 0, false, P::kNoRemoteAccess}, {false, 2, true, P::kNoRemoteAccess},
      {true, 0, false, P::kNoAdapter},       {true, 1, false, P::kNoTcpIp},
      {true, 1, true, P::kNone},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.expected, CheckEnvironment(c.remoteAccess, c.adapters, c.sockets))
        << c.remoteAccess << " " << c.adapters << " " << c.sockets;
}

}  // namespace
}  // namespace marvella::test
