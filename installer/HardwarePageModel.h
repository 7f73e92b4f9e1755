// The hardware page's own rules, without windows: the province and city lists built from
// the access nodes, the generic node, the choices that move between the two lists, and
// the checks of Next. The Win32 page feeds it the user's actions and shows what it holds.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "common/MessageSink.h"
#include "dialup/RasOperations.h"
#include "installer/InstallerApp.h"

namespace marvella {

// Item data kept with list entries besides node indexes.
constexpr int kNoSelectionItem = -1;  // "Sin selección"
constexpr int kOtherCityItem = 8193;  // "Otra"

// The referring friend's identifier keeps at most this many characters.
constexpr std::size_t kFriendIdCapacity = 15;

struct NodeListItem {
  std::string text;
  int data;  // a node index, kNoSelectionItem or kOtherCityItem
  bool operator==(const NodeListItem& o) const { return text == o.text && data == o.data; }
};
using NodeListItems = std::vector<NodeListItem>;

// "Sin selección", then every province once, in the order its first node comes in the
// file, with that node's index.
NodeListItems BuildProvinceList(const AccessNodeList& nodes);
// "Sin selección", then, when `province` is a province (not null), the city of every node
// listed under it in file order and "Otra".
NodeListItems BuildCityList(const AccessNodeList& nodes, const std::string* province);
// The first node dialled at `genericPhone`, the operator's default access number; -1 when
// no node carries it.
int FindGenericNode(const AccessNodeList& nodes, const std::string& genericPhone);

// What the environment check found, the first that applies: remote access not
// configured, no modem or ISDN adapter, no working sockets (TCP/IP).
enum class EnvironmentProblem { kNone, kNoRemoteAccess, kNoAdapter, kNoTcpIp };
EnvironmentProblem CheckEnvironment(bool remoteAccessInstalled, std::size_t adapters,
                                    bool winsockReady);

// "Conexión ya existente": the user is about to create a second connection.
class ExistingConnectionPrompt {
 public:
  virtual ~ExistingConnectionPrompt() = default;
  // Shows the notice; true only for "Aceptar".
  virtual bool ConfirmNewConnection() = 0;
};

// What the page's boxes hold when they are read.
struct HardwareEntries {
  std::string prefix;
  std::string friendId;
  std::string connectionName;
  int device = -1;  // item data of the chosen adapter (its index in the device list), -1 none
};

class HardwarePageModel {
 public:
  // `app` receives the choices: the chosen node phone (also the sign-up access number),
  // prefix, connection name, device, "provincia" and "friendid". `genericPhone` marks the
  // generic node. Both are borrowed for the model's life.
  HardwarePageModel(InstallerApp& app, std::string genericPhone);

  // Builds the province list (once, when the page is first shown) and the city list;
  // both start on "Sin selección".
  void BuildLists();

  const NodeListItems& Provinces() const { return provinces_; }
  const NodeListItems& Cities() const { return cities_; }
  // Selected positions; -1 when nothing is selected.
  int ProvinceSelection() const { return province_; }
  int CitySelection() const { return city_; }
  // Counts the fills of the city list, so a view knows when to refill its own.
  unsigned CityFills() const { return cityFills_; }
  // False while "&Utilizar nodo genérico" is ticked.
  bool ListsEnabled() const { return listsEnabled_; }
  // Position of the generic province in the province list; -1 when there is none.
  int GenericProvince() const { return genericProvince_; }

  // The user chose a province or a city (a position in its list).
  void ProvinceChosen(int position);
  void CityChosen(int position);
  // The generic-node check box was clicked and now reads `ticked`.
  void GenericNodeClicked(bool ticked);

  // Stores what the boxes hold (prefix, friend, connection name): on activation and Next.
  void ReadEntries(const HardwareEntries& entries);
  // Next: reads the boxes, then the rules in order, each of which may say why and keep the
  // page. True moves on. `ras` validates the connection name.
  bool Next(const HardwareEntries& entries, RasOperations& ras, MessageSink& messages,
            ExistingConnectionPrompt& prompt);

 private:
  void FillCities();
  void ApplyCityChoice();
  void SelectGenericNode();

  InstallerApp& app_;
  std::string genericPhone_;
  NodeListItems provinces_;
  NodeListItems cities_;
  int province_ = -1;
  int city_ = -1;
  unsigned cityFills_ = 0;
  bool listsEnabled_ = true;
  int genericNode_ = -1;
  int genericProvince_ = -1;
};

}  // namespace marvella
