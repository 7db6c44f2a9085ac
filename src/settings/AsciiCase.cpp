#include "settings/AsciiCase.h"

namespace quorvel {

namespace {

char16_t foldAscii(char16_t c) {
    return (c >= u'A' && c <= u'Z') ? char16_t(c - u'A' + u'a') : c;
}

} // namespace

bool equalsIgnoringAsciiCase(QStringView a, QStringView b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (foldAscii(a[i].unicode()) != foldAscii(b[i].unicode())) {
            return false;
        }
    }
    return true;
}

} // namespace quorvel
