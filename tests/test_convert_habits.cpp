// How lumelle-convert behaves for people and scripts: its switches, messages and summary, its
// help text and manual pages, and the font names it accepts; and the window program's command
// line.
#include "ConverterRuns.h"
#include "TestFiles.h"
#include "cli/ConvertHelp.h"
#include "cli/ConvertOptions.h"
#include "cli/Manual.h"
#include "cli/ProgressBar.h"
#include "render/FontMatch.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

using namespace lumelle;

namespace {

// Runs the converter as under cron or ssh: no XDG_RUNTIME_DIR.
ConverterRun runWithoutRuntimeDir(const QStringList& args, const QByteArray& input = {})
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("XDG_RUNTIME_DIR"));
    return runConverter(args, env, input);
}

struct HabitCase
{
    const char* name;
    QStringList args; // "{srt}", "{junk}", "{missing}" and "{dir}" stand for paths
    int exitCode;
    QStringList outHas;
    QStringList errHas;
    std::function<void(const ConverterRun&, const QTemporaryDir&)> check = {};
    QByteArray input = {}; // standard input
};

} // namespace

TEST(ConvertHabits, SwitchesMessagesAndSummary)
{
    QTemporaryDir dir;
    const QString srt = writeFileIn(dir, "film.srt",
                                    "1\n00:00:01,000 --> 00:00:02,000\nHello\n\n"
                                    "2\n00:00:03,000 --> 00:00:04,000\nWorld\n");
    const QString junk = writeFileIn(dir, "junk.srt", QByteArray("\x00\x01garbage", 9));
    const QString missing = dir.filePath("missing.srt");
    const QString skips = writeFileIn(dir, "skips.srt",
                                      "1\n00:00:01,000 --> 00:00:02,000\nHello\n\n"
                                      "2\nno time here\nWorld\n");

    const HabitCase cases[] = {
        {"version", {"-V"}, 0, {"lumelle-convert " LUMELLE_VERSION "\n", "MIT licence"}, {}},
        {"help names the mode for PC players and the statuses",
         {"--help"},
         0,
         {"  pc or safe: mpv, VLC, ffmpeg-based players, Matroska files", "Exit status",
          "3  converted"},
         {}},
        {"output folder is created",
         {"-o", "{dir}/new/deeper", "{srt}"},
         0,
         {"film.srt: 2 subtitles"},
         {},
         [](const ConverterRun&, const QTemporaryDir& d) {
             EXPECT_TRUE(QFileInfo::exists(d.filePath("new/deeper/film.idx")));
             EXPECT_TRUE(QFileInfo::exists(d.filePath("new/deeper/film.sub")));
         }},
        {"quiet prints nothing on success",
         {"-q", "-o", "{dir}/quiet", "{srt}"},
         0,
         {},
         {},
         [](const ConverterRun& r, const QTemporaryDir&) {
             EXPECT_TRUE(r.out.isEmpty()) << r.out.toStdString();
             EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();
         }},
        {"list of an unreadable file fails and names it",
         {"--list", "{missing}"},
         1,
         {},
         {"{missing}"}},
        {"unknown font lists the nearest names",
         {"--font", "DejaVu Sanz", "{srt}"},
         2,
         {},
         {"no installed font is named 'DejaVu Sanz'", "nearest: DejaVu Sans"},
         [](const ConverterRun&, const QTemporaryDir& d) {
             EXPECT_FALSE(QFileInfo::exists(d.filePath("film.idx"))) << "nothing is written";
         }},
        {"font names are matched without regard to case",
         {"--font", "dejavu sans", "-q", "{srt}"},
         0,
         {},
         {}},
        {"every message names its file", {"{srt}", "{junk}"}, 1, {"film.srt:"}, {"{junk}: "}},
        {"json with list is bad usage", {"--json", "--list", "{srt}"}, 2, {}, {"--json"}},
        {"standard input, its pair named by -o, without the help file",
         {"-qj2", "--no-help-file", "-o", "{dir}/piped/film", "-"},
         0,
         {},
         {},
         [](const ConverterRun& r, const QTemporaryDir& d) {
             EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();
             EXPECT_EQ(QDir(d.filePath("piped")).entryList(QDir::Files),
                       QStringList({"film.idx", "film.sub"}));
         },
         "1\n00:00:01,000 --> 00:00:02,000\nHello\n"},
        {"standard input is named - in messages",
         {"-o", "{dir}/piped2/film.idx", "-"},
         0,
         {"-: 1 subtitle -> {dir}/piped2/film.idx"},
         {},
         {},
         "{10}{50}Hello\n"},
        {"standard input needs -o", {"-"}, 2, {}, {"--output NAME"}},
        {"standard input cannot be named by a folder", {"-o", "{dir}", "-"}, 1, {}, {"folder"}},
        {"json sums up every file",
         {"--json", "-o", "{dir}/json", "{srt}", "{junk}"},
         1,
         {},
         {"{junk}"},
         [](const ConverterRun& r, const QTemporaryDir& d) {
             QJsonParseError error;
             const QJsonDocument doc = QJsonDocument::fromJson(r.out.toUtf8(), &error);
             ASSERT_EQ(error.error, QJsonParseError::NoError) << r.out.toStdString();
             const QJsonArray files = doc.object().value("files").toArray();
             ASSERT_EQ(files.size(), 2);
             const QJsonObject good = files[0].toObject();
             EXPECT_EQ(good.value("status").toInt(), 0);
             EXPECT_EQ(good.value("subtitles").toInt(), 2);
             EXPECT_EQ(good.value("skipped").toInt(), 0);
             EXPECT_EQ(good.value("outputs").toArray().size(), 3);
             EXPECT_EQ(good.value("outputs").toArray()[0].toString(), d.filePath("json/film.idx"));
             EXPECT_EQ(files[1].toObject().value("status").toInt(), 1);
             EXPECT_TRUE(files[1].toObject().value("outputs").toArray().isEmpty());
             // The messages of stderr, each under its file.
             EXPECT_EQ(good.value("errors").toArray(), QJsonArray());
             EXPECT_EQ(good.value("warnings").toArray(), QJsonArray());
             const QJsonArray errors = files[1].toObject().value("errors").toArray();
             ASSERT_EQ(errors.size(), 1) << r.out.toStdString();
             EXPECT_TRUE(r.err.contains(errors[0].toString() + "\n"));
             EXPECT_TRUE(errors[0].toString().startsWith(d.filePath("junk.srt") + ": "));
         }},
        {"json carries the warnings of a converted file",
         {"--json", "-o", "{dir}/json2", "{skips}"},
         3,
         {},
         {},
         [](const ConverterRun& r, const QTemporaryDir& d) {
             const QJsonObject file = QJsonDocument::fromJson(r.out.toUtf8())
                                          .object()
                                          .value("files")
                                          .toArray()[0]
                                          .toObject();
             EXPECT_EQ(file.value("errors").toArray(), QJsonArray());
             const QJsonArray warnings = file.value("warnings").toArray();
             ASSERT_EQ(warnings.size(), 2) << r.out.toStdString();
             const QString name = d.filePath("skips.srt");
             EXPECT_TRUE(warnings[0].toString().startsWith(name + ":6: warning: skipped: "));
             EXPECT_EQ(warnings[1].toString(), name + ": 1 entry skipped");
             QString printed;
             for (const QJsonValue& w : warnings)
                 printed += w.toString() + "\n";
             EXPECT_EQ(r.err, printed);
         }},
    };
    for (const HabitCase& c : cases) {
        SCOPED_TRACE(c.name);
        auto expand = [&](QString text) {
            return text.replace("{srt}", srt)
                .replace("{junk}", junk)
                .replace("{missing}", missing)
                .replace("{skips}", skips)
                .replace("{dir}", dir.path());
        };
        QStringList args;
        for (const QString& a : c.args)
            args << expand(a);
        const ConverterRun run = runWithoutRuntimeDir(args, c.input);
        EXPECT_EQ(run.exitCode, c.exitCode) << run.err.toStdString();
        for (const QString& text : c.outHas)
            EXPECT_TRUE(run.out.contains(expand(text))) << run.out.toStdString();
        for (const QString& text : c.errHas)
            EXPECT_TRUE(run.err.contains(expand(text))) << run.err.toStdString();
        EXPECT_FALSE(run.err.contains("XDG_RUNTIME_DIR")) << run.err.toStdString();
        if (c.check)
            c.check(run, dir);
    }
}

TEST(ConvertHabits, AFolderStandsForItsSubtitleFilesAndRecursiveKeepsItsTreeUnderOutput)
{
    QTemporaryDir dir;
    const QByteArray srt = "1\n00:00:01,000 --> 00:00:02,000\nHello\n";
    const QString films = dir.filePath("films");
    ASSERT_TRUE(QDir().mkpath(films + "/s") && QDir().mkpath(films + "/.hidden"));
    writeFileIn(dir, "films/a.srt", srt);
    writeFileIn(dir, "films/b.vtt", "WEBVTT\n\n00:01.000 --> 00:02.000\nHello\n");
    writeFileIn(dir, "films/notes.txt", "to do: buy milk\n");
    writeFileIn(dir, "films/s/c.srt", srt);
    writeFileIn(dir, "films/.hidden/d.srt", srt);
    ASSERT_TRUE(QFile::link(films, films + "/s/loop"));
    // A pair written earlier, and its help file: outputs, not inputs.
    ASSERT_EQ(runConverter({"-q", films + "/a.srt", "-o", films + "/old"}).exitCode, 0);
    ASSERT_TRUE(QFile::rename(films + "/old/a.sub", films + "/x.sub"));
    ASSERT_TRUE(
        QFile::rename(films + "/old/Lumelle_Help_File.txt", films + "/Lumelle_Help_File.txt"));

    const ConverterRun beside = runConverter({"-q", films});
    EXPECT_EQ(beside.exitCode, 0) << beside.err.toStdString();
    EXPECT_TRUE(QFileInfo::exists(films + "/a.idx"));
    EXPECT_TRUE(QFileInfo::exists(films + "/b.idx"));
    EXPECT_FALSE(QFileInfo::exists(films + "/s/c.idx")) << "subfolders only with --recursive";
    EXPECT_FALSE(QFileInfo::exists(films + "/notes.idx"));

    const QString out = dir.filePath("out");
    const ConverterRun tree = runConverter({"--json", "-R", "-o", out, films});
    EXPECT_EQ(tree.exitCode, 0) << tree.err.toStdString();
    QStringList found;
    for (const QJsonValue& file :
         QJsonDocument::fromJson(tree.out.toUtf8()).object().value("files").toArray())
        found << file.toObject().value("file").toString().mid(films.size() + 1);
    EXPECT_EQ(found, QStringList({"a.srt", "b.vtt", "s/c.srt"}))
        << "a folder's own files first, in name order; hidden ones and links left out";
    EXPECT_TRUE(QFileInfo::exists(out + "/a.idx"));
    EXPECT_TRUE(QFileInfo::exists(out + "/s/c.idx"));
    EXPECT_TRUE(QFileInfo::exists(out + "/s/Lumelle_Help_File.txt"));
    EXPECT_FALSE(QFileInfo::exists(films + "/s/c.idx")) << "all under --output";
}

TEST(ConvertHabits, NoOverwriteLeavesEveryExistingOutputAndSaysSo)
{
    QTemporaryDir dir;
    const QString out = dir.filePath("out");
    const QByteArray one = "1\n00:00:01,000 --> 00:00:02,000\nHello\n";
    const QString film = writeFileIn(dir, "film.srt", one);
    ASSERT_EQ(runConverter({"-q", "-o", out, film}).exitCode, 0);
    const QByteArray idx = readAll(out + "/film.idx");
    writeFileIn(dir, "out/Lumelle_Help_File.txt", "my notes");
    // The subtitle changed: a replaced pair would differ.
    writeFileIn(dir, "film.srt", one + "\n2\n00:00:03,000 --> 00:00:04,000\nWorld\n");
    const QString other = writeFileIn(dir, "other.srt", one);

    const ConverterRun twice = runConverter({"--json", "-n", "-o", out, film, other});
    EXPECT_EQ(twice.exitCode, 0) << twice.err.toStdString();
    EXPECT_TRUE(twice.err.contains(film + ": not converted: " + out + "/film.idx, " + out +
                                   "/film.sub exist already (--no-overwrite)"))
        << twice.err.toStdString();
    EXPECT_EQ(readAll(out + "/film.idx"), idx);
    EXPECT_EQ(readAll(out + "/Lumelle_Help_File.txt"), "my notes") << "the help file stays too";
    EXPECT_TRUE(QFileInfo::exists(out + "/other.idx")) << "what is new is converted";
    const QJsonArray files =
        QJsonDocument::fromJson(twice.out.toUtf8()).object().value("files").toArray();
    ASSERT_EQ(files.size(), 2) << twice.out.toStdString();
    EXPECT_EQ(files[0].toObject().value("status").toInt(), 0);
    EXPECT_EQ(files[0].toObject().value("existing").toArray().size(), 2);
    EXPECT_TRUE(files[0].toObject().value("outputs").toArray().isEmpty());
    EXPECT_FALSE(files[1].toObject().contains("existing"));

    // A pair of several streams is left alone the same way; without -n it is replaced.
    const ConverterRun streams = runConverter({"-qn", "--stream", "en:" + film, "-o", out});
    EXPECT_EQ(streams.exitCode, 0);
    EXPECT_TRUE(streams.err.contains("not converted")) << streams.err.toStdString();
    EXPECT_EQ(readAll(out + "/film.idx"), idx);
    ASSERT_EQ(runConverter({"-q", "-o", out, film}).exitCode, 0);
    EXPECT_NE(readAll(out + "/film.idx"), idx);
}

TEST(ConvertHabits, OptionsAreReadAsGetoptLongReadsThemAndValuesWithoutRegardToCase)
{
    struct ParseCase
    {
        QStringList args;
        QString error; // the start of the message, or empty when the arguments are taken
        std::function<void(const ConvertOptions&)> check = {};
    };
    const ParseCase cases[] = {
        {{"--fps=23976", "a.srt"}, "", [](auto& o) { EXPECT_EQ(o.fpsText, "23976"); }},
        {{"-r23976", "a.srt"}, "", [](auto& o) { EXPECT_EQ(o.fpsText, "23976"); }},
        {{"-qj2", "a.srt"}, "", [](auto& o) { EXPECT_TRUE(o.quiet && o.jobs == 2); }},
        {{"-qj", "3", "a.srt"}, "", [](auto& o) { EXPECT_TRUE(o.quiet && o.jobs == 3); }},
        {{"--offset-or=-8", "-o", "-x", "a.srt"},
         "",
         [](auto& o) { EXPECT_TRUE(o.settings.offset_or == -8 && o.outputFolder == "-x"); }},
        {{"--style", "bold+ITALIC", "--charset", "greek", "--palette", "PC", "--language", "EN",
          "--align", "RIGHT", "a.srt"},
         "",
         [](auto& o) {
             EXPECT_TRUE(o.settings.fontStyle.bold && o.settings.fontStyle.italic);
             EXPECT_EQ(o.settings.charset, 161);
             EXPECT_EQ(o.mode, PaletteMode::PcOnly);
             EXPECT_EQ(o.languageText, "en");
             EXPECT_EQ(o.settings.align, "right") << "the list's spelling is kept";
         }},
        {{"--no-help-file", "--", "-", "-b.srt"}, "- (standard input) must be the only", {}},
        {{"--no-help-file", "a.srt"}, "", [](auto& o) { EXPECT_FALSE(o.helpFile); }},
        {{"-o", "out/film", "-"}, "", [](auto& o) { EXPECT_EQ(o.files, QStringList{"-"}); }},
        {{"--quiet=yes", "a.srt"}, "option --quiet takes no value"},
        {{"--fps=", "a.srt"}, "frame rate must be one of"},
        {{"-qx", "a.srt"}, "unknown option -x"},
        {{"--FPS", "25000", "a.srt"}, "unknown option --FPS"},
        {{"a.srt", "-j"}, "option -j needs a value"},
    };
    for (const ParseCase& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        ConvertOptions options;
        QString error;
        const ParseOutcome outcome =
            ParseConvertOptions(QStringList{"lumelle-convert"} + c.args, options, error);
        if (c.error.isEmpty()) {
            ASSERT_EQ(outcome, ParseOutcome::Run) << error.toStdString();
            c.check(options);
        } else {
            EXPECT_EQ(outcome, ParseOutcome::Error);
            EXPECT_TRUE(error.startsWith(c.error)) << error.toStdString();
        }
    }
}

TEST(ConvertHabits, QtStartUpWarningsAreDroppedUnderQuiet)
{
    // A runtime folder Qt finds fault with, as under sudo -E; and a platform plugin that does
    // not exist beside one that does, which Qt warns about while starting.
    QTemporaryDir dir;
    const QString srt = writeFileIn(dir, "film.srt", "1\n00:00:01,000 --> 00:00:02,000\nHi\n");
    QDir().mkpath(dir.filePath("run"));
    QFile::setPermissions(dir.filePath("run"), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                   QFileDevice::ExeOwner | QFileDevice::ReadOther |
                                                   QFileDevice::ExeOther);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_RUNTIME_DIR", dir.filePath("run"));
    env.insert("QT_QPA_PLATFORM", "nosuchplatform;offscreen");
    const ConverterRun quiet = runConverter({"-q", "-o", dir.filePath("out"), srt}, env);
    EXPECT_EQ(quiet.exitCode, 0);
    EXPECT_TRUE(quiet.err.isEmpty()) << quiet.err.toStdString();
    const ConverterRun talkative = runConverter({"-o", dir.filePath("out"), srt}, env);
    EXPECT_EQ(talkative.exitCode, 0);
    EXPECT_FALSE(talkative.err.contains("runtime directory")) << talkative.err.toStdString();
}

TEST(ConvertHabits, EveryOptionOfTheHelpParsesAndEveryOptionParsedIsInTheHelp)
{
    const QString help = ConvertHelpText();
    const QString manual = ConvertManualPage();
    auto parse = [](QStringList args, ConvertOptions& options) {
        args.prepend("lumelle-convert");
        QString error;
        const ParseOutcome outcome = ParseConvertOptions(args, options, error);
        return std::pair{outcome, error};
    };
    ConvertOptions defaults;
    ASSERT_EQ(parse({"a.srt"}, defaults).first, ParseOutcome::Run);

    QStringList documented;
    for (const HelpOption& option : ConvertHelpDocument().options) {
        const QString name = QLatin1String(option.longName);
        SCOPED_TRACE(name.toStdString());
        documented << name;
        if (option.shortName)
            documented << QLatin1String(option.shortName);
        EXPECT_TRUE(help.contains(HelpOptionLabel(option)));
        EXPECT_TRUE(manual.contains(QString(name).replace("-", "\\-")));
        ConvertOptions given;
        if (option.defaultValue.isEmpty()) {
            QStringList args{name};
            if (option.value)
                args << "x";
            EXPECT_FALSE(parse(args, given).second.startsWith("unknown option"));
            continue;
        }
        // The default the help names is one the option takes, and it is the default indeed.
        EXPECT_TRUE(option.text.contains(option.defaultValue));
        const auto [outcome, error] = parse({name, option.defaultValue, "a.srt"}, given);
        ASSERT_EQ(outcome, ParseOutcome::Run) << error.toStdString();
        EXPECT_EQ(given.settings, defaults.settings);
        EXPECT_EQ(given.fpsText, defaults.fpsText);
        EXPECT_EQ(given.mode, defaults.mode);
        EXPECT_EQ(given.languageText.left(2), defaults.languageText.left(2));
    }

    // The other way: every short option the parser takes, and every option the texts name, is
    // a row of the help.
    for (char c = '0'; c <= 'z'; ++c) {
        if (!QChar(c).isLetterOrNumber())
            continue;
        const QString option = QStringLiteral("-%1").arg(c);
        ConvertOptions given;
        if (!parse({option, "1", "a.srt"}, given).second.startsWith("unknown option")) {
            EXPECT_TRUE(documented.contains(option)) << option.toStdString();
        }
    }
    static const QRegularExpression named(QStringLiteral("(?<![\\w-])--[a-z][a-z-]*"));
    for (const QString& text : {help, QString(manual).replace("\\-", "-")}) {
        for (const QRegularExpressionMatch& m : named.globalMatch(text)) {
            ConvertOptions given;
            EXPECT_TRUE(documented.contains(m.captured())) << m.captured().toStdString();
            EXPECT_FALSE(parse({m.captured(), "1"}, given).second.startsWith("unknown option"));
        }
    }

    for (const HelpStatus& status : ConvertHelpDocument().statuses)
        EXPECT_TRUE(manual.contains(QStringLiteral(".TP\n\\fB%1\\fR\n").arg(status.code)));
    // No line of the man source may start with a control character by accident.
    for (const QString& page : {manual, WindowManualPage()}) {
        for (const QString& line : page.split('\n'))
            EXPECT_FALSE(line.startsWith('\'')) << line.toStdString();
        for (const char* section : {".SH \"WHICH PALETTE MODE?\"", ".SH \"ENVIRONMENT\"",
                                    ".SH \"REPORTING BUGS\"", "XDG_CONFIG_HOME", "QT_QPA_PLATFORM"})
            EXPECT_TRUE(page.contains(section)) << section;
        // Dated with the release, in the title line.
        EXPECT_TRUE(page.contains(QRegularExpression(
            QStringLiteral("^\\.TH \\S+ 1 \"\\d{4}-\\d\\d-\\d\\d\" \"Lumelle %1\"")
                .arg(LUMELLE_VERSION),
            QRegularExpression::MultilineOption)))
            << page.left(200).toStdString();
    }
    EXPECT_TRUE(manual.contains("TMPDIR"));
    EXPECT_TRUE(WindowManualPage().contains("\\fIFILE\\fR"));
    for (const QString& line : help.split('\n'))
        EXPECT_LE(line.size(), 79) << line.toStdString();
}

TEST(ConvertHabits, ProgressBarRedrawsAboutTenTimesASecondAndAlwaysItsLastState)
{
    using namespace std::chrono;
    steady_clock::time_point now{};
    QList<QByteArray> drawn;
    const auto draw = [&](const QByteArray& bytes) { drawn << bytes; };
    {
        // A film of 100 000 subtitles encoded in 10 seconds.
        ProgressBar bar("film.srt", true, draw, [&] { return now; });
        for (int i = 1; i <= 100000; ++i) {
            bar.show(i, 100000);
            now += microseconds(100);
        }
    }
    EXPECT_GE(drawn.size(), 95);
    EXPECT_LE(drawn.size(), 110) << "about ten a second, not one per subtitle";
    ASSERT_EQ(drawn.back(), "\n");
    EXPECT_TRUE(drawn[drawn.size() - 2].contains("100% 100000/100000 film.srt"));

    // A stop just after a redraw: the state reached is still drawn before the line ends.
    drawn.clear();
    {
        ProgressBar bar("film.srt", true, draw, [&] { return now; });
        bar.show(1, 3);
        bar.show(2, 3);
    }
    ASSERT_EQ(drawn.size(), 3);
    EXPECT_TRUE(drawn[1].contains(" 2/3 ")) << drawn[1].toStdString();

    drawn.clear();
    ProgressBar(QStringLiteral("film.srt"), false, draw).show(1, 3);
    EXPECT_TRUE(drawn.isEmpty()) << "no bar when quiet or not on a terminal";
}

TEST(FontMatch, ExactWithoutCaseAndNearestNames)
{
    const QStringList names{"Arial",        "DejaVu Sans", "DejaVu Sans Mono",
                            "DejaVu Serif", "Default",     "Liberation Serif"};
    EXPECT_EQ(MatchFontName("dejavu SANS", names), "DejaVu Sans");
    EXPECT_EQ(MatchFontName("DejaVu", names), "");
    EXPECT_EQ(NearestFontNames("dejavu", names, 3),
              QStringList({"DejaVu Sans", "DejaVu Serif", "DejaVu Sans Mono"}))
        << "names containing the text first, the shortest difference first";
    EXPECT_EQ(NearestFontNames("Liberaton Serif", names, 1), QStringList{"Liberation Serif"});
    EXPECT_EQ(NearestFontNames("x", {}, 3), QStringList{});
}

#ifdef LUMELLE_TESTS_WITH_UI
TEST(WindowCommandLine, AnswersHelpAndVersionWithoutADisplayAndRefusesUnknownOptions)
{
    // No display at all: --help and --version must not need one.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("DISPLAY");
    env.remove("WAYLAND_DISPLAY");
    env.insert("QT_QPA_PLATFORM", "xcb");
    const struct
    {
        QStringList args;
        int exitCode;
        const char* out;
        const char* err;
    } cases[] = {
        {{"--help"}, 0, "Usage: lumelle [options] [FILE]", ""},
        {{"-h"}, 0, "-V, --version", ""},
        {{"--help"}, 0, "WebVTT .vtt,\nASS/SSA .ass or .ssa", ""},
        {{"--help"}, 0, "a Blu-ray PGS .sup, or BDN XML with PNGs", ""},
        {{"--version"}, 0, "lumelle " LUMELLE_VERSION "\n", ""},
        {{"-V"}, 0, "MIT licence (Expat)", ""},
        {{"-platform", "offscreen", "--bogus"}, 2, "", "lumelle: unknown option --bogus"},
        {{"-platform", "offscreen", "a.srt", "b.srt"}, 2, "", "only one subtitle file"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const ConverterRun run = runConverter(c.args, env, {}, LUMELLE_WINDOW_BIN);
        EXPECT_EQ(run.exitCode, c.exitCode) << run.err.toStdString();
        EXPECT_TRUE(run.out.contains(c.out)) << run.out.toStdString();
        EXPECT_TRUE(run.err.contains(c.err)) << run.err.toStdString();
    }
}
#endif
