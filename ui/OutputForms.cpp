#include "ui/OutputForms.h"

#include "pgs/BdnXmlWriter.h"
#include "pgs/BluRayForm.h"
#include "pgs/PgsWriter.h"
#include "platform/Error.h"
#include "subtitle/CodePageGuess.h"
#include "vobsub/Languages.h"

#include <QCoreApplication>

namespace lumelle {

namespace {

// The forms' names and refusals are texts of the main window, translated with its own.
struct FormTexts
{
    Q_DECLARE_TR_FUNCTIONS(lumelle::TForm1)
};

// The VobSub writer writing the pair, the DVD .sup file or both.
std::shared_ptr<PictureWriter> vobSubWriter(const OutputChoices& choices, bool pair, bool sup)
{
    VobSubOptions options;
    options.frameRate = choices.frameRate;
    options.mode = choices.paletteMode;
    options.languageText = choices.languageText;
    options.colours = choices.colours;
    options.streams = choices.streams;
    options.pair = pair;
    options.sup = sup;
    return std::make_shared<VobSubWriter>(options);
}

// A Blu-ray writer at the chosen frame; a frame and rate Blu-ray video does not have are
// refused before anything is drawn.
template <class Writer> std::shared_ptr<PictureWriter> bluRayWriter(const OutputChoices& choices)
{
    if (const QString refusal = BluRayFormatRefusal(choices.frame, choices.frameRateText);
        !refusal.isEmpty())
        throw Error(refusal);
    BluRayOptions options;
    options.frameRate = choices.frameRate;
    options.frame = choices.frame;
    options.language =
        ThreeLetterLanguageCode(QString::fromStdString(LanguageCodeOf(choices.languageText)));
    return std::make_shared<Writer>(options);
}

// "1920x1080: 23976, 24000, 25000, 29970; 1280x720: ...": the sizes and rates of Blu-ray video.
QString bluRayFormatTable()
{
    QStringList sizes;
    for (const QString& size : BluRayFrameSizeTexts()) {
        QStringList rates;
        for (const BluRayVideoFormat& format : BluRayVideoFormats())
            if (format.frame == BluRayFrameSize(size))
                rates << QString::number(format.framesPer1000Seconds);
        sizes << QStringLiteral("%1: %2").arg(size, rates.join(QStringLiteral(", ")));
    }
    return sizes.join(QStringLiteral("; "));
}

} // namespace

const std::vector<OutputForm>& OutputForms()
{
    static const std::vector<OutputForm> forms = {
        {"vobsub", [] { return FormTexts::tr("VobSub pair (.idx/.sub)"); }, true, false,
         [](const OutputChoices& c) { return vobSubWriter(c, true, false); }},
        {"dvd-sup", [] { return FormTexts::tr("DVD .sup (authoring programs)"); }, false, false,
         [](const OutputChoices& c) { return vobSubWriter(c, false, true); }},
        {"vobsub,dvd-sup", [] { return FormTexts::tr("VobSub pair and DVD .sup"); }, false, false,
         [](const OutputChoices& c) { return vobSubWriter(c, true, true); }},
        {"pgs", [] { return FormTexts::tr("Blu-ray .sup (PGS)"); }, false, true,
         &bluRayWriter<PgsWriter>},
        {"bdn-xml", [] { return FormTexts::tr("BDN XML and PNG (Blu-ray authoring)"); }, false,
         true, &bluRayWriter<BdnXmlWriter>},
    };
    return forms;
}

const OutputForm& OutputFormOf(const QString& key)
{
    for (const OutputForm& form : OutputForms())
        if (key == QLatin1String(form.key))
            return form;
    return OutputForms().front();
}

QString BluRayFormatRefusal(QSize frame, const QString& rateText)
{
    if (FindBluRayVideoFormat(frame, FrameRate::fromText(rateText)))
        return QString();
    return FormTexts::tr("Blu-ray video has no %1x%2 picture at the frame rate %3. Choose a frame "
                         "size and frame rate of Blu-ray video: %4.")
        .arg(frame.width())
        .arg(frame.height())
        .arg(rateText, bluRayFormatTable());
}

} // namespace lumelle
