// quorvel-compare: the comparison engine without a window, for scripts, tests and benchmarks.

#include "cli/CommandLine.h"
#include "cli/InterruptSignal.h"
#include "cli/JsonRunObserver.h"
#include "cli/ManifestInTree.h"
#include "cli/ManifestOperands.h"
#include "cli/ManifestTaking.h"
#include "cli/NothingCompared.h"
#include "cli/OutputTarget.h"
#include "cli/PatternFile.h"
#include "cli/ReportOutput.h"
#include "cli/RunObserverFanOut.h"
#include "cli/StreamedOutput.h"
#include "cli/StreamedReport.h"
#include "cli/TerminalRunView.h"
#include "engine/ComparisonRun.h"
#include "engine/ContainmentRun.h"
#include "engine/CurrentDirectory.h"
#include "engine/LexicalPath.h"
#include "engine/ManifestComparison.h"
#include "engine/PosixFileAccess.h"
#include "engine/RunDriver.h"
#include "engine/RunPlan.h"
#include "lang/LanguageStrings.h"
#include "lang/LanguageTable.h"
#include "manifest/ManifestReader.h"
#include "report/AtomicFileWriter.h"
#include "report/DescriptorPath.h"
#include "report/FileWriteError.h"
#include "report/JsonReportWriter.h"
#include "report/Report.h"
#include "report/ReportHtmlWriter.h"
#include "report/ReportLineFormat.h"
#include "report/ReportRecorder.h"
#include "report/ReportTextWriter.h"

#include <algorithm>
#include <cerrno>
#include <clocale>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <functional>
#include <memory>
#include <new>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

using namespace quorvel;

constexpr int kExitDifferent = 1;
constexpr int kExitTrouble = 2;
constexpr int kExitInterrupted = 130;
// Hashing threads beyond this gain little: the reads wait for the same disk.
constexpr unsigned kManifestWorkers = 4;

const char* const kUsageHead =
    R"(Usage: quorvel-compare [OPTIONS] LEFT RIGHT
       quorvel-compare [OPTIONS] FILE... DIRECTORY
       quorvel-compare [OPTIONS] --manifest MANIFEST TREE
Compare two directory trees, two files, or files of one directory with their
namesakes in another directory, and print the report.

)";

// After the comparison's options.
const char* const kUsageTail =
    R"(  --lang CODE         report language: eng, ita, ned, deu, dk or esp (default eng)
  --text FILE         also save the report as a text file (CR LF line ends);
                      with '-' it goes to standard output instead of the report
  --html FILE         also save the report as an HTML page
  --json FILE         also save a report for scripts (JSON Lines, every pair
                      compared); with '-' it goes to standard output instead
                      of the report
  --manifest FILE     write the manifest of the one directory given (every
                      file with its size, time and hash) to FILE, '-' for
                      standard output; compare with it later by naming FILE
                      in place of a directory
  --force             let --manifest replace an existing FILE
  --left-manifest     read the first operand as a manifest, whatever its name
                      (also a FIFO)
  --right-manifest    read the second operand as a manifest, whatever its name
  --progress          show progress on standard error: in directory mode the
                      share done, bytes, reading rate and time left
  --no-progress       never show progress
  -q, --quiet         do not print the report on standard output
      --help          show this help and exit
      --version       show the version and exit

A file or directory that cannot be read (permission, input/output error, a
link that leads nowhere or in a loop) keeps its line in the report and is also
named on standard error, as "quorvel-compare: PATH: REASON"; a file missing in
the second directory is only a difference.

Either directory may be a manifest written with --manifest, recognised by its
first line or by the name ending .qvm; '-' reads one from standard input and
<(ssh HOST quorvel-compare --manifest - DIR) from a pipe. The tree is read and
hashed where it is, the manifest side is taken from the file, under the
filter, exclusions and recursion the manifest was taken with unless others are
given. Different sizes are a different size; equal sizes are compared by hash,
and a file that changed size while it was read is reported as different
contents (a hash cannot tell which is the shorter start). A damaged manifest
(also a .qvm that is empty or cut short) is named with its line and nothing is
compared. A manifest inside the tree it is compared with, or written of, is
left out of it.

Exit status: 0 all compared files equal, 1 some differ, 2 trouble (also a
file or directory that could not be read, a report file that cannot be written,
or nothing compared at all), 130 interrupted.
)";

int usageFailure(const std::string& message) {
    std::fprintf(stderr, "quorvel-compare: %s\n", message.c_str());
    std::fprintf(stderr, "Try 'quorvel-compare --help' for more information.\n");
    return kExitTrouble;
}

bool anyRelative(const std::vector<std::string>& paths) {
    return std::any_of(paths.begin(), paths.end(),
                       [](const std::string& p) { return p.empty() || p.front() != '/'; });
}

// Runs one export; a failure is told on standard error and reported as false.
bool exportReport(const std::string& path, const std::function<void()>& write) {
    try {
        write();
        return true;
    } catch (const FileWriteError& error) {
        std::fprintf(stderr, "quorvel-compare: cannot write '%s': %s\n", path.c_str(),
                     error.what());
        return false;
    }
}

// A word as a POSIX shell reads it back, quoted only when it has to be.
std::string shellWord(const std::string& word) {
    if (!word.empty() && word.find_first_not_of("abcdefghijklmnopqrstuvwxyz"
                                                "ABCDEFGHIJKLMNOPQRSTUVWXYZ"
                                                "0123456789_-./,:+=@%") == std::string::npos) {
        return word;
    }
    std::string quoted = "'";
    for (const char c : word) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

// A manifest typed where a comparison was meant must not be lost: an existing file is replaced
// only when asked to.
bool manifestTargetRefused(const CommandLine& cl) {
    const auto& target = *cl.manifestFile;
    struct stat st {};
    if (cl.force || target == "-" || descriptorNamedBy(target) ||
        ::lstat(target.c_str(), &st) != 0) {
        return false;
    }
    const auto& tree = cl.paths.front();
    std::fprintf(stderr,
                 "quorvel-compare: '%s' exists; to compare %s with it: quorvel-compare %s %s; to "
                 "replace it: --force\n",
                 target.c_str(), tree.c_str(), shellWord(target).c_str(), shellWord(tree).c_str());
    return true;
}

int writeManifest(const CommandLine& cl, const std::optional<std::string>& here,
                  bool showProgress) {
    const auto& tree = cl.paths.front();
    std::string error;
    const auto treePath = treeOperand(tree, here.value_or("/"), error);
    if (!treePath) {
        std::fprintf(stderr, "quorvel-compare: %s\n", error.c_str());
        return kExitTrouble;
    }
    if (manifestTargetRefused(cl)) {
        return kExitTrouble;
    }
    TerminalRunView view(showProgress, false, stderr);
    view.setInterruptCheck(interruptReceived);
    watchInterruptSignal();
    PosixFileAccess files;
    const auto& target = *cl.manifestFile;
    const ManifestInTree self(*treePath, target == "-" ? "/dev/stdout" : target,
                              here.value_or("/"));
    const auto taken = takeManifest(
        files, [] { return std::make_unique<PosixFileAccess>(); },
        ParallelHasher::workersFor(kManifestWorkers), tree, *treePath, cl.options, view,
        [&self](std::string_view path) { return self.leavesOut(path); });
    if (taken.interrupted) {
        return kExitInterrupted; // nothing written: half a manifest would pass for a tree
    }
    if (target == "-") {
        const auto output = ReportOutput(STDOUT_FILENO).printText(taken.text);
        if (output.outcome == ReportOutput::Outcome::Failed) {
            std::fprintf(stderr, "quorvel-compare: cannot write the manifest: %s\n",
                         std::strerror(output.errorCode));
            return kExitTrouble;
        }
    } else if (!exportReport(target, [&] {
                   if (cl.force) {
                       AtomicFileWriter().replace(target, taken.text);
                   } else {
                       AtomicFileWriter().create(target, taken.text);
                   }
               })) {
        return kExitTrouble;
    }
    return taken.troubled ? kExitTrouble : 0;
}

} // namespace

namespace {

int runCompanion(int argc, char** argv) {
    // A closed output is an error of a write, not the end of the process: the exports still
    // have to be written.
    std::signal(SIGPIPE, SIG_IGN);
    const auto parsed = parseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed.commandLine) {
        return usageFailure(parsed.error);
    }
    auto cl = *parsed.commandLine;
    if (cl.help || cl.version) {
        // Text that reached nobody (a full disk) is no success; a reader that stopped early is.
        const auto output = ReportOutput(STDOUT_FILENO)
                                .printText(cl.help ? kUsageHead + optionUsage() + kUsageTail
                                                   : std::string("quorvel-compare 2.1\n"));
        if (output.outcome == ReportOutput::Outcome::Failed) {
            std::fprintf(stderr, "quorvel-compare: cannot write to standard output: %s\n",
                         std::strerror(output.errorCode));
            return kExitTrouble;
        }
        return 0;
    }
    const auto here = currentDirectory();
    if (!here && anyRelative(cl.paths)) {
        std::fprintf(stderr, "quorvel-compare: cannot get the current directory: %s\n",
                     std::strerror(errno));
        return kExitTrouble;
    }
    for (const auto& file : cl.excludeFiles) {
        const auto read = readPatternFile(file);
        if (read.errorCode != 0) {
            std::fprintf(stderr, "quorvel-compare: cannot read '%s': %s\n", file.c_str(),
                         std::strerror(read.errorCode));
            return kExitTrouble;
        }
        if (const auto error = pathPatternError(read.patterns)) {
            return usageFailure(file + ": " + *error);
        }
        if (!read.patterns.empty()) {
            cl.options.exclusions +=
                cl.options.exclusions.empty() ? read.patterns : ";" + read.patterns;
        }
    }
    // Checked before the run, each of them: a folder that is not there must not cost an hour's
    // work.
    bool targetsUsable = true;
    for (const auto* target : {&cl.textFile, &cl.htmlFile, &cl.jsonFile, &cl.manifestFile}) {
        if (*target) {
            if (const int problem = outputTargetProblem(**target)) {
                std::fprintf(stderr, "quorvel-compare: cannot write '%s': %s\n", (*target)->c_str(),
                             std::strerror(problem));
                targetsUsable = false;
            }
        }
    }
    if (!targetsUsable) {
        return kExitTrouble;
    }
    const bool showProgress = cl.progress == CommandLine::Progress::On ||
                              (cl.progress == CommandLine::Progress::Auto && ::isatty(2));
    if (cl.manifestFile) {
        return writeManifest(cl, here, showProgress);
    }
    auto read =
        readManifestOperands(cl.paths, cl.leftManifest, cl.rightManifest, here.value_or("/"));
    if (read.error) {
        if (read.usageError) {
            return usageFailure(*read.error);
        }
        std::fprintf(stderr, "quorvel-compare: %s\n", read.error->c_str());
        return kExitTrouble;
    }
    auto& manifests = read.operands;
    const bool withManifest = read.withManifest;
    if (withManifest && cl.options.names != NameRule::Exact) {
        return usageFailure("option '--names' matches names exactly when a side is a manifest");
    }
    if (withManifest && cl.options.anywhere) {
        return usageFailure("option '--anywhere' looks into both trees: neither side may be a "
                            "manifest");
    }
    CompareOptions options = cl.options;
    if (const auto differ = takeManifestOptions(manifests, cl.typed(&CompareOptions::filter),
                                                cl.typed(&CompareOptions::exclusions),
                                                cl.typed(&CompareOptions::recurse), options)) {
        std::fprintf(stderr, "quorvel-compare: %s\n", differ->c_str());
        return kExitTrouble;
    }
    PlannedRun planned;
    if (withManifest) {
        planned.plan = RunPlan{};
        planned.plan->mode = CompareMode::DirectoryWithDirectory;
        planned.plan->leftDirectory = manifests.leftPath;
        planned.plan->rightDirectory = manifests.rightPath;
    } else {
        planned = planRun(cl.paths, here.value_or("/"));
    }
    if (!planned.plan) {
        if (planned.usageError) {
            return usageFailure(planned.error);
        }
        std::fprintf(stderr, "quorvel-compare: %s\n", planned.error.c_str());
        return kExitTrouble;
    }

    // Sizes use the decimal separator of the user's locale.
    std::setlocale(LC_ALL, "");
    const std::string decimalSeparator = localeDecimalSeparator();

    const LanguageId currentLanguage = cl.language;
    LanguageStrings strings;
    strings.fillFrom(currentLanguage);
    auto& plan = *planned.plan;
    if (!cl.directoryOption.empty() && plan.mode != CompareMode::DirectoryWithDirectory) {
        return usageFailure("option '" + cl.directoryOption + "' compares two directories");
    }
    if (plan.mode == CompareMode::FileWithFile && cl.options.names != NameRule::Exact) {
        return usageFailure("option '--names' pairs files with their namesakes in a directory");
    }
    RunRequest request;
    request.mode = plan.mode;
    request.leftDirectory = std::move(plan.leftDirectory);
    request.rightDirectory = std::move(plan.rightDirectory);
    request.leftNames = std::move(plan.leftNames);
    request.rightName = std::move(plan.rightName);
    request.options = options;
    // Both sides unless told otherwise: a file the second tree lacks and one only it holds are
    // both differences a script must hear of. Containment lists the first tree's files only.
    if (plan.mode == CompareMode::DirectoryWithDirectory && !cl.typed(&CompareOptions::bothSides) &&
        !options.anywhere) {
        request.options.bothSides = true;
    }
    const bool directories = request.mode == CompareMode::DirectoryWithDirectory;
    TerminalRunView view(showProgress, directories, stderr, decimalSeparator);
    JsonReportWriter json(request);
    JsonRunObserver jsonObserver(json);
    std::vector<RunObserver*> observers{&view};
    if (cl.jsonFile) {
        observers.push_back(&jsonObserver);
    }
    RunObserverFanOut observer(std::move(observers));
    // Standard output gets its report as the run makes it, in memory that does not grow with the
    // tree; a report is kept whole only for the files to save.
    const bool jsonToOutput = cl.jsonFile && *cl.jsonFile == "-";
    const bool textToOutput = cl.textFile && *cl.textFile == "-";
    StreamedOutput stdOut{ReportOutput(STDOUT_FILENO)};
    Report report;
    ReportRecorder kept(report, strings, decimalSeparator);
    const bool keepReport = (cl.textFile && !textToOutput) || cl.htmlFile;
    std::optional<StreamedReport> streamed;
    if ((!cl.quiet || textToOutput) && !jsonToOutput) {
        streamed.emplace(strings, decimalSeparator, stdOut, textToOutput ? "\r\n" : "\n",
                         keepReport ? &kept : nullptr);
    }
    RunRecord& recorder = streamed ? static_cast<RunRecord&>(*streamed) : kept;
    if (jsonToOutput) {
        json.streamTo([&stdOut](std::string_view lines) { stdOut.write(lines); });
    }
    PosixFileAccess files;
    ComparisonRun run(observer, recorder, files);
    ManifestComparison manifestRun(observer, recorder, files);
    ContainmentRun containment(observer, recorder, files);
    view.setInterruptCheck([&stdOut] {
        // A line made a while ago reaches its reader while a long pair is read.
        stdOut.flushIfDue();
        return interruptReceived();
    });
    watchInterruptSignal();

    RunStages stages;
    if (withManifest) {
        manifestRun.begin(request, {manifests.leftPath, manifests.left.get(), manifests.leftOut},
                          {manifests.rightPath, manifests.right.get(), manifests.leftOut});
        stages.sumSizes = true; // read from the manifest: no walk
    } else {
        if (request.options.anywhere) {
            containment.begin(request);
        } else {
            run.begin(request);
        }
        // The total only feeds the progress shown: unseen, its pass over the first tree is saved.
        stages.sumSizes = directories && showProgress;
        stages.sizing = [&] { view.showStatus(strings.text(MessageKey::txtComputingTotal)); };
        stages.sized = [&] { view.showStatus(""); };
    }
    RunSteps& steps = withManifest               ? static_cast<RunSteps&>(manifestRun)
                      : request.options.anywhere ? static_cast<RunSteps&>(containment)
                                                 : run;
    driveRun(steps, stages);
    const RunState& state = steps.state();

    // Written in full, or it is trouble; a reader that stopped early (`| head`) is told nothing.
    bool printed = true;
    {
        stdOut.flush();
        const auto output = stdOut.result();
        if (output.outcome == ReportOutput::Outcome::Failed) {
            std::fprintf(stderr,
                         "quorvel-compare: cannot write the report to standard output: %s\n",
                         std::strerror(output.errorCode));
            printed = false;
        }
    }
    // Each export is tried even when an earlier output failed.
    bool exported = true;
    if (cl.textFile && !textToOutput) {
        exported &= exportReport(*cl.textFile, [&] { writeReportText(report, *cl.textFile); });
    }
    if (cl.htmlFile) {
        exported &= exportReport(*cl.htmlFile, [&] {
            writeReportHtml(report, *cl.htmlFile, strings, std::time(nullptr));
        });
    }
    if (cl.jsonFile && !jsonToOutput) {
        exported &= exportReport(*cl.jsonFile,
                                 [&] { AtomicFileWriter().replace(*cl.jsonFile, json.text()); });
    }
    if (!printed || !exported) {
        return kExitTrouble;
    }
    // An interrupt that came once the run had finished cut nothing short.
    if (state.runInterrupted) {
        return kExitInterrupted;
    }
    if (view.hadReadProblems()) {
        return kExitTrouble;
    }
    if (state.counters.filesCompared == 0) {
        // Nothing checked is no "all equal": an empty backup or a filter that matches nothing.
        const auto empty = [&files](const Manifest* manifest, const std::string& directory) {
            if (manifest != nullptr) {
                return manifest->entries.size() == 0;
            }
            const auto listing = files.listNames(directory);
            return listing.entries && listing.entries->empty();
        };
        const bool leftEmpty = empty(manifests.left.get(), request.leftDirectory);
        const bool rightEmpty = empty(manifests.right.get(), request.rightDirectory);
        std::fprintf(stderr, "quorvel-compare: nothing was compared: %s\n",
                     nothingComparedReason(leftEmpty, rightEmpty, state.options).c_str());
        return kExitTrouble;
    }
    return state.counters.differentCount > 0 ? kExitDifferent : 0;
}

} // namespace

int main(int argc, char** argv) {
    try {
        return runCompanion(argc, argv);
    } catch (const std::bad_alloc&) {
        // Too little memory for the run itself: trouble, said once, never an abort's core.
        std::fputs("quorvel-compare: out of memory\n", stderr);
        return kExitTrouble;
    }
}
