// Pictures drawn from an ASS/SSA script by libass: cut at every event's start and end (events
// that overlap share a picture), and again while an animated event changes (a fade, a move,
// karaoke, SSA's banners and scrolling text), at most a set number of pictures a second. Each
// drawing thread has its own libass renderer.
#pragma once

#include "ass/AssImages.h"
#include "ass/AssScript.h"
#include "convert/PictureSource.h"
#include "render/RenderSettings.h"
#include "subtitle/FrameRate.h"
#include "subtitle/Subtitle.h"

#include <QSize>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace lumelle {

// How often an animated event is drawn again while it changes, unless chosen: pictures a second.
inline constexpr int kAnimationStepsDefault = 10;

struct AssSourceSettings
{
    QSize frame{720, 576}; // the frame the pictures are drawn for
    FrameRate rate = kPalFrameRate;
    // An animated event is drawn again at most this often while it changes.
    int picturesPerSecond = kAnimationStepsDefault;
    // The window's inks: the outline and antialias colours every picture uses, and the text
    // colour that needs no palette entry of its own.
    AssInks inks{makeColor(255, 255, 255), makeColor(0, 0, 0), makeColor(128, 128, 128)};
    bool forced = false; // every picture forced
};

class AssPictureSource : public PictureSource
{
public:
    AssPictureSource(std::shared_ptr<const AssScript> script, const AssSourceSettings& settings);
    ~AssPictureSource() override;

    // Full colour draws libass's images as they are, at the form's frame.
    void useForm(const PictureForm& form) override;
    void plan(const std::function<void(int startFrame, int number)>& checkStart) override;
    int count() const override;
    PictureTimes times(int index) const override;
    int merged() const override;
    PalettePlan palette() const override;
    QStringList notes() const override;
    int skipped() const override;
    void startWorkers(int workers) override;
    TimedPicture draw(int index, int worker) override;
    const SubtitleImage& drawShown(int index) override;

    // The events that show (text or drawing, a time to show), in the script's order: libass's
    // own reading of the script. Valid after plan().
    int eventCount() const { return int(m_events.size()); }

private:
    struct Event
    {
        long long start = 0; // ms
        long long end = 0;
        int number = 0; // 1-based, in the script's order
        bool animated = false;
        bool forced = false;
        bool blurred = false; // its letters are blurred (\blur, \be or the style's blur)
        // Text colours asked for (the style's first) and how many letters each colours.
        std::vector<std::pair<ColorValue, std::size_t>> colours;
        // Outline colours asked for and how many letters each outlines.
        std::vector<std::pair<ColorValue, std::size_t>> outlines;
    };
    struct Piece
    {
        long long renderMs = 0;
        PictureTimes times;
        ColorValue text = 0;
        std::optional<ColorValue> second; // a second text colour, in the antialias ink's place
        std::optional<ColorValue> askedOutline; // the script's, when its letters have one
        ColorValue outline = 0;                 // the ink the outline layer is drawn in
        bool blurred = false;                   // blurred letters are shown
    };
    struct Worker
    {
        std::unique_ptr<AssRendering> rendering;
        SubtitleImage image;
        std::vector<std::uint8_t> scratch;
        std::array<std::uint8_t, 3> opacity{15, 15, 15};
        ColourImage colour; // the picture in full colour, for a form that shows alpha
    };
    // What the events shown together between two cuts make of their picture.
    struct Shown
    {
        bool animated = false;
        bool forced = false;
        bool blurred = false;              // some of its letters are blurred
        int number = 0;                    // the event it is named by: the latest to start
        ColorValue text = 0;               // the text colour most of its letters ask for
        std::optional<ColorValue> second;  // the one the next most ask for
        std::optional<ColorValue> outline; // the outline colour most outlined letters ask for
        bool tooManyColours = false;       // more than the two a DVD picture shows
    };
    void readEvents();
    // The pictures of the events in show order, cut at every start and end; the events that
    // ask for more than one text colour in a picture, by number.
    std::vector<int> planPieces(const std::function<void(int startFrame, int number)>& checkStart);
    // Every event's start and end, sorted, each once.
    std::vector<long long> cutTimes() const;
    // The events' indexes by start, the script's order on ties.
    std::vector<std::size_t> eventsByStart() const;
    Shown shownTogether(const std::vector<std::size_t>& active) const;
    // Where pictures start between `from` and `to`: at `from`, and while an animated stretch
    // changes, at most once a step.
    std::vector<long long> pictureStarts(long long from, long long to, bool animated);
    void addPieces(const std::vector<long long>& starts, long long to, const Shown& shown,
                   const std::function<void(int startFrame, int number)>& checkStart);
    // The palette of the planned pictures, each piece's text colour drawn with it; the events
    // whose colour found no entry, by number.
    std::vector<int> planPalette();
    // Draws what makes libass pick each font the script uses.
    void drawEachFontOnce();
    void drawInto(Worker& worker, int index);

    std::shared_ptr<const AssScript> m_script;
    AssSourceSettings m_settings;
    bool m_colour = false; // drawn in full colour rather than in four inks
    int m_columnShift = 0; // the writer's PictureForm::columnShift
    std::unique_ptr<AssRendering> m_planRendering;
    std::vector<Event> m_events;
    std::vector<Piece> m_pieces;
    int m_merged = 0;
    PalettePlan m_palette;
    QStringList m_notes;
    int m_skipped = 0; // events too large to draw
    std::vector<Worker> m_workers;
    Worker m_shown;
};

// The pictures of `file`, read into `list`: an ASS/SSA script is drawn by libass from its own
// text (read again from the file), every other kind by the text renderer from the list, which
// must outlive the source. `animationSteps`: pictures a second of an animated script event.
// `forced`: every picture is marked forced.
std::shared_ptr<PictureSource> PictureSourceOf(const TSubtitle& list, const QString& file,
                                               const RenderSettings& settings, FrameRate rate,
                                               int animationSteps, bool forced);

// Draws the script's frame at `ms` onto `surface` (the preview: a background picture of the
// frame's size), in full colour.
class AssPreview
{
public:
    AssPreview(const AssScript& script, QSize frame);
    void draw(QImage& surface, long long ms);
    QSize frame() const { return m_rendering.frame(); }

private:
    AssRendering m_rendering;
};

} // namespace lumelle
