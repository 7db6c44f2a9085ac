#pragma once

namespace quorvel {

// The message keys in table order; LanguageStrings is filled in this order.
enum class MessageKey : int {
    msgEqual,
    msgNotFoundIn2nd,
    msgErrorReading1st,
    msgDifferentContents,
    msgFirstTruncated,
    msgSecondTruncated,
    msgFileInterrupted,
    msgEqualMaybe,
    msgDifferentSize,
    msgRunInterrupted,
    msgRunFinished,
    txtCompared,
    txtFiles,
    txtEqual,
    txtDifferent,
    askViewReportInterrupted,
    capMessage,
    askViewReportFinished,
    hdrDirCompare,
    hdrWithDir,
    errSelectTwoFiles,
    capError,
    hdrFileCompare,
    hdrWithFile,
    errSelectLeftFile,
    hdrSomeFilesOf,
    hdrWithNamesakesOf,
    tutorFileFile1,
    tutorFileFile2,
    tutorFileDir1,
    tutorFileDir2,
    tutorDirDir1,
    tutorDirDir2,
    askRestoreFont,
    errNoMode,
    txtMaybe,
    txtComputingTotal,
    txtReportTitle,
    txtChooseLanguage,
    txtLanguageName,
    txtLanguageCode,
    txtChooseDirectory,
    errInvalidDirectory,
    errHelpNotFound,
    errSettingsDamaged,
    txtSettingsFile,
    askStartWithoutValue,
    errNoHtmlProgram,
    errOperandUnreadable,
    errOperandNotFileOrDirectory,
    errOperandsMismatched,
    msgNotFoundIn1st,
    txtRateAndTimeLeft, // %1 the bytes a second, %2 the time left
    hdrManifestCompare,
    hdrWithManifest,
    txtManifestTaken,    // before a manifest's date and tree in the heading
    errSettingsUnusable, // then the file and the system's reason, a line each
    errSettingsNotSaved,
    msgNameCollision, // a name that shares its key with others, paired with none
    msgMovedTo,       // then the path the file moved to
    msgPresentAs,     // then the path in the second tree that holds the same contents
    msgMissing,       // contents found nowhere in the second tree
};

inline constexpr int kMessageKeyCount = 62;

} // namespace quorvel
