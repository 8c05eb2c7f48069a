// The notes of a run as the window shows them: what the core says in English (outputs left as
// they were, the streams of a pair of several languages, colours a picture cannot show) in
// the user's language, and a note of a form the window does not know left whole.
#include "GenerationRequests.h"
#include "LayoutChecks.h"
#include "TestFiles.h"
#include "convert/JoinedSource.h"
#include "ui/RunNotes.h"

#include <QDir>
#include <QTemporaryDir>

using namespace lumelle;
using namespace lumelle::testing;

namespace {

constexpr FrameRate kRate(25000);

class RunNotesTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    // `text` read as a subtitle file named `name` in the temporary folder.
    std::shared_ptr<TSubtitle> listOf(const QString& name, const QByteArray& text)
    {
        auto list = std::make_shared<TSubtitle>();
        list->LoadFromFile(writeFileIn(dir, name, text), true, kRate, 0);
        return list;
    }
    QString path(const QString& name) const { return dir.filePath(name); }

    QTemporaryDir dir;
    RenderSettings settings;
};

const QByteArray kOneSubtitle = "1\n00:00:01,000 --> 00:00:02,000\nOne\n";

} // namespace

TEST_F(RunNotesTest, OutputsLeftAsTheyWereAreSaidInTheUsersLanguage)
{
    // A folder named like the help file, and a MicroDVD file where the pair would go.
    auto list = listOf("film.srt", kOneSubtitle);
    ASSERT_TRUE(QDir().mkpath(path("Lumelle_Help_File.txt")));
    const QString microDvd = writeFileIn(dir, "film.sub", "{25}{50}Micro\n");
    GenerationRequest request = defaultRequest(*list, path("film.srt"), settings);
    request.otherInputs << microDvd;
    const GenerationResult result = RunGeneration(request, {});
    ASSERT_EQ(result.notes.size(), 2) << result.notes.join('\n').toStdString();

    const ScopedLanguage german(QStringLiteral("de"));
    ASSERT_TRUE(german.loaded());
    // Compared as one text, so that a difference is shown readably.
    EXPECT_EQ(ShownNotes(result.notes).join('\n').toStdString(),
              QStringList({microDvd +
                               " blieb unverändert: sie ist eine Eingabe oder eine frühere "
                               "Ausgabe dieses Laufs. Stattdessen geschrieben – Paar: " +
                               path("film_vobsub.idx") + " und " + path("film_vobsub.sub") + ".",
                           path("Lumelle_Help_File.txt") +
                               " blieb unverändert: sie ist keine gewöhnliche Datei."})
                  .join('\n')
                  .toStdString());
    {
        const ScopedLanguage french(QStringLiteral("fr"));
        EXPECT_EQ(ShownNote(result.notes.back()),
                  path("Lumelle_Help_File.txt") +
                      " a été laissé tel quel : ce n'est pas un fichier ordinaire.");
    }
}

TEST_F(RunNotesTest, StreamsOfAPairOfSeveralLanguagesAreSaidInTheUsersLanguage)
{
    auto english = listOf("film.en.srt", kOneSubtitle);
    auto german = listOf("film.de.srt", kOneSubtitle);
    GenerationRequest request = defaultRequest(*english, path("film.srt"), settings);
    request.source = std::make_shared<JoinedPictureSource>(std::vector<JoinedPictureSource::Input>{
        {std::make_shared<TextPictureSource>(*english, settings), QStringLiteral("film.en.srt")},
        {std::make_shared<TextPictureSource>(*german, settings), QStringLiteral("film.de.srt")}});
    VobSubOptions pair;
    pair.frameRate = kRate;
    pair.languageText = QStringLiteral("en ENGLISH");
    pair.colours = {settings.antialiasColor, settings.outlineColor, settings.textColor};
    pair.streams = {{QStringLiteral("en"), {}, {}}, {QStringLiteral("de"), {}, {}}};
    request.writer = std::make_shared<VobSubWriter>(pair);

    const ScopedLanguage spanish(QStringLiteral("es"));
    ASSERT_TRUE(spanish.loaded());
    const GenerationResult result = RunGeneration(request, {});
    const QString help = QString::fromStdString(result.helpShown);
    ASSERT_TRUE(help.contains("Streams of this pair: 0 en (default), 1 de.")) << help.toStdString();
    const QString shown = ShownHelpText(help);
    EXPECT_TRUE(shown.contains("Pistas de este par: 0 en (predeterminada), 1 de. mkvmerge marca "
                               "todas las pistas como predeterminadas salvo que se le indique: "
                               "mkvmerge -o OUTPUT.mkv VIDEO --default-track-flag 0:yes "
                               "--default-track-flag 1:no film.idx"))
        << shown.toStdString();
    EXPECT_FALSE(shown.contains("Streams of this pair")) << shown.toStdString();
    // The rest of the help text was the user's language already, and stays as it was.
    EXPECT_EQ(shown.count('\n'), help.count('\n'));
    EXPECT_TRUE(shown.startsWith(QString::fromStdString(result.helpShown).section('\n', 0, 0)));
}

TEST_F(RunNotesTest, ColoursAPictureCannotShowAreSaidWithTheSubtitlesCounted)
{
    // Three text colours in one subtitle and two in another: more than a DVD picture shows.
    auto list = listOf("film.srt", "1\n00:00:01,000 --> 00:00:02,000\n"
                                   "<font color=\"#ff0000\">A</font> <font color=\"#00ff00\">B"
                                   "</font> <font color=\"#0000ff\">C</font>\n\n"
                                   "2\n00:00:03,000 --> 00:00:04,000\n"
                                   "<font color=\"#ffff00\">D</font> <font color=\"#00ffff\">E"
                                   "</font> <font color=\"#ff00ff\">F</font>\n");
    const GenerationResult result =
        RunGeneration(defaultRequest(*list, path("film.srt"), settings), {});
    ASSERT_FALSE(result.notes.isEmpty());
    const ScopedLanguage german(QStringLiteral("de"));
    for (const QString& note : ShownNotes(result.notes)) {
        EXPECT_TRUE(note.startsWith("Die Untertitel 1, 2 verlangen ")) << note.toStdString();
        EXPECT_FALSE(note.contains(" ask")) << note.toStdString();
    }
}

TEST_F(RunNotesTest, NotesOfUnknownFormsAndEnglishStayAsTheyAre)
{
    const QStringList notes = {
        QStringLiteral("Event 3 was skipped: it is larger than the frame."),
        QStringLiteral("film.ass: the font \"Foo\" is not installed nor in the script; drawn in "
                       "DejaVu Sans."),
        QStringLiteral("film.de.srt: Subtitle 2 asks for colours beyond the 16 of the palette and "
                       "is drawn in the nearest colour it holds."),
    };
    EXPECT_EQ(ShownNotes(notes).join('\n').toStdString(), notes.join('\n').toStdString())
        << "without a catalogue every note is English";
    const ScopedLanguage french(QStringLiteral("fr"));
    EXPECT_EQ(ShownNote(notes[0]), notes[0]);
    EXPECT_EQ(ShownNote(notes[1]), notes[1]);
    // A file's name in front of a known note: the note is translated, the name kept.
    EXPECT_EQ(ShownNote(notes[2]),
              QStringLiteral("film.de.srt : Le sous-titre 2 demande des couleurs hors des 16 de "
                             "la palette et est dessiné dans la couleur la plus proche qu'elle "
                             "contient."));
    // Several lines, each on its own; "... and N more" counted in the user's language.
    EXPECT_EQ(ShownNote(QStringLiteral("2 subtitles hold characters that no installed font can "
                                       "draw; they show as empty boxes. Install a font for their "
                                       "script (the README names the Debian packages):\n"
                                       "subtitle 4: \u0F00\n... and 1 more.")),
              QStringLiteral("2 sous-titres contiennent des caractères qu'aucune police installée "
                             "ne peut dessiner ; ils apparaissent comme des cases vides. Installez "
                             "une police pour leur écriture (le README nomme les paquets Debian) "
                             ":\nsous-titre 4 : \u0F00\n... et 1 de plus."));
}
