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

// A Blu-ray writer at the usual HD frame; a frame rate Blu-ray video does not have is refused
// before anything is drawn.
template <class Writer> std::shared_ptr<PictureWriter> bluRayWriter(const OutputChoices& choices)
{
    if (!BluRayFrameRateTexts().contains(choices.frameRateText))
        throw Error(
            FormTexts::tr("Blu-ray video has no frame rate %1: choose one of %2.")
                .arg(choices.frameRateText, BluRayFrameRateTexts().join(QStringLiteral(", "))));
    BluRayOptions options;
    options.frameRate = choices.frameRate;
    options.language =
        ThreeLetterLanguageCode(QString::fromStdString(LanguageCodeOf(choices.languageText)));
    return std::make_shared<Writer>(options);
}

} // namespace

const std::vector<OutputForm>& OutputForms()
{
    static const std::vector<OutputForm> forms = {
        {"vobsub", [] { return FormTexts::tr("VobSub pair (.idx/.sub)"); }, true,
         [](const OutputChoices& c) { return vobSubWriter(c, true, false); }},
        {"dvd-sup", [] { return FormTexts::tr("DVD .sup (authoring programs)"); }, false,
         [](const OutputChoices& c) { return vobSubWriter(c, false, true); }},
        {"vobsub,dvd-sup", [] { return FormTexts::tr("VobSub pair and DVD .sup"); }, false,
         [](const OutputChoices& c) { return vobSubWriter(c, true, true); }},
        {"pgs", [] { return FormTexts::tr("Blu-ray .sup (PGS, 1920x1080)"); }, false,
         &bluRayWriter<PgsWriter>},
        {"bdn-xml", [] { return FormTexts::tr("BDN XML and PNG (Blu-ray authoring)"); }, false,
         &bluRayWriter<BdnXmlWriter>},
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

} // namespace lumelle
