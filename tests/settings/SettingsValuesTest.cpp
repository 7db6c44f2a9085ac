#include "support/SettingsFixture.h"

#include "settings/ClosingSettings.h"
#include "settings/ReportWindowSettings.h"

#include <QSaveFile>

#include <climits>

namespace quorvel {
namespace {

const QString kRoot = QStringLiteral("\\Software\\Quorvel");
const QString kName = QStringLiteral("V");

enum class Kind { Integer, Bool, String, Path };

// A value written through the store, the line the file holds for it, and what reads back.
struct WrittenValue {
    const char* name;
    Kind kind;
    std::int32_t number; // Integer and Bool
    QByteArray bytes;    // String (UTF-8) and Path
    QByteArray line;
    QByteArray readBack; // String and Path
};

void PrintTo(const WrittenValue& row, std::ostream* os) {
    *os << row.name;
}

// What the store reads for the value, as its kind reads it.
void expectValue(const SettingsStore& store, Kind kind, std::int32_t number,
                 const QByteArray& readBack) {
    switch (kind) {
    case Kind::Integer:
        EXPECT_EQ(store.readInteger(kName), number);
        break;
    case Kind::Bool:
        EXPECT_EQ(store.readBool(kName), number != 0);
        break;
    case Kind::String:
        EXPECT_EQ(store.readString(kName), QString::fromUtf8(readBack));
        break;
    case Kind::Path:
        EXPECT_EQ(store.readPath(kName), readBack);
        break;
    }
}

class SettingsValues : public SettingsFixture, public ::testing::WithParamInterface<WrittenValue> {
protected:
    static void write(SettingsStore& store, const WrittenValue& row) {
        switch (row.kind) {
        case Kind::Integer:
            store.writeInteger(kName, row.number);
            break;
        case Kind::Bool:
            store.writeBool(kName, row.number != 0);
            break;
        case Kind::String:
            store.writeString(kName, QString::fromUtf8(row.bytes));
            break;
        case Kind::Path:
            store.writePath(kName, row.bytes);
            break;
        }
    }

    static void expectReadBack(const SettingsStore& store, const WrittenValue& row) {
        expectValue(store, row.kind, row.number, row.readBack);
    }
};

TEST_P(SettingsValues, ReadBackFromTheFileAndKeptWhenAnotherValueIsWritten) {
    const WrittenValue& row = GetParam();
    {
        SettingsStore store(path());
        ASSERT_TRUE(store.openKey(kRoot, true));
        write(store, row);
        expectReadBack(store, row);
    }
    const QByteArray expected = kProgramHeader + "\"V\"=" + row.line + "\n";
    EXPECT_EQ(fileBytes(path()), expected);

    SettingsStore store(path());
    ASSERT_TRUE(store.openKey(kRoot, false));
    expectReadBack(store, row);
    store.writeInteger(QStringLiteral("W"), 1);
    store.closeKey();
    EXPECT_EQ(fileBytes(path()), expected + "\"W\"=dword:00000001\n");
}

INSTANTIATE_TEST_SUITE_P(
    EveryType, SettingsValues,
    ::testing::Values(
        WrittenValue{"zero", Kind::Integer, 0, {}, "dword:00000000", {}},
        WrittenValue{"every byte differs", Kind::Integer, 0x12345678, {}, "dword:12345678", {}},
        WrittenValue{"minus one", Kind::Integer, -1, {}, "dword:ffffffff", {}},
        WrittenValue{"lowest", Kind::Integer, INT_MIN, {}, "dword:80000000", {}},
        WrittenValue{"highest", Kind::Integer, INT_MAX, {}, "dword:7fffffff", {}},
        WrittenValue{"true", Kind::Bool, 1, {}, "dword:00000001", {}},
        WrittenValue{"false", Kind::Bool, 0, {}, "dword:00000000", {}},
        WrittenValue{"empty text", Kind::String, 0, "", "\"\"", ""},
        WrittenValue{"quotes and backslashes", Kind::String, 0, "\"a\\\\b\\\"", R"("\"a\\\\b\\\"")",
                     "\"a\\\\b\\\""},
        WrittenValue{"semicolon and brackets", Kind::String, 0, "; [x] = @", R"("; [x] = @")",
                     "; [x] = @"},
        WrittenValue{"not ASCII", Kind::String, 0, "\xc3\xa9\xe2\x82\xac",
                     "\"\xc3\xa9\xe2\x82\xac\"", "\xc3\xa9\xe2\x82\xac"},
        WrittenValue{"tab", Kind::String, 0, "a\tb", "hex(1):61,09,62,00", "a\tb"},
        WrittenValue{"delete character", Kind::String, 0, "\x7f", "hex(1):7f,00", "\x7f"},
        WrittenValue{"unit separator", Kind::String, 0, "\x1f", "hex(1):1f,00", "\x1f"},
        WrittenValue{"space only", Kind::String, 0, " ", "\" \"", " "},
        WrittenValue{"ends at its NUL", Kind::String, 0, QByteArray("ab\0c", 4),
                     "hex(1):61,62,00,63,00", "ab"},
        WrittenValue{"NUL first", Kind::String, 0, QByteArray("\0c", 2), "hex(1):00,63,00", ""},
        WrittenValue{"long text wraps", Kind::String, 0, QByteArray(25, 'a') + "\n",
                     "hex(1):61,61,61,61,61,61,61,61,61,61,61,61,61,61,61,61,61,61,61,61,61,"
                     "61,61,61,61,\\\n  0a,00",
                     QByteArray(25, 'a') + "\n"},
        WrittenValue{"UTF-8 path", Kind::Path, 0, "/home/\xc3\xa9t\xc3\xa9",
                     "\"/home/\xc3\xa9t\xc3\xa9\"", "/home/\xc3\xa9t\xc3\xa9"},
        WrittenValue{"path in another encoding", Kind::Path, 0, "/d\xe9j\xe0",
                     "hex(1):2f,64,e9,6a,e0", "/d\xe9j\xe0"},
        WrittenValue{"path with a line break", Kind::Path, 0, "/a\nb", "hex(1):2f,61,0a,62,00",
                     "/a\nb"},
        WrittenValue{"path with a NUL", Kind::Path, 0, QByteArray("/a\0b", 4), "hex(1):2f,61,00,62",
                     "/a"}),
    [](const auto& info) {
        std::string name = info.param.name;
        for (char& c : name) {
            c = std::isalnum(static_cast<unsigned char>(c)) != 0 ? c : '_';
        }
        return name;
    });

// Values another program wrote in the forms the file allows, and what each reads as.
struct StoredValue {
    const char* name;
    Kind kind;
    QByteArray line;
    std::int32_t number;
    QByteArray readBack;
};

using StoredValues = SettingsFixture;

TEST_F(StoredValues, ReadAsTheRegistryWouldGiveThem) {
    const StoredValue rows[] = {
        {"integer as bytes, low first", Kind::Integer, "hex(4):04,03,02,01", 0x01020304, {}},
        {"integer as bytes, all high", Kind::Integer, "hex(4):ff,ff,ff,ff", -1, {}},
        {"integer as bytes, top bit", Kind::Integer, "hex(4):00,00,00,80", INT_MIN, {}},
        {"integer as bytes, high low byte", Kind::Integer, "hex(4):80,00,00,00", 128, {}},
        {"capital hex digits", Kind::Integer, "dword:7FFFFFFF", INT_MAX, {}},
        {"capital hex bytes", Kind::Integer, "hex(4):FE,FF,FF,FF", -2, {}},
        {"bool as bytes", Kind::Bool, "hex(4):00,01,00,00", 1, {}},
        {"bool zero as bytes", Kind::Bool, "hex(4):00,00,00,00", 0, {}},
        {"blanks around", Kind::Integer, "  dword:0000000a  ", 10, {}},
        {"text as bytes", Kind::String, "hex(1):61,62", 0, "ab"},
        {"text as bytes up to NUL", Kind::String, "hex(1):61,00,62,00", 0, "a"},
        {"text as bytes, NUL first", Kind::String, "hex(1):00,62", 0, ""},
        {"text as bytes, one NUL", Kind::String, "hex(1):00", 0, ""},
        {"expandable as bytes", Kind::String, "hex(2):25,41,25,00", 0, "%A%"},
        {"text over two lines", Kind::String, "hex(1):61,\\\n  62,63,00", 0, "abc"},
        {"escaped quote", Kind::String, R"("a\"b")", 0, "a\"b"},
        {"escaped backslash", Kind::String, R"("a\\b")", 0, "a\\b"},
        {"path as bytes", Kind::Path, "hex(1):2f,ff,00,2f", 0, "/\xff"},
        {"path as bytes, NUL first", Kind::Path, "hex(1):00,2f,ff", 0, ""},
        {"path as text", Kind::Path, "\"/x y\"", 0, "/x y"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        writeSettings("\"V\"=" + row.line + "\n");
        SettingsStore store(path());
        ASSERT_TRUE(store.openKey(kRoot, false));
        expectValue(store, row.kind, row.number, row.readBack);
    }
}

TEST_F(StoredValues, ValuesOfEveryOtherTypeAreWrittenBackAsTheyWere) {
    const QByteArray values = "\"Multi\"=hex(7):61,00,00,00\n"
                              "\"Big\"=hex(20):01,02\n"
                              "\"Highest\"=hex(ffffffff):\n"
                              "\"Qword\"=hex(b):01,00,00,00,00,00,00,00\n"
                              "\"Binary\"=hex:ff\n"
                              "\"Expand\"=str(2):\"%HOME%\"\n"
                              "@=\"default\"\n";
    writeSettings(values);
    SettingsStore store(path());
    ASSERT_TRUE(store.openKey(kRoot, false));
    store.writeInteger(QStringLiteral("W"), 1);
    store.closeKey();
    EXPECT_EQ(fileBytes(path()), kProgramHeader + values + "\"W\"=dword:00000001\n");
}

// Never saved is what the next start would refuse to read: the file stays as it was.
TEST_F(StoredValues, AValueTheNextStartCouldNotReadIsNotSaved) {
    const struct {
        const char* name;
        int values;
        qsizetype length;
    } rows[] = {
        {"a line longer than any value of ours", 1, 70 * 1024},
        {"a file larger than a settings file", 20, 60 * 1024},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        writeSettings("\"A\"=dword:00000001\n");
        const QByteArray before = fileBytes(path());
        SettingsStore store(path());
        ASSERT_TRUE(store.openKey(kRoot, false));
        bool refused = false;
        for (int i = 0; i < row.values && !refused; ++i) {
            try {
                store.writeString(QStringLiteral("Long%1").arg(i), QString(row.length, u'x'));
            } catch (const SettingsError&) {
                refused = true;
            }
        }
        store.closeKey();
        EXPECT_TRUE(refused);
        if (row.values == 1) {
            EXPECT_EQ(fileBytes(path()), before);
        }
        SettingsStore next(path());
        ASSERT_TRUE(next.openKey(kRoot, false));
        EXPECT_EQ(next.readInteger(QStringLiteral("A")), 1);
        EXPECT_FALSE(next.takeDamage()) << "what was saved reads whole";
    }
}

using SettingsBatch = SettingsFixture;

TEST_F(SettingsBatch, AnEndedBatchLeavesNoKeyOpenAndTheFileFreeForOthers) {
    const struct {
        const char* name;
        bool commit;
        bool saves;
    } rows[] = {{"committed", true, true}, {"dropped", false, true}, {"not saved", true, false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        SettingsStore store(path());
        if (!row.saves) {
            store.setCommitStep([](QSaveFile&) { return false; });
        }
        ASSERT_TRUE(store.openKey(kRoot, true));
        {
            SettingsStore::Batch batch(store);
            store.writeInteger(QStringLiteral("A"), 7);
            if (row.commit && row.saves) {
                batch.commit();
            } else if (row.commit) {
                expectSettingsError([&] { batch.commit(); }, "Failed to set data for 'A'");
            }
        }
        EXPECT_FALSE(store.valueExists(QStringLiteral("A"))) << "no key is open";
        // The next batch that is not saved names its own first value, not one of this batch.
        store.setCommitStep([](QSaveFile&) { return false; });
        ASSERT_TRUE(store.openKey(kRoot, true));
        {
            SettingsStore::Batch batch(store);
            store.writeInteger(QStringLiteral("C"), 9);
            expectSettingsError([&] { batch.commit(); }, "Failed to set data for 'C'");
        }

        const bool kept = row.commit && row.saves;
        SettingsStore other(path());
        other.setLockTimeout(std::chrono::milliseconds(0));
        ASSERT_TRUE(other.openKey(kRoot, true));
        EXPECT_EQ(other.valueExists(QStringLiteral("A")), kept);
        other.writeInteger(QStringLiteral("B"), 8);
        other.closeKey();
        EXPECT_EQ(fileBytes(path()), kProgramHeader + (kept ? "\"A\"=dword:00000007\n" : "") +
                                         "\"B\"=dword:00000008\n");
        QFile::remove(path());
    }
}

// Every piece of the report font and the window bounds, each away from its default, comes back.
TEST_F(SettingsBatch, ClosingSettingsComeBackAsTheReportWindowReadsThem) {
    ClosingSettings written;
    written.reportWindow = {-7, 9, 640, 480};
    ReportFont& font = written.reportFont;
    font.color = 0x80000005;
    font.setSize(13, ReportFont::kDefaultPixelsPerInch);
    font.name = QStringLiteral("Caf\u00e9 \"Mono\"");
    for (const int flags : {0b0101, 0b1010, 0b1111}) {
        SCOPED_TRACE(flags);
        font.bold = (flags & 1) != 0;
        font.italic = (flags & 2) != 0;
        font.underline = (flags & 4) != 0;
        font.strikeOut = (flags & 8) != 0;
        {
            SettingsStore store(path());
            writeClosingSettings(store, written);
        }
        SettingsStore store(path());
        const ReportWindowSettings read = readReportWindowSettings(store);
        EXPECT_EQ(read.font, font);
        EXPECT_EQ(read.top, -7);
        EXPECT_EQ(read.left, 9);
        EXPECT_EQ(read.width, 640);
        EXPECT_EQ(read.height, 480);
    }
}

} // namespace
} // namespace quorvel
