// The string table a project produces, read back through the catalogue
// lookups that the engine uses.
#include <gtest/gtest.h>

#include <string>

#include "engine/package/default_messages.h"
#include "engine/package/message_catalogue.h"
#include "engine/package/string_table.h"
#include "tools/project.h"
#include "tools/string_table_builder.h"

namespace {

struct Table {
  Project project;
  PackageHeader header = {};
  std::vector<char> block;

  explicit Table(const std::string& extra = "") {
    std::string error;
    std::string text = "[Setup]\nTitle=Example App\nDefaultDir=Example\n" + extra;
    EXPECT_TRUE(ParseProjectText("example.tvp", text, &project, &error)) << error;
    BuildStringTable(project, &block, &header);
  }

  std::string Message(int id) const {
    StringTableView view = {block.data(), static_cast<uint32_t>(block.size()), header.messagesOffset};
    char text[256];
    return CopyMessage(&view, id, text, sizeof text);
  }

  std::string At(uint32_t offset, int n) const {
    const char* text = SectionString(block.data(), static_cast<uint32_t>(block.size()), offset, n);
    return text ? text : "<missing>";
  }
};

TEST(PackageStrings, CatalogueIdsGiveTheirTextsAndOthersSystemError) {
  Table table;
  const struct {
    int id;
    const char* text;
  } cases[] = {
      {150, "Error"},
      {170, "Attention!"},
      {211, "Destination directory"},
      {252, "You have %lu kbytes free space, but need %lu kbytes."},
      {149, "System error"},
      {171, "System error"},
      {200, "System error"},
      {210, "System error"},
      {253, "System error"},
      {1000, "System error"},
  };
  for (const auto& c : cases) EXPECT_EQ(table.Message(c.id), c.text) << "id " << c.id;
}

TEST(PackageStrings, EveryIdOfTheCatalogueHasADefault) {
  for (int id = 150; id <= 252; id++) {
    bool own = id <= 170 || id >= 211;
    EXPECT_EQ(DefaultMessageText(id) != nullptr, own) << "id " << id;
  }
  EXPECT_STREQ(DefaultMessageText(166), "It's wrong size %s. Its length is %lu bytes, but it must be %lu bytes!");
  EXPECT_STREQ(DefaultMessageText(251), "Uninstall has finished successfully!");
}

TEST(PackageStrings, Message220IsStoredRaisedBy16AndReadBackAsWritten) {
  Table table("[Messages]\n220=Copying \xE9l\xE8ves~\n");
  std::string stored = table.At(table.header.messagesOffset, 220 - 189);
  std::string written = "Copying \xE9l\xE8ves~";
  ASSERT_EQ(stored.size(), written.size());
  for (size_t i = 0; i < stored.size(); i++)
    EXPECT_EQ(static_cast<uint8_t>(stored[i]), static_cast<uint8_t>(written[i] + 16)) << "byte " << i;
  EXPECT_EQ(table.Message(220), written);
  EXPECT_EQ(table.Message(220), written) << "fetching twice gives the same text";

  Table defaults;
  EXPECT_EQ(defaults.Message(220), DefaultMessageText(220));
}

TEST(PackageStrings, OverriddenMessagesReplaceOnlyTheirOwnText) {
  Table table("[Messages]\n150=Fehler\n252=Nur %lu KB frei, %lu KB gebraucht.\n");
  EXPECT_EQ(table.Message(150), "Fehler");
  EXPECT_EQ(table.Message(252), "Nur %lu KB frei, %lu KB gebraucht.");
  EXPECT_EQ(table.Message(151), "Select directory");
}

TEST(PackageStrings, SectionsHoldTheirItemsInOrder) {
  Table table(
      "Group=Example App\n"
      "[Shortcut]\nName=Example App\nCommand=\"%installpath%\\example.exe\"\n"
      "[Shortcut]\nName=Uninstall\nCommand=\"%installpath%\\uninstal.exe\"\nIcon=i.ico\nWorkDir=%installpath%\n"
      "[Registry]\nRoot=hklm\nKey=SOFTWARE\\Example\\\nValue=Path\nData=%installpath%\n"
      "[IniEntry]\nFile=%winpath%\\example.ini\nSection=Settings\nKey=Dir\nValue=%installpath%\n");
  const PackageHeader& h = table.header;
  EXPECT_EQ(+h.shortcutCount, 2);
  EXPECT_EQ(+h.registryCount, 1);
  EXPECT_EQ(+h.iniCount, 1);
  EXPECT_EQ(+h.hasRegistry, 1);
  EXPECT_EQ(+h.hasIni, 1);
  EXPECT_EQ(table.At(0, 1), "Example App");
  EXPECT_EQ(table.At(0, 2), "Example App") << "caption defaults to the title";
  EXPECT_EQ(table.At(0, 13), "\"%installpath%\\uninstal.ini\"");
  EXPECT_EQ(table.At(0, 14), "Example App");
  const char* end = table.block.data() + table.block.size();
  EXPECT_EQ(NthString(table.block.data(), end, 15), table.block.data() + h.shortcutsOffset)
      << "right after the 14 main strings";
  EXPECT_EQ(table.At(h.shortcutsOffset, 6), "\"%installpath%\\uninstal.exe\"");
  EXPECT_EQ(table.At(h.shortcutsOffset, 8), "%installpath%");
  EXPECT_EQ(table.At(h.registryOffset, 1), "HKEY_LOCAL_MACHINE") << "short root names are stored long";
  EXPECT_EQ(table.At(h.registryOffset, 4), "0") << "string type";
  EXPECT_EQ(table.At(h.iniOffset, 1), "%winpath%\\example.ini");
  EXPECT_EQ(table.At(h.messagesOffset, 1), "Error");
  EXPECT_EQ(+h.stringsSize, table.block.size());
}

TEST(PackageStrings, EmptySectionsHaveCountAndOffsetZero) {
  Table table;
  EXPECT_EQ(+table.header.shortcutCount, 0);
  EXPECT_EQ(+table.header.shortcutsOffset, 0u);
  EXPECT_EQ(+table.header.registryOffset, 0u);
  EXPECT_EQ(+table.header.iniOffset, 0u);
  EXPECT_EQ(+table.header.hasRegistry, 0);
  EXPECT_EQ(+table.header.hasIni, 0);
}

}  // namespace
