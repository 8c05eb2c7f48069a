// The settings store: the file as a first save writes it, the reading rules, typed values,
// read-only files, the whole-file write through a temporary file, and damaged files.
#include "SettingsFiles.h"
#include "TestFiles.h"
#include "platform/IniStore.h"
#include "platform/StoredValues.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace lumelle;
using namespace lumelle::platform;

namespace {

QString dataFile(const char* name)
{
    return QStringLiteral(LUMELLE_TEST_DATA "/settings/") + QLatin1String(name);
}

// The placement part of a first save on a 1024 x 768 screen at 96 pixels per inch.
void writePlacement(IniStore& store, const QString& section, const std::array<int, 4>& normPos)
{
    const QSize screen(1024, 768);
    store.writeInteger(section + "\\FormVersion", 0);
    store.writeInteger(section + "\\ShowCmd", 1);
    store.writeInteger(section + "\\Flags", 0);
    store.writeInteger(section + "\\PixelsPerInch", 96);
    store.writeText(section + '\\' + screenSizeKey("MinMaxPos", screen),
                    fourIntegersText({-1, -1, -1, -1}));
    store.writeText(section + "\\MinMaxPos", fourIntegersText({-1, -1, -1, -1}));
    store.writeText(section + '\\' + screenSizeKey("NormPos", screen), fourIntegersText(normPos));
    store.writeText(section + "\\NormPos", fourIntegersText(normPos));
}

// Both windows saved with their defaults, as a first run ends.
void writeFirstRunDefaults(IniStore& store)
{
    writePlacement(store, "Form1", {152, 104, 880, 680});
    store.writeText("Form1\\LabelImageChangedPAL_Caption", "");
    store.writeText("Form1\\LabelImageChangedNTSC_Caption", "");
    const std::pair<const char*, int> indexes[] = {{"ComboBox5", 0},
                                                   {"ComboBoxFontSize", 14},
                                                   {"ComboBox7", 4},
                                                   {"ComboBox8", 0},
                                                   {"ComboBoxAlign", 0},
                                                   {"ComboBoxFps", 2},
                                                   {"ComboBoxOutlineWidth", 1},
                                                   {"ComboBoxVobsubLanguage", 41}};
    for (const auto& [control, index] : indexes)
        store.writeInteger(QStringLiteral("Form1\\%1_ItemIndex").arg(control), index);
    store.writeColor("Form1\\JvColorButtonAntialias_ColorValue", makeColor(128, 128, 128));
    store.writeColor("Form1\\JvColorButtonOutline_ColorValue", makeColor(0, 0, 0));
    store.writeColor("Form1\\JvColorButtonText_ColorValue", makeColor(255, 255, 255));
    store.writeInteger("Form1\\offset_Position", 30);
    store.writeInteger("Form1\\offset_or_Position", -4);

    writePlacement(store, "FormColorOptions", {589, 170, 1057, 799});
    store.writeBoolean("FormColorOptions\\RadioButtonDVD_Checked", false);
    store.writeBoolean("FormColorOptions\\RadioButtonPC_Checked", false);
    store.writeBoolean("FormColorOptions\\RadioButtonPCDVD1_Checked", true);
    store.writeBoolean("FormColorOptions\\RadioButtonPCDVD2_Checked", false);
}

// The file of writeFirstRunDefaults.
const QByteArray kFirstRunFile =
    "[Form1]\r\n" + placementLines("1024x768", 96, QRect(152, 104, 728, 576)) +
    kMainWindowDefaults + "\r\n[FormColorOptions]\r\n" +
    placementLines("1024x768", 96, QRect(589, 170, 468, 629)) + kDialogDefaults + "\r\n";

TEST(IniStoreFile, FirstRunWritesBothSectionsByteForByteAndReadsThemBack)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Lumelle_Settings.ini");
    IniStore store;
    ASSERT_TRUE(store.load(path));
    EXPECT_TRUE(store.isLoaded());
    EXPECT_FALSE(store.isReadOnly());
    EXPECT_TRUE(store.sectionNames().isEmpty()) << "no file: an empty store";

    writeFirstRunDefaults(store);
    QString error;
    ASSERT_TRUE(store.write(&error)) << error.toStdString();
    EXPECT_EQ(readAll(path), kFirstRunFile);

    IniStore again;
    ASSERT_TRUE(again.load(path));
    EXPECT_EQ(again.sectionNames(), QStringList({"Form1", "FormColorOptions"}));
    EXPECT_EQ(again.readInteger("Form1\\offset_or_Position", 0), -4);
    EXPECT_EQ(again.readInteger("Form1\\ComboBoxVobsubLanguage_ItemIndex", 0), 41);
    EXPECT_EQ(again.tryReadColor("Form1\\JvColorButtonAntialias_ColorValue"),
              makeColor(128, 128, 128));
    EXPECT_EQ(again.tryReadBoolean("FormColorOptions\\RadioButtonPCDVD1_Checked"), true);
    EXPECT_EQ(again.tryReadText("Form1\\LabelImageChangedPAL_Caption"), QString());
    EXPECT_EQ(again.content(), kFirstRunFile) << "reading and writing again changes nothing";
}

TEST(IniStoreReading, BlanksCommentsCaseAndStrayLinesFollowTheReadingRules)
{
    IniStore store;
    ASSERT_TRUE(store.load(dataFile("hand_edited.ini")));
    EXPECT_EQ(store.sectionNames(), QStringList({"Form1", "FormColorOptions"}));
    EXPECT_EQ(store.tryReadInteger("form1\\ComboBox5_ItemIndex"), 3) << "names ignore case";
    EXPECT_EQ(store.readText("Form1\\LabelImageChangedPAL_Caption"),
              "/home/user/pictures/my pal.bmp");
    EXPECT_EQ(store.readText("Form1\\Formula"), "a=b") << "the value follows the first '='";
    EXPECT_FALSE(store.exists("Form1\\a line without equals"));
    EXPECT_FALSE(store.exists("Form1\\stray")) << "lines before the first section are ignored";
    EXPECT_EQ(store.readInteger("Form1\\offset_Position", 0), 600);

    // Written back: trimmed, without comments and stray lines, the line without "=" kept.
    EXPECT_EQ(store.content(), QByteArray("[Form1]\r\n"
                                          "comboBOX5_itemindex=3\r\n"
                                          "LabelImageChangedPAL_Caption=/home/user/pictures/my "
                                          "pal.bmp\r\n"
                                          "a line without equals\r\n"
                                          "offset_Position=600\r\n"
                                          "Formula=a=b\r\n"
                                          "\r\n"
                                          "[FormColorOptions]\r\n"
                                          "RadioButtonPC_Checked=yes\r\n"
                                          "RadioButtonDVD_Checked=2\r\n"
                                          "RadioButtonPCDVD1_Checked=maybe\r\n"
                                          "RadioButtonPCDVD2_Checked=n\r\n"
                                          "\r\n"));
}

TEST(IniStoreReading, BooleansAcceptWordsInAnyCaseAndNumbers)
{
    IniStore store;
    ASSERT_TRUE(store.load(dataFile("hand_edited.ini")));
    EXPECT_EQ(store.tryReadBoolean("FormColorOptions\\RadioButtonPC_Checked"), true);  // yes
    EXPECT_EQ(store.tryReadBoolean("FormColorOptions\\RadioButtonDVD_Checked"), true); // 2
    EXPECT_EQ(store.tryReadBoolean("FormColorOptions\\RadioButtonPCDVD1_Checked"),
              std::nullopt);                                                               // maybe
    EXPECT_EQ(store.tryReadBoolean("FormColorOptions\\RadioButtonPCDVD2_Checked"), false); // n
    EXPECT_TRUE(store.readBoolean("FormColorOptions\\RadioButtonPCDVD1_Checked", true))
        << "a value that cannot be converted gives the default";
    EXPECT_EQ(store.tryReadBoolean("FormColorOptions\\Missing"), std::nullopt);

    EXPECT_EQ(parseStoredBoolean(u"True"), true);
    EXPECT_EQ(parseStoredBoolean(u"Y"), true);
    EXPECT_EQ(parseStoredBoolean(u"-1"), true);
    EXPECT_EQ(parseStoredBoolean(u"fAlSe"), false);
    EXPECT_EQ(parseStoredBoolean(u"No"), false);
    EXPECT_EQ(parseStoredBoolean(u"0"), false);
    EXPECT_EQ(parseStoredBoolean(u""), false) << "empty counts as the integer 0";
    EXPECT_EQ(parseStoredBoolean(u"yess"), std::nullopt);
}

TEST(IniStoreReading, IntegersAreDecimalWithEmptyAsZero)
{
    EXPECT_EQ(parseStoredInteger(u"41"), 41);
    EXPECT_EQ(parseStoredInteger(u" -4 "), -4);
    EXPECT_EQ(parseStoredInteger(u"+7"), 7);
    EXPECT_EQ(parseStoredInteger(u""), 0);
    EXPECT_EQ(parseStoredInteger(u"-2147483648"), std::numeric_limits<int>::min());
    EXPECT_EQ(parseStoredInteger(u"2147483647"), std::numeric_limits<int>::max());
    EXPECT_EQ(parseStoredInteger(u"2147483648"), std::nullopt) << "out of range";
    EXPECT_EQ(parseStoredInteger(u"99999999999999999999999"), std::nullopt);
    EXPECT_EQ(parseStoredInteger(u"abc"), std::nullopt);
    EXPECT_EQ(parseStoredInteger(u"12abc"), std::nullopt);
    EXPECT_EQ(parseStoredInteger(u"-"), std::nullopt);
    EXPECT_EQ(parseStoredInteger(u"1 2"), std::nullopt);

    IniStore store;
    store.setContent("[S]\r\nEmpty=\r\nLetters=abc\r\n");
    EXPECT_EQ(store.tryReadInteger("S\\Empty"), 0);
    EXPECT_EQ(store.tryReadInteger("S\\Letters"), std::nullopt);
    EXPECT_EQ(store.readInteger("S\\Letters", 14), 14);
    EXPECT_EQ(store.readInteger("S\\Missing", -1), -1);
}

TEST(IniStoreReading, ColoursAreWrittenByNameWhenTheyHaveOneElseByNumber)
{
    IniStore store;
    store.writeColor("Form1\\Text", makeColor(255, 255, 255));
    store.writeColor("Form1\\Outline", makeColor(0, 30, 0));
    store.writeColor("Form1\\Cream", makeColor(255, 251, 240));
    store.writeColor("Form1\\MedGray", makeColor(160, 160, 164));
    EXPECT_EQ(store.rawValue("Form1\\Text"), "clWhite");
    EXPECT_EQ(store.rawValue("Form1\\Outline"), "7680");
    EXPECT_EQ(store.rawValue("Form1\\Cream"), "clCream");
    EXPECT_EQ(store.rawValue("Form1\\MedGray"), "clMedGray");

    // None of the seven safe colours has a name.
    for (ColorValue safe : {7680u, 8355711u, 1369855u, 1999440u, 16763135u, 1003549u, 14080u})
        EXPECT_EQ(storedColorText(safe), QString::number(safe));

    EXPECT_EQ(parseStoredColor(u"clwhite"), makeColor(255, 255, 255));
    EXPECT_EQ(parseStoredColor(u" clSkyBlue "), makeColor(166, 202, 240));
    EXPECT_EQ(parseStoredColor(u"7680"), makeColor(0, 30, 0));
    EXPECT_EQ(parseStoredColor(u"16777215"), makeColor(255, 255, 255));
    EXPECT_EQ(parseStoredColor(u"16777216"), std::nullopt) << "not an RGB colour";
    EXPECT_EQ(parseStoredColor(u"-1"), std::nullopt);
    EXPECT_EQ(parseStoredColor(u"clNoSuchColour"), std::nullopt);
    for (const NamedColor& entry : namedColors())
        EXPECT_EQ(parseStoredColor(storedColorText(entry.value)), entry.value) << entry.name;
}

TEST(IniStoreWriting, ExistingKeysAreReplacedInPlaceAndNewOnesAppended)
{
    IniStore store;
    store.setContent("[Form1]\r\nA=1\r\nb=2\r\nLoose\r\nC=3\r\n\r\n[Other]\r\nX=9\r\n");
    store.writeInteger("FORM1\\B", 20);
    store.writeInteger("Form1\\D", 4);
    store.writeInteger("Form1\\Loose", 6); // a line without "=" is not a key: it stays
    store.writeInteger("Third\\E", 5);
    store.writeText("Other\\x", "nine");
    EXPECT_EQ(store.content(),
              QByteArray("[Form1]\r\nA=1\r\nb=20\r\nLoose\r\nC=3\r\nD=4\r\nLoose=6\r\n\r\n"
                         "[Other]\r\nX=nine\r\n\r\n"
                         "[Third]\r\nE=5\r\n\r\n"));
    EXPECT_EQ(store.keys("form1"), QStringList({"A", "b", "C", "D", "Loose"}));
}

TEST(IniStoreWriting, AValueWithALineBreakIsNotWrittenAndTheStoredOneStays)
{
    IniStore store;
    store.setContent("[Form1]\r\nLabelImageChangedPAL_Caption=/old.bmp\r\n");
    const QByteArray before = store.content();
    for (const QString& broken : {QString("/a\nstray=line"), QString("/a\rb"), QString("\r\n")}) {
        EXPECT_FALSE(IniStore::canHold(broken));
        EXPECT_FALSE(store.writeText("Form1\\LabelImageChangedPAL_Caption", broken));
        EXPECT_FALSE(store.writeText("Form1\\NewCaption", broken));
    }
    EXPECT_EQ(store.content(), before) << "neither replaced nor added";
    EXPECT_TRUE(store.writeText("Form1\\LabelImageChangedPAL_Caption", "/new.bmp"));
    EXPECT_EQ(store.readText("Form1\\LabelImageChangedPAL_Caption"), "/new.bmp");
}

TEST(IniStoreWriting, PathSplitsAtTheLastBackslash)
{
    IniStore store;
    store.writeInteger("Outer\\Inner\\Key", 1);
    store.writeInteger("NoSection", 2);
    EXPECT_EQ(store.sectionNames(), QStringList({"Outer\\Inner", ""}));
    EXPECT_EQ(store.readInteger("Outer\\Inner\\Key", 0), 1);
    EXPECT_EQ(store.readInteger("NoSection", 0), 2);
}

TEST(IniStoreWriting, PathCaptionsRoundTripAsUtf8AndOtherBytesReadAsLatin1)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Lumelle_Settings.ini");
    const QString picture = QString::fromUtf8("/home/zoë/Картинки/背景 PAL.bmp");
    {
        IniStore store;
        ASSERT_TRUE(store.load(path));
        store.writeText("Form1\\LabelImageChangedPAL_Caption", picture);
        ASSERT_TRUE(store.write());
    }
    IniStore store;
    ASSERT_TRUE(store.load(path));
    EXPECT_EQ(store.readText("Form1\\LabelImageChangedPAL_Caption"), picture);

    store.setContent("[Form1]\r\nLabelImageChangedPAL_Caption=C:\\Bilder\\M\xe4rz.bmp\r\n");
    EXPECT_EQ(store.readText("Form1\\LabelImageChangedPAL_Caption"),
              QString::fromUtf8("C:\\Bilder\\März.bmp"));
    EXPECT_EQ(store.content(),
              QByteArray("[Form1]\r\nLabelImageChangedPAL_Caption=C:\\Bilder\\M\xe4rz.bmp\r\n\r\n"))
        << "8-bit values pass through unchanged";
}

TEST(IniStoreFile, ReadOnlyFileIsReadButNeverChangedOrWritten)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Lumelle_Settings.ini");
    const QByteArray original = "[Form1]\r\nComboBox5_ItemIndex=3\r\n\r\n";
    writeFile(path, original);
    ASSERT_TRUE(
        QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));

    IniStore store;
    ASSERT_TRUE(store.load(path));
    EXPECT_TRUE(store.isReadOnly());
    EXPECT_EQ(store.readInteger("Form1\\ComboBox5_ItemIndex", 0), 3);
    store.writeInteger("Form1\\ComboBox5_ItemIndex", 7);
    store.writeInteger("Form1\\NewKey", 1);
    EXPECT_EQ(store.readInteger("Form1\\ComboBox5_ItemIndex", 0), 3) << "saves change nothing";
    EXPECT_FALSE(store.exists("Form1\\NewKey"));
    QString error;
    EXPECT_TRUE(store.write(&error)) << "a read-only store is simply not written";
    EXPECT_TRUE(error.isEmpty());
    EXPECT_EQ(readAll(path), original);
}

TEST(IniStoreFile, MissingFolderIsCreatedAndNoTemporaryFileStaysBehind)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("a/b/Lumelle_Settings.ini");
    IniStore store;
    ASSERT_TRUE(store.load(path));
    store.writeInteger("Form1\\FormVersion", 0);
    ASSERT_TRUE(store.write());
    store.writeInteger("Form1\\FormVersion", 1);
    ASSERT_TRUE(store.write()) << "replacing the old file";
    EXPECT_EQ(readAll(path), "[Form1]\r\nFormVersion=1\r\n\r\n");
    EXPECT_EQ(QDir(dir.filePath("a/b")).entryList(QDir::Files | QDir::Hidden),
              QStringList{"Lumelle_Settings.ini"});
}

TEST(IniStoreFile, FailedWriteReportsWhyAndLeavesWhatWasThere)
{
    QTemporaryDir dir;
    // A folder where the file should be: the write is refused and the folder keeps its file.
    const QString blocked = dir.filePath("Lumelle_Settings.ini");
    ASSERT_TRUE(QDir().mkpath(blocked));
    writeFile(blocked + "/keep.txt", "kept");
    IniStore store;
    store.setFileName(blocked);
    store.writeInteger("Form1\\FormVersion", 0);
    QString error;
    EXPECT_FALSE(store.write(&error));
    EXPECT_TRUE(error.contains("could not be written")) << error.toStdString();
    EXPECT_TRUE(error.contains(blocked)) << error.toStdString();
    EXPECT_EQ(readAll(blocked + "/keep.txt"), "kept");

    // A file where the folder should be: nothing is created and the file is untouched.
    const QString plainFile = dir.filePath("not-a-folder");
    writeFile(plainFile, "plain");
    store.setFileName(plainFile + "/Lumelle_Settings.ini");
    error.clear();
    EXPECT_FALSE(store.write(&error));
    EXPECT_TRUE(error.contains("could not be written")) << error.toStdString();
    EXPECT_EQ(readAll(plainFile), "plain");
}

TEST(IniStoreFile, UnreadableFileIsNeitherReadNorOverwritten)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Lumelle_Settings.ini");
    ASSERT_TRUE(QDir().mkpath(path));
    IniStore store;
    QString error;
    EXPECT_FALSE(store.load(path, &error));
    EXPECT_TRUE(error.contains("could not be read")) << error.toStdString();
    EXPECT_TRUE(store.isReadOnly());
    EXPECT_TRUE(store.sectionNames().isEmpty());
}

TEST(IniStoreFile, GarbageAndTruncatedFilesReadWithoutCrashing)
{
    IniStore store;
    ASSERT_TRUE(store.load(dataFile("truncated.ini")));
    EXPECT_EQ(store.readInteger("Form1\\ComboBox5_ItemIndex", -1), 7);
    EXPECT_FALSE(store.exists("Form1\\ComboBoxFontSi")) << "a cut line has no value";
    EXPECT_TRUE(store.content().endsWith("ComboBoxFontSi\r\n\r\n"));

    ASSERT_TRUE(store.load(dataFile("garbage.bin")));
    // Whatever was understood is written in the file's form and reads back the same.
    const QByteArray written = store.content();
    IniStore again;
    again.setContent(written);
    EXPECT_EQ(again.content(), written);
    for (const QString& section : store.sectionNames()) {
        for (const QString& key : store.keys(section))
            store.readColor(section + '\\' + key, 0);
    }
}

TEST(SettingsLocation, BesideTheProgramWhenWritableOrAlreadyThereElseConfigFolder)
{
    QTemporaryDir dir;
    const QString program = dir.filePath("bin");
    const QString config = dir.filePath("config");
    ASSERT_TRUE(QDir().mkpath(program));
    EXPECT_EQ(settingsFilePathIn(program, config), program + "/Lumelle_Settings.ini");
    EXPECT_EQ(settingsFilePathIn(dir.filePath("missing"), config),
              config + "/Lumelle_Settings.ini");

    // Installed: a writable bin/ is not used, unless it already holds the file.
    const QString usr = dir.filePath("usr");
    ASSERT_TRUE(QDir().mkpath(usr + "/bin") && QDir().mkpath(usr + "/share/applications"));
    QFile desktop(usr + "/share/applications/lumelle.desktop");
    ASSERT_TRUE(desktop.open(QIODevice::WriteOnly));
    desktop.close();
    EXPECT_EQ(settingsFilePathIn(usr + "/bin", config), config + "/Lumelle_Settings.ini");
    QFile old(usr + "/bin/Lumelle_Settings.ini");
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.close();
    EXPECT_EQ(settingsFilePathIn(usr + "/bin", config), usr + "/bin/Lumelle_Settings.ini");
}

TEST(StoredValues, PlacementKeysAndTheirFourIntegers)
{
    EXPECT_EQ(screenSizeKey("NormPos", QSize(1024, 768)), "NormPos(1024x768)");
    EXPECT_EQ(fourIntegersText({-1, -1, 20, 30}), "-1,-1,20,30");
    const auto parsed = parseFourIntegers(u"152, 104,x,");
    EXPECT_EQ(parsed[0], 152);
    EXPECT_EQ(parsed[1], 104);
    EXPECT_EQ(parsed[2], std::nullopt) << "not a number";
    EXPECT_EQ(parsed[3], std::nullopt) << "missing";
}

} // namespace
