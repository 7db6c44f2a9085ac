// Writes the closing settings of one made-up session, so that tests can run several program
// instances at once or kill one in the middle of a save.
//
//   reliability_settings_writer FILE VALUE TIMES [--killed-before-rename]

#include "settings/ClosingSettings.h"
#include "settings/SettingsStore.h"
#include "support/SettingsSample.h"

#include <QSaveFile>
#include <QString>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <exception>

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s FILE VALUE TIMES [--killed-before-rename]\n", argv[0]);
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    const int value = std::atoi(argv[2]);
    const int times = std::atoi(argv[3]);
    const bool killed = argc > 4 && std::strcmp(argv[4], "--killed-before-rename") == 0;
    try {
        for (int i = 0; i < times; ++i) {
            quorvel::SettingsStore store(path);
            if (killed) {
                // The new file is complete; the process dies before it takes the old one's place.
                store.setCommitStep([](QSaveFile&) {
                    std::raise(SIGKILL);
                    return false;
                });
            }
            quorvel::writeClosingSettings(store, quorvel::test::sampleSettings(value));
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
