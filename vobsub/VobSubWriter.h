// The VobSub form: an .idx index and a .sub program stream of subpicture units, then a help
// file with the Y/Cr/Cb values for DVD authoring.
#pragma once

#include "convert/PictureWriter.h"
#include "output/OutputFiles.h"
#include "subtitle/FrameRate.h"
#include "vobsub/Palette.h"

#include <QString>

namespace lumelle {

struct VobSubOptions
{
    FrameRate frameRate; // the rate the frame numbers count at
    PaletteMode mode = PaletteMode::PcDvdTwoPalettes;
    QString languageText;  // a language list entry such as "el GREEK"
    OutputColours colours; // the palette of every subtitle
    bool helpFile = true;  // write the help file beside the pair
};

class VobSubWriter : public PictureWriter
{
public:
    explicit VobSubWriter(const VobSubOptions& options);

    // The pair: the .idx first (it names the pair in messages and locks), then the .sub.
    static const OutputSet& pair();

    const OutputSet& outputs() const override;
    void usePalette(const PalettePlan& plan) override;
    void checkStart(int startFrame, int number) const override;
    void open(const QStringList& paths) override;
    EncodedPicture encode(const TimedPicture& picture) const override;
    void write(const PictureTimes& times, const EncodedPicture& encoded) override;
    void commit() override;
    void discard() override;
    void finish(const QDir& folder, const QStringList& inputs, GenerationResult& result) override;

private:
    VobSubOptions m_options;
    StagedSet m_files;
    StagedFile* m_idx = nullptr;
    StagedFile* m_sub = nullptr;
    std::uint32_t m_packCount = 0;
};

} // namespace lumelle
