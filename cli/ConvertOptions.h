// Command-line options of lumelle-convert: the window's settings, given as options.
#pragma once

#include "ass/AssSource.h"
#include "convert/RetimedSource.h"
#include "pgs/PicturePlacement.h"
#include "render/RenderSettings.h"
#include "subtitle/Subtitle.h"
#include "vobsub/Palette.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <string>
#include <vector>

namespace lumelle {

// A file given with --stream: one stream of a pair with a stream per file.
struct StreamInput
{
    QString file;
    QString code; // the two letters the index holds
    QString alt;  // the name players show; empty: none
    bool forced = false;
    std::string languageClass; // of a SAMI file: the class of paragraphs read; empty: the first
};

struct ConvertOptions
{
    QStringList files;
    std::vector<StreamInput> streams; // --stream: one pair of all of them instead of `files`
    int defaultStream = 0;            // of `streams`
    bool forced = false;              // every subtitle of `files` is forced
    Retiming retiming;                // --shift, --speed, --forced-only, --drop-forced
    pgs::PicturePlacement placement;  // --move, --keep-inside: of pictures read from a file
    int brightness = 100;             // --brightness: the colours written at this % of their light
    bool writePair = true;            // the .idx/.sub pair
    bool writeSup = false;            // the .sup file of DVD authoring programs
    bool writePgs = false;            // the Blu-ray PGS .sup instead of the DVD forms
    bool writeBdn = false;            // BDN XML and PNG pictures instead of the DVD forms
    QString frameSizeText;            // --frame-size as given; empty: the Blu-ray default
    bool wideDvd = true;  // --aspect: a DVD picture made from a Blu-ray one shows 16:9, else 4:3
    int streamIndex = -1; // --stream-index: the one stream of a VobSub pair read; -1: every one
    QString fpsText = QLatin1String(kDefaultFrameRate);
    bool fpsGiven = false;   // --fps: else a file of DVD pictures keeps the rate of its frame
    RenderSettings settings; // the window's defaults
    PaletteMode mode = PaletteMode::PcDvdTwoPalettes;
    QString languageText = QLatin1String(kDefaultLanguage);
    bool languageGiven = false; // --language: it wins over what each file's name or text tells
    QString outputFolder;
    bool listOnly = false;
    bool quiet = false;     // problems only
    bool json = false;      // a summary for scripts instead of a line per file
    int jobs = 0;           // drawing threads; 0: one per processor this process may use
    bool helpFile = true;   // write Lumelle_Help_File.txt beside the pair
    bool recursive = false; // a folder given stands for the files of its subfolders too
    // Under --output, the subfolder of each file found in a folder given ("a/b"), keeping the
    // folder's tree.
    QHash<QString, QString> outputSubfolders;
    bool noOverwrite = false; // leave a file whose outputs exist already, and its help file
    int animationSteps =
        kAnimationStepsDefault;   // pictures a second at most of an animated ASS/SSA event
    bool rollingCaptions = false; // WebVTT captions typed as they are spoken: each line once
    bool speakerNames = false;    // WebVTT voice tags: the speaker's name before the words
    bool timestampMap = false;    // WebVTT: apply the X-TIMESTAMP-MAP offset to the cues
};

// True when the run writes a Blu-ray form (PGS or BDN XML).
inline bool WritesBluRay(const ConvertOptions& options)
{
    return options.writePgs || options.writeBdn;
}
// The frame a Blu-ray form is drawn at: --frame-size, else 1920x1080.
QSize BluRayFrameOf(const ConvertOptions& options);
// The rate the run counts frames at: --fps, on the exact frame grid of Blu-ray video for the
// Blu-ray forms (23.976 is 24000 frames in 1001 s); a DVD keeps the rate as named.
FrameRate RunFrameRate(const ConvertOptions& options);

// The file name that stands for standard input.
inline constexpr char kStandardInput[] = "-";

constexpr int kMaxJobs = 256;
// Subpicture streams are numbered 0 to 31.
constexpr int kLastSubpictureStream = 31;

enum class ParseOutcome { Run, Help, Version, Error };

// Reads the arguments (the program name first) into `options`. On a bad option or value the
// outcome is Error and `error` says what is wrong.
ParseOutcome ParseConvertOptions(const QStringList& arguments, ConvertOptions& options,
                                 QString& error);

} // namespace lumelle
