// Several sources as the streams of one output: a subtitle file per language, each with its
// own reader and drawing, their pictures handed over in start order. A picture's stream is
// the position of its source.
#pragma once

#include "convert/PictureSource.h"

#include <QString>
#include <memory>
#include <vector>

namespace lumelle {

class JoinedPictureSource : public PictureSource
{
public:
    struct Input
    {
        std::shared_ptr<PictureSource> source;
        QString name; // the file it draws, to name in its messages
    };
    explicit JoinedPictureSource(std::vector<Input> inputs);

    void useForm(const PictureForm& form) override;
    // Plans every source; a refusal names the source's file.
    void plan(const std::function<void(int startFrame, int number)>& checkStart) override;
    int count() const override;
    PictureTimes times(int index) const override;
    int merged() const override;
    // One palette serves every stream: the sources' extra colours in stream order, each once,
    // as many as the palette holds (a colour past them shows in the window's text colour).
    PalettePlan palette() const override;
    // Every source's notes, each behind the name of its file.
    QStringList notes() const override;
    int skipped() const override;
    std::vector<int> picturesPerStream() const override;
    void startWorkers(int workers) override;
    TimedPicture draw(int index, int worker) override;
    const SubtitleImage& drawShown(int index) override;

private:
    struct Place
    {
        int stream;
        int index; // in its source
    };
    template <typename F> auto named(int stream, F&& step) -> decltype(step());

    std::vector<Input> m_inputs;
    std::vector<Place> m_order; // the pictures of all sources by start; streams in order on ties
};

// The subtitle file a pair of streams is named after: the first stream's file without its
// language and forced parts ("film.en.srt", "film.en.sub" -> "film.srt"), in that file's folder.
// It ends in ".srt" whatever the file's kind, so that "film.sub" of the pair is not taken for
// the input itself; a stream file the pair would replace is still kept by the output checks.
QString JoinedPairNameFile(const QString& firstStream);

} // namespace lumelle
