#pragma once

namespace quorvel {

// The interface keys in the order a language applies them to the windows.
enum class UiKey : int {
    uiAbort,
    uiRecurse,
    uiOnlyDifferent,
    uiCompareThis,
    uiWithThis,
    uiFilter,
    tutorNoMode1,
    tutorNoMode2,
    hintFileFile,
    hintFileDir,
    hintDirDir,
    hintStart,
    hintViewReport,
    hintHelp,
    hintLanguage,
    uiGeneralOptions,
    uiFastCompare,
    uiBrowse,
    uiDirectory,
    uiFiles,
    hintCopyFromLeft,
    hintCopyFromRight,
    uiClose,
    uiPrint,
    uiSave,
    uiFont,
    uiRestore,
    uiReportCaption,
    dlgSaveFilter,
    dlgSaveTitle,
    uiExclude,
    uiBothSides,
    dlgSaveJsonFilter, // the save dialog's third type, after those of dlgSaveFilter
    uiProgress,        // what the progress bar measures, for a screen reader
    uiNames,           // the choice of which names are namesakes, then its four choices
    uiNamesExact,
    uiNamesCase,
    uiNamesUnicode,
    uiNamesCaseUnicode,
    uiMoves,    // files only on one side matched by contents as moved
    uiAnywhere, // the heading's words for contents looked for anywhere in the second tree
};

inline constexpr int kUiKeyCount = 41;

} // namespace quorvel
