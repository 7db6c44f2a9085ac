#include "settings/AsciiCase.h"

#include "base/AsciiFold.h"

namespace quorvel {

bool equalsIgnoringAsciiCase(QStringView a, QStringView b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (foldAsciiCase(a[i].unicode()) != foldAsciiCase(b[i].unicode())) {
            return false;
        }
    }
    return true;
}

} // namespace quorvel
