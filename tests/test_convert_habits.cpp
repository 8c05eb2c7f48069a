// How lumelle-convert behaves for people and scripts: its switches, messages and summary, its
// help text and manual pages, and the font names it accepts.
#include "ConverterRuns.h"
#include "TestFiles.h"
#include "cli/ConvertOptions.h"
#include "cli/Manual.h"
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
ConverterRun runWithoutRuntimeDir(const QStringList& args)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("XDG_RUNTIME_DIR"));
    return runConverter(args, env);
}

struct HabitCase
{
    const char* name;
    QStringList args; // "{srt}", "{junk}", "{missing}" and "{dir}" stand for paths
    int exitCode;
    QStringList outHas;
    QStringList errHas;
    std::function<void(const ConverterRun&, const QTemporaryDir&)> check = {};
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

    const HabitCase cases[] = {
        {"version", {"--version"}, 0, {"lumelle-convert " LUMELLE_VERSION}, {}},
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
         }},
    };
    for (const HabitCase& c : cases) {
        SCOPED_TRACE(c.name);
        auto expand = [&](QString text) {
            return text.replace("{srt}", srt)
                .replace("{junk}", junk)
                .replace("{missing}", missing)
                .replace("{dir}", dir.path());
        };
        QStringList args;
        for (const QString& a : c.args)
            args << expand(a);
        const ConverterRun run = runWithoutRuntimeDir(args);
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
        EXPECT_TRUE(page.contains(".SH \"WHICH PALETTE MODE?\""));
    }
    for (const QString& line : help.split('\n'))
        EXPECT_LE(line.size(), 79) << line.toStdString();
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
