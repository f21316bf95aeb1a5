// brackle-cli: the editor's file handling from the command line.
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <ctime>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include <unistd.h>

#include "demo/demo_game.h"
#include "graphics/bmp_file.h"
#include "graphics/graphics_files.h"
#include "graphics/ilbm_decoder.h"
#include "graphics/shape_decoder.h"
#include "oob/config.h"
#include "oob/oob_diff.h"
#include "oob/oob_file.h"
#include "oob/oob_summary.h"
#include "oob/records.h"
#include "reports/report_catalogue.h"
#include "transfer/csv_dump.h"

namespace fs = std::filesystem;
using namespace brackle;

namespace {

const char* const kUsage =
    "Usage:\n"
    "  brackle-cli resave IN OUT [--nation N]\n"
    "      Load IN as the editor loads it and save it to OUT as the editor saves it.\n"
    "  brackle-cli info IN [--nation N] [--ini FILE]\n"
    "      Print the file number, nation name, size, info text and the numbers of\n"
    "      used units, weapons and formations.\n"
    "  brackle-cli dump IN [--nation N] [--ini FILE] [--out DIR]\n"
    "      Write IN's units, weapons and formations as the CSV files the editor\n"
    "      dumps (obatDUMPnnunit.csv, ...wpns.csv, ...fmns.csv) into DIR, by\n"
    "      default IN's folder.\n"
    "  brackle-cli report NAME IN [ARG] [--nation N] [--ini FILE]\n"
    "      Print the lines of one consistency report of IN (see the names below).\n"
    "  brackle-cli check IN [--nation N] [--ini FILE]\n"
    "      Run the file checks, each under a heading with its number of findings,\n"
    "      then a summary; exit 1 when broken-links, x3-dates, platoons-in-platoons\n"
    "      or bad-ammo found anything, 3 when a check stopped on a date.\n"
    "  brackle-cli diff A B [--nation N] [--ini FILE]\n"
    "      Load A and B as the editor does and print what differs, field by field\n"
    "      in slot order, then the bytes no field reads and a summary line; exit 0\n"
    "      when they are the same, 1 when they differ, 2 when no diff could be made.\n"
    "      --nation N, when given, is the number of both files.\n"
    "  brackle-cli demo DIR\n"
    "      Write an invented demo game folder below DIR (DIR/Vornex/...); refused\n"
    "      when DIR/Vornex exists.\n"
    "  brackle-cli picture IN.lbm OUT.bmp\n"
    "      Decode the picture IN as the picture panel does and write it as an\n"
    "      8-bit BMP.\n"
    "  brackle-cli icon V OUT.bmp --graphics DIR [--transparent T]\n"
    "      Decode shape image V (0..32767: image V mod 100 of DIR's Icon<V div\n"
    "      100>.shp) on transparency colour T (0..255, default 240) and write it\n"
    "      as an 8-bit BMP.\n"
    "  brackle-cli --help\n"
    "      Show this text.\n"
    "  brackle-cli --version\n"
    "      Show the version.\n"
    "\n"
    "N is the file number (1..999) and the nation of the file's own records. It\n"
    "defaults to the number in IN's name when IN is called obatNNN.obf; for any\n"
    "other name --nation is required. FILE is a BRVX.ini to take nation and unit\n"
    "class names from; without it every name reads \"*NO INI FILE!*\".\n"
    "\n"
    "Exit codes: 0 done; 1 a file that cannot be read or written (check: a broken\n"
    "file; diff: the files differ); 2 bad arguments (diff: also a file that cannot\n"
    "be loaded); 3 a check stopped on a date; 4 the standard output could not be\n"
    "written (a full disk, say). Warnings go to the error output, exit unchanged.\n"
    "\n"
    "Reports (ARG: the class C, or the number U, F or W of the unit, formation or\n"
    "weapon whose row the report window would click):\n";

void PrintUsage()
{
    std::cout << kUsage;
    for (const ReportInfo& r : ReportCatalogue()) {
        std::string name = r.Name;
        if (r.Arg != ReportArg::None)
            name += r.Arg == ReportArg::Unit ? " U" : r.Arg == ReportArg::Formation ? " F" : r.Arg == ReportArg::Weapon ? " W" : " C";
        name.resize(std::max<std::size_t>(name.size(), 26), ' ');
        std::cout << "  " << name << " " << r.What << "\n";
    }
}

int Fail(const std::string& message)
{
    std::cerr << "brackle-cli: " << message << "\n";
    return 1;
}

void Warn(const std::string& warning)
{
    if (!warning.empty())
        std::cerr << "brackle-cli: warning: " << warning << "\n";
}

int BadArguments(const std::string& message)
{
    std::cerr << "brackle-cli: " << message << "\n"
              << "Try 'brackle-cli --help'.\n";
    return 2;
}

struct Options {
    std::vector<std::string> positional;
    std::optional<std::string> nation;
    std::optional<std::string> ini;
    std::optional<std::string> out;
    std::optional<std::string> graphics;
    std::optional<std::string> transparent;
};

// Splits args into positional words and the options allowed for the command.
std::optional<std::string> ParseOptions(const std::vector<std::string>& args, bool allowNation,
                                        bool allowIni, Options& out, bool allowOut = false, bool allowGraphics = false)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool graphicsOption = a == "--graphics" || a == "--transparent";
        if (a == "--nation" || a == "--ini" || a == "--out" || graphicsOption) {
            if ((a == "--nation" && !allowNation) || (a == "--ini" && !allowIni) || (a == "--out" && !allowOut) ||
                (graphicsOption && !allowGraphics))
                return "option " + a + " is not used by this command";
            if (i + 1 >= args.size())
                return "option " + a + " needs a value";
            auto& slot = a == "--nation" ? out.nation : a == "--ini" ? out.ini : a == "--out" ? out.out
                       : a == "--graphics" ? out.graphics : out.transparent;
            if (slot)
                return "option " + a + " given twice";
            slot = args[++i];
        } else if (a.size() > 1 && a[0] == '-') {
            return "unknown option " + a;
        } else {
            out.positional.push_back(a);
        }
    }
    return std::nullopt;
}

// The file number for IN: --nation when given, else the number in IN's name.
std::optional<int> NumberFor(const fs::path& in, const Options& o, std::string& error)
{
    if (o.nation) {
        const auto n = ParseOOBNumber(*o.nation);
        if (!n)
            error = "--nation must be a file number from 1 to 999, not \"" + *o.nation + "\"";
        return n;
    }
    const auto n = OOBNumberOfFileName(in.filename().string());
    if (!n)
        error = "cannot tell the file number from the name " + in.filename().string() +
                " (not obatNNN.obf); give it with --nation N";
    return n;
}

// The names of --ini FILE, or those of a missing BRVX.ini. False, with the
// path and the reason in error, when FILE cannot be read.
bool ReadNames(const Options& o, NameTables& names, std::string& error)
{
    Settings settings;
    if (!o.ini) {
        readinifile(nullptr, settings, names);
        return true;
    }
    const auto ini = IniFile::FromPath(*o.ini, &error);
    if (!ini)
        return false;
    readinifile(&*ini, settings, names);
    return true;
}

// Reads IN into oob as file number N (from --nation or IN's name) with the
// ini's names. Gives 0, or the exit code of what went wrong (already reported).
int LoadInput(const Options& o, const fs::path& in, Oob& oob)
{
    std::string error;
    const auto n = NumberFor(in, o, error);
    if (!n) {
        // A file that cannot be loaded at all says so, whatever its name.
        Oob probe;
        const LoadResult tried = LoadOOBFromPath(probe, in);
        return tried.code != 0 ? Fail("cannot load " + tried.reason) : BadArguments(error);
    }
    std::string iniError;
    if (!ReadNames(o, oob.Names, iniError))
        return Fail("cannot read the ini file " + iniError);
    oob.CurrentOOB = static_cast<std::uint16_t>(*n);
    const LoadResult loaded = LoadOOBFromPath(oob, in);
    if (loaded.code != 0)
        return Fail("cannot load " + loaded.reason);
    Warn(loaded.warning);
    return 0;
}

int Resave(const std::vector<std::string>& args)
{
    Options o;
    if (const auto err = ParseOptions(args, true, false, o))
        return BadArguments(*err);
    if (o.positional.size() != 2)
        return BadArguments("resave needs IN and OUT");
    const fs::path out = o.positional[1];
    Oob oob;
    if (const int failed = LoadInput(o, o.positional[0], oob))
        return failed;
    const SaveResult saved = SaveOOBToPath(oob, out);
    if (!saved.ok)
        return Fail(saved.path.empty() ? "cannot save: " + saved.reason
                                       : "cannot save " + saved.path.string() + ": " + saved.reason);
    Warn(saved.warning);
    std::cout << "Saved " << out.string() << " (" << oob.LoadedSize << " bytes)\n";
    return 0;
}

int Info(const std::vector<std::string>& args)
{
    Options o;
    if (const auto err = ParseOptions(args, true, true, o))
        return BadArguments(*err);
    if (o.positional.size() != 1)
        return BadArguments("info needs exactly one file IN");
    Oob oob;
    if (const int failed = LoadInput(o, o.positional[0], oob))
        return failed;
    std::cout << FormatSummary(SummariseOob(oob));
    return 0;
}

int Dump(const std::vector<std::string>& args)
{
    Options o;
    if (const auto err = ParseOptions(args, true, true, o, true))
        return BadArguments(*err);
    if (o.positional.size() != 1)
        return BadArguments("dump needs exactly one file IN");
    const fs::path in = o.positional[0];
    const fs::path dir = o.out ? fs::path(*o.out) : in.has_parent_path() ? in.parent_path() : fs::path(".");
    Oob oob;
    if (const int failed = LoadInput(o, in, oob))
        return failed;
    const int n = oob.CurrentOOB;
    std::error_code ec;
    if (!fs::is_directory(dir, ec))
        return Fail("cannot write into " + dir.string() + ": no such folder");
    std::vector<std::pair<fs::path, std::string>> reasons;
    const auto failed = DumpOOB(oob, n, dir, [&](const fs::path& path, const std::string& reason) {
        reasons.emplace_back(path, reason);
    });
    for (const DumpKind kind : {DumpKind::Units, DumpKind::Weapons, DumpKind::Formations}) {
        const fs::path path = dir / DumpFileName(n, kind);
        const auto bad = std::find_if(reasons.begin(), reasons.end(), [&](const auto& r) { return r.first == path; });
        if (bad == reasons.end()) {
            std::cout << "Wrote " << path.string() << "\n";
            continue;
        }
        std::string why = bad->second;
        const std::string notCreated = kDumpNotCreated;
        if (why.rfind(notCreated, 0) == 0)
            why = why.substr(notCreated.size());
        std::cerr << "brackle-cli: cannot write " << path.string() << ": " << why << "\n";
    }
    return failed.empty() ? 0 : 1;
}

// Standard output as a report's result area: one line per line.
class StdoutSink : public ReportSink {
public:
    void Line(const std::string& text) override { std::cout << text << "\n"; }
};

// The local date and time, for "Started at".
std::string Now()
{
    const std::time_t t = std::time(nullptr);
    char buf[64] = {};
    if (const std::tm* tm = std::localtime(&t))
        std::strftime(buf, sizeof buf, "%d/%m/%Y %H:%M:%S", tm);
    return buf;
}

int Report(const std::vector<std::string>& args)
{
    Options o;
    if (const auto err = ParseOptions(args, true, true, o))
        return BadArguments(*err);
    if (o.positional.size() < 2 || o.positional.size() > 3)
        return BadArguments("report needs NAME, IN and for some reports ARG");
    const ReportInfo* report = FindReport(o.positional[0]);
    if (!report)
        return BadArguments("unknown report " + o.positional[0]);
    long arg = 0;
    if (report->Arg == ReportArg::None) {
        if (o.positional.size() == 3)
            return BadArguments(std::string("report ") + report->Name + " takes no ARG");
    } else {
        if (o.positional.size() != 3)
            return BadArguments(std::string("report ") + report->Name + " needs ARG (" + ArgRange(report->Arg) + ")");
        const std::string& text = o.positional[2];
        const bool digits = !text.empty() && text.size() <= 6 &&
                            std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
        arg = digits ? std::stol(text) : -1;
        if (!digits || !ArgInRange(report->Arg, arg))
            return BadArguments("ARG of " + std::string(report->Name) + " must be a number in " +
                                ArgRange(report->Arg) + ", not \"" + text + "\"");
    }
    Oob oob;
    if (const int failed = LoadInput(o, o.positional[1], oob))
        return failed;
    StdoutSink sink;
    const ReportEnd end = RunReport(oob, *report, arg, Now(), sink);
    std::cout.flush();
    if (end.Stopped) {
        std::cerr << "brackle-cli: " << end.Message << "\n";
        return 3;
    }
    return 0;
}

int Check(const std::vector<std::string>& args)
{
    Options o;
    if (const auto err = ParseOptions(args, true, true, o))
        return BadArguments(*err);
    if (o.positional.size() != 1)
        return BadArguments("check needs exactly one file IN");
    Oob oob;
    if (const int failed = LoadInput(o, o.positional[0], oob))
        return failed;
    const std::vector<CheckResult> results = CheckWholeFile(oob, Now());
    bool failing = false;
    bool stopped = false;
    int total = 0;
    for (const CheckResult& r : results) {
        // A heading of its own kind: the reports' lines have "=" rules of their own.
        std::cout << (&r == &results.front() ? "" : "\n") << "--- " << r.Name << ": " << r.Findings
                  << (r.Findings == 1 ? " finding" : " findings") << (r.End.Stopped ? " (stopped)" : "") << " ---\n";
        for (const std::string& line : r.Lines)
            std::cout << line << "\n";
        if (r.End.Stopped) {
            std::cout.flush();
            std::cerr << "brackle-cli: " << r.Name << ": " << r.End.Message << "\n";
        }
        failing = failing || (r.Blocking && r.Findings > 0);
        stopped = stopped || r.End.Stopped;
        total += r.Findings;
    }
    std::string blocking;
    for (const CheckResult& r : results) {
        if (r.Blocking && r.Findings > 0)
            blocking += (blocking.empty() ? "" : ", ") + r.Name;
    }
    std::cout << "Checked " << o.positional[0] << ": " << total << (total == 1 ? " finding" : " findings");
    if (stopped)
        std::cout << "; a check stopped";
    else if (failing)
        std::cout << "; failing: " << blocking;
    else
        std::cout << "; passed";
    std::cout << "\n";
    return stopped ? 3 : (failing ? 1 : 0);
}

// Exit 0 same, 1 different, 2 when either file cannot be loaded or the arguments are wrong.
int RunDiff(const std::vector<std::string>& args)
{
    Options o;
    if (const auto err = ParseOptions(args, true, true, o))
        return BadArguments(*err);
    if (o.positional.size() != 2)
        return BadArguments("diff needs two files A and B");
    Oob a, b;
    if (LoadInput(o, o.positional[0], a) != 0 || LoadInput(o, o.positional[1], b) != 0)
        return 2;
    const OobDiff diff = DiffOob(a, b);
    for (const std::string& line : diff.Lines)
        std::cout << line << "\n";
    std::cout.flush();
    return diff.Same() ? 0 : 1;
}

int Demo(const std::vector<std::string>& args)
{
    Options o;
    if (const auto err = ParseOptions(args, false, false, o))
        return BadArguments(*err);
    if (o.positional.size() != 1)
        return BadArguments("demo needs exactly one folder DIR");
    if (o.positional[0].empty())
        return BadArguments("demo needs a folder DIR, not an empty name");
    // Never over a game folder someone has: its OOB files and BRVX.ini would be replaced.
    const fs::path existing = fs::path(o.positional[0]) / "Vornex";
    std::error_code ec;
    if (fs::symlink_status(existing, ec).type() != fs::file_type::not_found || ec != std::errc::no_such_file_or_directory)
        return Fail(existing.string() + " already exists; the demo game is written only where there is no " +
                    "Vornex folder yet, so nothing was written");
    std::string error;
    if (!WriteDemoGame(o.positional[0], &error))
        return Fail("cannot write the demo game: " + error);
    const fs::path root = fs::path(o.positional[0]) / "Vornex";
    std::cout << "Wrote the demo game to " << root.string() << "\n"
              << "  settings and names: " << (root / "Brackle" / "BRVX.ini").string() << "\n"
              << "  OOB files:          " << (root / "game data" / "oobs").string() << "\n";
    return 0;
}

// A plain decimal number (digits only, at most six) in 0..max, or nothing.
std::optional<int> SmallNumber(const std::string& text, int max)
{
    if (text.empty() || text.size() > 6 || !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    const int n = std::stoi(text);
    return n <= max ? std::optional<int>(n) : std::nullopt;
}

// Writes a decoded picture as OUT; only a whole file ever appears there.
int WriteBmp(const IndexedImage& image, const fs::path& out)
{
    if (image.Width == 0 || image.Height == 0)
        return Fail("the picture is empty (" + std::to_string(image.Width) + " x " + std::to_string(image.Height) +
                    " pixels); nothing written to " + out.string());
    const SaveResult saved = WriteBmp8File(out, image);
    if (!saved.ok)
        return Fail("cannot write " + out.string() + ": " + saved.reason);
    std::cout << "Wrote " << out.string() << " (" << image.Width << " x " << image.Height << " pixels)\n";
    return 0;
}

int Picture(const std::vector<std::string>& args)
{
    Options o;
    if (const auto err = ParseOptions(args, false, false, o))
        return BadArguments(*err);
    if (o.positional.size() != 2)
        return BadArguments("picture needs IN and OUT");
    const fs::path in = o.positional[0];
    std::vector<std::uint8_t> bytes;
    std::string error;
    if (!ReadGraphicsFile(in, &bytes, &error))
        return Fail("cannot read " + error);
    const DecodeResult decoded = DecodeIlbm(bytes);
    if (!decoded.ok)
        return Fail("cannot decode " + in.string() + ": " + decoded.error);
    return WriteBmp(decoded.image, o.positional[1]);
}

int Icon(const std::vector<std::string>& args)
{
    Options o;
    if (const auto err = ParseOptions(args, false, false, o, false, true))
        return BadArguments(*err);
    if (o.positional.size() != 2)
        return BadArguments("icon needs V and OUT");
    if (!o.graphics)
        return BadArguments("icon needs --graphics DIR, the folder of the shape files");
    const auto v = SmallNumber(o.positional[0], 32767);
    if (!v)
        return BadArguments("V must be an image number from 0 to 32767, not \"" + o.positional[0] + "\"");
    int transparent = kDefaultTransparentColour;
    if (o.transparent) {
        const auto t = SmallNumber(*o.transparent, 255);
        if (!t)
            return BadArguments("--transparent must be a colour from 0 to 255, not \"" + *o.transparent + "\"");
        transparent = *t;
    }
    const fs::path dir = *o.graphics;
    const ShapeLocation at = LocateShape(*v);
    const auto file = FindShapeFile(dir, *v);
    if (!file)
        return Fail("cannot find " + (dir / ShapeFileName(at.fileNumber)).string() + " (in any case)");
    std::vector<std::uint8_t> bytes;
    std::string error;
    if (!ReadGraphicsFile(*file, &bytes, &error))
        return Fail("cannot read " + error);
    const DecodeResult decoded = DecodeShape(bytes, at.image, static_cast<std::uint8_t>(transparent));
    if (!decoded.ok)
        return Fail("cannot decode image " + std::to_string(at.image) + " of " + file->string() + ": " + decoded.error);
    return WriteBmp(decoded.image, o.positional[1]);
}

// Runs the command of args (the words after the program's name).
int Run(std::vector<std::string> args)
{
    if (args.empty())
        return BadArguments("no command given");
    const std::string command = args[0];
    args.erase(args.begin());
    if (command == "--version" && args.empty()) {
        std::cout << "brackle-cli " << BRACKLE_VERSION << "\n";
        return 0;
    }
    if (command == "--help" || command == "-h" || command == "help") {
        PrintUsage();
        return 0;
    }
    for (const auto& a : args)
        if (a == "--help" || a == "-h") {
            PrintUsage();
            return 0;
        }
    if (command == "resave")
        return Resave(args);
    if (command == "info")
        return Info(args);
    if (command == "dump")
        return Dump(args);
    if (command == "demo")
        return Demo(args);
    if (command == "report")
        return Report(args);
    if (command == "check")
        return Check(args);
    if (command == "diff")
        return RunDiff(args);
    if (command == "picture")
        return Picture(args);
    if (command == "icon")
        return Icon(args);
    return BadArguments("unknown command " + command);
}

// The standard output, written with write(2) so that the first failure's
// reason is kept: a script must not take an empty or cut result for a real one.
class OutputBuffer : public std::streambuf {
public:
    ~OutputBuffer() override { sync(); }
    int error = 0;  // errno of the first failed write, 0 while all went well

protected:
    int_type overflow(int_type c) override
    {
        if (Drain() != 0)
            return traits_type::eof();
        if (!traits_type::eq_int_type(c, traits_type::eof())) {
            *pptr() = traits_type::to_char_type(c);
            pbump(1);
        }
        return traits_type::not_eof(c);
    }
    int sync() override { return Drain(); }

private:
    // Writes what is buffered; -1 once a write has failed.
    int Drain()
    {
        const char* p = pbase();
        while (error == 0 && p < pptr()) {
            const ssize_t n = ::write(STDOUT_FILENO, p, static_cast<std::size_t>(pptr() - p));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                error = n < 0 ? errno : EIO;
            else
                p += n;
        }
        setp(buffer_, buffer_ + sizeof buffer_);
        return error == 0 ? 0 : -1;
    }
    char buffer_[1 << 16];

public:
    OutputBuffer() { setp(buffer_, buffer_ + sizeof buffer_); }
};

}  // namespace

int main(int argc, char** argv)
{
    OutputBuffer out;
    std::streambuf* const previous = std::cout.rdbuf(&out);
    const int code = Run(std::vector<std::string>(argv + 1, argv + argc));
    std::cout.flush();
    const bool failed = out.error != 0 || std::cout.bad();
    std::cout.rdbuf(previous);
    if (failed) {
        std::cerr << "brackle-cli: cannot write the standard output: "
                  << std::generic_category().message(out.error ? out.error : EIO) << "\n";
        return 4;
    }
    return code;
}
