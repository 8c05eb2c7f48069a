#include "ui/MainWindowControls.h"

#include "pgs/BluRayForm.h"
#include "subtitle/Subtitle.h"
#include "ui/ColorListWidget.h"
#include "ui/ListValues.h"
#include "ui/OutputForms.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QSlider>

namespace lumelle {

RenderSettings RenderSettingsOf(const MainWindowControls& c)
{
    RenderSettings s;
    s.fontName = ValueOf(c.ComboBox5);
    s.fontSize = StrToInt(c.ComboBoxFontSize->currentText().toStdString());
    s.fontStyle = FontStyleFromName(ValueOf(c.ComboBox8));
    s.charset = FontCharsetFromName(ValueOf(c.ComboBox7));
    s.outlineWidth = StrToInt(c.ComboBoxOutlineWidth->currentText().toStdString());
    s.align = ValueOf(c.ComboBoxAlign);
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
    return FontCharsetFromName(ValueOf(c.ComboBox7));
}

} // namespace lumelle
