#include "support/SettingsFixture.h"

#include <QFile>

namespace quorvel {
namespace {

using SettingsStoreTest = SettingsFixture;

const QString kRoot = QStringLiteral("\\Software\\Quorvel");

TEST_F(SettingsStoreTest, ReadsBackWhatItWrote) {
    {
        SettingsStore store(path());
        ASSERT_TRUE(store.openKey(kRoot, true));
        store.writeInteger(QStringLiteral("Int"), -5);
        store.writeBool(QStringLiteral("Flag"), true);
        store.writeString(QStringLiteral("Text"), QStringLiteral("a \"b\" \\c"));
        store.writeString(QStringLiteral("Lines"), QStringLiteral("x\ny"));
        store.closeKey();
    }
    EXPECT_EQ(fileBytes(path()), kProgramHeader + "\"Int\"=dword:fffffffb\n"
                                                  "\"Flag\"=dword:00000001\n"
                                                  "\"Text\"=\"a \\\"b\\\" \\\\c\"\n"
                                                  "\"Lines\"=hex(1):78,0a,79,00\n");
    SettingsStore store(path());
    ASSERT_TRUE(store.openKey(kRoot, false));
    EXPECT_EQ(store.readInteger(QStringLiteral("int")), -5);
    EXPECT_TRUE(store.readBool(QStringLiteral("FLAG")));
    EXPECT_EQ(store.readString(QStringLiteral("Text")), QStringLiteral("a \"b\" \\c"));
    EXPECT_EQ(store.readString(QStringLiteral("Lines")), QStringLiteral("x\ny"));
}

TEST_F(SettingsStoreTest, ReadsCheckTypeAndSize) {
    writeSettings("\"Str\"=\"100\"\n"
                  "\"Dw\"=dword:00000000\n"
                  "\"Four\"=hex(4):64,00,00,00\n"
                  "\"Three\"=hex(4):64,00,00\n"
                  "\"Five\"=hex(4):64,00,00,00,00\n"
                  "\"Qword\"=hex(b):64,00,00,00,00,00,00,00\n"
                  "\"Bin\"=hex:61\n"
                  "\"Sz\"=hex(1):61,62,00,63\n"
                  "\"NoBytes\"=hex(4):\n"
                  "\"Exp\"=str(2):\"%HOME%/x\"\n");
    SettingsStore store(path());
    ASSERT_TRUE(store.openKey(kRoot, true));
    expectSettingsError([&] { store.readInteger(QStringLiteral("Str")); },
                        "Invalid data type for 'Str'");
    expectSettingsError([&] { store.readBool(QStringLiteral("Qword")); },
                        "Invalid data type for 'Qword'");
    expectSettingsError([&] { store.readInteger(QStringLiteral("Three")); },
                        "Failed to get data for 'Three'");
    expectSettingsError([&] { store.readInteger(QStringLiteral("Five")); },
                        "Failed to get data for 'Five'");
    expectSettingsError([&] { store.readInteger(QStringLiteral("NoBytes")); },
                        "Failed to get data for 'NoBytes'");
    expectSettingsError([&] { store.readInteger(QStringLiteral("Absent")); },
                        "Failed to get data for 'Absent'");
    expectSettingsError([&] { store.readString(QStringLiteral("Dw")); },
                        "Invalid data type for 'Dw'");
    expectSettingsError([&] { store.readString(QStringLiteral("Bin")); },
                        "Invalid data type for 'Bin'");
    EXPECT_EQ(store.readInteger(QStringLiteral("Four")), 100);
    EXPECT_FALSE(store.readBool(QStringLiteral("Dw")));
    EXPECT_EQ(store.readString(QStringLiteral("Sz")), QStringLiteral("ab"));
    EXPECT_EQ(store.readString(QStringLiteral("Exp")), QStringLiteral("%HOME%/x"));
    EXPECT_EQ(store.readString(QStringLiteral("NoBytes")), QString());
    EXPECT_EQ(store.readString(QStringLiteral("Absent")), QString());
}

TEST_F(SettingsStoreTest, WritingKeepsSpellingPlaceAndEverythingItDoesNotKnow) {
    const QByteArray before = "REGEDIT4\n"
                              "; mine\n"
                              "\n"
                              "[HKEY_CURRENT_USER\\Software\\Other]\n"
                              "\"X\"=hex(7):61,00,00,00\n"
                              "\n"
                              "[HKEY_CURRENT_USER\\Software\\Quorvel]\n"
                              "\"form1top\"=dword:00000001\n"
                              "\"Extra\"=str(2):\"%X%\"\n";
    writeFile(before);
    SettingsStore store(path());
    ASSERT_TRUE(store.openKey(kRoot, true));
    store.writeInteger(QStringLiteral("Form1Top"), 5);
    store.writeInteger(QStringLiteral("Form1Left"), 6);
    QByteArray after = before;
    after.replace("00000001", "00000005");
    EXPECT_EQ(fileBytes(path()), after + "\"Form1Left\"=dword:00000006\n");
}

TEST_F(SettingsStoreTest, OpensKeysAsTheRegistryDoes) {
    writeSettings("\"A\"=dword:00000001\n", "\"B\"=dword:00000002\n");
    SettingsStore store(path());
    EXPECT_FALSE(store.openKey(QStringLiteral("ReportFont"), true)) << "relative with no key open";
    EXPECT_FALSE(store.openKey(QStringLiteral("\\Software\\Missing"), false));
    ASSERT_TRUE(store.openKey(kRoot, false));
    EXPECT_TRUE(store.valueExists(QStringLiteral("A")));
    ASSERT_TRUE(store.openKey(QStringLiteral("reportfont"), false));
    EXPECT_FALSE(store.valueExists(QStringLiteral("A")));
    EXPECT_TRUE(store.valueExists(QStringLiteral("B")));
    EXPECT_FALSE(store.openKey(QStringLiteral("Nested"), false));
    EXPECT_FALSE(store.valueExists(QStringLiteral("B"))) << "a failed open leaves no key open";
    expectSettingsError([&] { store.writeInteger(QStringLiteral("B"), 1); },
                        "Failed to set data for 'B'");

    // Creating a key on reading does not write the file.
    SettingsStore fresh(tmp_.path() + QStringLiteral("/new/settings.reg"));
    EXPECT_TRUE(fresh.openKey(kRoot, true));
    EXPECT_FALSE(fresh.valueExists(QStringLiteral("A")));
    fresh.closeKey();
    EXPECT_FALSE(QFile::exists(tmp_.path() + QStringLiteral("/new")));
}

} // namespace
} // namespace quorvel
