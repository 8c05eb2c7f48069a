#include "ui/MainWindowControls.h"

#include "pgs/BluRayForm.h"
#include "subtitle/Subtitle.h"
#include "ui/ColorListWidget.h"
#include "ui/OutputForms.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QSlider>

namespace lumelle {

RenderSettings RenderSettingsOf(const MainWindowControls& c)
{
    RenderSettings s;
    s.fontName = c.ComboBox5->currentText();
    s.fontSize = StrToInt(c.ComboBoxFontSize->currentText().toStdString());
    s.fontStyle = FontStyleFromName(c.ComboBox8->currentText());
    s.charset = FontCharsetFromName(c.ComboBox7->currentText());
    s.outlineWidth = StrToInt(c.ComboBoxOutlineWidth->currentText().toStdString());
    s.align = c.ComboBoxAlign->currentText();
    s.offset = c.offset->value();
    s.offset_or = c.offset_or->value();
    s.textColor = c.JvColorButtonText->colorValue();
    s.outlineColor = c.JvColorButtonOutline->colorValue();
    s.antialiasColor = c.JvColorButtonAntialias->colorValue();
    s.videoStandard = VideoStandardFromFps(c.ComboBoxFps->currentText());
    s.wrapLongLines = c.CheckBoxWrap->isChecked();
    s.frame = OutputFrameOf(c);
    return s;
}

QSize OutputFrameOf(const MainWindowControls& c)
{
    if (!OutputFormOf(c.LabelOutputForm->text()).bluRay)
        return QSize();
    const QSize frame = BluRayFrameSize(c.LabelFrameSize->text());
    return frame.isValid() ? frame : BluRayFrameSize(BluRayFrameSizeTexts().front());
}

quint8 CharsetOf(const MainWindowControls& c)
{
    return FontCharsetFromName(c.ComboBox7->currentText());
}

} // namespace lumelle
