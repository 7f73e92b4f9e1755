// The install.ini the build ships (dist-files/install.ini), read as install.exe reads it: the
// nationwide node first, so it is the generic node, then one node for every province of
// Spain; names in code page 1252.
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>

#include "common/OperatorSettings.h"
#include "common/ProfileReader.h"
#include "installer/HardwarePageModel.h"
#include "installer/InstallIni.h"
#include "installer/PersonalData.h"
#include "tests/unit/common/RecordingMessageSink.h"

namespace marvella::test {
namespace {

std::string ShippedIniPath() {
  const char* tree = std::getenv("MARVELLA_BINARY_DIR");
  std::string path = std::string(tree ? tree : ".") + "/dist-files/install.ini";
#ifdef _WIN32
  if (path[0] == '/') path = "Z:" + path;  // the Unix root under Wine
#endif
  return path;
}

TEST(ShippedInstallIni, NationwideNodeFirstThenEveryProvinceInCodePage1252) {
  bool readable = false;
  ProfileReader ini = ProfileReader::FromFile(ShippedIniPath().c_str(), &readable);
  ASSERT_TRUE(readable) << ShippedIniPath();
  RecordingMessageSink messages;
  InstallConfig config;
  AccountRecord account;
  AccessNodeList nodes;
  ReadInstallIni(ini, ShippedIniPath(), messages, config, account, nodes);
  EXPECT_TRUE(messages.shown.empty());

  ASSERT_EQ(53u, nodes.size());
  EXPECT_EQ("Acceso nacional", nodes[0].City);
  EXPECT_EQ("Zonas sin nodo local", nodes[0].State);
  EXPECT_EQ(0, FindGenericNode(nodes, MARVELLA_DEFAULT_ACCESS_NUMBER));
  for (const AccessNode& node : nodes) EXPECT_EQ(MARVELLA_DEFAULT_ACCESS_NUMBER, node.Phone);

  // Page 2 lists all 53; page 4 leaves the nationwide one out and offers the 52 provinces.
  EXPECT_EQ(54u, BuildProvinceList(nodes).size());
  std::set<std::string> provinces;
  for (const ProvinceEntry& e : ProvinceListEntries(nodes)) provinces.insert(e.name);
  EXPECT_EQ(52u, provinces.size());
  EXPECT_EQ(52u, ProvinceListEntries(nodes).size());
  // Compared with code page 1252 texts: a UTF-8 file would not match.
  for (const char* p : {"Álava", "Cádiz", "Ceuta", "Melilla", "León", "Madrid",
                        "Santa Cruz de Tenerife", "Vizcaya", "Zaragoza"})
    EXPECT_EQ(1u, provinces.count(p)) << p;
  EXPECT_EQ("Ávila", nodes[6].City) << "cities are in code page 1252 too";
}

}  // namespace
}  // namespace marvella::test
