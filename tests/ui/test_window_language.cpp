// The window under German, French and Spanish: what it shows is translated, what it stores and
// writes keeps its values.
#include "MainWindowFixture.h"

#include "ui/Translations.h"

#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QTranslator>

using namespace lumelle;
using namespace lumelle::testing;

namespace {

struct Language
{
    QLocale::Language locale;
    const char* centre;   // the alignment "center"
    const char* charset;  // the character set "DEFAULT"
    const char* greek;    // the Language list's default entry, "el GREEK"
    const char* allDone;  // the first line of the help text in the end box
    const char* pink;     // from the note beside the two-palette choice
    const char* noFormat; // the start of the refusal of a frame Blu-ray video lacks
};

const Language kLanguages[] = {
    {QLocale::German, "mittig", "STANDARD", "el GRIECHISCH", "Fertig !!! Wichtiger Hinweis:",
     "weißen Text rosa", "Blu-ray-Video hat kein Bild von 1280x720"},
    {QLocale::French, "centré", "PAR DÉFAUT", "el GREC", "Terminé !!! Remarque importante :",
     "texte blanc en rose", "La vidéo Blu-ray n'a pas d'image 1280x720"},
    {QLocale::Spanish, "centro", "PREDETERMINADO", "el GRIEGO", "¡¡¡Terminado!!! Nota importante:",
     "texto blanco en rosa", "El vídeo Blu-ray no tiene imagen de 1280x720"},
};

class WindowLanguageTest : public MainWindowTest
{
protected:
    // The windows made again under the catalogue of `language`.
    void speak(QLocale::Language language)
    {
        destroyWindows();
        m_catalogue = WindowCatalogue(QLocale(language));
        ASSERT_TRUE(m_catalogue);
        QCoreApplication::installTranslator(m_catalogue.get());
        createWindows();
    }
    void TearDown() override
    {
        MainWindowTest::TearDown();
        if (m_catalogue)
            QCoreApplication::removeTranslator(m_catalogue.get());
    }

private:
    std::unique_ptr<QTranslator> m_catalogue;
};

} // namespace

TEST_F(WindowLanguageTest, ListsBoxesAndNotesAreTranslatedWhileValuesStay)
{
    const RenderSettings english = form->GatherRenderSettings();
    const QString path = write("film.srt", "1\r\n00:00:01,000 --> 00:00:02,000\r\nHello\r\n\r\n");
    for (const Language& language : kLanguages) {
        SCOPED_TRACE(language.centre);
        speak(language.locale);
        EXPECT_EQ(form->ComboBoxAlign->currentText(), QString::fromUtf8(language.centre));
        EXPECT_EQ(form->ComboBox7->currentText(), QString::fromUtf8(language.charset));
        EXPECT_EQ(form->ComboBoxVobsubLanguage->currentText(), QString::fromUtf8(language.greek));
        EXPECT_EQ(form->GatherRenderSettings(), english) << "the values behind the lists";
        EXPECT_TRUE(options->LabelPlayersTwo->text().contains(QString::fromUtf8(language.pink)));

        // The box speaks the user's language; the help file and the pair keep theirs.
        QFile::remove(dir.filePath("film.idx"));
        loadFile(path);
        recorded.clear();
        form->ButtonGenerate->click();
        ASSERT_EQ(recorded.texts().size(), 1);
        EXPECT_TRUE(recorded.texts()[0].startsWith(QString::fromUtf8(language.allDone)));
        EXPECT_TRUE(readAll(dir.filePath("Lumelle_Help_File.txt"))
                        .startsWith("All Done !!! Important Note:\r\nSome DVD Devices"));
        EXPECT_TRUE(readAll(dir.filePath("film.idx")).contains("id: el, index: 0"));

        form->ComboBoxOutputForm->setCurrentIndex(form->ComboBoxOutputForm->findData("pgs"));
        form->ComboBoxFrameSize->setCurrentIndex(form->ComboBoxFrameSize->findText("1280x720"));
        recorded.clear();
        form->ButtonGenerate->click();
        ASSERT_EQ(recorded.texts().size(), 1);
        EXPECT_TRUE(recorded.texts()[0].startsWith(QString::fromUtf8(language.noFormat)))
            << recorded.texts()[0].toStdString();
    }
}
