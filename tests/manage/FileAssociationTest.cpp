#include "manage/FileAssociation.h"

#include "engine/Registry.h"

#include "ManageEnvironment.h"

#include <QFile>

namespace sw {
namespace {

namespace fs = std::filesystem;
using test::readBytes;
using test::writeFile;

class FileAssociationTest : public test::ManageEnvironment {
protected:
    const QString program = QStringLiteral("/opt/Skin Tools/skinwrt");
};

TEST_F(FileAssociationTest, TheDesktopRoundTripRemembersAndRestoresThePreviousDefault)
{
    using namespace desktop_association;
    writeFile(mimeAppsFile(), "[Default Applications]\ntext/plain=gedit.desktop\napplication/x-veneerix-personality="
                               "kate.desktop\n\n[Added Associations]\ntext/plain=gedit.desktop;\n");
    EXPECT_FALSE(filesAssociated(program));
    associateFiles(program);
    EXPECT_TRUE(filesAssociated(program));
    EXPECT_FALSE(filesAssociated(QStringLiteral("/elsewhere/skinwrt")));
    EXPECT_EQ(defaultApplication(), "skinwright.desktop");
    const std::string entry = readBytes(desktopEntryFile());
    EXPECT_NE(entry.find("Exec=\"/opt/Skin Tools/skinwrt\" %f\n"), std::string::npos) << entry;
    EXPECT_NE(entry.find("MimeType=application/x-veneerix-personality;\n"), std::string::npos);
    const std::string mime = readBytes(mimePackageFile());
    EXPECT_NE(mime.find("<glob pattern=\"*.uis\"/>"), std::string::npos);
    EXPECT_NE(mime.find("<glob pattern=\"*.sss\"/>"), std::string::npos);
    // The other lines of the shared list are untouched.
    EXPECT_NE(readBytes(mimeAppsFile()).find("text/plain=gedit.desktop\n"), std::string::npos);

    // Associating again must not forget the real previous default.
    associateFiles(program);
    removeFileAssociation();
    EXPECT_EQ(defaultApplication(), "kate.desktop");
    EXPECT_FALSE(filesAssociated(program));
    EXPECT_EQ(readBytes(mimeAppsFile()),
              "[Default Applications]\ntext/plain=gedit.desktop\napplication/x-veneerix-personality=kate.desktop\n\n"
              "[Added Associations]\ntext/plain=gedit.desktop;\n");

    // Removing once more: nothing remembered, nothing changes.
    removeFileAssociation();
    EXPECT_EQ(defaultApplication(), "kate.desktop");
}

TEST_F(FileAssociationTest, WithoutAPreviousDefaultRemovingTakesOursAwayAndWithoutOldAssocNothingChanges)
{
    using namespace desktop_association;
    associateFiles(program);
    EXPECT_EQ(defaultApplication(), "skinwright.desktop");
    removeFileAssociation();
    EXPECT_EQ(defaultApplication(), "");

    // A default set by someone else, never remembered: removing leaves it.
    writeFile(mimeAppsFile(), "[Default Applications]\napplication/x-veneerix-personality=other.desktop\n");
    removeFileAssociation();
    EXPECT_EQ(defaultApplication(), "other.desktop");
}

TEST_F(FileAssociationTest, TheShippedMimePackageIsTheOneWrittenForUsers)
{
    QFile shipped(QStringLiteral(SKINWRT_SOURCE_DIR "/desktop/skinwright.xml"));
    ASSERT_TRUE(shipped.open(QIODevice::ReadOnly));
    EXPECT_EQ(shipped.readAll().toStdString(), desktop_association::mimePackageText());
}

TEST_F(FileAssociationTest, TheClassRegistryFormKeepsAndGivesBackTheOldAssociation)
{
    using namespace registry_association;
    Registry classes(RegistryHive::ClassesRoot);
    classes.writeString(".uis", "", "OtherEditor.File");
    const QString exe = QStringLiteral("C:\\Program Files\\Skinwright\\Skinwrt.exe");
    EXPECT_FALSE(check(exe));
    associate(exe);
    EXPECT_TRUE(check(exe));
    EXPECT_FALSE(check(QStringLiteral("D:\\Skinwrt.exe")));
    const std::vector<std::tuple<std::string, std::string, std::string>> expected = {
        {".uis", "", "VeneerixPersonalityFile"},
        {".uis", "old_assoc", "OtherEditor.File"},
        {".sss", "", "VeneerixPersonalityFile"},
        {".sss", "old_assoc", ""},
        {".uis\\AlternateApps", "Skinwright", "Edit with Skinwright"},
        {"VeneerixPersonalityFile", "", "Veneerix Personality File"},
        {"VeneerixPersonalityFile\\DefaultIcon", "", "C:\\Program Files\\Skinwright\\Skinwrt.exe,0"},
        {"VeneerixPersonalityFile\\Shell\\Open\\Command", "",
         "\"C:\\Program Files\\Skinwright\\Skinwrt.exe\" \"%1\""},
        {"Skinwright", "@", "Edit with Skinwright"},
        {"Skinwright\\shell\\open\\command", "@", "\"C:\\Program Files\\Skinwright\\Skinwrt.exe\"  \"%1\""},
    };
    for (const auto& [key, name, value] : expected)
        EXPECT_EQ(classes.read(key, name), value) << key << " / " << name;

    // Associating twice keeps the first old_assoc.
    associate(exe);
    EXPECT_EQ(classes.read(".uis", "old_assoc"), "OtherEditor.File");
    remove();
    EXPECT_EQ(classes.read(".uis", ""), "OtherEditor.File");
    EXPECT_FALSE(classes.valueExists(".uis", "old_assoc"));
    EXPECT_EQ(classes.read(".sss", ""), "");
    EXPECT_FALSE(check(exe));
    // Without old_assoc the default stays as it is.
    classes.writeString(".uis", "", "VeneerixPersonalityFile");
    remove();
    EXPECT_EQ(classes.read(".uis", ""), "VeneerixPersonalityFile");
}

}  // namespace
}  // namespace sw
