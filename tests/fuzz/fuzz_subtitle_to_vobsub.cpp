// Fuzzes the whole road from subtitle file bytes to an .idx/.sub pair, with a small font so
// that each input runs quickly. The pair must always be whole: packs of 2048 bytes, one index
// line per written subtitle.
#include "FuzzSupport.h"
#include "convert/GenerationRun.h"
#include "convert/TextSource.h"
#include "platform/Error.h"
#include "subtitle/Subtitle.h"
#include "vobsub/VobSubWriter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdint>

namespace {
QTemporaryDir* g_dir = nullptr;
}

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    lumelle::fuzz::startQt();
    g_dir = new QTemporaryDir;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2 || size > 4096)
        return 0;
    static const char* const kNames[] = {"f.srt", "f.sub", "f.txt", "f.srt"};
    static const char* const kRates[] = {"23976", "24000", "25000", "29970", "30000"};
    const QString name = g_dir->filePath(QString::fromLatin1(kNames[data[0] & 3]));
    const QString fps = QString::fromLatin1(kRates[(data[0] >> 2) % 5]);
    lumelle::RenderSettings settings;
    settings.fontSize = 6 + (data[1] & 7);
    settings.outlineWidth = 2 + (data[1] >> 3) % 3;
    settings.videoStandard = lumelle::VideoStandardFromFps(fps);
    settings.offset = 8 + (data[1] >> 5) * 60;
    settings.charset = (data[1] & 0x80) ? 1 : 204;

    lumelle::TSubtitle list;
    const QByteArray bytes(reinterpret_cast<const char*>(data + 2), qsizetype(size - 2));
    try {
        list.LoadFromData(name, bytes, true, lumelle::FrameRate::fromText(fps), 0);
    } catch (const lumelle::Error&) {
    }
    if (list.Count() == 0 || list.Count() > 50)
        return 0;

    lumelle::GenerationRequest request;
    request.source = std::make_shared<lumelle::TextPictureSource>(list, settings);
    lumelle::VobSubOptions pair;
    pair.frameRate = lumelle::FrameRate::fromText(fps);
    pair.languageText = QStringLiteral("en ENGLISH");
    pair.colours = {settings.antialiasColor, settings.outlineColor, settings.textColor};
    request.writer = std::make_shared<lumelle::VobSubWriter>(pair);
    request.subtitleFile = name;
    int written = 0;
    try {
        written = lumelle::RunGeneration(request, {}).written;
    } catch (const lumelle::Error&) {
        // Refused subtitles (a start before zero, a picture too large) end the run cleanly.
    }
    const QStringList paths = lumelle::PlannedOutputs(request).files;
    QFile idx(paths[0]), sub(paths[1]);
    if (sub.open(QIODevice::ReadOnly) && sub.size() % 2048 != 0)
        __builtin_trap();
    if (idx.open(QIODevice::ReadOnly)) {
        const QByteArray text = idx.readAll();
        if (text.count("timestamp: ") < written)
            __builtin_trap();
    }
    QFile::remove(paths[1]);
    QFile::remove(paths[0]);
    return 0;
}
