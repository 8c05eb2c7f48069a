#include "ui/SubtitleLoading.h"

#include "bdn/PictureFile.h"
#include "platform/Error.h"
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
    m_loaded.pictures.reset();
    // Pictures are known by what the file holds, under any name.
    if (pgs::IsPictureFile(fileName)) {
        showOverriddenControls(false, true);
        readPictures(fileName);
        return;
    }
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
    showOverriddenControls(script, false);
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

void SubtitleLoading::readPictures(const QString& fileName)
{
    pgs::PictureFile file;
    try {
        file = pgs::ReadPictureFile(fileName);
    } catch (const Error& e) {
        platform::messages().showMessage(e.message());
        return;
    }
    QStringList said;
    if (!file.problems.isEmpty()) {
        // The first few places tell what happened; lumelle-convert names every one.
        constexpr int kShown = 8;
        QString text = tr("Some of this file could not be read; the rest is loaded:");
        for (const QString& problem : file.problems.mid(0, kShown))
            text += QLatin1Char('\r') + problem;
        if (file.problems.size() > kShown)
            text += QLatin1Char('\r') + tr("(%1 more)").arg(file.problems.size() - kShown);
        said << text;
    }
    const int stream = file.defaultStream();
    if (file.pictureCount(stream) == 0) {
        said << tr("No subtitle picture could be read from this file.");
        platform::messages().showMessage(said.join(QStringLiteral("\r\r")));
        return;
    }
    if (file.streamCount() > 1)
        said << tr("This file holds %1 streams: %2. The window shows and writes stream %3, the "
                   "one players pick first; lumelle-convert --stream-index N converts another, "
                   "or every stream into one VobSub pair.")
                    .arg(file.streamCount())
                    .arg(DvdStreamNames(*file.dvd),
                         DvdStreamName(file.dvd->streams[std::size_t(stream)]));
    m_loaded.pictures = std::make_shared<LoadedPictures>(std::move(file), stream);
    showStreamLanguage();
    fillListRows();
    {
        QSignalBlocker quiet(m_controls.ListBox1);
        m_controls.ListBox1->setCurrentRow(0);
    }
    if (!said.isEmpty())
        platform::messages().showMessage(said.join(QStringLiteral("\r\r")));
}

void SubtitleLoading::showStreamLanguage()
{
    const pgs::PictureFile& file = m_loaded.pictures->file();
    if (!file.dvd)
        return;
    const QString code = file.dvd->streams[std::size_t(m_loaded.pictures->stream())].code;
    if (code.size() != 2)
        return;
    QComboBox* languages = m_controls.ComboBoxVobsubLanguage;
    for (int i = 0; i < languages->count(); ++i) {
        if (QString::fromStdString(LanguageCodeOf(languages->itemData(i).toString())) == code) {
            languages->setCurrentIndex(i);
            return;
        }
    }
}

void SubtitleLoading::fillListRows()
{
    if (!m_loaded.Subtitle)
        return;
    QListWidget* rows = m_controls.ListBox1;
    QSignalBlocker quiet(rows);
    const int row = rows->currentRow();
    rows->clear();
    if (m_loaded.pictures) {
        const pgs::PgsSourceSettings settings = PictureSettingsOf(m_controls, false);
        for (const PictureTimes& times : m_loaded.pictures->times(settings))
            rows->addItem(PictureRowText(times, settings.rate));
    }
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

void SubtitleLoading::showOverriddenControls(bool script, bool pictures)
{
    const MainWindowControls& c = m_controls;
    std::vector<QWidget*> controls{
        c.ComboBox5, c.ComboBoxFontSize, c.ComboBox8,    c.ComboBoxOutlineWidth, c.ComboBoxAlign,
        c.offset,    c.offset_or,        c.CheckBoxWrap, c.JvColorButtonText};
    // Pictures have no text to read in a character set, and no captions that roll. Their
    // outline and antialias colours stay: a DVD form paints those inks in them.
    controls.push_back(c.ComboBox7);
    controls.push_back(c.CheckBoxRollingCaptions);
    const bool overridden = script || pictures;
    for (QWidget* control : controls) {
        if (!control)
            continue;
        const bool off =
            pictures || (script && control != c.ComboBox7 && control != c.CheckBoxRollingCaptions);
        if (overridden && !m_plainToolTips.contains(control))
            m_plainToolTips.insert(control, control->toolTip());
        control->setEnabled(!off);
        control->setToolTip(
            pictures ? tr("A picture subtitle is converted as its pictures are drawn: this does "
                          "not apply to it.")
            : off    ? tr("The styles of the ASS/SSA script decide this.")
                     : m_plainToolTips.value(control, control->toolTip()));
    }
    if (!overridden)
        m_plainToolTips.clear();
}

} // namespace lumelle
