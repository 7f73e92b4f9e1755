// The hardware page's lists, choices and Next rules.
#include "installer/HardwarePageModel.h"

#include "installer/FinalActions.h"
#include "installer/HardwareTexts.h"

namespace marvella {

NodeListItems BuildProvinceList(const AccessNodeList& nodes) {
  NodeListItems items{{IDS_NO_SELECTION_TEXT, kNoSelectionItem}};
  for (std::size_t i = 0; i < nodes.size(); ++i) {
    bool listed = false;
    for (std::size_t j = 1; j < items.size() && !listed; ++j)
      listed = items[j].text == nodes[i].State;
    if (!listed) items.push_back({nodes[i].State, static_cast<int>(i)});
  }
  return items;
}

NodeListItems BuildCityList(const AccessNodeList& nodes, const std::string* province) {
  NodeListItems items{{IDS_NO_SELECTION_TEXT, kNoSelectionItem}};
  if (!province) return items;
  for (std::size_t i = 0; i < nodes.size(); ++i)
    if (nodes[i].State == *province) items.push_back({nodes[i].City, static_cast<int>(i)});
  items.push_back({HARDWARE_OTHER_CITY_TEXT, kOtherCityItem});
  return items;
}

int FindGenericNode(const AccessNodeList& nodes, const std::string& genericPhone) {
  for (std::size_t i = 0; i < nodes.size(); ++i)
    if (nodes[i].Phone == genericPhone) return static_cast<int>(i);
  return -1;
}

EnvironmentProblem CheckEnvironment(bool remoteAccessInstalled, std::size_t adapters,
                                    bool winsockReady) {
  if (!remoteAccessInstalled) return EnvironmentProblem::kNoRemoteAccess;
  if (adapters == 0) return EnvironmentProblem::kNoAdapter;
  if (!winsockReady) return EnvironmentProblem::kNoTcpIp;
  return EnvironmentProblem::kNone;
}

HardwarePageModel::HardwarePageModel(InstallerApp& app, std::string genericPhone)
    : app_(app), genericPhone_(std::move(genericPhone)) {}

void HardwarePageModel::BuildLists() {
  provinces_ = BuildProvinceList(app_.accessNodes);
  genericNode_ = FindGenericNode(app_.accessNodes, genericPhone_);
  genericProvince_ = -1;
  for (std::size_t p = 1; p < provinces_.size() && genericNode_ >= 0; ++p)
    if (provinces_[p].text == app_.accessNodes[genericNode_].State) {
      genericProvince_ = static_cast<int>(p);
      break;
    }
  province_ = 0;
  FillCities();
}

void HardwarePageModel::FillCities() {
  const std::string* province =
      province_ > 0 && province_ < static_cast<int>(provinces_.size()) ? &provinces_[province_].text
                                                                       : nullptr;
  cities_ = BuildCityList(app_.accessNodes, province);
  city_ = 0;
  ++cityFills_;
  // "Sin selección" is selected: applying that choice changes nothing.
}

void HardwarePageModel::ApplyCityChoice() {
  if (city_ < 0 || city_ >= static_cast<int>(cities_.size())) return;
  int data = cities_[city_].data;
  if (data == kNoSelectionItem) return;
  if (data == kOtherCityItem) {
    SelectGenericNode();
    return;
  }
  const std::string& phone = app_.accessNodes[data].Phone;
  app_.nodePhone = phone;
  app_.account.dialupnum = phone;
}

// The generic province and, in its city list, the generic node itself. Without a generic
// node both lists are left without a usable selection, and Next asks for a node.
void HardwarePageModel::SelectGenericNode() {
  province_ = genericProvince_;
  FillCities();
  city_ = -1;
  if (genericProvince_ < 0) return;
  for (std::size_t c = 1; c < cities_.size(); ++c)
    if (cities_[c].data == genericNode_) city_ = static_cast<int>(c);
  ApplyCityChoice();
}

void HardwarePageModel::ProvinceChosen(int position) {
  province_ = position >= 0 && position < static_cast<int>(provinces_.size()) ? position : -1;
  FillCities();
}

void HardwarePageModel::CityChosen(int position) {
  city_ = position >= 0 && position < static_cast<int>(cities_.size()) ? position : -1;
  ApplyCityChoice();
}

void HardwarePageModel::GenericNodeClicked(bool ticked) {
  if (ticked) {
    SelectGenericNode();
  } else {
    province_ = 0;
    FillCities();
  }
  listsEnabled_ = !ticked;
}

void HardwarePageModel::ReadEntries(const HardwareEntries& entries) {
  app_.account.dialPrefix = entries.prefix;
  app_.user.friendid = entries.friendId.substr(0, kFriendIdCapacity);
  app_.account.profileName = entries.connectionName;
}

bool HardwarePageModel::Next(const HardwareEntries& entries, RasOperations& ras,
                             MessageSink& messages, ExistingConnectionPrompt& prompt) {
  ReadEntries(entries);
  const std::string& name = app_.account.profileName;
  if (name.empty()) {
    ShowString(messages, IDS_FIELD_EMPTY, MessageStyle{}, IDS_FIELD_EMPTY_TEXT, name.c_str());
    return false;
  }
  // Every sign-up call deletes and rewrites the entry of that name: the user's own entry
  // under it would be lost, or left holding the sign-up's credentials.
  const std::string& signUpEntry = app_.config.signUpEntryName;
  if (!signUpEntry.empty() && !MayDeleteSignUpEntry(signUpEntry, name)) {
    ShowString(messages, 0, MessageStyle{}, HARDWARE_SIGNUP_ENTRY_NAME_TEXT, name.c_str());
    return false;
  }
  switch (ras.RasValidateEntryName(nullptr, name.c_str())) {
    case kErrorInvalidName:
      ShowString(messages, IDS_BAD_CONNECTION_NAME, MessageStyle{}, IDS_BAD_CONNECTION_NAME_TEXT,
                 name.c_str());
      return false;
    case kErrorAlreadyExists:
      if (!prompt.ConfirmNewConnection()) return false;
      break;
    default:
      break;  // the service's other answers do not stop the user here
  }
  if (entries.device >= 0 && static_cast<std::size_t>(entries.device) < app_.dialDevices.Count()) {
    const RASDEVINFOA& device = app_.dialDevices.At(static_cast<std::size_t>(entries.device));
    app_.deviceType = device.szDeviceType;
    app_.deviceName = device.szDeviceName;
  }
  if (city_ < 0 || cities_[city_].data == kNoSelectionItem) {
    ShowString(messages, IDS_NO_ACCESS_NODE, MessageStyle{}, "%s", IDS_NO_ACCESS_NODE_TEXT);
    return false;
  }
  app_.user.provincia = province_ >= 0 ? provinces_[province_].text : std::string();
  return true;
}

}  // namespace marvella
