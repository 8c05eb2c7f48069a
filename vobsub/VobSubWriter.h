// The VobSub form: an .idx index and a .sub program stream of subpicture units, then a help
// file with the Y/Cr/Cb values for DVD authoring. The same units can go into the .sup file
// DVD authoring programs import, beside the pair or instead of it.
#pragma once

#include "convert/PictureWriter.h"
#include "output/OutputFiles.h"
#include "subtitle/FrameRate.h"
#include "vobsub/Palette.h"

#include <QString>
#include <string>
#include <vector>

namespace lumelle {

// One subpicture stream of a pair with several: its language and how it is named.
struct VobSubStream
{
    QString code;   // the two letters the index holds
    QString alt;    // the alternative name players show; empty: none
    QString source; // the file it was made from, for messages
};

struct VobSubOptions
{
    FrameRate frameRate; // the rate the frame numbers count at
    PaletteMode mode = PaletteMode::PcDvdTwoPalettes;
    QString languageText;  // a language list entry such as "el GREEK"
    OutputColours colours; // the palette of every subtitle, one for all streams
    bool helpFile = true;  // write the help file beside the pair
    // The streams in the order pictures name them (PictureTimes::stream); empty: one stream
    // in `languageText`, indexed as a single-stream pair always was.
    std::vector<VobSubStream> streams;
    int defaultStream = 0; // of `streams`: the one players pick first
    bool pair = true;      // write the .idx/.sub pair
    bool sup = false;      // write the .sup file of a single stream
};

class VobSubWriter : public PictureWriter
{
public:
    explicit VobSubWriter(const VobSubOptions& options);

    // The pair: the .idx first (it names the pair in messages and locks), then the .sub.
    static const OutputSet& pair();
    // The pair and the .sup; the .sup alone.
    static const OutputSet& pairAndSup();
    static const OutputSet& supOnly();

    const OutputSet& outputs() const override;
    PictureForm form() const override;
    void usePalette(const PalettePlan& plan) override;
    void checkStart(int startFrame, int number) const override;
    void planStreams(const std::vector<int>& picturesPerStream) override;
    void open(const QStringList& paths) override;
    EncodedPicture encode(const TimedPicture& picture) const override;
    void write(const PictureTimes& times, const EncodedPicture& encoded) override;
    void commit() override;
    void discard() override;
    void finish(const QDir& folder, const QStringList& inputs, GenerationResult& result) override;

private:
    bool severalStreams() const { return !m_options.streams.empty(); }
    int defaultIndex() const;
    std::string indexText() const;
    std::string muxNote(const QString& idxName) const;
    // When the palette holds `colour`, makes it the colour `shown` a layer is classified by and
    // `slot` the palette slot it shows in; otherwise leaves both.
    void placeInk(ColorValue colour, ColorValue& shown, int& slot) const;

    VobSubOptions m_options;
    StagedSet m_files;
    StagedFile* m_idx = nullptr;
    StagedFile* m_sub = nullptr;
    StagedFile* m_sup = nullptr;
    std::uint32_t m_packCount = 0;
    // Streams with pictures get indexes from 0 in order; one without any is not written.
    std::vector<int> m_indexOf;            // per stream of the options: its index, or -1
    std::vector<int> m_written;            // per index: the stream of the options
    std::vector<std::string> m_timestamps; // per index: its timestamp lines, written at commit
};

} // namespace lumelle
