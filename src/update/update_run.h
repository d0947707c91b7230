#pragma once
// The rules of the question-bank update: the endpoint's addresses, the update list and its
// entries, where each listed file lives here and on the endpoint, which names are refused, and
// which entries an accepted run fetches.

#include <QString>
#include <QStringList>
#include <QUrl>
#include <array>
#include <functional>
#include <optional>
#include <vector>

namespace update {

// The stamp of a local file that does not exist: older than any stamp beginning with "20".
inline const QString MissingFileStamp = QStringLiteral("190011011030");

// The update endpoint's address (scheme, host, port): the environment variable
// TALVESK_UPDATE_URL, empty when unset (then the updater asks nothing of the network).
QString updateEndpoint();

// The data folder's name: dataDir without appPath and without separators ("data"); empty when
// dataDir is not one plain folder directly inside appPath (a data folder the configuration load
// refused).
QString dataFolderName(const QString& appPath, const QString& dataDir);
// An address of the endpoint: the endpoint as it stands (a trailing "/" is not doubled), then
// the path below it in GBK, percent-encoded where a URL needs it.
QUrl endpointUrl(const QString& endpoint, const QString& path);
// The folder of the module's files on the endpoint: "/up/pelor/" & moduleName & "/".
QString updateBasePath(const QString& moduleName);
// The list: the module's folder & dataFolder & "/288895.txt".
QUrl listUrl(const QString& endpoint, const QString& moduleName, const QString& dataFolder);
// "/up/ad/" & serverFolderTag & "/170100.rar".
QUrl announcementUrl(const QString& endpoint, const QString& serverFolderTag);

// folder & "/" & relative (either side may bring its own separator; "\" counts as one).
QString joinPath(const QString& folder, const QString& relative);

// The list's stamp: its first twelve characters without surrounding spaces, when the answer is a
// list (begins with "20"); nothing for a time-out text, an error page or an empty answer.
std::optional<QString> listStamp(const QString& answer);

// One entry line of the list: the trimmed line when it does not begin with "20" and is longer
// than 18 characters.
struct Entry {
    QChar type;
    QString stamp; // characters 2-13
    QString name;  // from character 14: the relative name, "\" between folders
};
std::optional<Entry> parseEntry(const QString& line);

// The folder of an entry below the installation ("data\", "ksdata\", "examdata\", ""); any other
// letter keeps the folder of the entry before it.
QString entryFolder(QChar type, const QString& dataFolder, const QString& previous);
// The local name: ".mxy" appended when the name has no ".".
QString localName(const QString& name);
// The name on the endpoint: ".rar" appended when the name has no "."; otherwise its last four
// characters replaced by ".rar" (abc.mxy -> abc.rar, page.html -> page..rar).
QString serverName(const QString& name);

// The most an update transfer may bring, in bytes: the list (its fetch and its copy) and the
// announcement, 1 MiB (some 35 000 entries); one listed file, 16 MiB (a full-screen picture
// saved as an uncompressed bitmap is 2 to 9 MB, a bank's step file of 500 questions about 2 MB).
// The environment variables TALVESK_UPDATE_LIST_MAX_BYTES and TALVESK_UPDATE_FILE_MAX_BYTES set
// others.
qint64 listMaxBytes();
qint64 fileMaxBytes();

// What one accepted run may do, from the candidate's yes: fetch 2 000 listed files and take 20
// minutes (the environment variables TALVESK_UPDATE_RUN_MAX_FILES and TALVESK_UPDATE_RUN_MAX_MS
// set others). A run stopped there keeps the bank version, so the next one fetches the rest.
int runMaxFiles();
qint64 runMaxMs();

// A relative name that stays inside its folder and that every file system of the installations
// can hold: parts separated by "\" or "/", none empty, "." or "..", no leading separator, none
// of <>:"|?*, no control character, every character a GBK one.
bool isSafeName(const QString& name);
// Content that runs as code: the program's own executable, the external updater, and any
// ".exe", ".dll" or ".so" file, also with a version after it (".so.1", ".so.1.2").
bool isExecutableContent(const QString& localName, const QString& exeName);
// A body that is a program by its content: an ELF file, a PE file ("MZ", and "PE\0\0" where
// its header says; an "MZ" file whose header lies beyond `head` counts as one), a "#!" script.
bool isProgramContent(const QByteArray& head);
// The executable's file name as the list names it: the base name & ".exe", a doubled ".exe.exe"
// reduced to one.
QString executableFileName(const QString& baseName);

// The local file's last-modified minute as "YYYYMMDDHHMM", or MissingFileStamp.
QString fileStamp(const QString& path);

// Where an accepted run stands and what it may fetch.
struct RunPlace {
    QString appPath;
    QString dataFolder;
    QString endpoint;
    QString moduleName;
    QString exeName;
    bool secure = false; // the endpoint is https: code may be fetched
};

// The run takes a file only in or below the data folder, "examdata" or "ksdata", or as one of
// the installation's own top-level files ("ver.txt", "sMenu.sys", the pointer files "ico"NN
// ".CUR"; from an https endpoint also the executable's copy and the external updater), never the
// run's own bookkeeping (the bank version, the list's copy, the hand-over file). Any other place,
// another folder of the installation above all, is where the toolkit looks for plugins and
// its configuration, so a file there could run as code at the next start; and so the data
// folder counts only when its name is one plain folder name and none of the toolkit's plugin
// folders, whatever the configuration says. `relativePath`: the local path below the
// installation, "\" or "/" between its parts; compared without regard to case.
bool isUpdatablePlace(const QString& relativePath, const RunPlace& place);

// What the run does with one entry.
struct EntryPlan {
    enum Kind { Refused, UpToDate, Fetch } kind = Refused;
    QString name;      // the relative name as listed
    QString localPath; // the file written (for the executable, its "_bak" copy)
    QUrl url;
    bool exeCopy = false;
    // The list names a file newer than the one here: every entry to fetch, and a refused one
    // unless the file where it would land is as new (one whose name leaves its folder always).
    bool due = false;
};
// The plan of every entry of the list, in order. A place is judged as named and once more
// where it lands with the links on its way followed: a link that leaves the installation, or
// leads to another of its places, is refused. Names are matched without regard to case against
// the files and folders there and against the names planned before them in the list, so that
// "A.mxy" and "a.mxy" are one file.
std::vector<EntryPlan> planRun(const QStringList& lines, const RunPlace& place);

// What the update window says while it fetches the k-th of the due files.
QString progressText(int k, int due, const QString& name);

// The failures of one run by reason, bounded in the run log: the first few of each reason are
// told one by one with their names; the rest are counted and told in one line at the end, with
// the first and the last of their names.
class FailureTally {
public:
    enum Reason { RefusedPlace, RefusedContent };
    static constexpr int ToldOneByOne = 5;
    explicit FailureTally(std::function<void(const QString& detail)> tell) : tell_(std::move(tell)) {}
    void add(Reason reason, const QString& name);
    // Tells what was counted and not yet told.
    void flush();

private:
    struct Count {
        int seen = 0;
        int untold = 0;
        QString first;
        QString last;
    };
    std::function<void(const QString&)> tell_;
    std::array<Count, 2> counts_{};
};

} // namespace update
