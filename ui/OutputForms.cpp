#include "ui/OutputForms.h"

#include "ui/Unit1.h"

namespace lumelle {

namespace {

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

} // namespace

const std::vector<OutputForm>& OutputForms()
{
    static const std::vector<OutputForm> forms = {
        {"vobsub", [] { return TForm1::tr("VobSub pair (.idx/.sub)"); }, true,
         [](const OutputChoices& c) { return vobSubWriter(c, true, false); }},
        {"dvd-sup", [] { return TForm1::tr("DVD .sup (authoring programs)"); }, false,
         [](const OutputChoices& c) { return vobSubWriter(c, false, true); }},
        {"vobsub,dvd-sup", [] { return TForm1::tr("VobSub pair and DVD .sup"); }, false,
         [](const OutputChoices& c) { return vobSubWriter(c, true, true); }},
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
