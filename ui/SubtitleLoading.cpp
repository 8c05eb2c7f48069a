#include "ui/SubtitleLoading.h"

#include "platform/Messages.h"
#include "render/WidthCheck.h"
#include "subtitle/CodePageGuess.h"
#include "subtitle/FileKind.h"
#include "subtitle/LoadReport.h"
#include "ui/ColorListWidget.h"
#include "ui/ListValues.h"
#include "ui/LoadedSubtitle.h"
#include "ui/MainWindowControls.h"
#include "vobsub/StreamLanguage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QListWidget>
#include <QSignalBlocker>
#include <QSlider>

namespace lumelle {

SubtitleLoading::SubtitleLoading(MainWindowControls& controls, LoadedSubtitle& loaded)
    : m_controls(controls), m_loaded(loaded)
{}

void SubtitleLoading::read(const QString& fileName)
{
    {
        QSignalBlocker quiet(m_controls.ListBox1);
        m_controls.ListBox1->clear();
    }
    m_loaded.Subtitle = std::make_unique<TSubtitle>();
    TSubtitle& list = *m_loaded.Subtitle;
    // The name's language tells code pages apart; the list's value is the stored default or
    // what an earlier file told, no sign of what this file holds.
    list.SetLanguageHint(LanguageCodeOf(NameLanguageText(QFileInfo(fileName).fileName())));
    m_loaded.assPreview.reset();
    m_loaded.assScript.reset();
    const QString fps = m_controls.ComboBoxFps->currentText();
    const quint8 charset = CharsetOf(m_controls);
    const bool script = KindOfFile(fileName) == FileKind::Ass;
    if (script) {
        const VideoStandard standard = VideoStandardFromFps(fps);
        m_loaded.assScript = std::make_shared<const AssScript>(
            ReadAssScript(fileName, charset, list.LanguageHint()));
        m_loaded.assPreview = std::make_unique<AssPreview>(
            *m_loaded.assScript, QSize(frameWidth(standard), frameHeight(standard)));
    }
    showScriptStyles(script);
    list.SetRollingCaptions(m_controls.CheckBoxRollingCaptions->isChecked());
    if (list.LoadFromFile(fileName, true, FrameRate::fromText(fps), 0, charset) ==
        LoadOutcome::UnsupportedFormat)
        platform::messages().showMessage(QString::fromLatin1(kUnsupportedFormatMessage));
    else if (const QString report = LoadReport(list, fileName, charset); !report.isEmpty())
        platform::messages().showMessage(report);
    if (list.Count() > 0) {
        showFoundLanguage(fileName);
        fillListRows();
        QSignalBlocker quiet(m_controls.ListBox1);
        m_controls.ListBox1->setCurrentRow(0);
    }
}

void SubtitleLoading::showFoundLanguage(const QString& fileName)
{
    // What the name or the text tells replaces the list's choice; a choice made after the load
    // is the user's and stays until the next load.
    QComboBox* languages = m_controls.ComboBoxVobsubLanguage;
    const StreamLanguage found =
        FindStreamLanguage(QFileInfo(fileName).fileName(), *m_loaded.Subtitle, ValueOf(languages));
    if (found.source == LanguageSource::Default)
        return;
    if (const int index = IndexOfValue(languages, found.languageText); index >= 0)
        languages->setCurrentIndex(index);
}

void SubtitleLoading::fillListRows()
{
    if (!m_loaded.Subtitle)
        return;
    QListWidget* rows = m_controls.ListBox1;
    QSignalBlocker quiet(rows);
    const int row = rows->currentRow();
    rows->clear();
    for (int i = 1; i <= m_loaded.Subtitle->Count(); ++i) {
        const SubtitleLine& line = m_loaded.Subtitle->line(i);
        QString text = ShownLine(line.Line1);
        if (!line.Line2.empty())
            text += QLatin1Char('|') + ShownLine(line.Line2);
        rows->addItem(text);
    }
    if (row >= 0 && row < rows->count())
        rows->setCurrentRow(row);
}

void SubtitleLoading::showScriptStyles(bool script)
{
    const MainWindowControls& c = m_controls;
    for (QWidget* control : std::initializer_list<QWidget*>{
             c.ComboBox5, c.ComboBoxFontSize, c.ComboBox8, c.ComboBoxOutlineWidth, c.ComboBoxAlign,
             c.offset, c.offset_or, c.CheckBoxWrap, c.JvColorButtonText}) {
        if (!control)
            continue;
        if (script && !m_plainToolTips.contains(control))
            m_plainToolTips.insert(control, control->toolTip());
        control->setEnabled(!script);
        control->setToolTip(script ? tr("The styles of the ASS/SSA script decide this.")
                                   : m_plainToolTips.value(control, control->toolTip()));
    }
    if (!script)
        m_plainToolTips.clear();
}

} // namespace lumelle
