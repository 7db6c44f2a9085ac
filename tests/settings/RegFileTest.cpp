#include "settings/RegFileParser.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

const QString kProgram = QStringLiteral("HKEY_CURRENT_USER\\Software\\Quorvel");

TEST(RegFileTest, ReadsEveryFormAndWritesItBackUnchanged) {
    const QByteArray text =
        "REGEDIT4\n"
        "; exported by hand\n"
        "\n"
        "[HKEY_CURRENT_USER\\Software\\Quorvel]\n"
        "\"CompDir1\"=\"/home/ann/a \\\"b\\\" \\\\c\"\n"
        "\"Form1Top\"=dword:ffffff9c\n"
        "\"Path\"=str(2):\"%HOME%/x\"\n"
        "@=\"default\"\n"
        "; a note\n"
        "\"Blob\"=hex:01,02,ff\n"
        "\"Q\"=hex(b):01,00,00,00,00,00,00,00\n"
        "\"Empty\"=hex(4):\n"
        "\"Long\"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,"
        "14,15,16,17,18,\\\n"
        "  19,1a\n"
        "\n"
        "[HKEY_CURRENT_USER\\Software\\Other]\n"
        "\"X\"=dword:00000001\n";
    const RegParseResult parsed = RegFileParser::parse(text);
    ASSERT_TRUE(parsed.file) << parsed.problem.toStdString();
    EXPECT_EQ(parsed.file->serialize(), text);

    const RegKey* key = parsed.file->key(u"hkey_current_user\\SOFTWARE\\quorvel");
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->value(u"compdir1")->text, QStringLiteral("/home/ann/a \"b\" \\c"));
    EXPECT_EQ(*key->value(u"Form1Top"), RegValue::dword(0xffffff9c));
    EXPECT_EQ(*key->value(u"Path"), RegValue::expandString(QStringLiteral("%HOME%/x")));
    EXPECT_EQ(*key->value(u"Blob"), RegValue::hex(3, QByteArray("\x01\x02\xff", 3)));
    EXPECT_EQ(key->value(u"Q")->type(), 11u);
    EXPECT_EQ(key->value(u"Long")->bytes.size(), 27);
    EXPECT_EQ(key->value(u"")->text, QStringLiteral("default"));
    // ASCII case only: other letters must match exactly.
    RegFile file;
    file.ensureKey(kProgram).setValue(QStringLiteral("Öl"), RegValue::dword(1));
    EXPECT_NE(file.key(kProgram)->value(u"ÖL"), nullptr);
    EXPECT_EQ(file.key(kProgram)->value(u"öl"), nullptr);
}

TEST(RegFileTest, AcceptsWhatAnEditorOrRegeditLeaves) {
    const QByteArray text = "\xef\xbb\xbfREGEDIT4\r\n\r\n"
                            "[HKEY_CURRENT_USER\\Software\\Quorvel]\r\n"
                            "  \"A\" = DWORD:0000000A  \r\n"
                            "\"B\"=hex:01,\\\r\n"
                            "    02\r\n"
                            "\"A\"=dword:0000000b\r\n"
                            "[hkey_current_user\\software\\quorvel]\r\n"
                            "\"C\"=\"\"\r\n";
    const RegParseResult parsed = RegFileParser::parse(text);
    ASSERT_TRUE(parsed.file) << parsed.problem.toStdString();
    ASSERT_EQ(parsed.file->keys().size(), 1u);
    const RegKey& key = parsed.file->keys().front();
    EXPECT_EQ(*key.value(u"A"), RegValue::dword(11));
    EXPECT_EQ(key.value(u"B")->bytes, QByteArray("\x01\x02"));
    EXPECT_EQ(*key.value(u"C"), RegValue::string({}));
}

TEST(RegFileTest, ADwordTakesOneToEightDigitsAndIsWrittenWithEight) {
    const QByteArray text = "REGEDIT4\n[HKEY_CURRENT_USER\\Software\\Quorvel]\n"
                            "\"Form1Top\"=dword:1\n"
                            "\"B\"=dword:0000001\n"
                            "\"C\"=dword:Ff\n"
                            "\"D\"=dword:ffffffff\n";
    const RegParseResult parsed = RegFileParser::parse(text);
    ASSERT_TRUE(parsed.file) << parsed.problem.toStdString();
    const RegKey& key = parsed.file->keys().front();
    EXPECT_EQ(*key.value(u"Form1Top"), RegValue::dword(1));
    EXPECT_EQ(*key.value(u"B"), RegValue::dword(1));
    EXPECT_EQ(*key.value(u"C"), RegValue::dword(255));
    EXPECT_EQ(*key.value(u"D"), RegValue::dword(0xffffffff));
    EXPECT_EQ(parsed.file->serialize().toStdString(),
              "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Quorvel]\n"
              "\"Form1Top\"=dword:00000001\n\"B\"=dword:00000001\n"
              "\"C\"=dword:000000ff\n\"D\"=dword:ffffffff\n");
}

TEST(RegFileTest, RejectsWhatItCannotReadExactly) {
    const QByteArray key = "REGEDIT4\n[HKEY_CURRENT_USER\\Software\\Quorvel]\n";
    const QByteArray cases[] = {
        "",
        "REGEDIT5\n",
        "Windows Registry Editor Version 5.00\n",
        key + "\"A\"=\"x" + '\0' + "y\"\n",
        key + "\"A\"=\"\xff\xfe\"\n",
        key + "\"A\"=\"never closed\n",
        key + "\"A\"=\"C:\\Windows\"\n",
        key + "\"A\"=\"x\" trailing\n",
        key + "\"A\"=dword:\n",
        key + "\"A\"=dword:-1\n",
        key + "\"A\"=dword:+1\n",
        key + "\"A\"=dword:0x1\n",
        key + "\"A\"=dword:000000001\n",
        key + "\"A\"=dword:0000000g\n",
        key + "\"A\"=hex:1,2\n",
        key + "\"A\"=hex(zz):01\n",
        key + "\"A\"=hex:01,\\\n",
        key + "\"A\"=-\n",
        key + "\"A\"\n",
        key + "\"A\"=\"" + QByteArray(RegFileParser::kMaxLineLength, 'x') + "\"\n",
        "REGEDIT4\n\"A\"=dword:00000001\n",
        "REGEDIT4\n[-HKEY_CURRENT_USER\\Software\\Quorvel]\n",
        "REGEDIT4\n[HKEY_CURRENT_USER\\Software\\Quorvel\n",
        "REGEDIT4\n[HKEY_CURRENT_USER\\\\Quorvel]\n",
    };
    for (const QByteArray& text : cases) {
        const RegParseResult parsed = RegFileParser::parse(text);
        EXPECT_FALSE(parsed.file) << text.left(120).toStdString();
        EXPECT_FALSE(parsed.problem.isEmpty());
    }
    // The longest line read is that long exactly.
    EXPECT_TRUE(RegFileParser::parse(key + "\"A\"=\"" +
                                     QByteArray(RegFileParser::kMaxLineLength - 6, 'x') + "\"\n")
                    .file);
    // The message names the line a user has to mend.
    const std::pair<QByteArray, QString> told[] = {
        {"REGEDIT5\n", "line 1: the first line is not REGEDIT4"},
        {key + "\n\"A\"=dword:\n", "line 4: a dword needs one to eight hexadecimal digits"}};
    for (const auto& [text, problem] : told) {
        EXPECT_EQ(RegFileParser::parse(text).problem.toStdString(), problem.toStdString());
        EXPECT_EQ(RegFileParser::salvage(text).problem.toStdString(), problem.toStdString());
    }
}

TEST(RegFileTest, WritesTextWithControlCharactersAsBytesOfItsType) {
    RegFile file;
    RegKey& key = file.ensureKey(kProgram);
    key.setValue(QStringLiteral("Dir"), RegValue::string(QStringLiteral("a\nb")));
    key.setValue(QStringLiteral("Exp"), RegValue::expandString(QStringLiteral("\t")));
    const QByteArray text = file.serialize();
    EXPECT_TRUE(text.contains("\"Dir\"=hex(1):61,0a,62,00\n"));
    EXPECT_TRUE(text.contains("\"Exp\"=hex(2):09,00\n"));
    EXPECT_TRUE(RegFileParser::parse(text).file);
}

} // namespace
} // namespace quorvel
