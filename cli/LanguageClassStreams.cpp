#include "cli/LanguageClassStreams.h"

#include "cli/InputReading.h"
#include "subtitle/CodePageGuess.h"
#include "subtitle/FileKind.h"
#include "subtitle/ForcedMarks.h"
#include "subtitle/TextLanguage.h"
#include "vobsub/Languages.h"

#include <QFileInfo>

namespace lumelle {

std::vector<StreamInput> LanguageClassStreams(const QString& file, const RunState& run)
{
    const ConvertOptions& options = run.options;
    if (KindOfFile(file) != FileKind::Sami)
        return {};
    TSubtitle list;
    PrepareReading(list, options, ReadingLanguage(file, options));
    const FrameRate rate = FrameRate::fromText(options.fpsText);
    list.LoadFromFile(file, true, rate, 0, options.settings.charset);
    const std::vector<TSubtitle::LanguageClass> classes = list.LanguageClasses();
    if (classes.size() < 2)
        return {};
    const bool forced = options.forced || ReadStreamFileName(QFileInfo(file).fileName()).forced;
    std::vector<StreamInput> streams;
    for (const TSubtitle::LanguageClass& c : classes) {
        QString code = IndexLanguageCode(QString::fromStdString(c.language));
        if (code.isEmpty()) {
            TSubtitle ofClass;
            PrepareReading(ofClass, options, ReadingLanguage(file, options));
            ofClass.SetLanguageClass(c.name);
            ofClass.LoadFromFile(file, true, rate, 0, options.settings.charset);
            code = IndexLanguageCode(QString::fromStdString(IdentifyListLanguage(ofClass)));
        }
        if (code.isEmpty())
            code = QString::fromStdString(LanguageCodeOf(options.languageText));
        streams.push_back({file, code, QString(), forced, c.name});
    }
    return streams;
}

} // namespace lumelle
