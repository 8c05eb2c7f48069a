// The bash completion written at build time: run by bash as a shell would run it, with the
// words of a command line set by hand.
#include "TestFiles.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// What the completion offers for the last of `words` (the word being typed), run in `folder`.
QStringList complete(const QStringList& words, const QString& folder)
{
    QString array;
    for (const QString& word : words)
        array += QStringLiteral(" '%1'").arg(word);
    const QString script = QStringLiteral("source \"$1\" || exit 3\n"
                                          "COMP_WORDS=(lumelle-convert%1)\n"
                                          "COMP_CWORD=%2\n"
                                          "_lumelle_convert\n"
                                          "printf '%s\\n' \"${COMPREPLY[@]}\"\n")
                               .arg(array)
                               .arg(words.size());
    QProcess bash;
    bash.setWorkingDirectory(folder);
    bash.start(QStringLiteral("bash"),
               {QStringLiteral("--norc"), QStringLiteral("--noprofile"), QStringLiteral("-c"),
                script, QStringLiteral("bash"), QStringLiteral(LUMELLE_COMPLETION_FILE)});
    EXPECT_TRUE(bash.waitForFinished(20000));
    EXPECT_EQ(bash.exitCode(), 0) << bash.readAllStandardError().constData();
    QStringList offered = QString::fromUtf8(bash.readAllStandardOutput())
                              .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    offered.sort();
    return offered;
}

struct CompletionCase
{
    const char* what;
    QStringList words;   // after the program's name; the last is the word being typed
    QStringList offered; // exactly these, in sorted order
};

} // namespace

TEST(ShellCompletion, CompletesOptionsChoicesAndFiles)
{
    QTemporaryDir dir;
    writeFileIn(dir, "film.srt", "1\n00:00:01,000 --> 00:00:02,000\nHello\n");
    writeFileIn(dir, "Film.ASS", "[Script Info]\n");
    writeFileIn(dir, "disc.sup", "PG");
    writeFileIn(dir, "Lumelle_Settings.ini", "[TForm1]\n");
    writeFileIn(dir, "cover.png", "png");
    writeFileIn(dir, "film.mkv", "mkv");
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("season")));

    const CompletionCase cases[] = {
        {"long names", {"--fo"}, {"--font", "--forced", "--forced-only", "--format"}},
        {"a list's choices", {"--style", "Bold+"}, {"Bold+It+Und", "Bold+Italic", "Bold+Under"}},
        {"choices after a short name", {"-r", "23"}, {"23976"}},
        {"choices after --name=", {"--fps", "=", "2"}, {"23976", "24000", "25000", "29970"}},
        {"choices right after =", {"--aspect", "="}, {"16:9", "4:3"}},
        {"words the row checks itself", {"--palette", ""}, {"dvd", "pc", "safe", "two"}},
        {"forms", {"--format", "v"}, {"vobsub", "vobsub,dvd-sup"}},
        {"colour names", {"--text-color", "whi"}, {"white"}},
        {"language codes", {"--language", "e"}, {"el", "en", "eo", "es", "et", "eu"}},
        {"no files for a value of one's own", {"--offset", ""}, {}},
        {"no files for a font name", {"--font", "f"}, {}},
        {"inputs by extension, any case", {""}, {"Film.ASS", "disc.sup", "film.srt", "season"}},
        {"inputs after options", {"--wrap", "F"}, {"Film.ASS"}},
        {"streams are inputs", {"--stream", "d"}, {"disc.sup"}},
        {"folders only for --output", {"-o", ""}, {"season"}},
        {"settings files", {"--settings", ""}, {"Lumelle_Settings.ini", "season"}},
    };
    for (const CompletionCase& c : cases)
        EXPECT_EQ(complete(c.words, dir.path()), c.offered) << c.what;

    // A dash offers the options, short and long, and no file.
    const QStringList options = complete({"-"}, dir.path());
    for (const char* name : {"-r", "--fps", "-o", "--output", "--help", "--no-overwrite"})
        EXPECT_TRUE(options.contains(QLatin1String(name))) << name;
    EXPECT_FALSE(options.contains(QLatin1String("film.srt")));
}

TEST(ShellCompletion, RegistersForTheConverter)
{
    QProcess bash;
    bash.start(QStringLiteral("bash"),
               {QStringLiteral("--norc"), QStringLiteral("-c"),
                QStringLiteral("source \"$1\" && complete -p lumelle-convert"),
                QStringLiteral("bash"), QStringLiteral(LUMELLE_COMPLETION_FILE)});
    ASSERT_TRUE(bash.waitForFinished(20000));
    EXPECT_EQ(bash.readAllStandardOutput().trimmed(),
              QByteArray("complete -F _lumelle_convert lumelle-convert"));
}
