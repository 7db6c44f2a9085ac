// Any bytes given to the settings file reader: what it accepts, written out and read again, holds
// the same keys and values, and writing that again gives the same bytes.
#include "fuzz/FuzzCheck.h"
#include "settings/RegFile.h"
#include "settings/RegFileParser.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>

using namespace quorvel;
using quorvel::fuzz::check;

namespace {

// A string that cannot stand on one line is written as the bytes of its type, NUL-terminated.
bool sameValue(const RegValue& read, const RegValue& reread) {
    if (read == reread) {
        return true;
    }
    const bool isText =
        read.form == RegValue::Form::String || read.form == RegValue::Form::ExpandString;
    return isText && reread.form == RegValue::Form::Hex && reread.hexType == read.type() &&
           reread.bytes == read.text.toUtf8() + '\0';
}

bool sameEntry(const RegKey::Entry& read, const RegKey::Entry& reread) {
    if (read.isComment || reread.isComment) {
        return read.isComment == reread.isComment && read.comment == reread.comment;
    }
    return read.name == reread.name && sameValue(read.value, reread.value);
}

bool sameKeys(const RegFile& read, const RegFile& reread) {
    if (read.keys().size() != reread.keys().size()) {
        return false;
    }
    for (std::size_t k = 0; k < read.keys().size(); ++k) {
        const RegKey& a = read.keys()[k];
        const RegKey& b = reread.keys()[k];
        if (a.path() != b.path() || a.entries().size() != b.entries().size()) {
            return false;
        }
        for (std::size_t e = 0; e < a.entries().size(); ++e) {
            if (!sameEntry(a.entries()[e], b.entries()[e])) {
                return false;
            }
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const RegParseResult first = RegFileParser::parse(bytes);
    check(first.file.has_value() == first.problem.isEmpty(), "a rejected file says why");
    if (!first.file) {
        return 0;
    }
    const QByteArray written = first.file->serialize();
    const RegParseResult second = RegFileParser::parse(written);
    check(second.file.has_value(), "what the reader accepted and wrote out is read again");
    check(sameKeys(*first.file, *second.file), "the same keys and values after writing");
    check(second.file->serialize() == written, "writing what was read back gives the same bytes");
    return 0;
}
